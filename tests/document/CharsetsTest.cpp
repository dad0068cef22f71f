// The character-set table, the charset a content value names, and the content of a new content-type meta.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "document/Charsets.h"
#include "document/Dom2HTML.h"

namespace {

TEST(CharsetTable, HoldsItsRowsInOrderWithTheirCodePages) {
  size_t count = 0;
  const CharsetRow* rows = Charset_Rows(count);
  ASSERT_EQ(count, 118u);
  EXPECT_STREQ(rows[0].name, "ASMO-708");
  EXPECT_EQ(rows[0].codePage, 708u);
  EXPECT_STREQ(rows[22].name, "koi8-r");
  EXPECT_EQ(rows[22].codePage, 20866u);
  EXPECT_STREQ(rows[91].name, "shift_jis");
  EXPECT_EQ(rows[91].codePage, 932u);
  EXPECT_STREQ(rows[110].name, "utf-8");
  EXPECT_EQ(rows[110].codePage, 65001u);
  EXPECT_STREQ(rows[117].name, "Windows-1252");
  EXPECT_EQ(rows[117].codePage, 1252u);
}

TEST(CharsetTable, NamesCompareWithoutRegardToCase) {
  EXPECT_EQ(Charset_CodePageOfName("ISO-8859-1", 10), 28591u);
  EXPECT_EQ(Charset_CodePageOfName("iso-8859-1", 10), 28591u);
  EXPECT_EQ(Charset_CodePageOfName("windows-1252", 12), 1252u);
  EXPECT_EQ(Charset_CodePageOfName("X-EBCDIC-SPAIN", 14), 20284u);
}

TEST(CharsetTable, TheFirstRowOfARepeatedNameWins) { EXPECT_EQ(Charset_CodePageOfName("iso-2022-jp", 11), 50220u); }

TEST(CharsetTable, APrefixOrAnEmptyNameMatchesNoRow) {
  EXPECT_EQ(Charset_CodePageOfName("utf", 3), 0u);
  EXPECT_EQ(Charset_CodePageOfName("utf-88", 6), 0u);
  EXPECT_EQ(Charset_CodePageOfName("", 0), 0u);
}

TEST(CharsetTable, CodePagesGiveTheNameAsWritten) {
  EXPECT_STREQ(Charset_NameOfCodePage(1252), "Windows-1252");
  EXPECT_STREQ(Charset_NameOfCodePage(1251), "windows-1251");
  EXPECT_STREQ(Charset_NameOfCodePage(50220), "iso-2022-jp");
  EXPECT_EQ(Charset_NameOfCodePage(855), nullptr);
}

TEST(CharsetOfContent, BlanksAndEqualsSignsBeforeTheNameAreSkipped) {
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset = koi8-r"), 20866u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset=windows-1251"), 1251u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html;charset==  utf-8"), 65001u);
}

TEST(CharsetOfContent, NamesWithUnderscoresAreTakenWhole) {
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset=shift_jis"), 932u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset=ks_c_5601-1987"), 949u);
}

TEST(CharsetOfContent, TheNameEndsAtTheFirstOtherCharacter) {
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset=utf-8; x=y"), 65001u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset=koi8-r\""), 20866u);
}

TEST(CharsetOfContent, TheCharacterBehindTheWordIsPassedOverWhateverItIs) {
  EXPECT_EQ(Charset_CodePageOfContent("charset:koi8-r"), 20866u);
  EXPECT_EQ(Charset_CodePageOfContent("charsetkoi8-r"), 0u);  // the name read is "oi8-r"
}

TEST(CharsetOfContent, UpperCaseContentNamesTheSameCodePage) {
  EXPECT_EQ(Charset_CodePageOfContent("TEXT/HTML; CHARSET=ISO-8859-1"), 28591u);
}

TEST(CharsetOfContent, ContentWithoutACharsetOrWithAnUnknownOneNamesNone) {
  EXPECT_EQ(Charset_CodePageOfContent("text/html"), 0u);
  EXPECT_EQ(Charset_CodePageOfContent(""), 0u);
  EXPECT_EQ(Charset_CodePageOfContent(nullptr), 0u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset="), 0u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset"), 0u);
  EXPECT_EQ(Charset_CodePageOfContent("text/html; charset=klingon"), 0u);
}

TEST(ContentTypeValue, NamesTheAnsiCodePage) {
  CXString value;
  EXPECT_EQ(CDom2HTML::BuildContentType(value), 1);
  const char* name = Charset_NameOfCodePage(GetACP());
  std::string expected = name ? std::string("text/html; charset=") + name : "text/html;";
  EXPECT_EQ(std::string(value.GetString()), expected);
  if (GetACP() == 1252) {
    EXPECT_STREQ(value.GetString(), "text/html; charset=Windows-1252");
  }
}

}  // namespace
