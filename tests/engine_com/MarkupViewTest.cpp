// The texts a node object lends must be exactly what the standard properties report, and a node that
// keeps no such text must say so rather than lend something else.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "engine/MarkupView.h"

namespace {

using namespace et;

struct LentText {
  HRESULT hr = E_FAIL;
  std::wstring text;
};

template <class Method>
LentText Lend(IMarkupView* view, Method method) {
  const wchar_t* text = Unwritten<const wchar_t>();
  UINT length = 12345;
  LentText lent;
  lent.hr = (view->*method)(&text, &length);
  if (lent.hr == S_OK) {
    lent.text.assign(text ? text : L"", length);
  } else {
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(length, 0u);
  }
  return lent;
}

class MarkupView : public DocumentTest {};

TEST_F(MarkupView, KnownTagsLendTheNodeNameAndOtherNamesAreLeftToTheStandardProperty) {
  ASSERT_TRUE(LoadAndWait(document_,
                          L"<body><span id=a>x</span><x-card id=b></x-card><svg id=c><foreignObject id=d>"
                          L"</foreignObject><a id=e></a></svg><input id=f></body>"));
  const struct {
    const wchar_t* id;
    bool lent;
  } cases[] = {{L"a", true}, {L"b", false}, {L"c", true}, {L"d", false}, {L"e", true}, {L"f", true}};
  for (const auto& c : cases) {
    Ptr<IHTMLElement> element = ElementById(document_, c.id);
    ASSERT_TRUE(element) << c.id;
    Ptr<IMarkupView> view = element.As<IMarkupView>();
    ASSERT_TRUE(view) << c.id;
    const LentText name = Lend(view.get(), &IMarkupView::LendNodeName);
    EXPECT_EQ(name.hr, c.lent ? S_OK : S_FALSE) << c.id;
    if (c.lent) EXPECT_EQ(name.text, TextOf(element.As<IHTMLDOMNode>().get(), &IHTMLDOMNode::get_nodeName)) << c.id;
    EXPECT_EQ(Lend(view.get(), &IMarkupView::LendNodeValue).hr, S_FALSE) << c.id;
  }
}

TEST_F(MarkupView, AttributesAreLentInTheCollectionsOrderWithTheirValues) {
  Ptr<IHTMLElement> span = Load(L"<body><span title='a &amp; b' id=s data-x='' lang=en>x</span></body>", L"s");
  ASSERT_TRUE(span);
  ASSERT_EQ(span->setAttribute(Bstr(L"Extra"), Variant::Text(L"later"), 0), S_OK);
  Ptr<IMarkupView> view = span.As<IMarkupView>();
  Ptr<IDispatch> dispatch;
  ASSERT_EQ(span.As<IHTMLDOMNode>()->get_attributes(dispatch.Out()), S_OK);
  Ptr<IHTMLAttributeCollection> attributes = dispatch.As<IHTMLAttributeCollection>();
  LONG length = 0;
  ASSERT_EQ(attributes->get_length(&length), S_OK);
  UINT count = 0;
  ASSERT_EQ(view->GetAttributeCount(&count), S_OK);
  ASSERT_EQ(count, 5u);
  ASSERT_EQ(static_cast<LONG>(count), length);
  for (UINT i = 0; i < count; ++i) {
    const wchar_t *name = nullptr, *value = nullptr;
    UINT nameLength = 0, valueLength = 0;
    ASSERT_EQ(view->LendAttribute(i, &name, &nameLength, &value, &valueLength), S_OK) << i;
    VARIANT index = Variant::Long(static_cast<LONG>(i));
    Ptr<IDispatch> item;
    ASSERT_EQ(attributes->item(&index, item.Out()), S_OK);
    Ptr<IHTMLDOMAttribute> attribute = item.As<IHTMLDOMAttribute>();
    EXPECT_EQ(std::wstring(name, nameLength), TextOf(attribute.get(), &IHTMLDOMAttribute::get_nodeName)) << i;
    Variant reported;
    ASSERT_EQ(attribute->get_nodeValue(reported.Out()), S_OK);
    EXPECT_EQ(std::wstring(value, valueLength), reported.Text()) << i;
  }
  const wchar_t *name = Unwritten<const wchar_t>(), *value = Unwritten<const wchar_t>();
  UINT nameLength = 1, valueLength = 1;
  EXPECT_EQ(view->LendAttribute(count, &name, &nameLength, &value, &valueLength), E_INVALIDARG);
  EXPECT_EQ(name, nullptr);
  EXPECT_EQ(value, nullptr);
  EXPECT_EQ(view->LendAttribute(0, nullptr, &nameLength, &value, &valueLength), E_POINTER);
  EXPECT_EQ(view->GetAttributeCount(nullptr), E_POINTER);
  EXPECT_EQ(view->LendNodeName(nullptr, &nameLength), E_POINTER);
}

TEST_F(MarkupView, ANamespacedAttributeIsNotLent) {
  Ptr<IHTMLElement> link = Load(L"<body><svg><a id=l xlink:href='#t'>t</a></svg></body>", L"l");
  ASSERT_TRUE(link);
  Ptr<IMarkupView> view = link.As<IMarkupView>();
  UINT count = 0;
  ASSERT_EQ(view->GetAttributeCount(&count), S_OK);
  ASSERT_EQ(count, 2u);
  int lent = 0, declined = 0;
  for (UINT i = 0; i < count; ++i) {
    const wchar_t *name = nullptr, *value = nullptr;
    UINT nameLength = 0, valueLength = 0;
    const HRESULT hr = view->LendAttribute(i, &name, &nameLength, &value, &valueLength);
    if (hr == S_OK) {
      ++lent;
      EXPECT_EQ(std::wstring(name, nameLength), L"id");
    } else {
      ++declined;
      EXPECT_EQ(hr, S_FALSE);
      EXPECT_EQ(name, nullptr);
    }
  }
  EXPECT_EQ(lent, 1);
  EXPECT_EQ(declined, 1);
}

TEST_F(MarkupView, ATextNodeLendsItsValueAndHasNoAttributes) {
  Ptr<IHTMLElement> span = Load(L"<body><span id=s>one &lt; two</span></body>", L"s");
  ASSERT_TRUE(span);
  Ptr<IHTMLDOMNode> text;
  ASSERT_EQ(span.As<IHTMLDOMNode>()->get_firstChild(text.Out()), S_OK);
  Ptr<IMarkupView> view = text.As<IMarkupView>();
  ASSERT_TRUE(view);
  const LentText value = Lend(view.get(), &IMarkupView::LendNodeValue);
  EXPECT_EQ(value.hr, S_OK);
  EXPECT_EQ(value.text, L"one < two");
  EXPECT_EQ(Lend(view.get(), &IMarkupView::LendNodeName).hr, S_FALSE);
  UINT count = 7;
  EXPECT_EQ(view->GetAttributeCount(&count), S_OK);
  EXPECT_EQ(count, 0u);
  // A change made through the standard property is what is lent next.
  ASSERT_EQ(text->put_nodeValue(Variant::Text(L"three")), S_OK);
  EXPECT_EQ(Lend(view.get(), &IMarkupView::LendNodeValue).text, L"three");
}

TEST_F(MarkupView, TheStyleTextIsTheInlineStylesCssTextAndFollowsChanges) {
  Ptr<IHTMLElement> span =
      Load(L"<body><span id=s style='POSITION: absolute; left: 10px'>x</span><b id=b>y</b></body>", L"s");
  ASSERT_TRUE(span);
  Ptr<IHTMLStyle> style;
  ASSERT_EQ(span->get_style(style.Out()), S_OK);
  Ptr<IMarkupView> view = span.As<IMarkupView>();
  EXPECT_EQ(Lend(view.get(), &IMarkupView::LendStyleText).text, TextOf(style.get(), &IHTMLStyle::get_cssText));
  ASSERT_EQ(style->put_cssText(Bstr(L"top: 3px; color: red")), S_OK);
  const LentText changed = Lend(view.get(), &IMarkupView::LendStyleText);
  EXPECT_EQ(changed.hr, S_OK);
  EXPECT_EQ(changed.text, TextOf(style.get(), &IHTMLStyle::get_cssText));
  EXPECT_NE(changed.text.find(L"top: 3px"), std::wstring::npos);

  Ptr<IHTMLElement> plain = ElementById(document_, L"b");
  const LentText none = Lend(plain.As<IMarkupView>().get(), &IMarkupView::LendStyleText);
  EXPECT_EQ(none.hr, S_OK);
  EXPECT_EQ(none.text, L"");
}

}  // namespace
