// The writer's own text helpers: lower-casing names and styles in place, and tag names as the special
// tags are compared.
#include <gtest/gtest.h>

#include <string>

#include "document/Dom2HTMLText.h"

namespace {

std::wstring LoweredBySystem(std::wstring text) {
  if (!text.empty()) CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
  return text;
}

TEST(WriterText, LowerCasingMatchesTheSystemAtEveryLengthAndPosition) {
  // Eight units are lowered at once: each length and each place of a non-ASCII unit (which hands the
  // rest to the system) must give the system's answer.
  const std::wstring alphabet = L"POSITION: Absolute; LEFT: 10PX; [@`{Z";
  for (size_t length = 0; length <= alphabet.size(); ++length) {
    for (size_t at = 0; at <= length; ++at) {
      std::wstring text = alphabet.substr(0, length);
      if (at < length) text[at] = L'\x00C9';  // É, lowered by the system only
      std::wstring lowered = text;
      dom2html::LowerInPlace(lowered.data(), static_cast<int>(lowered.size()));
      ASSERT_EQ(lowered, LoweredBySystem(text)) << "length " << length << " at " << at;
    }
  }
}

TEST(WriterText, TagNamesAreComparedUpToTheirFirstNullAndLongNamesReadAsEmpty) {
  BSTR withNull = SysAllocStringLen(L"META\0X", 6);
  EXPECT_STREQ(dom2html::CLowerTagName(withNull).get(), L"meta");
  SysFreeString(withNull);
  BSTR longName = SysAllocString(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  EXPECT_STREQ(dom2html::CLowerTagName(longName).get(), L"");
  SysFreeString(longName);
  BSTR fifteen = SysAllocString(L"ABCDEFGHIJKLMNO");
  EXPECT_STREQ(dom2html::CLowerTagName(fifteen).get(), L"abcdefghijklmno");
  SysFreeString(fifteen);
  EXPECT_STREQ(dom2html::CLowerTagName(nullptr).get(), L"");
  EXPECT_EQ(BstrLength(nullptr), 0);
}

}  // namespace
