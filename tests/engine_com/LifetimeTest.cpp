// Identity and lifetime of the objects the engine hands out: one object per node, and nothing left
// alive once every reference is released, in whatever order.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using namespace et;

class Lifetime : public DocumentTest {};

IUnknown* Identity(IUnknown* object) { return QueryAs<IUnknown>(object).get(); }

TEST_F(Lifetime, ANodeGivesTheSameObjectWhicheverWayItIsReached) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><span id=s>x</span></body>"));
  Ptr<IHTMLElement> fromBody = Body(document_), fromAll, fromParent;
  Ptr<IHTMLElement> span = ElementById(document_, L"s");
  ASSERT_HRESULT_SUCCEEDED(span->get_parentElement(fromParent.Out()));
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(fromBody->get_sourceIndex(&index));
  fromAll = ItemAt(All(document_).get(), index);
  EXPECT_EQ(Identity(fromBody.get()), Identity(fromAll.get()));
  EXPECT_EQ(Identity(fromBody.get()), Identity(fromParent.get()));
  EXPECT_EQ(Identity(span.As<IHTMLDOMNode>().get()), Identity(span.As<IHTMLElement2>().get()));
}

TEST_F(Lifetime, QueryInterfaceAnswersOnlyForTheElementsOwnInterfaces) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><span id=s>x</span></body>"));
  Ptr<IHTMLElement> span = ElementById(document_, L"s");
  void* out = Unwritten<void>();
  EXPECT_EQ(span->QueryInterface(IID_IHTMLInputElement, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  EXPECT_TRUE(span.As<IDispatch>());
  EXPECT_TRUE(Body(document_).As<IHTMLBodyElement>());
}

TEST_F(Lifetime, ElementsOutliveTheLastReferenceToTheDocument) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><span id=s>kept</span></body>"));
  Ptr<IHTMLElement> span = ElementById(document_, L"s");
  document_->Release();
  document_ = nullptr;
  EXPECT_GT(EngineLiveObjects(), 0);
  EXPECT_EQ(InnerText(span.get()), L"kept");
  Ptr<IDispatch> document;
  ASSERT_HRESULT_SUCCEEDED(span->get_document(document.Out()));
  EXPECT_EQ(TextOf(document.As<IHTMLDocument2>().get(), &IHTMLDocument2::get_readyState), L"complete");
  document.reset();
  span.reset();
  EXPECT_EQ(EngineLiveObjects(), 0);
}

TEST_F(Lifetime, EverythingHandedOutIsFreedWhenReleased) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><select id=s><option>a</option></select><p id=p title=t>text</p></body>"));
  {
    Ptr<IHTMLElementCollection> all = All(document_);
    Ptr<IHTMLElement> p = ElementById(document_, L"p");
    Ptr<IDispatch> children, attributes, attribute, child;
    ASSERT_HRESULT_SUCCEEDED(p.As<IHTMLDOMNode>()->get_childNodes(children.Out()));
    ASSERT_HRESULT_SUCCEEDED(children.As<IHTMLDOMChildrenCollection>()->item(0, child.Out()));
    ASSERT_HRESULT_SUCCEEDED(p.As<IHTMLDOMNode>()->get_attributes(attributes.Out()));
    Variant first = Variant::Long(0);
    VARIANT argument = first;
    ASSERT_HRESULT_SUCCEEDED(attributes.As<IHTMLAttributeCollection>()->item(&argument, attribute.Out()));
    Ptr<IHTMLWindow2> window;
    Ptr<IHTMLOptionElementFactory> factory;
    Ptr<IHTMLOptionElement> option;
    ASSERT_HRESULT_SUCCEEDED(document_->get_parentWindow(window.Out()));
    ASSERT_HRESULT_SUCCEEDED(window->get_Option(factory.Out()));
    ASSERT_HRESULT_SUCCEEDED(
        factory->create(Variant::Text(L"b"), Variant::Text(L"2"), Variant::Short(0), Variant::Short(0), option.Out()));
    ASSERT_HRESULT_SUCCEEDED(
        ElementById(document_, L"s").As<IHTMLSelectElement>()->add(option.As<IHTMLElement>().get(), Variant::Long(-1)));
    Ptr<IDispatch> tags;
    ASSERT_HRESULT_SUCCEEDED(all->tags(Variant::Text(L"option"), tags.Out()));
    EXPECT_GT(EngineLiveObjects(), 8);
  }
  // TearDown releases the document and expects no object left.
}

TEST_F(Lifetime, ObjectsOfAReplacedPageStayUsableUntilReleased) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><div id=d><span>x</span></div></body>"));
  Ptr<IHTMLElement> old = ElementById(document_, L"d");
  ASSERT_TRUE(LoadAndWait(document_, L"<body><p>new page</p></body>"));
  EXPECT_EQ(TextOf(old.get(), &IHTMLElement::get_innerHTML), L"<SPAN>x</SPAN>");
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(old->get_sourceIndex(&index));
  EXPECT_EQ(index, -1);
  EXPECT_FALSE(ElementById(document_, L"d"));
  // Nodes of two pages do not mix.
  Ptr<IHTMLDOMNode> appended;
  EXPECT_EQ(Body(document_).As<IHTMLDOMNode>()->appendChild(old.As<IHTMLDOMNode>().get(), appended.Out()),
            E_INVALIDARG);
}

TEST_F(Lifetime, ARemovedElementHeldAloneIsFreedWithItsObject) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><div id=d><span id=s>x</span></div></body>"));
  Ptr<IHTMLElement> span = ElementById(document_, L"s");
  ASSERT_HRESULT_SUCCEEDED(ElementById(document_, L"d").As<IHTMLDOMNode>()->removeNode(VARIANT_TRUE, nullptr));
  // Nobody holds the removed div: it goes, and the span it held is left on its own.
  IHTMLElement* parent = Unwritten<IHTMLElement>();
  ASSERT_HRESULT_SUCCEEDED(span->get_parentElement(&parent));
  EXPECT_EQ(parent, nullptr);
  EXPECT_EQ(InnerText(span.get()), L"x");
  span.reset();
  document_->Release();
  document_ = nullptr;
  EXPECT_EQ(EngineLiveObjects(), 0);
}

}  // namespace
