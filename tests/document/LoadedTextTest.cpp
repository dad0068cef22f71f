// Text handed to VLM_LOADCODE is read as the page it is, whatever its first character.
#include <string>

#include "ControlFixture.h"

namespace dt {
namespace {

TEST_F(Control, TextStartingAboveAsciiKeepsItsElements) {
  ASSERT_NE(CreateControl(), nullptr);
  // A non-breaking space, a UTF-8 byte-order mark read as ANSI, a letter of the upper half.
  for (const char* lead : {"\xA0", "\xEF\xBB\xBF", "\xE9"}) {
    const std::string page = std::string(lead) + "<html><body><span id=\"a\">A</span><b id=\"b\">B</b></body></html>";
    ASSERT_TRUE(LoadAndWait(page.c_str())) << static_cast<int>(static_cast<unsigned char>(lead[0]));
    const std::string body = Body();
    EXPECT_NE(body.find("<SPAN id=\"a\">"), std::string::npos) << body;
    EXPECT_NE(body.find("<B id=\"b\">"), std::string::npos) << body;
  }
}

}  // namespace
}  // namespace dt
