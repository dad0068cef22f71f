// What each kind of element object offers: the element interfaces QueryInterface answers for, and the
// names its IDispatch knows. One page holds an element of every kind.
#include <gtest/gtest.h>

#include <string>

#include "EngineTestSupport.h"

namespace {

using namespace et;

class ElementKinds : public DocumentTest {
 protected:
  void SetUp() override {
    DocumentTest::SetUp();
    ASSERT_TRUE(LoadAndWait(document_,
                            L"<html><head><meta id=meta name=n><style id=style></style><script id=script></script>"
                            L"<title id=title>t</title></head><body id=body><!--note--><input id=input>"
                            L"<textarea id=textarea></textarea><select id=select><option id=option>o</option>"
                            L"</select><img id=img><span id=span></span><svg><title id=svgtitle>s</title></svg>"
                            L"</body></html>"));
  }
  // The element with that id, or the body's first child for "comment".
  Ptr<IUnknown> Object(const std::wstring& id) {
    if (id != L"comment") return ElementById(document_, id.c_str()).As<IUnknown>();
    Ptr<IHTMLDOMNode> first;
    Body(document_).As<IHTMLDOMNode>()->get_firstChild(first.Out());
    return first.As<IUnknown>();
  }
};

struct Interface {
  const char* name;
  const IID& iid;
};
const Interface kInterfaces[] = {
    {"IHTMLElement", IID_IHTMLElement},
    {"IHTMLElement2", IID_IHTMLElement2},
    {"IHTMLInputElement", IID_IHTMLInputElement},
    {"IHTMLTextAreaElement", IID_IHTMLTextAreaElement},
    {"IHTMLSelectElement", IID_IHTMLSelectElement},
    {"IHTMLOptionElement", IID_IHTMLOptionElement},
    {"IHTMLMetaElement", IID_IHTMLMetaElement},
    {"IHTMLStyleElement", IID_IHTMLStyleElement},
    {"IHTMLScriptElement", IID_IHTMLScriptElement},
    {"IHTMLTitleElement", IID_IHTMLTitleElement},
    {"IHTMLCommentElement", IID_IHTMLCommentElement},
    {"IHTMLBodyElement", IID_IHTMLBodyElement},
    {"IHTMLImgElement", IID_IHTMLImgElement},
};

// Every element object has IHTMLElement and IHTMLElement2; `own` is the one further interface of its kind.
struct Kind {
  const wchar_t* id;
  const char* own;  // null: none
};
const Kind kKinds[] = {
    {L"input", "IHTMLInputElement"},
    {L"textarea", "IHTMLTextAreaElement"},
    {L"select", "IHTMLSelectElement"},
    {L"option", "IHTMLOptionElement"},
    {L"meta", "IHTMLMetaElement"},
    {L"style", "IHTMLStyleElement"},
    {L"script", "IHTMLScriptElement"},
    {L"title", "IHTMLTitleElement"},
    {L"comment", "IHTMLCommentElement"},
    {L"body", "IHTMLBodyElement"},
    {L"img", "IHTMLImgElement"},
    {L"span", nullptr},
    {L"svgtitle", nullptr},  // a foreign element never takes the interfaces of an HTML tag of its name
};

TEST_F(ElementKinds, EachAnswersForTheElementInterfacesAndItsOwnOnly) {
  for (const Kind& kind : kKinds) {
    SCOPED_TRACE(std::string(kind.id, kind.id + wcslen(kind.id)));
    Ptr<IUnknown> object = Object(kind.id);
    ASSERT_TRUE(object);
    EXPECT_TRUE(QueryAs<IHTMLDOMNode>(object.get()));
    EXPECT_TRUE(QueryAs<IDispatch>(object.get()));
    for (const Interface& entry : kInterfaces) {
      const std::string name = entry.name;
      const bool expected = name == "IHTMLElement" || name == "IHTMLElement2" || (kind.own && name == kind.own);
      Ptr<IUnknown> answer;
      HRESULT hr = object->QueryInterface(entry.iid, answer.OutVoid());
      EXPECT_EQ(hr, expected ? S_OK : E_NOINTERFACE) << name;
      EXPECT_EQ(bool(answer), expected) << name;
      if (answer) EXPECT_EQ(QueryAs<IUnknown>(answer.get()).get(), object.get()) << name;  // one identity
    }
  }
}

// A comment reads as an element without attributes, and what would change an element's markup or style is
// not supported.
TEST_F(ElementKinds, ACommentCannotBeChangedAsAnElement) {
  Ptr<IHTMLElement> comment = Object(L"comment").As<IHTMLElement>();
  ASSERT_TRUE(comment);
  EXPECT_EQ(TextOf(comment.get(), &IHTMLElement::get_id), L"");
  EXPECT_EQ(OuterHtml(comment.get()), L"<!--note-->");
  EXPECT_EQ(comment->put_id(Bstr(L"x")), E_NOTIMPL);
  EXPECT_EQ(comment->setAttribute(Bstr(L"id"), Variant::Text(L"x"), 0), E_NOTIMPL);
  EXPECT_EQ(comment->put_innerHTML(Bstr(L"x")), E_NOTIMPL);
  EXPECT_EQ(comment->insertAdjacentText(Bstr(L"beforeEnd"), Bstr(L"x")), E_NOTIMPL);
  Ptr<IHTMLStyle> style;
  EXPECT_EQ(comment->get_style(style.Out()), E_NOTIMPL);
  EXPECT_FALSE(style);
  EXPECT_EQ(OuterHtml(comment.get()), L"<!--note-->");
}

bool Knows(IUnknown* object, const wchar_t* name) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  return SUCCEEDED(QueryAs<IDispatch>(object)->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
}

// Besides the names every element knows (id, className, style, disabled ...; a comment only tagName,
// innerHTML, innerText, outerHTML and sourceIndex), the names each kind adds.
TEST_F(ElementKinds, EachKnowsTheNamesOfItsKind) {
  const wchar_t* const kNames[] = {L"src",     L"name",      L"value", L"type", L"checked",  L"readOnly", L"text",
                                   L"content", L"httpEquiv", L"width", L"id",   L"disabled", L"tagName",  L"outerHTML"};
  const struct {
    const wchar_t* id;
    std::wstring known;  // of kNames, space-separated
  } kKnown[] = {
      {L"input", L"src name value type checked readOnly id disabled tagName outerHTML"},
      {L"textarea", L"name value type readOnly id disabled tagName outerHTML"},
      {L"select", L"name value type id disabled tagName outerHTML"},
      {L"option", L"value text id disabled tagName outerHTML"},
      {L"meta", L"name content httpEquiv id disabled tagName outerHTML"},
      {L"style", L"type id disabled tagName outerHTML"},
      {L"script", L"src type text id disabled tagName outerHTML"},
      {L"title", L"text id disabled tagName outerHTML"},
      {L"comment", L"text tagName outerHTML"},
      {L"body", L"width id disabled tagName outerHTML"},
      {L"img", L"src name id disabled tagName outerHTML"},
      {L"span", L"id disabled tagName outerHTML"},
  };
  for (const auto& kind : kKnown) {
    SCOPED_TRACE(std::string(kind.id, kind.id + wcslen(kind.id)));
    Ptr<IUnknown> object = Object(kind.id);
    ASSERT_TRUE(object);
    for (const wchar_t* name : kNames) {
      const bool expected = (L" " + kind.known + L" ").find(L" " + std::wstring(name) + L" ") != std::wstring::npos;
      EXPECT_EQ(Knows(object.get(), name), expected) << std::string(name, name + wcslen(name));
    }
  }
}

}  // namespace
