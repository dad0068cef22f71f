// The document's object model: decoding of what is loaded, `all` and its order, lookups, the title,
// the window object, the element under a point and loading a file through a moniker.
#include <gtest/gtest.h>

#include <fstream>

#include "EngineTestSupport.h"
#include "MessagePump.h"

namespace {

using namespace et;

class DocumentModel : public DocumentTest {};

std::wstring BodyText(IHTMLDocument2* document) { return InnerText(Body(document).get()); }

TEST_F(DocumentModel, Utf16TextWithoutMarkIsRecognised) {
  ASSERT_TRUE(LoadAndWait(document_, L"<html><body><p>caf\u00e9 \u20ac</p></body></html>"));
  EXPECT_EQ(BodyText(document_), L"caf\u00e9 \u20ac");
}

TEST_F(DocumentModel, Utf8BytesFollowTheirMetaCharset) {
  ASSERT_TRUE(
      LoadBytesAndWait(document_, "<html><head><meta charset=\"utf-8\"></head><body><p>caf\xc3\xa9</p></body></html>"));
  EXPECT_EQ(BodyText(document_), L"caf\u00e9");
}

TEST_F(DocumentModel, Utf8BytesWithAMarkNeedNoMeta) {
  ASSERT_TRUE(LoadBytesAndWait(document_, "\xef\xbb\xbf<p>caf\xc3\xa9</p>"));
  EXPECT_EQ(BodyText(document_), L"caf\u00e9");
}

TEST_F(DocumentModel, BytesWithoutMarkOrMetaAreReadInTheAnsiCodePage) {
  ASSERT_TRUE(LoadBytesAndWait(document_, "<p>caf\xc3\xa9</p>"));
  EXPECT_EQ(BodyText(document_), L"caf\u00c3\u00a9");  // Windows-1252, byte by byte
}

TEST_F(DocumentModel, AllIsEmptyWhileLoading) {
  ASSERT_HRESULT_SUCCEEDED(LoadUtf16(document_, L"<p>soon</p>"));
  EXPECT_EQ(Length(All(document_).get()), 0);
  ASSERT_TRUE(WaitComplete(document_));
  EXPECT_GT(Length(All(document_).get()), 0);
}

TEST_F(DocumentModel, AllListsElementsAndCommentsInTreeOrderWithTheirSourceIndex) {
  ASSERT_TRUE(LoadAndWait(document_,
                          L"<!DOCTYPE html><html><head><title>t</title></head>"
                          L"<body><!-- note --><div><span>a</span>text<b>b</b></div><p>c</p></body></html>"));
  Ptr<IHTMLElementCollection> all = All(document_);
  std::vector<std::wstring> tags;
  for (LONG i = 0; i < Length(all.get()); ++i) {
    Ptr<IHTMLElement> element = ItemAt(all.get(), i);
    ASSERT_TRUE(element) << "item " << i;
    tags.push_back(TagName(element.get()));
    LONG index = -2;
    ASSERT_HRESULT_SUCCEEDED(element->get_sourceIndex(&index));
    EXPECT_EQ(index, i);
  }
  EXPECT_EQ(tags,
            (std::vector<std::wstring>{L"!", L"HTML", L"HEAD", L"TITLE", L"BODY", L"!", L"DIV", L"SPAN", L"B", L"P"}));
}

TEST_F(DocumentModel, AllFollowsTheTreeAsItChanges) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><p>a</p></body>"));
  Ptr<IHTMLElementCollection> all = All(document_);
  LONG before = Length(all.get());
  ASSERT_HRESULT_SUCCEEDED(Body(document_)->insertAdjacentHTML(Bstr(L"beforeEnd"), Bstr(L"<i>x</i><u>y</u>")));
  EXPECT_EQ(Length(all.get()), before + 2);
  EXPECT_EQ(TagName(ItemAt(all.get(), before + 1).get()), L"U");
}

TEST_F(DocumentModel, ItemBeyondTheEndIsEmpty) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p>a</p>"));
  Ptr<IHTMLElementCollection> all = All(document_);
  IDispatch* item = Unwritten<IDispatch>();
  EXPECT_EQ(all->item(Variant::Long(999), Variant::Long(0), &item), S_OK);
  EXPECT_EQ(item, nullptr);
}

TEST_F(DocumentModel, ItemByIdFindsTheElementAndSeveralMatchesGiveACollection) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p id=one>a</p><input name=twice><input name=twice>"));
  Ptr<IHTMLElementCollection> all = All(document_);
  Ptr<IDispatch> item;
  ASSERT_HRESULT_SUCCEEDED(all->item(Variant::Text(L"one"), Variant(), item.Out()));
  EXPECT_EQ(TagName(item.As<IHTMLElement>().get()), L"P");
  ASSERT_HRESULT_SUCCEEDED(all->item(Variant::Text(L"twice"), Variant(), item.Out()));
  EXPECT_EQ(Length(item.As<IHTMLElementCollection>().get()), 2);
  ASSERT_HRESULT_SUCCEEDED(all->item(Variant::Text(L"twice"), Variant::Long(1), item.Out()));
  EXPECT_EQ(TagName(item.As<IHTMLElement>().get()), L"INPUT");
  ASSERT_HRESULT_SUCCEEDED(all->item(Variant::Text(L"nobody"), Variant(), item.Out()));
  EXPECT_FALSE(item);
}

TEST_F(DocumentModel, TagsFindsMetaElementsWhateverTheCase) {
  ASSERT_TRUE(LoadAndWait(document_,
                          L"<html><head><meta name=a content=1><META NAME=b CONTENT=2><title>x</title></head>"
                          L"<body><meta name=c></body></html>"));
  Ptr<IDispatch> found;
  ASSERT_HRESULT_SUCCEEDED(All(document_)->tags(Variant::Text(L"Meta"), found.Out()));
  Ptr<IHTMLElementCollection> metas = found.As<IHTMLElementCollection>();
  ASSERT_EQ(Length(metas.get()), 3);
  std::vector<std::wstring> names;
  for (LONG i = 0; i < 3; ++i)
    names.push_back(TextOf(ItemAt(metas.get(), i).As<IHTMLMetaElement>().get(), &IHTMLMetaElement::get_name));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST_F(DocumentModel, BodyAndDocumentElementAreReachable) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p>x</p>"));
  EXPECT_EQ(TagName(Body(document_).get()), L"BODY");
  Ptr<IHTMLDocument3> document3 = QueryAs<IHTMLDocument3>(document_);
  ASSERT_TRUE(document3);
  Ptr<IHTMLElement> root;
  ASSERT_HRESULT_SUCCEEDED(document3->get_documentElement(root.Out()));
  EXPECT_EQ(TagName(root.get()), L"HTML");
  IHTMLElement* none = Unwritten<IHTMLElement>();
  EXPECT_EQ(root->get_parentElement(&none), S_OK);
  EXPECT_EQ(none, nullptr);
}

TEST_F(DocumentModel, TitleIsReadAndWrittenThroughTheTitleElement) {
  ASSERT_TRUE(LoadAndWait(document_, L"<html><head><title>First</title></head><body></body></html>"));
  EXPECT_EQ(TextOf(document_, &IHTMLDocument2::get_title), L"First");
  ASSERT_HRESULT_SUCCEEDED(document_->put_title(Bstr(L"Second")));
  Ptr<IDispatch> found;
  ASSERT_HRESULT_SUCCEEDED(All(document_)->tags(Variant::Text(L"title"), found.Out()));
  Ptr<IHTMLTitleElement> title = ItemAt(found.As<IHTMLElementCollection>().get(), 0).As<IHTMLTitleElement>();
  EXPECT_EQ(TextOf(title.get(), &IHTMLTitleElement::get_text), L"Second");
}

TEST_F(DocumentModel, APageWithoutTitleGetsOneInItsHead) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p>x</p>"));
  EXPECT_EQ(TextOf(document_, &IHTMLDocument2::get_title), L"");
  ASSERT_HRESULT_SUCCEEDED(document_->put_title(Bstr(L"Named")));
  EXPECT_EQ(TextOf(document_, &IHTMLDocument2::get_title), L"Named");
}

TEST_F(DocumentModel, CreatedElementsStayOutsideTheTreeUntilInserted) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p>x</p>"));
  Ptr<IHTMLElement> created;
  ASSERT_HRESULT_SUCCEEDED(document_->createElement(Bstr(L"span"), created.Out()));
  EXPECT_EQ(TagName(created.get()), L"SPAN");
  LONG index = 0;
  ASSERT_HRESULT_SUCCEEDED(created->get_sourceIndex(&index));
  EXPECT_EQ(index, -1);
  Ptr<IHTMLDOMNode> appended;
  ASSERT_HRESULT_SUCCEEDED(
      Body(document_).As<IHTMLDOMNode>()->appendChild(created.As<IHTMLDOMNode>().get(), appended.Out()));
  ASSERT_HRESULT_SUCCEEDED(created->get_sourceIndex(&index));
  EXPECT_EQ(index, Length(All(document_).get()) - 1);
  IHTMLElement* refused = Unwritten<IHTMLElement>();
  EXPECT_EQ(document_->createElement(Bstr(L"<b>"), &refused), E_INVALIDARG);
  EXPECT_EQ(refused, nullptr);
}

TEST_F(DocumentModel, TheParentWindowIsOneObjectThatLeadsBackToTheDocument) {
  Ptr<IHTMLWindow2> window, again;
  ASSERT_HRESULT_SUCCEEDED(document_->get_parentWindow(window.Out()));
  ASSERT_HRESULT_SUCCEEDED(document_->get_parentWindow(again.Out()));
  EXPECT_EQ(window.get(), again.get());
  Ptr<IHTMLDocument2> back;
  ASSERT_HRESULT_SUCCEEDED(window->get_document(back.Out()));
  EXPECT_EQ(back.As<IUnknown>().get(), QueryAs<IUnknown>(document_).get());
}

TEST_F(DocumentModel, ThePointOverEmptyAreaFindsTheBody) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><span>x</span></body>"));
  Ptr<IHTMLElement> hit;
  ASSERT_HRESULT_SUCCEEDED(document_->elementFromPoint(500, 500, hit.Out()));
  EXPECT_EQ(TagName(hit.get()), L"BODY");
  // Beyond the page's window there is nothing.
  Ptr<IHTMLElement> outside;
  ASSERT_HRESULT_SUCCEEDED(document_->elementFromPoint(5000, 5000, outside.Out()));
  EXPECT_EQ(outside.get(), nullptr);
}

TEST_F(DocumentModel, NoElementIsUnderAPointWhileLoading) {
  ASSERT_HRESULT_SUCCEEDED(LoadUtf16(document_, L"<p>x</p>"));
  IHTMLElement* hit = Unwritten<IHTMLElement>();
  EXPECT_EQ(document_->elementFromPoint(1, 1, &hit), S_OK);
  EXPECT_EQ(hit, nullptr);
  ASSERT_TRUE(WaitComplete(document_));
}

// Needs the style objects' geometry; skipped while the engine is built without it.
TEST_F(DocumentModel, ThePointFindsTheTopmostPositionedElement) {
  ASSERT_TRUE(LoadAndWait(
      document_,
      L"<body>"
      L"<span id=low style='position:absolute;left:10px;top:20px;width:65px;height:20px;z-index:2'>a</span>"
      L"<span id=high style='position:absolute;left:40px;top:30px;width:65px;height:20px;z-index:1'>b</span>"
      L"<div id=box style='position:absolute;left:200px;top:200px;width:100px;height:100px'>"
      L"<span id=inner style='position:absolute;left:10px;top:10px;width:20px;height:20px'>c</span></div>"
      L"</body>"));
  LONG width = 0;
  ASSERT_HRESULT_SUCCEEDED(ElementById(document_, L"low")->get_offsetWidth(&width));
  if (width == 0) GTEST_SKIP() << "the engine is built without the style objects' geometry";
  EXPECT_EQ(width, 65);
  auto idAt = [&](LONG x, LONG y) {
    Ptr<IHTMLElement> hit;
    document_->elementFromPoint(x, y, hit.Out());
    return hit ? TextOf(hit.get(), &IHTMLElement::get_id) : L"<none>";
  };
  EXPECT_EQ(idAt(15, 25), L"low");
  EXPECT_EQ(idAt(50, 35), L"low");  // both hold the point; the higher z-index wins
  EXPECT_EQ(idAt(100, 45), L"high");
  EXPECT_EQ(idAt(215, 215), L"inner");  // offsets of a child count from its positioned parent
  EXPECT_EQ(idAt(250, 250), L"box");
  EXPECT_EQ(idAt(5, 5), L"");  // the body has no id
}

TEST_F(DocumentModel, TheBodyHasNoClientAreaWithoutAWindow) {
  ASSERT_TRUE(LoadAndWait(document_, L"<p>x</p>"));
  Ptr<IHTMLElement2> body = Body(document_).As<IHTMLElement2>();
  LONG width = -1, height = -1, left = -1, top = -1;
  ASSERT_HRESULT_SUCCEEDED(body->get_clientWidth(&width));
  ASSERT_HRESULT_SUCCEEDED(body->get_clientHeight(&height));
  ASSERT_HRESULT_SUCCEEDED(body->get_clientLeft(&left));
  ASSERT_HRESULT_SUCCEEDED(body->get_clientTop(&top));
  EXPECT_EQ(width, 0);
  EXPECT_EQ(height, 0);
  EXPECT_EQ(left, 0);
  EXPECT_EQ(top, 0);
}

TEST_F(DocumentModel, MonikerLoadReadsTheFile) {
  wchar_t directory[MAX_PATH], path[MAX_PATH];
  ASSERT_TRUE(GetTempPathW(MAX_PATH, directory));
  ASSERT_TRUE(GetTempFileNameW(directory, L"vel", 0, path));
  {
    std::ofstream file(path, std::ios::binary);
    file << "<html><head><title>From file</title></head><body><p id=p>on disk</p></body></html>";
  }
  std::wstring url = L"file:///" + std::wstring(path);
  for (wchar_t& c : url)
    if (c == L'\\') c = L'/';
  Ptr<IMoniker> moniker;
  ASSERT_HRESULT_SUCCEEDED(CreateURLMonikerEx(nullptr, url.c_str(), moniker.Out(), URL_MK_UNIFORM));
  Ptr<IBindCtx> context;
  ASSERT_HRESULT_SUCCEEDED(CreateBindCtx(0, context.Out()));
  Ptr<IPersistMoniker> persist = QueryAs<IPersistMoniker>(document_);
  ReadyStateSink sink(document_);
  ASSERT_HRESULT_SUCCEEDED(persist->Load(TRUE, moniker.get(), context.get(), 0));
  EXPECT_EQ(ReadyState(document_), READYSTATE_LOADING);
  ASSERT_TRUE(WaitComplete(document_));
  vt::PumpFor(30);
  EXPECT_EQ(sink.Completions(), 1);
  EXPECT_EQ(TextOf(document_, &IHTMLDocument2::get_title), L"From file");
  EXPECT_EQ(InnerText(ElementById(document_, L"p").get()), L"on disk");
  DeleteFileW(path);
}

}  // namespace
