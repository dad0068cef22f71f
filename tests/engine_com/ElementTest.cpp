// Elements through IHTMLElement and IHTMLDOMNode: attributes, markup in and out, tree changes, and
// the elements that hold their text as a property.
#include <gtest/gtest.h>

#include "EngineTestSupport.h"

namespace {

using namespace et;

class Elements : public DocumentTest {};

struct AttributeView {
  std::wstring name;
  std::wstring value;
  bool specified;
  bool operator==(const AttributeView&) const = default;
};
std::ostream& operator<<(std::ostream& out, const AttributeView& a) {
  return out << std::string(a.name.begin(), a.name.end()) << "=" << std::string(a.value.begin(), a.value.end())
             << (a.specified ? "" : " (unspecified)");
}

std::vector<AttributeView> AttributesOf(IHTMLElement* element) {
  std::vector<AttributeView> views;
  Ptr<IDispatch> dispatch;
  if (FAILED(QueryAs<IHTMLDOMNode>(element)->get_attributes(dispatch.Out()))) return views;
  Ptr<IHTMLAttributeCollection> attributes = dispatch.As<IHTMLAttributeCollection>();
  LONG length = 0;
  attributes->get_length(&length);
  for (LONG i = 0; i < length; ++i) {
    Variant index = Variant::Long(i);
    Ptr<IDispatch> item;
    VARIANT argument = index;
    if (FAILED(attributes->item(&argument, item.Out()))) continue;
    Ptr<IHTMLDOMAttribute> attribute = item.As<IHTMLDOMAttribute>();
    Variant value;
    attribute->get_nodeValue(value.Out());
    VARIANT_BOOL specified = VARIANT_FALSE;
    attribute->get_specified(&specified);
    views.push_back(
        {TextOf(attribute.get(), &IHTMLDOMAttribute::get_nodeName), value.Text(), specified != VARIANT_FALSE});
  }
  return views;
}

Variant Attribute(IHTMLElement* element, const wchar_t* name) {
  Variant value;
  element->getAttribute(Bstr(name), 0, value.Out());
  return value;
}

LONG ChildCount(IUnknown* node) {
  Ptr<IDispatch> dispatch;
  if (FAILED(QueryAs<IHTMLDOMNode>(node)->get_childNodes(dispatch.Out()))) return -1;
  LONG length = -1;
  dispatch.As<IHTMLDOMChildrenCollection>()->get_length(&length);
  return length;
}

Ptr<IHTMLDOMNode> ChildAt(IUnknown* node, LONG index) {
  Ptr<IDispatch> dispatch, item;
  QueryAs<IHTMLDOMNode>(node)->get_childNodes(dispatch.Out());
  if (dispatch) dispatch.As<IHTMLDOMChildrenCollection>()->item(index, item.Out());
  return item.As<IHTMLDOMNode>();
}

bool InAll(IHTMLDocument2* document, IHTMLElement* element) {
  Ptr<IHTMLElementCollection> all = All(document);
  for (LONG i = 0; i < Length(all.get()); ++i)
    if (QueryAs<IUnknown>(ItemAt(all.get(), i).get()).get() == QueryAs<IUnknown>(element).get()) return true;
  return false;
}

// --- attributes --------------------------------------------------------------------------------------

TEST_F(Elements, AttributesAreListedInSourceOrderThenInTheOrderSet) {
  Ptr<IHTMLElement> input = Load(L"<input id=a TYPE='text' value=\"x\" disabled>", L"a");
  ASSERT_HRESULT_SUCCEEDED(input->setAttribute(Bstr(L"Title"), Variant::Text(L"tip"), 0));
  ASSERT_HRESULT_SUCCEEDED(input->setAttribute(Bstr(L"type"), Variant::Text(L"button"), 0));  // keeps its place
  EXPECT_EQ(AttributesOf(input.get()), (std::vector<AttributeView>{{L"id", L"a", true},
                                                                   {L"type", L"button", true},
                                                                   {L"value", L"x", true},
                                                                   {L"disabled", L"", true},
                                                                   {L"title", L"tip", true}}));
}

TEST_F(Elements, RemovingAnAttributeDropsItFromTheCollection) {
  Ptr<IHTMLElement> span = Load(L"<span id=s class=c title=t>x</span>", L"s");
  VARIANT_BOOL removed = VARIANT_FALSE;
  ASSERT_HRESULT_SUCCEEDED(span->removeAttribute(Bstr(L"CLASS"), 0, &removed));
  EXPECT_EQ(removed, VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(span->removeAttribute(Bstr(L"class"), 0, &removed));
  EXPECT_EQ(removed, VARIANT_FALSE);
  EXPECT_EQ(AttributesOf(span.get()), (std::vector<AttributeView>{{L"id", L"s", true}, {L"title", L"t", true}}));
}

TEST_F(Elements, AnAbsentAttributeReadsAsNull) {
  Ptr<IHTMLElement> body = Load(L"<body id=b width=640></body>", L"b");
  Variant width = Attribute(body.get(), L"width");
  EXPECT_EQ(width.Type(), VT_BSTR);
  EXPECT_EQ(width.Text(), L"640");
  EXPECT_EQ(Attribute(body.get(), L"height").Type(), VT_NULL);
}

TEST_F(Elements, SetAttributeStoresTheTextGiven) {
  Ptr<IHTMLElement> body = Load(L"<body id=b></body>", L"b");
  ASSERT_HRESULT_SUCCEEDED(body->setAttribute(Bstr(L"width"), Variant::Text(L"640"), 0));
  ASSERT_HRESULT_SUCCEEDED(body->setAttribute(Bstr(L"height"), Variant::Long(480), 0));
  EXPECT_EQ(Attribute(body.get(), L"WIDTH").Text(), L"640");
  EXPECT_EQ(Attribute(body.get(), L"height").Text(), L"480");
  EXPECT_EQ(body->setAttribute(Bstr(L"bad name"), Variant::Text(L"x"), 0), E_INVALIDARG);
}

TEST_F(Elements, IdClassAndTitleAreAttributes) {
  Ptr<IHTMLElement> span = Load(L"<span id=s>x</span>", L"s");
  ASSERT_HRESULT_SUCCEEDED(span->put_className(Bstr(L"big")));
  ASSERT_HRESULT_SUCCEEDED(span->put_title(Bstr(L"tip")));
  EXPECT_EQ(Attribute(span.get(), L"class").Text(), L"big");
  EXPECT_EQ(TextOf(span.get(), &IHTMLElement::get_title), L"tip");
  EXPECT_EQ(TextOf(span.get(), &IHTMLElement::get_className), L"big");
}

// --- markup ------------------------------------------------------------------------------------------

TEST_F(Elements, InsertAdjacentHtmlAtTheEndOfTheBodyAddsFindableElements) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><p>first</p></body>"));
  ASSERT_HRESULT_SUCCEEDED(Body(document_)->insertAdjacentHTML(
      Bstr(L"BeforeEnd"), Bstr(L"<span id=\"label1\" style=\"position: absolute; left: 10px;\">label1</span>")));
  Ptr<IHTMLElement> label = ElementById(document_, L"label1");
  ASSERT_TRUE(label);
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(label->get_sourceIndex(&index));
  EXPECT_EQ(index, Length(All(document_).get()) - 1);
  Ptr<IHTMLElement> parent;
  ASSERT_HRESULT_SUCCEEDED(label->get_parentElement(parent.Out()));
  EXPECT_EQ(TagName(parent.get()), L"BODY");
}

TEST_F(Elements, InsertAdjacentHtmlKnowsAllFourPlaces) {
  Ptr<IHTMLElement> p = Load(L"<body><p id=p>x</p></body>", L"p");
  ASSERT_HRESULT_SUCCEEDED(p->insertAdjacentHTML(Bstr(L"beforebegin"), Bstr(L"<i>1</i>")));
  ASSERT_HRESULT_SUCCEEDED(p->insertAdjacentHTML(Bstr(L"afterBegin"), Bstr(L"<i>2</i>")));
  ASSERT_HRESULT_SUCCEEDED(p->insertAdjacentHTML(Bstr(L"beforeEnd"), Bstr(L"<i>3</i>")));
  ASSERT_HRESULT_SUCCEEDED(p->insertAdjacentHTML(Bstr(L"AFTEREND"), Bstr(L"<i>4</i>")));
  EXPECT_EQ(p->insertAdjacentHTML(Bstr(L"inside"), Bstr(L"<i>5</i>")), E_INVALIDARG);
  EXPECT_EQ(TextOf(Body(document_).get(), &IHTMLElement::get_innerHTML),
            L"<I>1</I><P id=\"p\"><I>2</I>x<I>3</I></P><I>4</I>");
}

TEST_F(Elements, OuterHtmlReadsBackIdenticallyThroughInsertAdjacentHtml) {
  Ptr<IHTMLElement> original = Load(
      L"<body><fieldset id=f title='a \"q\" &amp; b'><legend>L</legend><input type=checkbox checked>"
      L"<select name=s><option value=1 selected>one</option><option>two</option></select>"
      L"<textarea>t &lt; x</textarea><br><img src='C:\\a b\\x.png'></fieldset></body>",
      L"f");
  std::wstring markup = OuterHtml(original.get());
  ASSERT_HRESULT_SUCCEEDED(QueryAs<IHTMLDOMNode>(original.get())->removeNode(VARIANT_TRUE, nullptr));
  ASSERT_HRESULT_SUCCEEDED(Body(document_)->insertAdjacentHTML(Bstr(L"beforeEnd"), Bstr(markup)));
  Ptr<IHTMLElement> copy = ElementById(document_, L"f");
  ASSERT_TRUE(copy);
  EXPECT_NE(QueryAs<IUnknown>(copy.get()).get(), QueryAs<IUnknown>(original.get()).get());
  EXPECT_EQ(OuterHtml(copy.get()), markup);
  EXPECT_EQ(markup.substr(0, 10), L"<FIELDSET ");
}

TEST_F(Elements, InnerHtmlAndInnerTextReplaceTheContent) {
  Ptr<IHTMLElement> div = Load(L"<div id=d><b>old</b></div>", L"d");
  ASSERT_HRESULT_SUCCEEDED(div->put_innerHTML(Bstr(L"<i>new</i> text")));
  EXPECT_EQ(TextOf(div.get(), &IHTMLElement::get_innerHTML), L"<I>new</I> text");
  EXPECT_EQ(InnerText(div.get()), L"new text");
  ASSERT_HRESULT_SUCCEEDED(div->put_innerText(Bstr(L"a < b")));
  EXPECT_EQ(TextOf(div.get(), &IHTMLElement::get_innerHTML), L"a &lt; b");
}

TEST_F(Elements, OuterHtmlReplacesTheElement) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d>x</div></body>", L"d");
  ASSERT_HRESULT_SUCCEEDED(div->put_outerHTML(Bstr(L"<p id=p>y</p>")));
  EXPECT_FALSE(ElementById(document_, L"d"));
  EXPECT_EQ(InnerText(ElementById(document_, L"p").get()), L"y");
}

// --- tree changes ------------------------------------------------------------------------------------

TEST_F(Elements, RemoveChildTakesTheElementWithItsChildrenOutOfAll) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d><span id=s>x</span></div><p>y</p></body>", L"d");
  LONG before = Length(All(document_).get());
  Ptr<IHTMLDOMNode> removed;
  ASSERT_HRESULT_SUCCEEDED(
      Body(document_).As<IHTMLDOMNode>()->removeChild(QueryAs<IHTMLDOMNode>(div.get()).get(), removed.Out()));
  EXPECT_EQ(QueryAs<IUnknown>(removed.get()).get(), QueryAs<IUnknown>(div.get()).get());
  EXPECT_EQ(Length(All(document_).get()), before - 2);
  EXPECT_FALSE(InAll(document_, div.get()));
  EXPECT_EQ(InnerText(div.get()), L"x");  // still whole while held
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(div->get_sourceIndex(&index));
  EXPECT_EQ(index, -1);
}

TEST_F(Elements, RemoveChildRefusesANodeThatIsNotAChild) {
  Ptr<IHTMLElement> span = Load(L"<body><div><span id=s>x</span></div></body>", L"s");
  IHTMLDOMNode* removed = Unwritten<IHTMLDOMNode>();
  EXPECT_EQ(Body(document_).As<IHTMLDOMNode>()->removeChild(QueryAs<IHTMLDOMNode>(span.get()).get(), &removed),
            E_INVALIDARG);
  EXPECT_EQ(removed, nullptr);
  EXPECT_TRUE(InAll(document_, span.get()));
}

TEST_F(Elements, RemoveNodeDeepTakesTheChildrenAlong) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d><span id=s>x</span></div></body>", L"d");
  ASSERT_HRESULT_SUCCEEDED(QueryAs<IHTMLDOMNode>(div.get())->removeNode(VARIANT_TRUE, nullptr));
  EXPECT_FALSE(ElementById(document_, L"d"));
  EXPECT_FALSE(ElementById(document_, L"s"));
}

TEST_F(Elements, RemoveNodeShallowLeavesTheChildrenInItsPlace) {
  Ptr<IHTMLElement> div = Load(L"<body><p>a</p><div id=d><span id=s>x</span>y</div><p>b</p></body>", L"d");
  ASSERT_HRESULT_SUCCEEDED(QueryAs<IHTMLDOMNode>(div.get())->removeNode(VARIANT_FALSE, nullptr));
  EXPECT_FALSE(ElementById(document_, L"d"));
  EXPECT_EQ(TextOf(Body(document_).get(), &IHTMLElement::get_innerHTML), L"<P>a</P><SPAN id=\"s\">x</SPAN>y<P>b</P>");
}

TEST_F(Elements, NodesKnowTheirKindNameAndNeighbours) {
  Ptr<IHTMLElement> p = Load(L"<body><p id=p>one<b>two</b><!--c--></p></body>", L"p");
  ASSERT_EQ(ChildCount(p.get()), 3);
  Ptr<IHTMLDOMNode> text = ChildAt(p.get(), 0), bold = ChildAt(p.get(), 1), comment = ChildAt(p.get(), 2);
  LONG type = 0;
  ASSERT_HRESULT_SUCCEEDED(text->get_nodeType(&type));
  EXPECT_EQ(type, 3);
  EXPECT_EQ(TextOf(text.get(), &IHTMLDOMNode::get_nodeName), L"#text");
  Variant value;
  ASSERT_HRESULT_SUCCEEDED(text->get_nodeValue(value.Out()));
  EXPECT_EQ(value.Text(), L"one");
  ASSERT_HRESULT_SUCCEEDED(bold->get_nodeType(&type));
  EXPECT_EQ(type, 1);
  EXPECT_EQ(TextOf(bold.get(), &IHTMLDOMNode::get_nodeName), L"B");
  ASSERT_HRESULT_SUCCEEDED(bold->get_nodeValue(value.Out()));
  EXPECT_EQ(value.Type(), VT_NULL);
  ASSERT_HRESULT_SUCCEEDED(comment->get_nodeType(&type));
  EXPECT_EQ(type, 8);
  Ptr<IHTMLDOMNode> next, parent;
  ASSERT_HRESULT_SUCCEEDED(text->get_nextSibling(next.Out()));
  EXPECT_EQ(QueryAs<IUnknown>(next.get()).get(), QueryAs<IUnknown>(bold.get()).get());
  ASSERT_HRESULT_SUCCEEDED(comment->get_parentNode(parent.Out()));
  EXPECT_EQ(QueryAs<IUnknown>(parent.get()).get(), QueryAs<IUnknown>(p.get()).get());
  IHTMLDOMNode* none = Unwritten<IHTMLDOMNode>();
  ASSERT_HRESULT_SUCCEEDED(comment->get_nextSibling(&none));
  EXPECT_EQ(none, nullptr);
  EXPECT_FALSE(QueryAs<IHTMLElement>(text.get()));
}

TEST_F(Elements, WhitespaceOnlyTextIsKept) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d> <span>x</span>\n </div></body>", L"d");
  EXPECT_EQ(ChildCount(div.get()), 3);
}

TEST_F(Elements, InsertBeforeAndAppendChildMoveNodes) {
  Ptr<IHTMLElement> list = Load(L"<body><div id=d><i id=a>a</i><i id=b>b</i></div></body>", L"d");
  Ptr<IHTMLDOMNode> node = QueryAs<IHTMLDOMNode>(list.get());
  Ptr<IHTMLDOMNode> a = QueryAs<IHTMLDOMNode>(ElementById(document_, L"a").get());
  Ptr<IHTMLDOMNode> b = QueryAs<IHTMLDOMNode>(ElementById(document_, L"b").get());
  Ptr<IHTMLDOMNode> moved;
  ASSERT_HRESULT_SUCCEEDED(node->insertBefore(b.get(), Variant::Object(a.get()), moved.Out()));
  EXPECT_EQ(TextOf(list.get(), &IHTMLElement::get_innerHTML), L"<I id=\"b\">b</I><I id=\"a\">a</I>");
  ASSERT_HRESULT_SUCCEEDED(node->appendChild(b.get(), moved.Out()));
  EXPECT_EQ(TextOf(list.get(), &IHTMLElement::get_innerHTML), L"<I id=\"a\">a</I><I id=\"b\">b</I>");
  EXPECT_EQ(a->appendChild(node.get(), moved.Out()), E_INVALIDARG);  // a node cannot hold its ancestor
}

TEST_F(Elements, ReplaceChildPutsTheNewNodeInTheOldOnesPlace) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d><i id=a>a</i><b>b</b></div></body>", L"d");
  Ptr<IHTMLElement> created;
  ASSERT_HRESULT_SUCCEEDED(document_->createElement(Bstr(L"u"), created.Out()));
  Ptr<IHTMLDOMNode> old;
  ASSERT_HRESULT_SUCCEEDED(div.As<IHTMLDOMNode>()->replaceChild(
      created.As<IHTMLDOMNode>().get(), QueryAs<IHTMLDOMNode>(ElementById(document_, L"a").get()).get(), old.Out()));
  EXPECT_EQ(TextOf(old.get(), &IHTMLDOMNode::get_nodeName), L"I");
  EXPECT_EQ(TextOf(div.get(), &IHTMLElement::get_innerHTML), L"<U></U><B>b</B>");
}

TEST_F(Elements, InsertAdjacentTextAddsPlainText) {
  Ptr<IHTMLElement> p = Load(L"<body><p id=p>x</p></body>", L"p");
  ASSERT_HRESULT_SUCCEEDED(p->insertAdjacentText(Bstr(L"afterBegin"), Bstr(L"<b> & ")));
  EXPECT_EQ(TextOf(p.get(), &IHTMLElement::get_innerHTML), L"&lt;b&gt; &amp; x");
}

TEST_F(Elements, ChildrenAndAllOfAnElementListItsElements) {
  Ptr<IHTMLElement> div = Load(L"<body><div id=d><p><b>x</b></p>t<p>y</p></div></body>", L"d");
  Ptr<IDispatch> children, all;
  ASSERT_HRESULT_SUCCEEDED(div->get_children(children.Out()));
  EXPECT_EQ(Length(children.As<IHTMLElementCollection>().get()), 2);
  ASSERT_HRESULT_SUCCEEDED(div->get_all(all.Out()));
  Ptr<IHTMLElementCollection> descendants = all.As<IHTMLElementCollection>();
  ASSERT_EQ(Length(descendants.get()), 3);
  EXPECT_EQ(TagName(ItemAt(descendants.get(), 1).get()), L"B");
  Ptr<IDispatch> found;
  ASSERT_HRESULT_SUCCEEDED(descendants->tags(Variant::Text(L"p"), found.Out()));
  EXPECT_EQ(Length(found.As<IHTMLElementCollection>().get()), 2);
  VARIANT_BOOL contains = VARIANT_FALSE;
  ASSERT_HRESULT_SUCCEEDED(div->contains(ItemAt(descendants.get(), 1).get(), &contains));
  EXPECT_EQ(contains, VARIANT_TRUE);
  ASSERT_HRESULT_SUCCEEDED(div->contains(Body(document_).get(), &contains));
  EXPECT_EQ(contains, VARIANT_FALSE);
  Ptr<IHTMLElementCollection> byTag;
  ASSERT_HRESULT_SUCCEEDED(div.As<IHTMLElement2>()->getElementsByTagName(Bstr(L"B"), byTag.Out()));
  EXPECT_EQ(Length(byTag.get()), 1);
}

// --- text held as a property ---------------------------------------------------------------------------

TEST_F(Elements, TitleStyleAndScriptHoldTheirTextWithoutChildNodes) {
  ASSERT_TRUE(LoadAndWait(document_,
                          L"<html><head><title id=t>The &amp; title</title><style id=st>p { color: red }</style>"
                          L"<script id=sc>if (a < b) go();</script></head><body></body></html>"));
  Ptr<IHTMLElement> title = ElementById(document_, L"t"), style = ElementById(document_, L"st"),
                    script = ElementById(document_, L"sc");
  EXPECT_EQ(ChildCount(title.get()), 0);
  EXPECT_EQ(ChildCount(style.get()), 0);
  EXPECT_EQ(ChildCount(script.get()), 0);
  EXPECT_EQ(TextOf(title.As<IHTMLTitleElement>().get(), &IHTMLTitleElement::get_text), L"The & title");
  EXPECT_EQ(TextOf(script.As<IHTMLScriptElement>().get(), &IHTMLScriptElement::get_text), L"if (a < b) go();");
  ASSERT_HRESULT_SUCCEEDED(script.As<IHTMLScriptElement>()->put_text(Bstr(L"x = 1;")));
  EXPECT_EQ(TextOf(script.get(), &IHTMLElement::get_innerHTML), L"x = 1;");
  EXPECT_FALSE(title.As<IHTMLScriptElement>());  // only the interfaces of the tag
  EXPECT_FALSE(script.As<IHTMLInputElement>());
}

TEST_F(Elements, TheStyleElementLeadsToItsSheet) {
  ASSERT_TRUE(LoadAndWait(document_, L"<html><head><style id=st>p { color: red }</style></head><body></body></html>"));
  Ptr<IHTMLStyleElement> style = ElementById(document_, L"st").As<IHTMLStyleElement>();
  ASSERT_TRUE(style);
  Ptr<IHTMLStyleSheet> sheet;
  HRESULT hr = style->get_styleSheet(sheet.Out());
  if (hr == E_NOTIMPL) GTEST_SKIP() << "the engine is built without the style objects";
  ASSERT_HRESULT_SUCCEEDED(hr);
  EXPECT_TRUE(sheet);
}

TEST_F(Elements, InlineAndCurrentStyleAreReachable) {
  Ptr<IHTMLElement> span = Load(L"<body><span id=s style='width: 65px'>x</span></body>", L"s");
  Ptr<IHTMLStyle> style;
  HRESULT hr = span->get_style(style.Out());
  if (hr == E_NOTIMPL) GTEST_SKIP() << "the engine is built without the style objects";
  ASSERT_HRESULT_SUCCEEDED(hr);
  EXPECT_TRUE(style);
  Ptr<IHTMLCurrentStyle> current;
  ASSERT_HRESULT_SUCCEEDED(span.As<IHTMLElement2>()->get_currentStyle(current.Out()));
  EXPECT_TRUE(current);
  LONG width = 0;
  ASSERT_HRESULT_SUCCEEDED(span->get_offsetWidth(&width));
  EXPECT_EQ(width, 65);  // border-box sizes: the offset width is the style's width
}

TEST_F(Elements, ACommentsTextIsItsWholeMarkup) {
  ASSERT_TRUE(LoadAndWait(document_, L"<!DOCTYPE html><html><body><!-- note --></body></html>"));
  Ptr<IHTMLElementCollection> all = All(document_);
  Ptr<IHTMLCommentElement> doctype = ItemAt(all.get(), 0).As<IHTMLCommentElement>();
  ASSERT_TRUE(doctype);
  EXPECT_EQ(TextOf(doctype.get(), &IHTMLCommentElement::get_text), L"<!DOCTYPE html>");
  Ptr<IHTMLElement> comment = ItemAt(all.get(), Length(all.get()) - 1);
  EXPECT_EQ(TagName(comment.get()), L"!");
  Ptr<IHTMLCommentElement> note = comment.As<IHTMLCommentElement>();
  EXPECT_EQ(TextOf(note.get(), &IHTMLCommentElement::get_text), L"<!-- note -->");
  ASSERT_HRESULT_SUCCEEDED(note->put_text(Bstr(L"<!--changed-->")));
  EXPECT_EQ(TextOf(note.get(), &IHTMLCommentElement::get_text), L"<!--changed-->");
  EXPECT_EQ(OuterHtml(comment.get()), L"<!--changed-->");
  EXPECT_EQ(Attribute(comment.get(), L"id").Type(), VT_NULL);
}

}  // namespace
