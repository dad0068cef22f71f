#include <gtest/gtest.h>

#include <vector>

#include "StyleTestSupport.h"
#include "engine/com/style/StyleAccessors.h"
#include "engine/com/style/StyleObjects.h"

namespace {

using st::Bstr;
using st::Variant;

class InlineStyleTest : public ::testing::Test {
 protected:
  // The inline style of the element with that id (the test holds the reference until TearDown).
  IHTMLStyle* Style(const st::Page& page, const std::wstring& id) {
    IHTMLStyle* style = reinterpret_cast<IHTMLStyle*>(0xdeadbeef);
    EXPECT_EQ(vellum::engine::com::CreateInlineStyle(page.ById(id), &style), S_OK);
    held_.push_back(style);
    return style;
  }
  std::wstring CssText(IHTMLStyle* style) {
    Bstr text;
    EXPECT_EQ(style->get_cssText(text.Out()), S_OK);
    return text.Text();
  }
  void TearDown() override {
    for (IHTMLStyle* style : held_) EXPECT_EQ(style->Release(), 0u);
    EXPECT_EQ(st::LiveObjects(), 0);
  }

 private:
  std::vector<IHTMLStyle*> held_;
};

TEST_F(InlineStyleTest, NumberGivenToLeftIsStoredAsPixels) {
  st::Page page(L"<body><span id=a>x</span>");
  IHTMLStyle* style = Style(page, L"a");
  EXPECT_EQ(style->put_left(Variant(10).get()), S_OK);
  EXPECT_EQ(CssText(style), L"left: 10px");
  EXPECT_EQ(page.StyleAttribute(L"a"), L"left: 10px");
  EXPECT_EQ(style->put_width(Variant::Double(65.5).get()), S_OK);
  EXPECT_EQ(style->put_height(Variant::Short(20).get()), S_OK);
  EXPECT_EQ(style->put_top(Variant(L"2em").get()), S_OK);
  EXPECT_EQ(CssText(style), L"left: 10px; top: 2em; width: 65.5px; height: 20px");
}

TEST_F(InlineStyleTest, CssTextPutsPositioningFirstThenTheRestInFirstSetOrder) {
  st::Page page(L"<body><span id=a>x</span>");
  IHTMLStyle* style = Style(page, L"a");
  Variant color(L"red"), absolute(L"absolute");
  ASSERT_EQ(style->put_color(color.get()), S_OK);
  ASSERT_EQ(style->put_fontWeight(Bstr(L"bold")), S_OK);
  ASSERT_EQ(style->put_zIndex(Variant(5).get()), S_OK);
  ASSERT_EQ(st::PutByName(style, L"position", absolute), S_OK);
  ASSERT_EQ(style->put_height(Variant(20).get()), S_OK);
  ASSERT_EQ(style->put_width(Variant(65).get()), S_OK);
  ASSERT_EQ(style->put_top(Variant(20).get()), S_OK);
  ASSERT_EQ(style->put_left(Variant(10).get()), S_OK);
  EXPECT_EQ(CssText(style),
            L"left: 10px; top: 20px; width: 65px; height: 20px; position: absolute; z-index: 5; color: red; "
            L"font-weight: bold");
  EXPECT_EQ(page.StyleAttribute(L"a"), CssText(style));
}

TEST_F(InlineStyleTest, ZIndexNumberIsStoredAsDecimalTextAndReadBackAsANumber) {
  st::Page page(L"<body><span id=a>x</span><span id=b style='z-index: auto'></span>");
  IHTMLStyle* style = Style(page, L"a");
  ASSERT_EQ(style->put_zIndex(Variant(5).get()), S_OK);
  EXPECT_EQ(CssText(style), L"z-index: 5");
  Variant value;
  ASSERT_EQ(style->get_zIndex(value.Out()), S_OK);
  EXPECT_EQ(value.Type(), VT_I4);
  EXPECT_EQ(value.Number(), 5);
  ASSERT_EQ(style->put_zIndex(Variant::Short(-3).get()), S_OK);
  EXPECT_EQ(CssText(style), L"z-index: -3");
  ASSERT_EQ(style->put_zIndex(Variant(L"12").get()), S_OK);
  ASSERT_EQ(st::GetByName(style, L"zIndex", value), S_OK);
  EXPECT_EQ(value.Type(), VT_I4);
  EXPECT_EQ(value.Number(), 12);

  IHTMLStyle* other = Style(page, L"b");
  ASSERT_EQ(other->get_zIndex(value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"auto");
  ASSERT_EQ(other->put_zIndex(Variant(L"").get()), S_OK);
  ASSERT_EQ(other->get_zIndex(value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"");
}

TEST_F(InlineStyleTest, EmptyTextRemovesThePropertyAndAnEmptyStyleRemovesTheAttribute) {
  st::Page page(L"<body><span id=a style='left: 1px; color: red'>x</span>");
  IHTMLStyle* style = Style(page, L"a");
  Variant empty(L"");
  ASSERT_EQ(st::PutByName(style, L"color", empty), S_OK);
  EXPECT_EQ(CssText(style), L"left: 1px");
  ASSERT_EQ(style->put_left(empty.get()), S_OK);
  EXPECT_EQ(CssText(style), L"");
  EXPECT_EQ(page.StyleAttribute(L"a"), L"(none)");
  Variant null;
  V_VT(&null.get()) = VT_NULL;
  ASSERT_EQ(style->put_top(null.get()), S_OK);
  EXPECT_EQ(page.StyleAttribute(L"a"), L"(none)");
}

TEST_F(InlineStyleTest, EveryPropertyOfThePropertySheetIsReachedByNameCaseInsensitively) {
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
    const wchar_t* css;
  };
  const Case cases[] = {
      {L"color", L"#ab12ef", L"color: #ab12ef"},
      {L"backgroundColor", L"threedface", L"background-color: threedface"},
      {L"borderColor", L"red", L"border-color: red"},
      {L"borderStyle", L"groove", L"border-style: groove"},
      {L"borderWidth", L"thin", L"border-width: thin"},
      {L"margin", L"5px auto", L"margin: 5px auto"},
      {L"padding", L"0.2cm", L"padding: 0.2cm"},
      {L"top", L"20px", L"top: 20px"},
      {L"left", L"70%", L"left: 70%"},
      {L"width", L"5.2cm", L"width: 5.2cm"},
      {L"height", L"auto", L"height: auto"},
      {L"overflowX", L"scroll", L"overflow-x: scroll"},
      {L"overflowY", L"hidden", L"overflow-y: hidden"},
      {L"zIndex", L"12", L"z-index: 12"},
      {L"fontFamily", L"'Times New Roman', Arial", L"font-family: 'Times New Roman', Arial"},
      {L"fontSize", L"x-small", L"font-size: x-small"},
      {L"fontStyle", L"italic", L"font-style: italic"},
      {L"fontVariant", L"small-caps", L"font-variant: small-caps"},
      {L"fontWeight", L"900", L"font-weight: 900"},
      {L"textAlign", L"justify", L"text-align: justify"},
      {L"textDecoration", L"line-through", L"text-decoration: line-through"},
      {L"textTransform", L"capitalize", L"text-transform: capitalize"},
      {L"cursor", L"NE-resize", L"cursor: NE-resize"},
  };
  ASSERT_EQ(std::size(cases), std::size(st::kSheetStyleProperties));
  for (const Case& c : cases) {
    st::Page page(L"<body><span id=a></span>");
    IHTMLStyle* style = Style(page, L"a");
    Variant value(c.value);
    ASSERT_EQ(st::PutByName(style, c.name, value), S_OK) << c.name;
    EXPECT_EQ(CssText(style), c.css) << c.name;
    std::wstring upper(c.name);
    for (wchar_t& ch : upper) ch = static_cast<wchar_t>(towupper(ch));
    Variant read;
    ASSERT_EQ(st::GetByName(style, upper, read), S_OK) << c.name;
    Variant asText;
    ASSERT_EQ(VariantChangeType(asText.Out(), &read.get(), 0, VT_BSTR), S_OK);
    EXPECT_EQ(asText.Text(), c.value) << c.name;
  }
}

TEST_F(InlineStyleTest, UnsetPropertiesReadAsEmptyText) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLStyle* style = Style(page, L"a");
  for (const wchar_t* name : st::kSheetStyleProperties) EXPECT_EQ(st::TextByName(style, name), L"") << name;
  Bstr text;
  ASSERT_EQ(style->get_fontFamily(text.Out()), S_OK);
  EXPECT_FALSE(text.IsNull());
  EXPECT_EQ(text.Text(), L"");
}

TEST_F(InlineStyleTest, NamedDispatchKnowsCssTextAndRejectsUnknownNames) {
  st::Page page(L"<body><span id=a style='color: red'></span>");
  IHTMLStyle* style = Style(page, L"a");
  EXPECT_EQ(st::TextByName(style, L"CSSTEXT"), L"color: red");
  Variant text(L"top: 3px; left: 4px");
  ASSERT_EQ(st::PutByName(style, L"cssText", text), S_OK);
  EXPECT_EQ(page.StyleAttribute(L"a"), L"left: 4px; top: 3px");

  LPOLESTR names[] = {const_cast<LPOLESTR>(L"noSuchProperty")};
  DISPID id = 0;
  EXPECT_EQ(style->GetIDsOfNames(GUID{}, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  DISPPARAMS none = {};
  Variant result;
  EXPECT_EQ(
      style->Invoke(12345, GUID{}, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, result.Out(), nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
}

TEST_F(InlineStyleTest, EachPropertyHasItsOwnDispatchId) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLStyle* style = Style(page, L"a");
  std::vector<DISPID> ids;
  for (const wchar_t* name : st::kSheetStyleProperties) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    ASSERT_EQ(style->GetIDsOfNames(GUID{}, names, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
    for (DISPID seen : ids) EXPECT_NE(seen, id) << name;
    ids.push_back(id);
  }
}

TEST_F(InlineStyleTest, TypedAccessorsNameTheirPropertiesInTheCssTable) {
  for (const vellum::engine::com::style::AccessorName& accessor : vellum::engine::com::style::kStyleAccessorNames) {
    const auto found = vellum::engine::css::FindProperty(accessor.name);
    ASSERT_TRUE(found) << std::string(accessor.name.begin(), accessor.name.end());
    EXPECT_EQ(*found, accessor.id) << std::string(accessor.name.begin(), accessor.name.end());
    const std::string_view script = vellum::engine::css::Info(accessor.id).scriptName;
    EXPECT_EQ(std::u16string(script.begin(), script.end()), accessor.name);
  }
}

TEST_F(InlineStyleTest, GarbageStyleAttributeKeepsWhatCanBeReadAndIsNormalisedOnWrite) {
  st::Page page(L"<body><span id=a style='color; : ; LEFT :1px;; {top: 9px}; width: \"unterminated'></span>");
  IHTMLStyle* style = Style(page, L"a");
  Variant left;
  ASSERT_EQ(style->get_left(left.Out()), S_OK);
  EXPECT_EQ(left.Text(), L"1px");
  EXPECT_EQ(page.StyleAttribute(L"a"), L"color; : ; LEFT :1px;; {top: 9px}; width: \"unterminated");
  ASSERT_EQ(style->put_top(Variant(2).get()), S_OK);
  EXPECT_EQ(page.StyleAttribute(L"a"), L"left: 1px; top: 2px");
}

TEST_F(InlineStyleTest, ValueThatWouldNotReadBackIsRejectedAndChangesNothing) {
  st::Page page(L"<body><span id=a style='left: 1px'></span>");
  IHTMLStyle* style = Style(page, L"a");
  EXPECT_EQ(style->put_top(Variant(L"1px; color: red").get()), E_INVALIDARG);
  EXPECT_EQ(style->put_fontFamily(Bstr(L"'open")), E_INVALIDARG);
  EXPECT_EQ(style->put_left(Variant::Double(1e300).get()), E_INVALIDARG);
  EXPECT_EQ(page.StyleAttribute(L"a"), L"left: 1px");
}

// A drag writes all four of left, top, width and height; those it did not change must leave the page
// unchanged, so that nothing kept from it is computed again. A non-canonical text is still rewritten.
TEST_F(InlineStyleTest, SettingAValueTheStyleHasLeavesThePageUnchanged) {
  st::Page page(L"<body><span id=a style='left: 1px; top: 2px'></span><span id=b style='LEFT:1px'></span>");
  IHTMLStyle* style = Style(page, L"a");
  vellum::engine::Document& document = page.GetDocument();
  const uint64_t version = document.Version();
  ASSERT_EQ(style->put_top(Variant(2).get()), S_OK);
  ASSERT_EQ(style->put_left(Variant(L"1px").get()), S_OK);
  ASSERT_EQ(style->put_width(Variant(L"").get()), S_OK);
  EXPECT_EQ(document.Version(), version);
  ASSERT_EQ(style->put_top(Variant(3).get()), S_OK);
  EXPECT_NE(document.Version(), version);
  EXPECT_EQ(page.StyleAttribute(L"a"), L"left: 1px; top: 3px");

  IHTMLStyle* untidy = Style(page, L"b");
  ASSERT_EQ(untidy->put_left(Variant(1).get()), S_OK);
  EXPECT_EQ(page.StyleAttribute(L"b"), L"left: 1px");
  IHTMLStyle* none = Style(page, L"a");
  ASSERT_EQ(none->put_cssText(Bstr(L"")), S_OK);
  const uint64_t emptied = document.Version();
  ASSERT_EQ(none->put_cssText(Bstr(L"")), S_OK);
  EXPECT_EQ(document.Version(), emptied);
  EXPECT_EQ(page.StyleAttribute(L"a"), L"(none)");
}

TEST_F(InlineStyleTest, ChangesToTheAttributeAreSeenByEveryStyleObjectOfTheElement) {
  st::Page page(L"<body><span id=a style='left: 1px'></span>");
  IHTMLStyle* first = Style(page, L"a");
  IHTMLStyle* second = Style(page, L"a");
  EXPECT_EQ(CssText(first), L"left: 1px");
  ASSERT_EQ(second->put_left(Variant(7).get()), S_OK);
  EXPECT_EQ(CssText(first), L"left: 7px");
  page.ById(L"a").SetAttribute(u"style", u"top: 3px");
  EXPECT_EQ(CssText(first), L"top: 3px");
  EXPECT_EQ(CssText(second), L"top: 3px");
}

TEST_F(InlineStyleTest, NumbersBecomeColoursForColourProperties) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLStyle* style = Style(page, L"a");
  ASSERT_EQ(style->put_color(Variant(0xff8000).get()), S_OK);
  ASSERT_EQ(style->put_backgroundColor(Variant(255).get()), S_OK);
  EXPECT_EQ(CssText(style), L"color: #ff8000; background-color: #0000ff");
}

TEST_F(InlineStyleTest, StyleAttributesAreItsPropertiesByName) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLStyle* style = Style(page, L"a");
  ASSERT_EQ(style->setAttribute(Bstr(L"fontSize"), Variant(L"14pt").get(), 0), S_OK);
  ASSERT_EQ(style->setAttribute(Bstr(L"Left"), Variant(3).get(), 1), S_OK);
  EXPECT_EQ(style->setAttribute(Bstr(L"bogus"), Variant(3).get(), 0), E_INVALIDARG);
  Variant value;
  ASSERT_EQ(style->getAttribute(Bstr(L"fontsize"), 0, value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"14pt");
  ASSERT_EQ(style->getAttribute(Bstr(L"bogus"), 0, value.Out()), S_OK);
  EXPECT_EQ(value.Type(), VT_NULL);
  VARIANT_BOOL removed = 7;
  ASSERT_EQ(style->removeAttribute(Bstr(L"fontSize"), 0, &removed), S_OK);
  EXPECT_EQ(removed, VARIANT_TRUE);
  ASSERT_EQ(style->removeAttribute(Bstr(L"fontSize"), 0, &removed), S_OK);
  EXPECT_EQ(removed, VARIANT_FALSE);
  EXPECT_EQ(CssText(style), L"left: 3px");
}

TEST_F(InlineStyleTest, PixelAndPosAccessorsWorkInPixelsAndInTheStoredUnit) {
  st::Page page(L"<body><span id=a style='left: 1in; top: 2.5em'></span>");
  IHTMLStyle* style = Style(page, L"a");
  LONG pixels = -1;
  ASSERT_EQ(style->get_pixelLeft(&pixels), S_OK);
  EXPECT_EQ(pixels, 96);
  ASSERT_EQ(style->get_pixelWidth(&pixels), S_OK);
  EXPECT_EQ(pixels, 0);
  float pos = -1;
  ASSERT_EQ(style->get_posTop(&pos), S_OK);
  EXPECT_FLOAT_EQ(pos, 2.5f);
  ASSERT_EQ(style->put_posTop(4.0f), S_OK);
  ASSERT_EQ(style->put_pixelWidth(30), S_OK);
  ASSERT_EQ(style->put_posHeight(12.5f), S_OK);
  EXPECT_EQ(CssText(style), L"left: 1in; top: 4em; width: 30px; height: 12.5px");
}

TEST_F(InlineStyleTest, NullOutputsAreRefusedAndOutputsAreWrittenOnEveryPath) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLStyle* style = Style(page, L"a");
  EXPECT_EQ(style->get_cssText(nullptr), E_POINTER);
  EXPECT_EQ(style->get_left(nullptr), E_POINTER);
  EXPECT_EQ(style->get_pixelLeft(nullptr), E_POINTER);
  EXPECT_EQ(vellum::engine::com::CreateInlineStyle(page.ById(L"a"), nullptr), E_POINTER);
  Variant value;
  EXPECT_EQ(style->getAttribute(Bstr(L"nothing"), 0, value.Out()), S_OK);
  EXPECT_EQ(value.Type(), VT_NULL);
  Bstr text;
  EXPECT_EQ(style->get_filter(text.Out()), E_NOTIMPL);
}

TEST_F(InlineStyleTest, AnswersItsOwnInterfacesOnly) {
  st::Page page(L"<body><span id=a></span>");
  IHTMLStyle* style = Style(page, L"a");
  for (REFIID riid : {IID_IUnknown, IID_IDispatch, IID_IHTMLStyle}) {
    IUnknown* unknown = nullptr;
    ASSERT_EQ(style->QueryInterface(riid, reinterpret_cast<void**>(&unknown)), S_OK);
    unknown->Release();
  }
  IUnknown* current = reinterpret_cast<IUnknown*>(1);
  EXPECT_EQ(style->QueryInterface(IID_IHTMLCurrentStyle, reinterpret_cast<void**>(&current)), E_NOINTERFACE);
  EXPECT_EQ(current, nullptr);
}

TEST_F(InlineStyleTest, StyleKeepsItsElementAliveAfterTheDocumentIsGone) {
  IHTMLStyle* style = nullptr;
  {
    st::Page page(L"<body><span id=a style='left: 1px'></span>");
    style = Style(page, L"a");
  }
  ASSERT_EQ(style->put_top(Variant(5).get()), S_OK);
  EXPECT_EQ(CssText(style), L"left: 1px; top: 5px");
}

}  // namespace
