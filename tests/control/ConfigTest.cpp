#include <gtest/gtest.h>

#include "surface/VLMConfig.h"

namespace {

TEST(Config, FixedVisualConstants) {
  CVLMConfig* config = VLMConfig();
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(config->handleSize(), 7u);
  EXPECT_EQ(config->handleSize() / 2, 3u);
  EXPECT_EQ(config->primaryHandleColour(), COLORREF(0x00FDFD39));
  EXPECT_EQ(GetRValue(config->primaryHandleColour()), 0x39);
  EXPECT_EQ(config->secondaryHandleColour(), COLORREF(0x00808080));
}

TEST(Config, OneInstanceUntilUnload) {
  CVLMConfig* first = VLMConfig();
  EXPECT_EQ(VLMConfig(), first);
  VLMConfig_Destroy();
  CVLMConfig* second = VLMConfig();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->handleSize(), 7u);
}

}  // namespace
