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
  EXPECT_STREQ(dom2html::CLowerTagName(L"META\0X", 6).get(), L"meta");
  EXPECT_STREQ(dom2html::CLowerTagName(L"METADATA", 4).get(), L"meta");
  EXPECT_STREQ(dom2html::CLowerTagName(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 26).get(), L"");
  EXPECT_STREQ(dom2html::CLowerTagName(L"ABCDEFGHIJKLMNO", 15).get(), L"abcdefghijklmno");
  EXPECT_STREQ(dom2html::CLowerTagName(nullptr, 0).get(), L"");
  EXPECT_EQ(BstrLength(nullptr), 0);
}

}  // namespace
