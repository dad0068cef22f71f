#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "css/cascade.h"
#include "test_element.h"

namespace vellum::engine::css {
namespace {

using testing::TestElement;

class CascadeTest : public ::testing::Test {
 protected:
  void AddSheet(std::u16string_view css) {
    sheets_.push_back(std::make_unique<StyleSheet>(css));
    pointers_.push_back(sheets_.back().get());
  }
  std::u16string Value(const TestElement& element, PropertyId id) const {
    return ComputeStyleWithAncestors(element, pointers_).Value(id);
  }

  TestElement html_{u"html"};
  TestElement& body_ = html_.Add(u"body");

 private:
  std::vector<std::unique_ptr<StyleSheet>> sheets_;
  std::vector<const StyleSheet*> pointers_;
};

TEST_F(CascadeTest, TypeClassIdAndUniversalSelectorsApply) {
  AddSheet(u"* { cursor: help } span { color: red } .big { font-size: 20px } #x { left: 5px }");
  TestElement& span = body_.Add(u"span", u"x", u"big other");
  EXPECT_EQ(Value(span, PropertyId::Cursor), u"help");
  EXPECT_EQ(Value(span, PropertyId::Color), u"red");
  EXPECT_EQ(Value(span, PropertyId::FontSize), u"20px");
  EXPECT_EQ(Value(span, PropertyId::Left), u"5px");
}

TEST_F(CascadeTest, HigherSpecificityWinsRegardlessOfOrder) {
  AddSheet(u"#x { color: red } .c { color: green } span { color: blue }");
  TestElement& span = body_.Add(u"span", u"x", u"c");
  EXPECT_EQ(Value(span, PropertyId::Color), u"red");
  TestElement& other = body_.Add(u"span", u"", u"c");
  EXPECT_EQ(Value(other, PropertyId::Color), u"green");
}

TEST_F(CascadeTest, LaterRuleWinsAtEqualSpecificityAcrossSheets) {
  AddSheet(u"span { color: red } span { color: green }");
  TestElement& span = body_.Add(u"span");
  EXPECT_EQ(Value(span, PropertyId::Color), u"green");
  AddSheet(u"span { color: blue }");
  EXPECT_EQ(Value(span, PropertyId::Color), u"blue");
}

TEST_F(CascadeTest, InlineStyleWinsOverSheetsUnlessTheSheetIsImportant) {
  AddSheet(u"#x { color: red; left: 1px !important } span { top: 3px }");
  TestElement& span = body_.Add(u"span", u"x").WithStyle(u"color: green; left: 2px; top: 4px");
  EXPECT_EQ(Value(span, PropertyId::Color), u"green");
  EXPECT_EQ(Value(span, PropertyId::Left), u"1px");
  EXPECT_EQ(Value(span, PropertyId::Top), u"4px");
  TestElement& strong = body_.Add(u"span", u"x").WithStyle(u"left: 2px !important");
  EXPECT_EQ(Value(strong, PropertyId::Left), u"2px");
}

TEST_F(CascadeTest, DescendantSelectorMatchesAnyAncestor) {
  AddSheet(u"div span { color: red } form div .c { color: blue }");
  TestElement& div = body_.Add(u"div");
  TestElement& span = div.Add(u"p").Add(u"span");
  EXPECT_EQ(Value(span, PropertyId::Color), u"red");
  TestElement& deep = body_.Add(u"form").Add(u"div").Add(u"b").Add(u"i", u"", u"c");
  EXPECT_EQ(Value(deep, PropertyId::Color), u"blue");
  TestElement& outside = body_.Add(u"span");
  EXPECT_EQ(Value(outside, PropertyId::Color), u"#000000");
}

TEST_F(CascadeTest, ChildSelectorMatchesOnlyTheParent) {
  AddSheet(u"div > span { color: red } body > div span { left: 3px }");
  TestElement& div = body_.Add(u"div");
  TestElement& direct = div.Add(u"span");
  TestElement& nested = div.Add(u"p").Add(u"span");
  EXPECT_EQ(Value(direct, PropertyId::Color), u"red");
  EXPECT_EQ(Value(nested, PropertyId::Color), u"#000000");
  EXPECT_EQ(Value(nested, PropertyId::Left), u"3px");
}

TEST_F(CascadeTest, DescendantBacktracksPastAnAncestorThatFailsAChildStep) {
  // The nearest "div" has no "section" parent; the outer one has.
  AddSheet(u"section > div span { color: red }");
  TestElement& span = body_.Add(u"section").Add(u"div").Add(u"div").Add(u"span");
  EXPECT_EQ(Value(span, PropertyId::Color), u"red");
}

TEST_F(CascadeTest, SelectorsCompareNamesWithoutRegardToCase) {
  AddSheet(u"SPAN.Big#Main { color: red }");
  TestElement& span = body_.Add(u"span", u"main", u"big");
  EXPECT_EQ(Value(span, PropertyId::Color), u"red");
}

TEST_F(CascadeTest, UnsupportedSelectorsNeverMatchButTheirListNeighboursDo) {
  AddSheet(u"span:hover, i { color: red } span[title] { left: 1px }");
  TestElement& span = body_.Add(u"span");
  EXPECT_EQ(Value(span, PropertyId::Color), u"#000000");
  EXPECT_EQ(Value(span, PropertyId::Left), u"auto");
  EXPECT_EQ(Value(body_.Add(u"i"), PropertyId::Color), u"red");
}

TEST_F(CascadeTest, InheritedPropertiesPassToChildrenOthersDoNot) {
  html_.WithStyle(
      u"color: red; font-family: Arial; font-weight: bold; text-align: center; cursor: move; "
      u"font-style: italic; text-transform: uppercase; left: 5px; background-color: blue; "
      u"border: 1px solid");
  TestElement& span = body_.Add(u"span");
  EXPECT_EQ(Value(span, PropertyId::Color), u"red");
  EXPECT_EQ(Value(span, PropertyId::FontFamily), u"Arial");
  EXPECT_EQ(Value(span, PropertyId::FontWeight), u"700");
  EXPECT_EQ(Value(span, PropertyId::TextAlign), u"center");
  EXPECT_EQ(Value(span, PropertyId::Cursor), u"move");
  EXPECT_EQ(Value(span, PropertyId::FontStyle), u"italic");
  EXPECT_EQ(Value(span, PropertyId::TextTransform), u"uppercase");
  EXPECT_EQ(Value(span, PropertyId::Left), u"auto");
  EXPECT_EQ(Value(span, PropertyId::BackgroundColor), u"transparent");
  EXPECT_EQ(Value(span, PropertyId::BorderStyle), u"none");
}

TEST_F(CascadeTest, InheritKeywordTakesTheParentsValueEvenForOwnProperties) {
  body_.WithStyle(u"left: 7px; background-color: #abc");
  TestElement& span = body_.Add(u"span").WithStyle(u"left: inherit; background-color: INHERIT");
  EXPECT_EQ(Value(span, PropertyId::Left), u"7px");
  EXPECT_EQ(Value(span, PropertyId::BackgroundColor), u"#aabbcc");
  TestElement& reset = body_.Add(u"b").WithStyle(u"font-weight: initial");
  EXPECT_EQ(Value(reset, PropertyId::FontWeight), u"400");
}

TEST_F(CascadeTest, RelativeFontSizesCompoundDownTheTree) {
  body_.WithStyle(u"font-size: 10pt");
  TestElement& outer = body_.Add(u"div").WithStyle(u"font-size: 150%; width: 2em");
  TestElement& inner = outer.Add(u"span").WithStyle(u"font-size: 2em; margin: 1em");
  EXPECT_EQ(Value(outer, PropertyId::FontSize), u"20px");
  EXPECT_EQ(Value(outer, PropertyId::Width), u"40px");
  EXPECT_EQ(Value(inner, PropertyId::FontSize), u"40px");
  EXPECT_EQ(Value(inner, PropertyId::Margin), u"40px");
}

TEST_F(CascadeTest, InvalidValuesFallBackToTheNextDeclarationInTheCascade) {
  AddSheet(u"span { color: green; position: relative }");
  TestElement& span = body_.Add(u"span").WithStyle(u"color: nonsense; position: fixed-ish; z-index: 1.5");
  EXPECT_EQ(Value(span, PropertyId::Color), u"green");
  EXPECT_EQ(Value(span, PropertyId::Position), u"relative");
  EXPECT_EQ(Value(span, PropertyId::ZIndex), u"auto");
}

TEST_F(CascadeTest, ShorthandsExpandIntoTheirLonghands) {
  TestElement& span = body_.Add(u"span").WithStyle(
      u"margin: 1px 2px; border: 2pt dashed #f00; border-left-style: dotted; "
      u"font: italic bold 12pt/1.5 'Courier New', monospace; background: url(a.png) navy no-repeat; "
      u"overflow: hidden");
  const ComputedStyle style = ComputeStyleWithAncestors(span, {});
  EXPECT_EQ(style.Value(PropertyId::MarginTop), u"1px");
  EXPECT_EQ(style.Value(PropertyId::MarginLeft), u"2px");
  EXPECT_EQ(style.Value(PropertyId::Margin), u"1px 2px");
  EXPECT_EQ(style.Value(PropertyId::BorderWidth), u"2.67px");
  EXPECT_EQ(style.Value(PropertyId::BorderStyle), u"dashed dashed dashed dotted");
  EXPECT_EQ(style.Value(PropertyId::BorderColor), u"#ff0000");
  EXPECT_EQ(style.Value(PropertyId::FontStyle), u"italic");
  EXPECT_EQ(style.Value(PropertyId::FontWeight), u"700");
  EXPECT_EQ(style.Value(PropertyId::FontSize), u"16px");
  EXPECT_EQ(style.Value(PropertyId::LineHeight), u"1.5");
  EXPECT_EQ(style.Value(PropertyId::FontFamily), u"'Courier New', monospace");
  EXPECT_EQ(style.Value(PropertyId::BackgroundColor), u"navy");
  EXPECT_EQ(style.Value(PropertyId::BackgroundImage), u"url(a.png)");
  EXPECT_EQ(style.Value(PropertyId::BackgroundRepeat), u"no-repeat");
  EXPECT_EQ(style.Value(PropertyId::OverflowX), u"hidden");
  EXPECT_EQ(style.Value(PropertyId::OverflowY), u"hidden");
}

TEST_F(CascadeTest, BorderColourFollowsTheElementsColour) {
  TestElement& span = body_.Add(u"span").WithStyle(u"color: #00ff00; border: 1px solid");
  EXPECT_EQ(Value(span, PropertyId::BorderColor), u"#00ff00");
  EXPECT_EQ(Value(span, PropertyId::BorderWidth), u"1px");
}

TEST_F(CascadeTest, UsedValuesForLayout) {
  TestElement& span = body_.Add(u"span").WithStyle(
      u"border-width: thin 2px 3px; border-style: solid none solid solid; width: 50%; z-index: 12");
  const ComputedStyle style = ComputeStyleWithAncestors(span, {});
  EXPECT_DOUBLE_EQ(style.BorderWidthPx(BoxSide::Top), 1.0);
  EXPECT_DOUBLE_EQ(style.BorderWidthPx(BoxSide::Right), 0.0);
  EXPECT_DOUBLE_EQ(style.BorderWidthPx(BoxSide::Bottom), 3.0);
  EXPECT_DOUBLE_EQ(style.BorderWidthPx(BoxSide::Left), 2.0);
  EXPECT_DOUBLE_EQ(style.LengthPx(PropertyId::Width, 300).value_or(-1), 150.0);
  EXPECT_FALSE(style.LengthPx(PropertyId::Height));
  EXPECT_EQ(style.ZIndex(), 12);
  EXPECT_DOUBLE_EQ(style.FontSizePx(), 16.0);
  EXPECT_EQ(style.ColorOf(PropertyId::BackgroundColor).kind, ColorKind::Transparent);
}

TEST_F(CascadeTest, UserAgentDefaultsSitBelowAuthorRules) {
  TestElement& heading = body_.Add(u"h1");
  EXPECT_EQ(Value(heading, PropertyId::FontWeight), u"700");
  EXPECT_EQ(Value(heading, PropertyId::FontSize), u"32px");
  EXPECT_EQ(Value(heading, PropertyId::Display), u"block");
  AddSheet(u"h1 { font-weight: normal }");
  EXPECT_EQ(Value(heading, PropertyId::FontWeight), u"400");
  EXPECT_EQ(Value(body_, PropertyId::Margin), u"0px");
}

TEST_F(CascadeTest, ACycleInTheElementTreeDoesNotHang) {
  struct Looped final : StyleSubject {
    std::u16string_view LocalName() const override { return u"p"; }
    std::u16string_view IdAttribute() const override { return {}; }
    std::u16string_view ClassAttribute() const override { return {}; }
    const StyleSubject* StyleParent() const override { return this; }
    const DeclarationBlock* InlineStyle() const override { return nullptr; }
  } looped;
  StyleSheet sheet(u"div p { color: red }");
  const StyleSheet* sheets[] = {&sheet};
  EXPECT_EQ(ComputeStyle(looped, sheets, nullptr).Value(PropertyId::Color), u"#000000");
}

}  // namespace
}  // namespace vellum::engine::css
