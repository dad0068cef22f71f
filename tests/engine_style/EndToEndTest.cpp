// The style objects as the control reaches them: document → all → element → style / currentStyle.
// The engine is the DLL built beside this test, asked for the document class directly through its
// DllGetClassObject, so that the run does not depend on which build is registered in the shared
// prefix.
#include <gtest/gtest.h>

#include <ocidl.h>

#include <string>

#include "MessagePump.h"
#include "StyleTestSupport.h"

namespace {

using st::Bstr;
using st::Variant;

template <class T>
class Ref {
 public:
  Ref() = default;
  ~Ref() { reset(); }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
  T** Out() {
    reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

class StyleEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    OleInitialize(nullptr);
    engine_ = LoadLibraryW(L"vellumengine.dll");
    ASSERT_NE(engine_, nullptr);
    auto getClassObject =
        reinterpret_cast<HRESULT(WINAPI*)(REFCLSID, REFIID, void**)>(GetProcAddress(engine_, "DllGetClassObject"));
    liveObjects_ = reinterpret_cast<LONG(WINAPI*)()>(GetProcAddress(engine_, "VellumEngine_LiveObjects"));
    ASSERT_TRUE(getClassObject && liveObjects_);
    Ref<IClassFactory> factory;
    ASSERT_EQ(getClassObject(CLSID_HTMLDocument, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IHTMLDocument2, document_.OutVoid()), S_OK);
  }

  void TearDown() override {
    document_.reset();
    if (liveObjects_) {
      EXPECT_EQ(liveObjects_(), 0);
    }
    // The engine stays loaded: COM may still hold it; the process ends soon anyway.
    OleUninitialize();
  }

  // Loads the page and waits, pumping messages, until the document completes.
  void Load(const std::wstring& html) {
    Ref<IPersistStreamInit> persist;
    ASSERT_EQ(document_->QueryInterface(IID_IPersistStreamInit, persist.OutVoid()), S_OK);
    ASSERT_EQ(persist->InitNew(), S_OK);
    const std::wstring text = html;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() * sizeof(wchar_t));
    ASSERT_NE(memory, nullptr);
    memcpy(GlobalLock(memory), text.data(), text.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    Ref<IStream> stream;
    ASSERT_EQ(CreateStreamOnHGlobal(memory, TRUE, stream.Out()), S_OK);
    ASSERT_EQ(persist->Load(stream.get()), S_OK);
    ASSERT_TRUE(vt::PumpUntil([&] {
      Bstr state;
      return SUCCEEDED(document_->get_readyState(state.Out())) && state.Text() == L"complete";
    }));
  }

  // The element with that id, through document.all.
  void ElementById(const std::wstring& id, Ref<IHTMLElement>& element) {
    Ref<IHTMLElementCollection> all;
    ASSERT_EQ(document_->get_all(all.Out()), S_OK);
    LONG length = 0;
    ASSERT_EQ(all->get_length(&length), S_OK);
    for (LONG i = 0; i < length; ++i) {
      Ref<IDispatch> item;
      Variant index(i), none;
      if (FAILED(all->item(index.get(), none.get(), item.Out())) || !item.get()) continue;
      if (FAILED(item->QueryInterface(IID_IHTMLElement, element.OutVoid()))) continue;
      Bstr itemId;
      if (SUCCEEDED(element->get_id(itemId.Out())) && itemId.Text() == id) return;
    }
    element.reset();
    FAIL() << "no element with that id";
  }

  Ref<IHTMLDocument2> document_;

 private:
  HMODULE engine_ = nullptr;
  LONG(WINAPI* liveObjects_)() = nullptr;
};

TEST_F(StyleEndToEnd, ElementStyleWritesTheNormalisedTextAndCurrentStyleReadsItBack) {
  Load(
      L"<html><body><span id=label1 style='position:absolute;left:1px;top:2px;width:65px;height:20px'>label1"
      L"</span></body></html>");
  Ref<IHTMLElement> label;
  ElementById(L"label1", label);
  ASSERT_TRUE(label.get());

  Ref<IHTMLStyle> style;
  ASSERT_EQ(label->get_style(style.Out()), S_OK);
  ASSERT_EQ(style->put_left(Variant(10).get()), S_OK);
  ASSERT_EQ(style->put_top(Variant(20).get()), S_OK);
  Bstr css;
  ASSERT_EQ(style->get_cssText(css.Out()), S_OK);
  EXPECT_EQ(css.Text(), L"left: 10px; top: 20px; width: 65px; height: 20px; position: absolute");

  Ref<IHTMLElement2> label2;
  ASSERT_EQ(label->QueryInterface(IID_IHTMLElement2, label2.OutVoid()), S_OK);
  Ref<IHTMLCurrentStyle> current;
  ASSERT_EQ(label2->get_currentStyle(current.Out()), S_OK);
  Variant zIndex;
  ASSERT_EQ(current->get_zIndex(zIndex.Out()), S_OK);
  EXPECT_EQ(zIndex.Text(), L"auto");
  ASSERT_EQ(style->put_zIndex(Variant(3).get()), S_OK);
  ASSERT_EQ(current->get_zIndex(zIndex.Out()), S_OK);
  EXPECT_EQ(zIndex.Number(), 3);
  EXPECT_EQ(st::TextByName(current.get(), L"position"), L"absolute");

  LONG offset = -1;
  ASSERT_EQ(label->get_offsetLeft(&offset), S_OK);
  EXPECT_EQ(offset, 10);
  ASSERT_EQ(label->get_offsetWidth(&offset), S_OK);
  EXPECT_EQ(offset, 65);
  ASSERT_EQ(label->get_offsetHeight(&offset), S_OK);
  EXPECT_EQ(offset, 20);
}

TEST_F(StyleEndToEnd, StyleElementsSheetHoldsItsTextAndFeedsTheCascade) {
  Load(L"<html><head><style id=sheet>span { color: red }</style></head><body><span id=a>x</span></body></html>");
  Ref<IHTMLElement> sheetElement, span;
  ElementById(L"sheet", sheetElement);
  ElementById(L"a", span);
  ASSERT_TRUE(sheetElement.get() && span.get());
  Ref<IHTMLStyleElement> styleElement;
  ASSERT_EQ(sheetElement->QueryInterface(IID_IHTMLStyleElement, styleElement.OutVoid()), S_OK);
  Ref<IHTMLStyleSheet> sheet;
  ASSERT_EQ(styleElement->get_styleSheet(sheet.Out()), S_OK);
  Bstr text;
  ASSERT_EQ(sheet->get_cssText(text.Out()), S_OK);
  EXPECT_EQ(text.Text(), L"span { color: red }");

  Ref<IHTMLElement2> span2;
  ASSERT_EQ(span->QueryInterface(IID_IHTMLElement2, span2.OutVoid()), S_OK);
  Ref<IHTMLCurrentStyle> current;
  ASSERT_EQ(span2->get_currentStyle(current.Out()), S_OK);
  EXPECT_EQ(st::TextByName(current.get(), L"color"), L"red");
  ASSERT_EQ(sheet->put_cssText(Bstr(L"span { color: blue }")), S_OK);
  EXPECT_EQ(st::TextByName(current.get(), L"color"), L"blue");
}

}  // namespace
