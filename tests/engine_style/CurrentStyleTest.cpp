#include <gtest/gtest.h>

#include <vector>

#include "StyleTestSupport.h"
#include "engine/com/style/StyleObjects.h"

namespace {

using st::Bstr;
using st::Variant;

class CurrentStyleTest : public ::testing::Test {
 protected:
  IHTMLCurrentStyle* Current(const st::Page& page, const std::wstring& id) {
    IHTMLCurrentStyle* style = reinterpret_cast<IHTMLCurrentStyle*>(0xdeadbeef);
    EXPECT_EQ(vellum::engine::com::CreateCurrentStyle(page.ById(id), &style), S_OK);
    held_.push_back(style);
    return style;
  }
  IHTMLStyle* Inline(const st::Page& page, const std::wstring& id) {
    IHTMLStyle* style = nullptr;
    EXPECT_EQ(vellum::engine::com::CreateInlineStyle(page.ById(id), &style), S_OK);
    held_.push_back(style);
    return style;
  }
  void TearDown() override {
    for (IUnknown* object : held_) EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(st::LiveObjects(), 0);
  }

 private:
  std::vector<IUnknown*> held_;
};

// The words the property sheet's lists offer, so that opening it on a plain element writes nothing.
struct Default {
  const wchar_t* name;
  const wchar_t* value;
};
const Default kDefaults[] = {
    {L"color", L"#000000"},
    {L"backgroundColor", L"transparent"},
    {L"borderColor", L"#000000"},
    {L"borderStyle", L"none"},
    {L"borderWidth", L"medium"},
    {L"margin", L"0px"},
    {L"padding", L"0px"},
    {L"top", L"auto"},
    {L"left", L"auto"},
    {L"width", L"auto"},
    {L"height", L"auto"},
    {L"overflowX", L"visible"},
    {L"overflowY", L"visible"},
    {L"zIndex", L"auto"},
    {L"fontFamily", L"Times New Roman"},
    {L"fontSize", L"16px"},
    {L"fontStyle", L"normal"},
    {L"fontVariant", L"normal"},
    {L"fontWeight", L"400"},
    {L"textAlign", L"left"},
    {L"textDecoration", L"none"},
    {L"textTransform", L"none"},
    {L"cursor", L"auto"},
};

TEST_F(CurrentStyleTest, PlainElementsReportTheDefaultsOfEveryPropertySheetProperty) {
  ASSERT_EQ(std::size(kDefaults), std::size(st::kSheetStyleProperties));
  st::Page page(
      L"<body id=body><span id=span>x</span><input id=input><select id=select></select>"
      L"<textarea id=area></textarea><img id=img><fieldset id=frame></fieldset>");
  for (const wchar_t* id : {L"body", L"span", L"input", L"select", L"area", L"img", L"frame"}) {
    IHTMLCurrentStyle* current = Current(page, id);
    for (const Default& expected : kDefaults)
      EXPECT_EQ(st::TextByName(current, expected.name), expected.value) << expected.name << " of " << id;
    EXPECT_EQ(st::TextByName(current, L"position"), L"static");
  }
}

TEST_F(CurrentStyleTest, ZIndexIsTheTextAutoWithoutOneAndANumberWithOne) {
  st::Page page(L"<body><span id=a></span><span id=b style='z-index: -7'></span>");
  Variant value;
  ASSERT_EQ(Current(page, L"a")->get_zIndex(value.Out()), S_OK);
  EXPECT_EQ(value.Type(), VT_BSTR);
  EXPECT_EQ(value.Text(), L"auto");
  ASSERT_EQ(st::GetByName(Current(page, L"b"), L"zIndex", value), S_OK);
  EXPECT_EQ(value.Type(), VT_I4);
  EXPECT_EQ(value.Number(), -7);
}

TEST_F(CurrentStyleTest, WhatTheInlineStyleWritesReadsBackAtOnce) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLCurrentStyle* current = Current(page, L"a");
  IHTMLStyle* style = Inline(page, L"a");
  ASSERT_EQ(style->put_zIndex(Variant(4).get()), S_OK);
  Variant absolute(L"absolute");
  ASSERT_EQ(st::PutByName(style, L"position", absolute), S_OK);
  Variant value;
  ASSERT_EQ(current->get_zIndex(value.Out()), S_OK);
  EXPECT_EQ(value.Number(), 4);
  Bstr position;
  ASSERT_EQ(current->get_position(position.Out()), S_OK);
  EXPECT_EQ(position.Text(), L"absolute");
}

TEST_F(CurrentStyleTest, StyleElementRulesCascadeUnderTheInlineStyle) {
  st::Page page(
      L"<head><style>span { color: red; position: absolute } .c { font-weight: bold; z-index: 2 }"
      L" #a { color: blue } fieldset span { cursor: hand }</style></head>"
      L"<body><fieldset><span id=a class=c style='z-index: 9'></span></fieldset><span id=b></span>");
  IHTMLCurrentStyle* a = Current(page, L"a");
  EXPECT_EQ(st::TextByName(a, L"color"), L"blue");
  EXPECT_EQ(st::TextByName(a, L"position"), L"absolute");
  EXPECT_EQ(st::TextByName(a, L"fontWeight"), L"700");
  EXPECT_EQ(st::TextByName(a, L"cursor"), L"hand");
  Variant value;
  ASSERT_EQ(a->get_zIndex(value.Out()), S_OK);
  EXPECT_EQ(value.Number(), 9);
  IHTMLCurrentStyle* b = Current(page, L"b");
  EXPECT_EQ(st::TextByName(b, L"color"), L"red");
  EXPECT_EQ(st::TextByName(b, L"cursor"), L"auto");
}

TEST_F(CurrentStyleTest, InheritedValuesComeFromTheAncestors) {
  st::Page page(L"<body style='font-size: 20px; color: #102030; text-align: center'><div><span id=a></span>");
  IHTMLCurrentStyle* current = Current(page, L"a");
  EXPECT_EQ(st::TextByName(current, L"fontSize"), L"20px");
  EXPECT_EQ(st::TextByName(current, L"color"), L"#102030");
  EXPECT_EQ(st::TextByName(current, L"textAlign"), L"center");
  EXPECT_EQ(st::TextByName(current, L"borderColor"), L"#102030");
}

TEST_F(CurrentStyleTest, ComputedValueWrittenToTheInlineStyleChangesNothing) {
  // The property sheet compares with the computed value and writes the inline style: a value read
  // here must be accepted there and read back the same.
  st::Page page(
      L"<head><style>span { border: 2px dotted green; margin: 1px 2px; font: italic bold 12pt Arial }"
      L"</style></head><body><span id=a style='left: 5px; z-index: 3; cursor: help'></span>");
  IHTMLCurrentStyle* current = Current(page, L"a");
  IHTMLStyle* style = Inline(page, L"a");
  for (const wchar_t* name : st::kSheetStyleProperties) {
    Variant read;
    ASSERT_EQ(st::GetByName(current, name, read), S_OK) << name;
    Variant text;
    ASSERT_EQ(VariantChangeType(text.Out(), &read.get(), 0, VT_BSTR), S_OK) << name;
    ASSERT_EQ(st::PutByName(style, name, text), S_OK) << name;
    EXPECT_EQ(st::TextByName(current, name), text.Text()) << name;
  }
}

TEST_F(CurrentStyleTest, TypedGettersMatchTheNamedProperties) {
  st::Page page(
      L"<body><span id=a style='overflow-x: scroll; font-weight: bold; color: #123456; "
      L"border-width: 3px; border-style: solid'></span>");
  IHTMLCurrentStyle* current = Current(page, L"a");
  Bstr text;
  ASSERT_EQ(current->get_overflowX(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"scroll");
  ASSERT_EQ(current->get_borderWidth(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"3px");
  Variant value;
  ASSERT_EQ(current->get_fontWeight(value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"700");
  ASSERT_EQ(current->get_color(value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"#123456");
  ASSERT_EQ(current->getAttribute(Bstr(L"BorderTopStyle"), 0, value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"solid");
  ASSERT_EQ(current->getAttribute(Bstr(L"bogus"), 0, value.Out()), S_OK);
  EXPECT_EQ(value.Type(), VT_NULL);
  EXPECT_EQ(current->get_clipTop(value.Out()), E_NOTIMPL);
}

TEST_F(CurrentStyleTest, ComputedValuesCannotBeWritten) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLCurrentStyle* current = Current(page, L"a");
  Variant red(L"red");
  EXPECT_EQ(st::PutByName(current, L"color", red), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(st::TextByName(current, L"color"), L"#000000");
  EXPECT_EQ(page.StyleAttribute(L"a"), L"(none)");
}

TEST_F(CurrentStyleTest, ElementOutsideTheTreeStillAnswers) {
  st::Page page(L"<style>span { color: red }</style><body>");
  vellum::engine::RefPtr<vellum::engine::Element> span = page.GetDocument().CreateElement(u"span");
  IHTMLCurrentStyle* current = nullptr;
  ASSERT_EQ(vellum::engine::com::CreateCurrentStyle(*span, &current), S_OK);
  EXPECT_EQ(st::TextByName(current, L"color"), L"red");
  EXPECT_EQ(st::TextByName(current, L"position"), L"static");
  EXPECT_EQ(current->Release(), 0u);
}

}  // namespace
