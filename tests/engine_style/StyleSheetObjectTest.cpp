#include <gtest/gtest.h>

#include "StyleTestSupport.h"
#include "engine/com/style/StyleObjects.h"

namespace {

using st::Bstr;
using st::Variant;

class StyleSheetObjectTest : public ::testing::Test {
 protected:
  void TearDown() override { EXPECT_EQ(st::LiveObjects(), 0); }
};

TEST_F(StyleSheetObjectTest, CssTextIsTheStyleElementsTextAsWritten) {
  st::Page page(L"<head><style id=s>\n  SPAN { color: red }\n/* kept */</style></head><body>");
  IHTMLStyleSheet* sheet = reinterpret_cast<IHTMLStyleSheet*>(0xdeadbeef);
  ASSERT_EQ(vellum::engine::com::CreateStyleSheet(page.ById(L"s"), &sheet), S_OK);
  Bstr text;
  ASSERT_EQ(sheet->get_cssText(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"\n  SPAN { color: red }\n/* kept */");
  EXPECT_EQ(st::TextByName(sheet, L"csstext"), text.Text());
  EXPECT_EQ(sheet->Release(), 0u);
}

TEST_F(StyleSheetObjectTest, NewCssTextReplacesTheRulesTheCascadeUses) {
  st::Page page(L"<head><style id=s>span { color: red }</style></head><body><span id=a></span>");
  IHTMLStyleSheet* sheet = nullptr;
  ASSERT_EQ(vellum::engine::com::CreateStyleSheet(page.ById(L"s"), &sheet), S_OK);
  IHTMLCurrentStyle* current = nullptr;
  ASSERT_EQ(vellum::engine::com::CreateCurrentStyle(page.ById(L"a"), &current), S_OK);
  EXPECT_EQ(st::TextByName(current, L"color"), L"red");
  ASSERT_EQ(sheet->put_cssText(Bstr(L"span { color: green; position: absolute }")), S_OK);
  EXPECT_EQ(st::TextByName(current, L"color"), L"green");
  EXPECT_EQ(st::TextByName(current, L"position"), L"absolute");
  Variant empty(L"");
  ASSERT_EQ(st::PutByName(sheet, L"cssText", empty), S_OK);
  EXPECT_EQ(st::TextByName(current, L"color"), L"#000000");
  EXPECT_EQ(page.ById(L"s").Text(), u"");
  EXPECT_EQ(current->Release(), 0u);
  EXPECT_EQ(sheet->Release(), 0u);
}

TEST_F(StyleSheetObjectTest, TypeAndMediaComeFromTheElement) {
  st::Page page(L"<head><style id=plain></style><style id=typed type='text/css' media=screen></style></head>");
  IHTMLStyleSheet* plain = nullptr;
  IHTMLStyleSheet* typed = nullptr;
  ASSERT_EQ(vellum::engine::com::CreateStyleSheet(page.ById(L"plain"), &plain), S_OK);
  ASSERT_EQ(vellum::engine::com::CreateStyleSheet(page.ById(L"typed"), &typed), S_OK);
  Bstr text;
  ASSERT_EQ(plain->get_type(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"text/css");
  ASSERT_EQ(plain->get_media(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"");
  ASSERT_EQ(typed->get_media(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"screen");
  ASSERT_EQ(plain->put_media(Bstr(L"print")), S_OK);
  ASSERT_EQ(plain->get_media(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"print");
  IHTMLStyleSheet* parent = reinterpret_cast<IHTMLStyleSheet*>(1);
  ASSERT_EQ(plain->get_parentStyleSheet(&parent), S_OK);
  EXPECT_EQ(parent, nullptr);
  IHTMLStyleSheetRulesCollection* rules = nullptr;
  EXPECT_EQ(plain->get_rules(&rules), E_NOTIMPL);
  EXPECT_EQ(plain->Release(), 0u);
  EXPECT_EQ(typed->Release(), 0u);
}

}  // namespace
