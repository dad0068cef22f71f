#include <gtest/gtest.h>

#include "surface/VLMConfig.h"

namespace {

TEST(Config, OneInstanceUntilUnload) {
  CVLMConfig* first = VLMConfig();
  EXPECT_EQ(VLMConfig(), first);
  VLMConfig_Destroy();
  CVLMConfig* second = VLMConfig();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->HandleSize(), 7u);
}

}  // namespace
