#include <gtest/gtest.h>

#include "css/declaration_block.h"

namespace vellum::engine::css {
namespace {

TEST(InlineStyleCssText, PutsPositionFirstInFixedOrder) {
  DeclarationBlock style(u"position: absolute; left: 10px; top: 20px; width: 65px; height: 20px;");
  EXPECT_EQ(style.CssText(), u"left: 10px; top: 20px; width: 65px; height: 20px; position: absolute");
}

TEST(InlineStyleCssText, KeepsOtherPropertiesInFirstSetOrderAfterTheFixedOnes) {
  DeclarationBlock style(u"color: red; z-index: 3; background-color: blue; left: 1px");
  style.Set(PropertyId::FontSize, u"12pt");
  style.Set(PropertyId::Color, u"green");  // set again: keeps its place
  EXPECT_EQ(style.CssText(), u"left: 1px; z-index: 3; color: green; background-color: blue; font-size: 12pt");
}

TEST(InlineStyleCssText, LowerCasesNamesAndKeepsValuesAsWritten) {
  DeclarationBlock style(u"  COLOR :  Red  ;Font-Family:'Times  New Roman',  Arial ");
  EXPECT_EQ(style.CssText(), u"color: Red; font-family: 'Times  New Roman', Arial");
}

TEST(InlineStyleCssText, EmptyStyleGivesEmptyText) {
  EXPECT_EQ(DeclarationBlock(u"").CssText(), u"");
  EXPECT_EQ(DeclarationBlock(u" ; ;; ").CssText(), u"");
}

TEST(InlineStyleCssText, KeepsImportantAndUnknownProperties) {
  DeclarationBlock style(u"filter: alpha(opacity=50); color: red ! IMPORTANT");
  EXPECT_EQ(style.CssText(), u"filter: alpha(opacity=50); color: red !important");
  EXPECT_EQ(style.Get(PropertyId::Color), u"red");
}

TEST(InlineStyleCssText, ReadsBackToTheSameText) {
  const DeclarationBlock first(u"margin: 1px 2px; left: 3px; border: 1px solid red; border-color: blue; x-y: 1");
  const DeclarationBlock second(first.CssText());
  EXPECT_EQ(second.CssText(), first.CssText());
}

TEST(InlineStyleSet, EmptyValueRemovesTheProperty) {
  DeclarationBlock style(u"left: 10px; top: 20px; color: red");
  EXPECT_EQ(style.Set(PropertyId::Top, u""), SetResult::Removed);
  EXPECT_EQ(style.Set(u"color", u"   "), SetResult::Removed);
  EXPECT_EQ(style.CssText(), u"left: 10px");
  EXPECT_EQ(style.Get(PropertyId::Top), u"");
}

TEST(InlineStyleSet, RemovedPropertySetAgainGoesToTheEnd) {
  DeclarationBlock style(u"color: red; cursor: hand");
  style.Set(PropertyId::Color, u"");
  style.Set(PropertyId::Color, u"blue");
  EXPECT_EQ(style.CssText(), u"cursor: hand; color: blue");
}

TEST(InlineStyleSet, NumberForZIndexStoresItsDecimalText) {
  DeclarationBlock style;
  EXPECT_EQ(style.SetNumber(PropertyId::ZIndex, 5), SetResult::Stored);
  EXPECT_EQ(style.Get(PropertyId::ZIndex), u"5");
  style.SetNumber(PropertyId::ZIndex, -12);
  style.Set(PropertyId::Left, u"10px");
  EXPECT_EQ(style.CssText(), u"left: 10px; z-index: -12");
}

TEST(InlineStyleSet, AcceptsScriptNamesCssNamesAndAnyCase) {
  DeclarationBlock style;
  EXPECT_EQ(style.Set(u"zIndex", u"2"), SetResult::Stored);
  EXPECT_EQ(style.Set(u"BACKGROUNDCOLOR", u"red"), SetResult::Stored);
  EXPECT_EQ(style.Set(u"border-left-width", u"1px"), SetResult::Stored);
  EXPECT_EQ(style.Set(u"styleFloat", u"left"), SetResult::Stored);
  EXPECT_EQ(style.Set(u"noSuchProperty", u"1"), SetResult::Rejected);
  EXPECT_EQ(style.CssText(), u"z-index: 2; background-color: red; border-left-width: 1px; float: left");
  EXPECT_EQ(style.Get(u"Z-INDEX"), u"2");
  EXPECT_EQ(style.Get(u"cssFloat"), u"left");
  EXPECT_EQ(style.Get(u"noSuchProperty"), u"");
}

TEST(InlineStyleSet, RejectsValuesThatWouldNotReadBackAsOneDeclaration) {
  DeclarationBlock style(u"left: 1px");
  for (std::u16string_view bad :
       {u"2px; top: 3px", u"rgb(1,2", u"'open", u"a\\", u"x } y", u"red !important", u"[a", u"/* open"}) {
    EXPECT_EQ(style.Set(PropertyId::Color, bad), SetResult::Rejected);
  }
  EXPECT_EQ(style.CssText(), u"left: 1px");
  EXPECT_EQ(style.Set(PropertyId::FontFamily, u"'a;b'"), SetResult::Stored);
  EXPECT_EQ(DeclarationBlock(style.CssText()).CssText(), u"left: 1px; font-family: 'a;b'");
}

TEST(InlineStyleShorthands, AreStoredAsWrittenAndAnswerTheirParts) {
  DeclarationBlock style(u"margin: 1px 2px 3px");
  EXPECT_EQ(style.CssText(), u"margin: 1px 2px 3px");
  EXPECT_EQ(style.Get(PropertyId::Margin), u"1px 2px 3px");
  EXPECT_EQ(style.Get(PropertyId::MarginLeft), u"2px");
  EXPECT_EQ(style.Get(PropertyId::MarginBottom), u"3px");
}

TEST(InlineStyleShorthands, ALaterLonghandWinsOverItsShorthand) {
  DeclarationBlock style(u"margin: 1px; margin-top: 5px");
  EXPECT_EQ(style.Get(PropertyId::MarginTop), u"5px");
  EXPECT_EQ(style.Get(PropertyId::MarginRight), u"1px");
  EXPECT_EQ(style.Get(PropertyId::Margin), u"5px 1px 1px");
}

TEST(InlineStyleShorthands, SettingAShorthandDropsTheLonghandsItReplaces) {
  DeclarationBlock style(u"border-top-color: red; padding-left: 3px; border-style: solid");
  style.Set(PropertyId::Border, u"1px dotted");
  EXPECT_EQ(style.CssText(), u"padding-left: 3px; border: 1px dotted");
  EXPECT_EQ(style.Get(PropertyId::BorderTopColor), u"currentcolor");
}

TEST(InlineStyleShorthands, AnEarlierDeadLonghandIsDroppedWhenParsed) {
  DeclarationBlock style(u"border-color: red; border: 1px solid");
  EXPECT_EQ(style.CssText(), u"border: 1px solid");
  style.Set(PropertyId::BorderColor, u"blue");
  style.Set(PropertyId::Border, u"2px solid");
  EXPECT_EQ(style.CssText(), u"border: 2px solid");
}

TEST(InlineStyleShorthands, ALonghandSetAgainMovesBehindALaterShorthandSoItStillApplies) {
  DeclarationBlock style(u"border-color: red; border-top: 1px solid");
  style.Set(PropertyId::BorderColor, u"blue");
  EXPECT_EQ(style.CssText(), u"border-top: 1px solid; border-color: blue");
  EXPECT_EQ(style.Get(PropertyId::BorderTopColor), u"blue");
  style.Set(PropertyId::BorderTopWidth, u"3px");  // new: appended, wins over border-top
  EXPECT_EQ(style.Get(PropertyId::BorderTop), u"3px solid blue");
}

TEST(InlineStyleShorthands, LonghandsComposeTheShorthandOnlyWhenAllAreSet) {
  DeclarationBlock style(u"padding-top: 1px; padding-right: 2px; padding-bottom: 1px");
  EXPECT_EQ(style.Get(PropertyId::Padding), u"");
  style.Set(PropertyId::PaddingLeft, u"2px");
  EXPECT_EQ(style.Get(PropertyId::Padding), u"1px 2px");
}

TEST(InlineStyleParsing, LaterDuplicateReplacesTheEarlierValueInItsPlace) {
  DeclarationBlock style(u"color: red; cursor: move; color: blue");
  EXPECT_EQ(style.CssText(), u"color: blue; cursor: move");
}

TEST(InlineStyleParsing, ImportantDeclarationIsNotReplacedByALaterNormalOne) {
  DeclarationBlock style(u"color: red !important; color: blue");
  EXPECT_EQ(style.CssText(), u"color: red !important");
}

TEST(InlineStyleParsing, SkipsMalformedDeclarationsAndKeepsTheRest) {
  DeclarationBlock style(
      u"left:; : 5px; top 20px; *zoom: 1; 9x: 1; width: 65px; color: 'unterminated\n; height: (a; b) ; "
      u"position: absolute; {z-index: 3}; font-size: 10pt");
  // The ';' inside brackets does not end the height's value.
  EXPECT_EQ(style.CssText(), u"width: 65px; height: (a; b); position: absolute; font-size: 10pt");
}

TEST(InlineStyleParsing, RemovesCommentsFromNamesAndValues) {
  DeclarationBlock style(u"/* a */ left /* b */: 10px /* c */; /* top: 5px; */ color: red/**/");
  EXPECT_EQ(style.CssText(), u"left: 10px; color: red");
}

TEST(InlineStyleParsing, ScriptNamesAreNotPropertyNamesInMarkup) {
  DeclarationBlock style(u"zIndex: 4");
  EXPECT_EQ(style.Get(PropertyId::ZIndex), u"");
  EXPECT_EQ(style.CssText(), u"zindex: 4");
}

TEST(InlineStyleParsing, SurvivesGarbage) {
  const std::u16string garbage[] = {u"}}}}{{{{",
                                    u"((((((((",
                                    u"\"\\",
                                    u"\\",
                                    u"/*",
                                    u";;;:::",
                                    u"a:b:c:d",
                                    u"!important",
                                    u"color: !important",
                                    std::u16string(2000, u'('),
                                    std::u16string(1000, u'['),
                                    std::u16string(u"\0\0:\0", 4)};
  for (const std::u16string& text : garbage) {
    DeclarationBlock style(text);
    const std::u16string css = style.CssText();
    EXPECT_EQ(DeclarationBlock(css).CssText(), css);
  }
}

TEST(InlineStyleParsing, BoundsHowManyUnknownPropertiesAreKept) {
  std::u16string text;
  for (int i = 0; i < 200; ++i) {
    text += u"x-" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) +
            std::u16string(1, static_cast<char16_t>(u'a' + i / 26)) + u": 1;";
  }
  text += u"left: 1px";
  DeclarationBlock style(text);
  EXPECT_EQ(style.Declarations().size(), kUnknownDeclarationBudget + 1);
  EXPECT_EQ(style.Get(PropertyId::Left), u"1px");
}

}  // namespace
}  // namespace vellum::engine::css
