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

TEST_F(Control, ATextTooLargeForTheEngineFailsAndKeepsThePageThatWasThere) {
  ASSERT_NE(CreateControl(), nullptr);
  ASSERT_TRUE(LoadAndWait("<html><body><span id=\"kept\">K</span></body></html>"));
  const std::string before = Code();
  std::string huge = "<html><body><p>";
  huge.resize(size_t{129} << 20, 'x');  // 258 MB as UTF-16
  EXPECT_EQ(Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(huge.c_str())), 0);
  EXPECT_EQ(LastError(), static_cast<DWORD>(VLM_ERR_LOAD));
  huge = std::string();
  vt::PumpPending();
  EXPECT_EQ(Code(), before);
}

}  // namespace
}  // namespace dt
