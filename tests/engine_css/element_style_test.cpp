#include <gtest/gtest.h>

#include "css/element_style.h"
#include "test_document.h"

namespace vellum::engine::css {
namespace {

using testing::TestDocument;

std::u16string Computed(const Element& element, PropertyId id) { return ComputeElementStyle(element).Value(id); }

TEST(ElementStyle, InlineStyleAttributeIsTheElementsOwnStyle) {
  TestDocument page(u"<body><span id=a style='color: red; left: 10px; z-index: 4'>x</span></body>");
  const ComputedStyle style = ComputeElementStyle(page.ById(u"a"));
  EXPECT_EQ(style.Value(PropertyId::Color), u"red");
  EXPECT_EQ(style.Value(PropertyId::Left), u"10px");
  EXPECT_EQ(style.ZIndex(), 4);
}

TEST(ElementStyle, StyleElementsApplyInDocumentOrderWithTypeIdAndClassSelectors) {
  TestDocument page(
      u"<head><style>span { color: red } .c { cursor: help } #a { left: 5px }</style>"
      u"<style>span { color: blue }</style></head>"
      u"<body><span id=a class='x c'>x</span></body>");
  const Element& span = page.ById(u"a");
  EXPECT_EQ(Computed(span, PropertyId::Color), u"blue");
  EXPECT_EQ(Computed(span, PropertyId::Cursor), u"help");
  EXPECT_EQ(Computed(span, PropertyId::Left), u"5px");
}

TEST(ElementStyle, StyleElementInTheBodyCountsToo) {
  TestDocument page(u"<body><span id=a>x</span><style>span { position: absolute }</style></body>");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Position), u"absolute");
}

TEST(ElementStyle, InlineStyleWinsOverSheetRules) {
  TestDocument page(u"<style>#a { color: red; top: 1px }</style><body><span id=a style='color: green'></span>");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Color), u"green");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Top), u"1px");
}

TEST(ElementStyle, StyleElementOfAnotherTypeIsIgnored) {
  TestDocument page(
      u"<style type='text/x-other'>span { color: red }</style>"
      u"<style type=' TEXT/CSS '>span { cursor: move }</style><body><span id=a></span>");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Color), u"#000000");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Cursor), u"move");
}

TEST(ElementStyle, DescendantSelectorsFollowTheTreesParents) {
  TestDocument page(
      u"<style>fieldset span { color: red } body > span { color: blue }</style>"
      u"<body><fieldset><legend><span id=inner></span></legend></fieldset><span id=outer></span>");
  EXPECT_EQ(Computed(page.ById(u"inner"), PropertyId::Color), u"red");
  EXPECT_EQ(Computed(page.ById(u"outer"), PropertyId::Color), u"blue");
}

TEST(ElementStyle, InheritedPropertiesComeFromTheParentsInlineStyle) {
  TestDocument page(u"<body><div style='font-size: 20px; color: #123456; left: 3px'><span id=a></span></div>");
  const ComputedStyle style = ComputeElementStyle(page.ById(u"a"));
  EXPECT_EQ(style.Value(PropertyId::FontSize), u"20px");
  EXPECT_EQ(style.Value(PropertyId::Color), u"#123456");
  EXPECT_EQ(style.Value(PropertyId::Left), u"auto");
}

TEST(ElementStyle, ChangedSheetTextTakesEffect) {
  TestDocument page(u"<style id=s>span { color: red }</style><body><span id=a></span>");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Color), u"red");
  page.ById(u"s").SetText(u"span { color: lime }");
  EXPECT_EQ(Computed(page.ById(u"a"), PropertyId::Color), u"lime");
}

TEST(ElementStyle, ChangedStyleAttributeTakesEffect) {
  TestDocument page(u"<body><span id=a style='left: 1px'></span>");
  Element& span = page.ById(u"a");
  span.SetAttribute(u"style", u"left: 2px");
  EXPECT_EQ(Computed(span, PropertyId::Left), u"2px");
  span.RemoveAttribute(u"style");
  EXPECT_EQ(Computed(span, PropertyId::Left), u"auto");
}

TEST(ElementStyle, GarbageInStyleAttributesAndSheetsIsSkipped) {
  TestDocument page(
      u"<style>}}{{ span { color: red } @media print { span { color: blue } } span {</style>"
      u"<body><span id=a style='color; : ; left: 7px; {top: 1px}; width: \"x'></span>");
  const ComputedStyle style = ComputeElementStyle(page.ById(u"a"));
  EXPECT_EQ(style.Value(PropertyId::Left), u"7px");
  EXPECT_EQ(style.Value(PropertyId::Top), u"auto");
  EXPECT_EQ(style.Value(PropertyId::Width), u"auto");
}

TEST(ElementStyle, DetachedElementResolvesWithoutTheDocumentTree) {
  TestDocument page(u"<style>span { color: red }</style><body>");
  RefPtr<Element> span = page.GetDocument().CreateElement(u"span");
  span->SetAttribute(u"style", u"top: 4px");
  const ComputedStyle style = ComputeElementStyle(*span);
  EXPECT_EQ(style.Value(PropertyId::Color), u"red");
  EXPECT_EQ(style.Value(PropertyId::Top), u"4px");
}

TEST(SharedStyleSheet, SameTextGivesTheSameParsedSheet) {
  const auto first = SharedStyleSheet(u"p { color: red }");
  EXPECT_EQ(SharedStyleSheet(u"p { color: red }"), first);
  EXPECT_NE(SharedStyleSheet(u"p { color: blue }"), first);
  EXPECT_EQ(first->Rules().size(), 1u);
}

TEST(ElementStyleResolver, ResolvesEachElementOnceAndKeepsReferencesValid) {
  TestDocument page(u"<body><div id=d style='color: red'><span id=a></span><span id=b></span></div>");
  ElementStyleResolver resolver(page.GetDocument());
  const ComputedStyle& a = resolver.StyleOf(page.ById(u"a"));
  const ComputedStyle& b = resolver.StyleOf(page.ById(u"b"));
  EXPECT_EQ(&resolver.StyleOf(page.ById(u"a")), &a);
  EXPECT_EQ(a.Value(PropertyId::Color), u"red");
  EXPECT_EQ(b.Value(PropertyId::Color), u"red");
}

}  // namespace
}  // namespace vellum::engine::css
