// Escaping and conversion of engine text on its way into the saved page.
#include <gtest/gtest.h>

#include <string>

#include "document/HtmlOutput.h"

namespace {

std::string Written(const std::wstring& text, HtmlEscape escape, UINT codePage = 1252) {
  CHtmlOutput out;
  out.Reset(codePage);
  out.Wide(text.data(), static_cast<int>(text.size()), escape);
  EXPECT_FALSE(out.Failed());
  return std::string(out.Text().GetString(), static_cast<size_t>(out.Text().GetLength()));
}

TEST(TextEscaping, ALessThanSignThatStartsNoTagStaysAsItIs) {
  EXPECT_EQ(Written(L"a < b", HtmlEscape::Text), "a < b");
  EXPECT_EQ(Written(L"1<2", HtmlEscape::Text), "1<2");
  EXPECT_EQ(Written(L"ends with <", HtmlEscape::Text), "ends with <");
}

TEST(TextEscaping, ALessThanSignThatWouldStartMarkupIsWrittenAsAReference) {
  EXPECT_EQ(Written(L"x <b> y", HtmlEscape::Text), "x &lt;b> y");
  EXPECT_EQ(Written(L"</p>", HtmlEscape::Text), "&lt;/p>");
  EXPECT_EQ(Written(L"<!-- no -->", HtmlEscape::Text), "&lt;!-- no -->");
  EXPECT_EQ(Written(L"<?pi", HtmlEscape::Text), "&lt;?pi");
}

TEST(TextEscaping, AnAmpersandIsEscapedOnlyWhereItWouldStartAReference) {
  EXPECT_EQ(Written(L"a & b", HtmlEscape::Text), "a & b");
  EXPECT_EQ(Written(L"&amp;", HtmlEscape::Text), "&amp;amp;");
  EXPECT_EQ(Written(L"&#38;", HtmlEscape::Text), "&amp;#38;");
  EXPECT_EQ(Written(L"R&D", HtmlEscape::Text), "R&amp;D");
  EXPECT_EQ(Written(L"tail &", HtmlEscape::Text), "tail &");
}

TEST(TextEscaping, QuotesInTextStayAsTheyAre) { EXPECT_EQ(Written(L"say \"hi\"", HtmlEscape::Text), "say \"hi\""); }

TEST(AttributeEscaping, DoubleQuotesAndReferenceLikeAmpersandsAreEscaped) {
  EXPECT_EQ(Written(L"say \"hi\"", HtmlEscape::Attribute), "say &quot;hi&quot;");
  EXPECT_EQ(Written(L"a & b &c", HtmlEscape::Attribute), "a & b &amp;c");
  EXPECT_EQ(Written(L"<b>", HtmlEscape::Attribute), "<b>");
  EXPECT_EQ(Written(L"it's", HtmlEscape::Attribute), "it's");
}

TEST(NoEscaping, WritesTheTextUnchanged) {
  EXPECT_EQ(Written(L"<!-- a & \"b\" -->", HtmlEscape::None), "<!-- a & \"b\" -->");
}

TEST(Conversion, ThreeByteUtf8CharactersComeOutWhole) {
  std::wstring text(1000, L'\x65E5');  // 日
  std::string written = Written(text, HtmlEscape::Text, CP_UTF8);
  ASSERT_EQ(written.size(), 3000u);
  EXPECT_EQ(written.substr(0, 3), "\xE6\x97\xA5");
  EXPECT_EQ(written.substr(2997), "\xE6\x97\xA5");
}

TEST(Conversion, SurrogatePairsComeOutAsFourUtf8Bytes) {
  EXPECT_EQ(Written(L"\xD83D\xDE00", HtmlEscape::None, CP_UTF8), "\xF0\x9F\x98\x80");
}

TEST(Conversion, CyrillicGoesIntoKoi8R) {
  EXPECT_EQ(Written(L"\x41F\x440\x438\x432\x435\x442", HtmlEscape::Text, 20866), "\xF0\xD2\xC9\xD7\xC5\xD4");
}

TEST(Conversion, CharactersTheCodePageLacksBecomeReferencesInTextAndAttributes) {
  EXPECT_EQ(Written(L"a\x65E5z", HtmlEscape::Text, 1252), "a&#26085;z");
  EXPECT_EQ(Written(L"\x101\xD83D\xDE00", HtmlEscape::Attribute, 1252), "&#257;&#128512;");  // no best fit
  // Where references are not read (a style sheet, a script), the code page's default character stays.
  EXPECT_EQ(Written(L"a\x65E5z", HtmlEscape::None, 1252), "a?z");
}

TEST(Conversion, CodePagesThatRewriteAsciiAreNotBypassed) {
  // UTF-7 writes '+' as "+-": ASCII text must still go through the converter there.
  EXPECT_EQ(Written(L"1+1", HtmlEscape::None, 65000), "1+-1");
}

TEST(Conversion, CodePageZeroMeansTheAnsiCodePage) {
  EXPECT_EQ(Written(L"caf\xE9", HtmlEscape::None, 0), Written(L"caf\xE9", HtmlEscape::None, GetACP()));
}

// The writer's rules one unit at a time, for comparing with the run-wise copy: every position of a
// string, inside an eight-unit block or in the tail after it, must stop the run exactly where a unit
// needs a look.
std::string ExpectedAscii(const std::wstring& text, HtmlEscape escape) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i], next = i + 1 < text.size() ? text[i + 1] : 0;
    const bool letter = (next >= L'a' && next <= L'z') || (next >= L'A' && next <= L'Z');
    if (escape != HtmlEscape::None && c == L'&' && (letter || (next >= L'0' && next <= L'9') || next == L'#'))
      out += "&amp;";
    else if (escape == HtmlEscape::Text && c == L'<' && (letter || next == L'/' || next == L'!' || next == L'?'))
      out += "&lt;";
    else if (escape == HtmlEscape::Attribute && c == L'"')
      out += "&quot;";
    else
      out += c < 0x80 ? static_cast<char>(c) : '\xE9';  // the only non-ASCII unit used below
  }
  return out;
}

TEST(Output, RunsStopExactlyAtEveryUnitThatNeedsALook) {
  const wchar_t specials[] = {L'&', L'<', L'"', L'\xE9'};
  const wchar_t followers[] = {L'a', L' ', L'#', L'/'};
  for (HtmlEscape escape : {HtmlEscape::None, HtmlEscape::Text, HtmlEscape::Attribute})
    for (size_t length = 1; length <= 27; ++length)
      for (size_t at = 0; at < length; ++at)
        for (wchar_t special : specials)
          for (wchar_t follower : followers) {
            std::wstring text;
            for (size_t i = 0; i < length; ++i) text += static_cast<wchar_t>(L'A' + i % 26);
            text[at] = special;
            if (at + 1 < length) text[at + 1] = follower;
            ASSERT_EQ(Written(text, escape), ExpectedAscii(text, escape))
                << "length " << length << " at " << at << " escape " << static_cast<int>(escape);
          }
}

TEST(Output, IndentationIsOneBlankPerLevel) {
  CHtmlOutput out;
  out.Reset(1252);
  out.Indent(3);
  out.Ascii("<B>");
  out.Indent(0);
  out.Indent(70);
  EXPECT_EQ(std::string(out.Text().GetString()), "   <B>" + std::string(70, ' '));
}

TEST(Output, RewindingDropsWhatWasWrittenSinceTheMarkEvenAfterTheTextWasRead) {
  CHtmlOutput out;
  out.Reset(1252);
  out.Ascii("<A");
  const int mark = out.Mark();
  out.Wide(L" dropped=\"x\"", 13);
  out.RewindTo(mark);
  out.Ascii(" kept>");
  EXPECT_EQ(std::string(out.Text().GetString()), "<A kept>");
  const int settled = out.Mark();
  out.Ascii(" more");
  EXPECT_EQ(std::string(out.Text().GetString()), "<A kept> more");
  out.RewindTo(settled);
  out.RewindTo(settled + 100);  // past the end: nothing to drop
  EXPECT_EQ(std::string(out.Text().GetString()), "<A kept>");
  out.Ascii("!");
  EXPECT_EQ(std::string(out.Text().GetString()), "<A kept>!");
}

TEST(Output, ResetStartsAnEmptyText) {
  CHtmlOutput out;
  out.Reset(1252);
  out.Ascii("old");
  out.Reset(1252);
  EXPECT_EQ(out.Text().GetLength(), 0);
}

}  // namespace
