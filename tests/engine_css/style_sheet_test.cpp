#include <gtest/gtest.h>

#include "css/style_sheet.h"

namespace vellum::engine::css {
namespace {

std::uint32_t Specificity(std::uint32_t ids, std::uint32_t classes, std::uint32_t types) {
  return ids << 16 | classes << 8 | types;
}

TEST(SelectorParsing, ReadsCompoundsAndCombinatorsRightToLeft) {
  const auto list = ParseSelectorList(u"DIV#main .box > span.a.b");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->size(), 1u);
  const Selector& s = list->front();
  ASSERT_EQ(s.compounds.size(), 3u);
  EXPECT_EQ(s.compounds[0].tag, u"span");
  EXPECT_EQ(s.compounds[0].classes, (std::vector<std::u16string>{u"a", u"b"}));
  EXPECT_EQ(s.compounds[1].classes, (std::vector<std::u16string>{u"box"}));
  EXPECT_EQ(s.compounds[2].tag, u"div");
  EXPECT_EQ(s.compounds[2].id, u"main");
  EXPECT_EQ(s.combinators, (std::vector<Combinator>{Combinator::Child, Combinator::Descendant}));
  EXPECT_EQ(s.specificity, Specificity(1, 3, 2));
  EXPECT_TRUE(s.matchable);
}

TEST(SelectorParsing, ComputesSpecificityOfEachSelectorInAList) {
  const auto list = ParseSelectorList(u"*, p, .c, #i, p.c#i, ul li a");
  ASSERT_TRUE(list);
  std::vector<std::uint32_t> specificities;
  for (const Selector& s : *list) {
    specificities.push_back(s.specificity);
  }
  EXPECT_EQ(specificities,
            (std::vector<std::uint32_t>{0, Specificity(0, 0, 1), Specificity(0, 1, 0), Specificity(1, 0, 0),
                                        Specificity(1, 1, 1), Specificity(0, 0, 3)}));
}

TEST(SelectorParsing, KeepsSelectorsItCannotEvaluateButNeverMatchesThem) {
  for (std::u16string_view text :
       {u"a:hover", u"input[type=text]", u"p + p", u"p ~ p", u"p::first-line", u"li:nth-child(2n+1)"}) {
    const auto list = ParseSelectorList(text);
    ASSERT_TRUE(list) << testing::PrintToString(std::u16string(text));
    EXPECT_FALSE(list->front().matchable);
  }
}

TEST(SelectorParsing, RejectsMalformedSelectors) {
  for (std::u16string_view text : {u"", u" ", u"p,", u",p", u"p >", u"> p", u"p..c", u"#", u"p$q", u"ns|p", u"a[href",
                                   u"a:", u"a:not(", u".1x", u"p{"}) {
    EXPECT_FALSE(ParseSelectorList(text)) << testing::PrintToString(std::u16string(text));
  }
}

TEST(SelectorParsing, DecodesEscapesInNames) {
  const auto list = ParseSelectorList(u".\\31 a.b\\:c");
  ASSERT_TRUE(list);
  EXPECT_EQ(list->front().compounds[0].classes, (std::vector<std::u16string>{u"1a", u"b:c"}));
}

TEST(StyleSheetParsing, ReadsRulesInOrderWithTheirDeclarations) {
  StyleSheet sheet(u"p { color: red } .a, #b { margin: 1px; left: 2px }");
  ASSERT_EQ(sheet.Rules().size(), 2u);
  EXPECT_EQ(sheet.Rules()[0].declarations.CssText(), u"color: red");
  EXPECT_EQ(sheet.Rules()[1].selectors.size(), 2u);
  EXPECT_EQ(sheet.Rules()[1].declarations.CssText(), u"left: 2px; margin: 1px");
}

TEST(StyleSheetParsing, IgnoresHtmlCommentMarkersAroundTheSheet) {
  StyleSheet sheet(u"<!--\n p { color: red }\n-->");
  ASSERT_EQ(sheet.Rules().size(), 1u);
  EXPECT_EQ(sheet.Rules()[0].selectors[0].compounds[0].tag, u"p");
}

TEST(StyleSheetParsing, SkipsAtRulesButAppliesScreenMediaBlocks) {
  StyleSheet sheet(
      u"@charset \"utf-8\"; @import url(x.css);"
      u"@font-face { font-family: x; src: url(a{b}.ttf) }"
      u"@media print { p { color: red } }"
      u"@media screen, print { div { color: blue } @page { margin: 0 } }"
      u"@page :first { margin: 1in }"
      u"span { color: green }");
  ASSERT_EQ(sheet.Rules().size(), 2u);
  EXPECT_EQ(sheet.Rules()[0].selectors[0].compounds[0].tag, u"div");
  EXPECT_EQ(sheet.Rules()[1].selectors[0].compounds[0].tag, u"span");
}

TEST(StyleSheetParsing, DropsRulesWithBadSelectorsAndRecoversAtTheNextRule) {
  StyleSheet sheet(u"p..x { color: red } a { color: \"}\" ; left: 1px } } q { top: 2px }");
  ASSERT_EQ(sheet.Rules().size(), 2u);
  EXPECT_EQ(sheet.Rules()[0].declarations.CssText(), u"left: 1px; color: \"}\"");
  EXPECT_EQ(sheet.Rules()[1].declarations.CssText(), u"top: 2px");
}

TEST(StyleSheetParsing, UnclosedBlockEndsAtTheEndOfTheText) {
  StyleSheet sheet(u"p { color: red; left: 1px");
  ASSERT_EQ(sheet.Rules().size(), 1u);
  EXPECT_EQ(sheet.Rules()[0].declarations.CssText(), u"left: 1px; color: red");
  EXPECT_TRUE(StyleSheet(u"p, q").Rules().empty());
}

TEST(StyleSheetCssText, AnswersTheTextAsGivenAndRereadsWhenSet) {
  StyleSheet sheet(u"/* keep */ @media print { p { color: red } }");
  EXPECT_EQ(sheet.CssText(), u"/* keep */ @media print { p { color: red } }");
  EXPECT_TRUE(sheet.Rules().empty());
  sheet.SetCssText(u"b { font-weight: bold }");
  EXPECT_EQ(sheet.CssText(), u"b { font-weight: bold }");
  EXPECT_EQ(sheet.Rules().size(), 1u);
}

TEST(StyleSheetParsing, SurvivesGarbage) {
  const std::u16string garbage[] = {u"{{{{",
                                    u"}}}}",
                                    u"@",
                                    u"@media",
                                    u"@media {",
                                    u"a{",
                                    u"a{b",
                                    u"/*",
                                    u"\"",
                                    u"<!--",
                                    u"-->",
                                    std::u16string(5000, u'{'),
                                    std::u16string(5000, u'('),
                                    u"@media screen { @media screen { p {} } }",
                                    u"p{}p{}p{}",
                                    u"*{*:*}"};
  for (const std::u16string& text : garbage) {
    StyleSheet sheet(text);
    EXPECT_LE(sheet.Rules().size(), 3u);
  }
}

TEST(StyleSheetParsing, BoundsTheNumberOfRules) {
  std::u16string text;
  for (std::size_t i = 0; i < kRulesPerSheetBudget + 10; ++i) {
    text += u"p{}";
  }
  EXPECT_EQ(StyleSheet(text).Rules().size(), kRulesPerSheetBudget);
}

}  // namespace
}  // namespace vellum::engine::css
