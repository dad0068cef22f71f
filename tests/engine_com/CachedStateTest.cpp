// What the engine keeps between calls (the parsed inline style, child lists, attribute objects) must
// follow every change made through any path.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using namespace et;

class CachedState : public DocumentTest {
 protected:
  static std::wstring CssText(IHTMLElement* element) {
    Ptr<IHTMLStyle> style;
    if (FAILED(element->get_style(style.Out())) || !style) return L"<no style>";
    return TextOf(style.get(), &IHTMLStyle::get_cssText);
  }
  static LONG OffsetLeft(IHTMLElement* element) {
    LONG left = -1;
    element->get_offsetLeft(&left);
    return left;
  }
};

TEST_F(CachedState, TheInlineStyleFollowsEveryWriteOfTheStyleAttribute) {
  Ptr<IHTMLElement> span = Load(L"<body><span id=s style='position: absolute; left: 10px'>x</span></body>", L"s");
  ASSERT_TRUE(span);
  EXPECT_EQ(CssText(span.get()), L"left: 10px; position: absolute");
  EXPECT_EQ(OffsetLeft(span.get()), 10);

  Variant wider = Variant::Text(L"position: absolute; left: 40px; width: 30px");
  ASSERT_EQ(span->setAttribute(Bstr(L"style"), wider, 0), S_OK);
  EXPECT_EQ(CssText(span.get()), L"left: 40px; width: 30px; position: absolute");
  EXPECT_EQ(OffsetLeft(span.get()), 40);

  // A style object taken before a change reads the element as it is now.
  Ptr<IHTMLStyle> style;
  ASSERT_EQ(span->get_style(style.Out()), S_OK);
  VARIANT_BOOL removed = VARIANT_FALSE;
  ASSERT_EQ(span->removeAttribute(Bstr(L"style"), 0, &removed), S_OK);
  EXPECT_EQ(TextOf(style.get(), &IHTMLStyle::get_cssText), L"");
  Ptr<IHTMLCurrentStyle> current;
  ASSERT_EQ(QueryAs<IHTMLElement2>(span.get())->get_currentStyle(current.Out()), S_OK);
  EXPECT_EQ(TextOf(current.get(), &IHTMLCurrentStyle::get_position), L"static");

  // And a write through the style object lands in the attribute.
  ASSERT_EQ(style->put_cssText(Bstr(L"top: 5px")), S_OK);
  Variant attribute;
  ASSERT_EQ(span->getAttribute(Bstr(L"style"), 0, attribute.Out()), S_OK);
  EXPECT_NE(CssText(span.get()).find(L"top: 5px"), std::wstring::npos);
}

TEST_F(CachedState, ChildListsBeyondTheFirstFewStayInOrder) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d></div></body>", L"d");
  ASSERT_TRUE(div);
  Ptr<IHTMLDOMNode> node = div.As<IHTMLDOMNode>();
  for (const wchar_t* text : {L"a", L"b", L"c", L"d", L"e"}) {
    Ptr<IHTMLDOMNode> child;
    ASSERT_EQ(QueryAs<IHTMLDocument3>(document_)->createTextNode(Bstr(text), child.Out()), S_OK);
    Ptr<IHTMLDOMNode> added;
    ASSERT_EQ(node->appendChild(child.get(), added.Out()), S_OK);
  }
  EXPECT_EQ(InnerText(div.get()), L"abcde");
  Ptr<IDispatch> listDispatch;
  ASSERT_EQ(node->get_childNodes(listDispatch.Out()), S_OK);
  Ptr<IHTMLDOMChildrenCollection> list = listDispatch.As<IHTMLDOMChildrenCollection>();
  LONG length = 0;
  list->get_length(&length);
  EXPECT_EQ(length, 5);
  Ptr<IDispatch> third;
  ASSERT_EQ(list->item(2, third.Out()), S_OK);
  Ptr<IHTMLDOMNode> removed;
  ASSERT_EQ(node->removeChild(third.As<IHTMLDOMNode>().get(), removed.Out()), S_OK);
  EXPECT_EQ(InnerText(div.get()), L"abde");
  ASSERT_EQ(node->get_childNodes(listDispatch.Out()), S_OK);  // a list holds the children as they were
  list = listDispatch.As<IHTMLDOMChildrenCollection>();
  list->get_length(&length);
  EXPECT_EQ(length, 4);
  Ptr<IDispatch> last;
  ASSERT_EQ(list->item(3, last.Out()), S_OK);
  Variant value;
  ASSERT_EQ(last.As<IHTMLDOMNode>()->get_nodeValue(value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"e");
}

TEST_F(CachedState, AnAttributeObjectKeepsItsOwnAttributeWhenAnEarlierOneGoes) {
  Ptr<IHTMLElement> span = Load(L"<body><span id=s title=t lang=en dir=ltr>x</span></body>", L"s");
  ASSERT_TRUE(span);
  Ptr<IDispatch> collectionDispatch;
  ASSERT_EQ(span.As<IHTMLDOMNode>()->get_attributes(collectionDispatch.Out()), S_OK);
  Ptr<IHTMLAttributeCollection> attributes = collectionDispatch.As<IHTMLAttributeCollection>();
  Variant name = Variant::Text(L"dir");
  Ptr<IDispatch> dirDispatch;
  VARIANT argument = name;
  ASSERT_EQ(attributes->item(&argument, dirDispatch.Out()), S_OK);
  Ptr<IHTMLDOMAttribute> dir = dirDispatch.As<IHTMLDOMAttribute>();
  ASSERT_TRUE(dir);
  VARIANT_BOOL removed = VARIANT_FALSE;
  ASSERT_EQ(span->removeAttribute(Bstr(L"title"), 0, &removed), S_OK);
  ASSERT_EQ(span->removeAttribute(Bstr(L"id"), 0, &removed), S_OK);
  Variant value;
  ASSERT_EQ(dir->get_nodeValue(value.Out()), S_OK);
  EXPECT_EQ(value.Text(), L"ltr");
  VARIANT_BOOL specified = VARIANT_FALSE;
  ASSERT_EQ(dir->get_specified(&specified), S_OK);
  EXPECT_EQ(specified, VARIANT_TRUE);
}

// Attribute objects belong to the collection that gave them out: the same name gives the same object,
// and an attribute object kept after the collection is released keeps working (it holds the collection).
TEST_F(CachedState, AttributeObjectsLiveWithTheirCollection) {
  Ptr<IHTMLElement> span = Load(L"<body><span id=s title=t lang=en dir=ltr>x</span></body>", L"s");
  ASSERT_TRUE(span);
  Ptr<IHTMLDOMAttribute> byIndex, byName, again;
  {
    Ptr<IDispatch> collectionDispatch;
    ASSERT_EQ(span.As<IHTMLDOMNode>()->get_attributes(collectionDispatch.Out()), S_OK);
    Ptr<IHTMLAttributeCollection> attributes = collectionDispatch.As<IHTMLAttributeCollection>();
    for (int i = 0; i < 9; ++i) {  // more requests than attributes: each name keeps one object
      Variant index = Variant::Long(i % 4);
      VARIANT argument = index;
      Ptr<IDispatch> item;
      ASSERT_EQ(attributes->item(&argument, item.Out()), S_OK);
      if (i == 3) byIndex = item.As<IHTMLDOMAttribute>();
      if (i == 7) again = item.As<IHTMLDOMAttribute>();
    }
    Variant name = Variant::Text(L"DIR");
    VARIANT argument = name;
    Ptr<IDispatch> item;
    ASSERT_EQ(attributes->item(&argument, item.Out()), S_OK);
    byName = item.As<IHTMLDOMAttribute>();
  }
  ASSERT_TRUE(byIndex && byName && again);
  EXPECT_EQ(byIndex.get(), byName.get());
  EXPECT_EQ(byIndex.get(), again.get());
  Bstr nodeName;
  ASSERT_EQ(byName->get_nodeName(nodeName.Out()), S_OK);
  EXPECT_EQ(nodeName.Str(), L"dir");
  VARIANT_BOOL removed = VARIANT_FALSE;
  ASSERT_EQ(span->removeAttribute(Bstr(L"dir"), 0, &removed), S_OK);
  VARIANT_BOOL specified = VARIANT_TRUE;
  ASSERT_EQ(byName->get_specified(&specified), S_OK);
  EXPECT_EQ(specified, VARIANT_FALSE);
  // TearDown releases everything and expects no object left.
}

}  // namespace
