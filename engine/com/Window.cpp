#include "engine/com/Window.h"

#include "dom/document.h"
#include "engine/com/ComValues.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::RefPtr;

// --- window ------------------------------------------------------------------------------------------

HRESULT CWindow::Get(CHtmlDocument& document, IHTMLWindow2** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (CWindow* existing = document.WindowObject()) return ReturnInterface<IHTMLWindow2>(existing, out);
  auto* window = new CWindow(document);
  document.SetWindowObject(window);
  *out = window;  // takes over the first reference
  return S_OK;
}

CWindow::CWindow(CHtmlDocument& document) : document_(CComRef<CHtmlDocument>::Share(&document)) {}

CWindow::~CWindow() { document_->SetWindowObject(nullptr); }

HRESULT CWindow::Self(IHTMLWindow2** p) {
  if (!p) return E_POINTER;
  return ReturnInterface<IHTMLWindow2>(this, p);
}

HRESULT CWindow::get_document(IHTMLDocument2** p) {
  if (!p) return E_POINTER;
  return ReturnInterface<IHTMLDocument2>(document_.get(), p);
}

HRESULT CWindow::get_Option(IHTMLOptionElementFactory** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return COptionFactory::Create(*document_, p); });
}

HRESULT CWindow::get_self(IHTMLWindow2** p) { return Self(p); }
HRESULT CWindow::get_window(IHTMLWindow2** p) { return Self(p); }
HRESULT CWindow::get_top(IHTMLWindow2** p) { return Self(p); }
HRESULT CWindow::get_parent(IHTMLWindow2** p) { return Self(p); }

HRESULT CWindow::get_closed(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = VARIANT_FALSE;
  return S_OK;
}

HRESULT CWindow::toString(BSTR* text) {
  if (!text) return E_POINTER;
  return ReturnString(u"[object Window]", text);
}

const NamedPropertyTable<CWindow>& CWindow::Properties() {
  static const NamedProperty<CWindow> kEntries[] = {
      {L"Option", 1,
       [](CWindow& w, VARIANT* r) {
         IHTMLOptionElementFactory* factory = nullptr;
         HRESULT hr = w.get_Option(&factory);
         if (SUCCEEDED(hr)) {
           V_VT(r) = VT_DISPATCH;
           V_DISPATCH(r) = factory;
         }
         return hr;
       },
       nullptr},
      {L"document", 2,
       [](CWindow& w, VARIANT* r) {
         IHTMLDocument2* document = nullptr;
         HRESULT hr = w.get_document(&document);
         if (SUCCEEDED(hr)) {
           V_VT(r) = VT_DISPATCH;
           V_DISPATCH(r) = document;
         }
         return hr;
       },
       nullptr},
  };
  static const NamedPropertyTable<CWindow> kTable(kEntries);
  return kTable;
}

// --- option factory ----------------------------------------------------------------------------------

HRESULT COptionFactory::Create(CHtmlDocument& document, IHTMLOptionElementFactory** out) {
  *out = new COptionFactory(document);
  return S_OK;
}

COptionFactory::COptionFactory(CHtmlDocument& document) : document_(CComRef<CHtmlDocument>::Share(&document)) {}
COptionFactory::~COptionFactory() = default;

HRESULT COptionFactory::create(VARIANT text, VARIANT value, VARIANT defaultSelected, VARIANT selected,
                               IHTMLOptionElement** option) {
  if (!option) return E_POINTER;
  *option = nullptr;
  return Guarded([&]() -> HRESULT {
    RefPtr<Element> created = document_->Tree().CreateElement(u"option");
    std::u16string words;
    if (!IsMissing(text)) {
      HRESULT hr = TextOfVariant(text, words);
      if (FAILED(hr)) return hr;
      ReplaceChildrenWithText(*created, words);
    }
    if (!IsMissing(value)) {
      HRESULT hr = TextOfVariant(value, words);
      if (FAILED(hr)) return hr;
      created->SetAttribute(u"value", words);
    }
    bool flag = false;
    if (!IsMissing(defaultSelected) && SUCCEEDED(BoolOfVariant(defaultSelected, flag)) && flag)
      created->SetAttribute(u"selected", u"");
    if (!IsMissing(selected) && SUCCEEDED(BoolOfVariant(selected, flag)) && flag)
      document_->FormState().SetSelected(*created, true);
    return WrapNodeAs(*document_, created.get(), option);
  });
}

}  // namespace vellum::engine::com
