// Properties reached by name through IDispatch::GetIDsOfNames and Invoke, the way the property
// sheet reads and writes them.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

#include <cguid.h>

namespace {

using namespace et;

class NamedProperties : public DocumentTest {};

std::wstring TextProperty(IUnknown* object, const wchar_t* name) {
  Variant value;
  HRESULT hr = GetProperty(object, name, value.Out());
  if (FAILED(hr)) return L"<failed>";
  return value.Type() == VT_BSTR ? value.Text() : L"<not text>";
}

Variant BoolProperty(IUnknown* object, const wchar_t* name) {
  Variant value;
  GetProperty(object, name, value.Out());
  return value;
}

TEST_F(NamedProperties, NamesAreFoundWhateverTheirCase) {
  Ptr<IHTMLElement> span = Load(L"<span id=s class=c title=t>x</span>", L"s");
  Ptr<IDispatch> dispatch = span.As<IDispatch>();
  DISPID lower = 0, upper = 0;
  LPOLESTR lowerName[] = {const_cast<LPOLESTR>(L"classname")}, upperName[] = {const_cast<LPOLESTR>(L"CLASSNAME")};
  ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, lowerName, 1, LOCALE_USER_DEFAULT, &lower));
  ASSERT_HRESULT_SUCCEEDED(dispatch->GetIDsOfNames(IID_NULL, upperName, 1, LOCALE_USER_DEFAULT, &upper));
  EXPECT_EQ(lower, upper);
  EXPECT_EQ(TextProperty(span.get(), L"ID"), L"s");
  EXPECT_EQ(TextProperty(span.get(), L"className"), L"c");
  EXPECT_EQ(TextProperty(span.get(), L"Title"), L"t");
}

TEST_F(NamedProperties, UnknownNamesAndPropertiesOfOtherTagsAreNotFound) {
  Ptr<IHTMLElement> span = Load(L"<span id=s>x</span>", L"s");
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"value")};
  EXPECT_EQ(span.As<IDispatch>()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(id, DISPID_UNKNOWN);
  Variant value;
  EXPECT_EQ(
      span.As<IDispatch>()->Invoke(123456, IID_NULL, 0, DISPATCH_PROPERTYGET, nullptr, value.Out(), nullptr, nullptr),
      DISP_E_MEMBERNOTFOUND);
}

TEST_F(NamedProperties, TextPropertiesAreReadAndWritten) {
  Ptr<IHTMLElement> span = Load(L"<body><span id=s>old</span></body>", L"s");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(span.get(), L"title", Variant::Text(L"tip")));
  ASSERT_HRESULT_SUCCEEDED(PutProperty(span.get(), L"innerHTML", Variant::Text(L"<b>bold</b>")));
  EXPECT_EQ(TextProperty(span.get(), L"title"), L"tip");
  EXPECT_EQ(TextProperty(span.get(), L"innerHTML"), L"<B>bold</B>");
  EXPECT_EQ(TextProperty(span.get(), L"innerText"), L"bold");
  EXPECT_EQ(TextProperty(span.get(), L"outerHTML"), L"<SPAN id=\"s\" title=\"tip\"><B>bold</B></SPAN>");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(span.get(), L"id", Variant::Text(L"renamed")));
  EXPECT_TRUE(ElementById(document_, L"renamed"));
}

TEST_F(NamedProperties, InputPropertiesFollowTheCurrentState) {
  Ptr<IHTMLElement> input = Load(L"<input id=i type=CheckBox name=n value=v checked>", L"i");
  EXPECT_EQ(TextProperty(input.get(), L"type"), L"checkbox");
  EXPECT_EQ(TextProperty(input.get(), L"name"), L"n");
  EXPECT_EQ(TextProperty(input.get(), L"value"), L"v");
  Variant checked = BoolProperty(input.get(), L"checked");
  ASSERT_EQ(checked.Type(), VT_BOOL);
  EXPECT_EQ(V_BOOL(&checked.get()), VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(PutProperty(input.get(), L"checked", Variant::Bool(false)));
  EXPECT_EQ(V_BOOL(&BoolProperty(input.get(), L"checked").get()), VARIANT_FALSE);
  ASSERT_HRESULT_SUCCEEDED(PutProperty(input.get(), L"disabled", Variant::Short(-1)));  // converted to a flag
  EXPECT_EQ(V_BOOL(&BoolProperty(input.get(), L"disabled").get()), VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(PutProperty(input.get(), L"readOnly", Variant::Bool(true)));
  Variant readOnly = BoolProperty(input.get(), L"readonly");
  ASSERT_EQ(readOnly.Type(), VT_BOOL);
  EXPECT_EQ(V_BOOL(&readOnly.get()), VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(PutProperty(input.get(), L"value", Variant::Text(L"typed")));
  EXPECT_EQ(TextProperty(input.get(), L"value"), L"typed");
  EXPECT_EQ(TextProperty(input.get(), L"outerHTML").find(L"typed"), std::wstring::npos);  // the markup keeps "v"
}

TEST_F(NamedProperties, AnImageReportsItsSourceAsAFileUrl) {
  Ptr<IHTMLElement> image = Load(L"<img id=i src='C:\\a b\\x.png'>", L"i");
  EXPECT_EQ(TextProperty(image.get(), L"src"), L"file:///C:/a%20b/x.png");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(image.get(), L"src", Variant::Text(L"D:\\pics\\y.gif")));
  EXPECT_EQ(TextProperty(image.get(), L"src"), L"file:///D:/pics/y.gif");
  Variant written;
  ASSERT_HRESULT_SUCCEEDED(image->getAttribute(Bstr(L"src"), 0, written.Out()));
  EXPECT_EQ(written.Text(), L"D:\\pics\\y.gif");  // the markup keeps the path as written
  ASSERT_HRESULT_SUCCEEDED(PutProperty(image.get(), L"src", Variant::Text(L"http://example.com/z.png")));
  EXPECT_EQ(TextProperty(image.get(), L"src"), L"http://example.com/z.png");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(image.get(), L"src", Variant::Text(L"\\\\server\\share\\a#1.png")));
  EXPECT_EQ(TextProperty(image.get(), L"src"), L"file://server/share/a%231.png");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(image.get(), L"src", Variant::Text(L"pics/x.png")));
  EXPECT_EQ(TextProperty(image.get(), L"src"), L"pics/x.png");  // relative: as written
}

TEST_F(NamedProperties, TheBodysSizeIsItsAttributesAsText) {
  Ptr<IHTMLElement> body = Load(L"<body id=b width=640></body>", L"b");
  EXPECT_EQ(TextProperty(body.get(), L"width"), L"640");
  Variant missing;
  EXPECT_TRUE(FAILED(GetProperty(body.get(), L"height", missing.Out())));  // no attribute: no value
  ASSERT_HRESULT_SUCCEEDED(PutProperty(body.get(), L"height", Variant::Text(L"480")));
  EXPECT_EQ(TextProperty(body.get(), L"height"), L"480");
}

TEST_F(NamedProperties, StyleIsAnObject) {
  Ptr<IHTMLElement> span = Load(L"<span id=s style='left: 10px'>x</span>", L"s");
  Variant style;
  HRESULT hr = GetProperty(span.get(), L"style", style.Out());
  if (hr == E_NOTIMPL) GTEST_SKIP() << "the engine is built without the style objects";
  ASSERT_HRESULT_SUCCEEDED(hr);
  EXPECT_EQ(style.Type(), VT_DISPATCH);
}

TEST_F(NamedProperties, TheDocumentHasItsTitleAndReadyState) {
  ASSERT_TRUE(LoadAndWait(document_, L"<html><head><title>Form</title></head><body></body></html>"));
  EXPECT_EQ(TextProperty(document_, L"title"), L"Form");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(document_, L"TITLE", Variant::Text(L"Renamed")));
  EXPECT_EQ(TextOf(document_, &IHTMLDocument2::get_title), L"Renamed");
  Variant state;
  ASSERT_HRESULT_SUCCEEDED(GetProperty(document_, L"readyState", state.Out()));
  ASSERT_EQ(state.Type(), VT_I4);
  EXPECT_EQ(V_I4(&state.get()), READYSTATE_COMPLETE);
}

TEST_F(NamedProperties, OptionAndSelectValuesAreReachable) {
  Ptr<IHTMLElement> select =
      Load(L"<select id=s name=pick><option value=1>a</option><option>b</option></select>", L"s");
  EXPECT_EQ(TextProperty(select.get(), L"value"), L"1");
  EXPECT_EQ(TextProperty(select.get(), L"name"), L"pick");
  EXPECT_EQ(TextProperty(select.get(), L"type"), L"select-one");
}

TEST_F(NamedProperties, ATextareasInnerHtmlIsItsText) {
  Ptr<IHTMLElement> area = Load(L"<textarea id=t>a &amp; b</textarea>", L"t");
  EXPECT_EQ(TextProperty(area.get(), L"innerHTML"), L"a &amp; b");
  ASSERT_HRESULT_SUCCEEDED(PutProperty(area.get(), L"innerHTML", Variant::Text(L"x &lt; y")));
  EXPECT_EQ(TextProperty(area.get(), L"value"), L"x < y");
}

}  // namespace
