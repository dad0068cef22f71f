// The tokenizer on its own: tokens are recorded as short texts and compared as a list.

#include <gtest/gtest.h>

#include <vector>

#include "parser/input_text.h"
#include "parser/tokenizer.h"
#include "support/test_util.h"

namespace vellum::engine::test {
namespace {

class RecordingSink final : public TokenSink {
 public:
  bool cdataAllowed = false;
  std::vector<std::string> tokens;

  void ProcessToken(Token& t) override {
    switch (t.type) {
      case TokenType::StartTag: {
        std::string s = "<" + U8(t.name);
        for (const TokenAttribute& a : t.attributes) s += " " + U8(a.name) + "=\"" + U8(a.value) + "\"";
        tokens.push_back(s + (t.selfClosing ? "/>" : ">"));
        break;
      }
      case TokenType::EndTag:
        tokens.push_back("</" + U8(t.name) + ">");
        break;
      case TokenType::Characters:
        if (!tokens.empty() && tokens.back().front() == '"')
          tokens.back().insert(tokens.back().size() - 1, U8(t.data));
        else
          tokens.push_back("\"" + U8(t.data) + "\"");
        break;
      case TokenType::Comment:
        tokens.push_back(t.isDeclaration ? "decl{" + U8(t.data) + "|" + U8(t.markup) + "}"
                                         : "<!--" + U8(t.data) + "-->");
        break;
      case TokenType::Doctype:
        tokens.push_back("doctype{" + U8(t.name) + (t.hasPublicId ? " pub=" + U8(t.publicId) : "") +
                         (t.hasSystemId ? " sys=" + U8(t.systemId) : "") + (t.forceQuirks ? " quirks" : "") + "|" +
                         U8(t.markup) + "}");
        break;
      case TokenType::EndOfFile:
        tokens.push_back("EOF");
        break;
    }
  }
  bool CdataSectionAllowed() const override { return cdataAllowed; }
};

std::vector<std::string> Tokenize(std::string_view utf8, TokenizerState state = TokenizerState::Data,
                                  std::string_view lastStartTag = "", bool cdataAllowed = false) {
  std::u16string text = U16(utf8);
  InputText input(text);
  RecordingSink sink;
  sink.cdataAllowed = cdataAllowed;
  Tokenizer tokenizer(input.View(), sink);
  tokenizer.SetState(state);
  tokenizer.SetLastStartTagName(U16(lastStartTag));
  tokenizer.Run();
  return sink.tokens;
}

using Tokens = std::vector<std::string>;

TEST(Tokenizer, EmptyInputGivesOnlyEndOfFile) { EXPECT_EQ(Tokenize(""), Tokens{"EOF"}); }

TEST(Tokenizer, AttributesAcceptAllThreeQuotingStyles) {
  EXPECT_EQ(Tokenize(R"(<input a="x y" b='1 2' c=z>)"), (Tokens{R"(<input a="x y" b="1 2" c="z">)", "EOF"}));
}

TEST(Tokenizer, ValuelessAttributeHasEmptyValue) {
  EXPECT_EQ(Tokenize("<input checked disabled=''>"), (Tokens{R"(<input checked="" disabled="">)", "EOF"}));
}

TEST(Tokenizer, NamesAreLowerCasedAndDuplicateAttributesDropped) {
  EXPECT_EQ(Tokenize("<DiV ID=a id=b Class=c></DIV>"), (Tokens{R"(<div id="a" class="c">)", "</div>", "EOF"}));
}

TEST(Tokenizer, DuplicateFoundAmongManyAttributes) {
  std::string tag = "<p";
  for (int i = 0; i < 40; ++i) tag += " a" + std::to_string(i) + "=" + std::to_string(i);
  tag += " a7=dup a40=new>";
  Tokens tokens = Tokenize(tag);
  ASSERT_EQ(tokens.size(), 2u);
  EXPECT_NE(tokens[0].find("a7=\"7\""), std::string::npos);
  EXPECT_EQ(tokens[0].find("dup"), std::string::npos);
  EXPECT_NE(tokens[0].find("a40=\"new\""), std::string::npos);
}

TEST(Tokenizer, SelfClosingFlagIsReported) { EXPECT_EQ(Tokenize("<br/>"), (Tokens{"<br/>", "EOF"})); }

TEST(Tokenizer, NamedReferencesDecodeWithLongestMatch) {
  EXPECT_EQ(Tokenize("&amp;&lt;&copy;&notin;&notit;"), (Tokens{"\"&<©∉¬it;\"", "EOF"}));
}

TEST(Tokenizer, LegacyNamedReferenceWorksWithoutSemicolon) {
  EXPECT_EQ(Tokenize("&copy 2024 &ampx"), (Tokens{"\"© 2024 &x\"", "EOF"}));
}

TEST(Tokenizer, UnknownNamedReferenceStaysLiteral) {
  EXPECT_EQ(Tokenize("&bogus; &"), (Tokens{"\"&bogus; &\"", "EOF"}));
}

TEST(Tokenizer, ReferenceInAttributeBeforeAlphanumericStaysLiteral) {
  EXPECT_EQ(Tokenize(R"(<a href="?x=1&copy=2&amp=3&lt;">)"), (Tokens{R"(<a href="?x=1&copy=2&amp=3<">)", "EOF"}));
}

TEST(Tokenizer, DecimalAndHexReferencesDecode) {
  EXPECT_EQ(Tokenize("&#65;&#x42;&#X43;&#0068"), (Tokens{"\"ABCD\"", "EOF"}));
}

TEST(Tokenizer, NumericReferencesOutsideUnicodeBecomeReplacementCharacter) {
  EXPECT_EQ(Tokenize("&#0;&#x110000;&#xD800;&#99999999999999;"), (Tokens{"\"\uFFFD\uFFFD\uFFFD\uFFFD\"", "EOF"}));
}

TEST(Tokenizer, NumericReferencesInC1RangeMapAsWindows1252) {
  EXPECT_EQ(Tokenize("&#128;&#x99;"), (Tokens{"\"€™\"", "EOF"}));
}

TEST(Tokenizer, NumericReferenceWithoutDigitsStaysLiteral) {
  EXPECT_EQ(Tokenize("&#; &#x;"), (Tokens{"\"&#; &#x;\"", "EOF"}));
}

TEST(Tokenizer, AstralReferenceBecomesSurrogatePair) {
  std::u16string text = U16("&#x1F600;");
  InputText input(text);
  RecordingSink sink;
  Tokenizer tokenizer(input.View(), sink);
  tokenizer.Run();
  EXPECT_EQ(sink.tokens.front(), "\"\xF0\x9F\x98\x80\"");
}

TEST(Tokenizer, CommentKeepsItsData) {
  EXPECT_EQ(Tokenize("<!-- note --><!----><!-- a -- b -->"),
            (Tokens{"<!-- note -->", "<!---->", "<!-- a -- b -->", "EOF"}));
}

TEST(Tokenizer, BogusCommentsAreDeclarationsWithTheirMarkup) {
  EXPECT_EQ(Tokenize("<!ELEMENT br EMPTY><?xml version=\"1.0\"?></ x>"),
            (Tokens{"decl{ELEMENT br EMPTY|<!ELEMENT br EMPTY>}", "decl{?xml version=\"1.0\"?|<?xml version=\"1.0\"?>}",
                    "decl{ x|</ x>}", "EOF"}));
}

TEST(Tokenizer, DoctypeReportsIdentifiersAndMarkup) {
  EXPECT_EQ(
      Tokenize(R"(<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01//EN" 'http://x'>)"),
      (Tokens{
          R"(doctype{html pub=-//W3C//DTD HTML 4.01//EN sys=http://x|<!DOCTYPE html PUBLIC "-//W3C//DTD HTML 4.01//EN" 'http://x'>})",
          "EOF"}));
  EXPECT_EQ(Tokenize("<!doctype>"), (Tokens{"doctype{ quirks|<!doctype>}", "EOF"}));
}

TEST(Tokenizer, RcdataEndsOnlyAtTheMatchingEndTag) {
  EXPECT_EQ(Tokenize("a</b>&amp;<i></title>x", TokenizerState::Rcdata, "title"),
            (Tokens{"\"a</b>&<i>\"", "</title>", "\"x\"", "EOF"}));
}

TEST(Tokenizer, RawtextLeavesReferencesAlone) {
  EXPECT_EQ(Tokenize("a&amp;</style>", TokenizerState::Rawtext, "style"), (Tokens{"\"a&amp;\"", "</style>", "EOF"}));
}

TEST(Tokenizer, ScriptDataHonoursEscapedSections) {
  EXPECT_EQ(Tokenize("<!--<script></script>--></script>", TokenizerState::ScriptData, "script"),
            (Tokens{"\"<!--<script></script>-->\"", "</script>", "EOF"}));
}

TEST(Tokenizer, CdataSectionOnlyWhereTheTreeAllowsIt) {
  EXPECT_EQ(Tokenize("<![CDATA[a<b]]>", TokenizerState::Data, "", true), (Tokens{"\"a<b\"", "EOF"}));
  EXPECT_EQ(Tokenize("<![CDATA[a<b]]>"), (Tokens{"decl{[CDATA[a<b]]|<![CDATA[a<b]]>}", "EOF"}));
}

TEST(Tokenizer, CarriageReturnsBecomeLineFeeds) {
  EXPECT_EQ(Tokenize("a\r\nb\rc<p title=\"x\r\ny\">"), (Tokens{"\"a\nb\nc\"", "<p title=\"x\ny\">", "EOF"}));
}

TEST(Tokenizer, NulInDataIsLeftForTheTreeBuilder) {
  std::u16string text = u"a";
  text.push_back(0);
  text += u"b<p>";
  RecordingSink sink;
  Tokenizer tokenizer(text, sink);
  tokenizer.Run();
  ASSERT_EQ(sink.tokens.size(), 3u);
  EXPECT_EQ(sink.tokens[0], std::string("\"a\0b\"", 5));
}

TEST(Tokenizer, UnterminatedTagAtEndOfInputIsDropped) {
  EXPECT_EQ(Tokenize("text<div class=\"a"), (Tokens{"\"text\"", "EOF"}));
  EXPECT_EQ(Tokenize("x<"), (Tokens{"\"x<\"", "EOF"}));
}

TEST(Tokenizer, StateNamesComeFromTheStateList) {
  EXPECT_STREQ(TokenizerStateName(TokenizerState::Data), "Data");
  EXPECT_STREQ(TokenizerStateName(TokenizerState::CdataSectionEnd), "CdataSectionEnd");
}

}  // namespace
}  // namespace vellum::engine::test
