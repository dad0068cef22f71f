#include "engine/com/HtmlDocument.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "encoding/document_decoder.h"
#include "engine/com/ComValues.h"
#include "engine/com/ConnectionPoint.h"
#include "engine/com/DocumentSource.h"
#include "engine/com/EngineModule.h"
#include "engine/com/Win32CodePageConverter.h"
#include "parser/html_parser.h"

namespace vellum::engine::com {

namespace {

const wchar_t kWindowClass[] = L"VellumEngineDocument";
constexpr UINT kCompleteLoadMessage = WM_APP + 1;

bool RegisterWindowClass() {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc = {sizeof wc};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = ModuleInstance();
  wc.lpszClassName = kWindowClass;
  registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

}  // namespace

HRESULT CreateHtmlDocument(REFIID riid, void** out) {
  auto* document = new (std::nothrow) CHtmlDocument;
  if (!document) return E_OUTOFMEMORY;
  HRESULT hr = document->Init() ? document->QueryInterface(riid, out) : E_FAIL;
  document->Release();
  return hr;
}

CHtmlDocument::CHtmlDocument()
    : tree_(vellum::engine::Document::Create()), notifyPoint_(new CPropertyNotifyPoint(this)) {}

bool CHtmlDocument::Init() {
  if (!RegisterWindowClass()) return false;
  window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ModuleInstance(), nullptr);
  if (!window_) return false;
  SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CHtmlDocument::WindowProc));
  return true;
}

CHtmlDocument::~CHtmlDocument() {
  DestroyView();
  inPlaceSite_.Reset();
  clientSite_.Reset();
  if (window_) DestroyWindow(window_);
  notifyPoint_->Disconnect();
}

HRESULT CHtmlDocument::QueryInterfaceImpl(REFIID riid, void** out) {
  return QueryInterfaceOf<IHTMLDocument2, IHTMLDocument, Via<IDispatch, IHTMLDocument2>, IHTMLDocument3,
                          IPersistStreamInit, IPersistMoniker, IPersist, IConnectionPointContainer, IOleObject,
                          Via<IOleWindow, IOleInPlaceObject>, IOleInPlaceObject, IOleInPlaceActiveObject,
                          IDocumentVersion, IDocumentChanges>(this, riid, out);
}

LRESULT CALLBACK CHtmlDocument::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CHtmlDocument*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && msg == kCompleteLoadMessage) {
    self->CompleteLoad(static_cast<unsigned>(wParam));
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

// --- loading -----------------------------------------------------------------------------------------

HRESULT CHtmlDocument::InitNew() {
  ++loadGeneration_;  // a load still waiting for its parse is abandoned
  pendingInput_.clear();
  readyState_ = READYSTATE_COMPLETE;
  return Guarded([&] {
    ReplaceTree(vellum::engine::Document::Create());
    return S_OK;
  });
}

HRESULT CHtmlDocument::Load(IStream* stream) {
  if (!stream) return E_POINTER;
  std::string bytes;
  HRESULT hr = ReadWholeStream(stream, bytes);
  if (FAILED(hr)) return hr;
  return BeginLoad(std::move(bytes));
}

HRESULT CHtmlDocument::Load(BOOL, IMoniker* moniker, IBindCtx*, DWORD) {
  if (!moniker) return E_POINTER;
  std::string bytes;
  HRESULT hr = ReadMonikerFile(moniker, bytes);
  if (FAILED(hr)) return hr;
  return BeginLoad(std::move(bytes));
}

HRESULT CHtmlDocument::BeginLoad(std::string&& bytes) {
  unsigned generation = ++loadGeneration_;
  if (!PostMessageW(window_, kCompleteLoadMessage, generation, 0)) return E_FAIL;
  pendingInput_ = std::move(bytes);
  HRESULT hr = Guarded([&] {
    ReplaceTree(vellum::engine::Document::Create());  // loading: empty, no body
    return S_OK;
  });
  if (FAILED(hr)) return hr;
  SetReadyState(READYSTATE_LOADING);
  return S_OK;
}

void CHtmlDocument::CompleteLoad(unsigned generation) {
  if (generation != loadGeneration_ || readyState_ != READYSTATE_LOADING) return;
  AddRef();  // a sink may drop the last outside reference while it is told
  std::string input;
  input.swap(pendingInput_);
  Guarded([&] {
    // A page too large to hold stays empty; the load still completes.
    CWin32CodePageConverter converter;
    auto decoded = vellum::engine::encoding::DecodeDocument(input, converter);
    ReplaceTree(vellum::engine::ParseDocument(decoded.text));
    return S_OK;
  });
  SetReadyState(READYSTATE_INTERACTIVE);
  // A sink may start another load from its callback: then this one ends here.
  if (generation == loadGeneration_) SetReadyState(READYSTATE_COMPLETE);
  Release();
}

void CHtmlDocument::ReplaceTree(vellum::engine::RefPtr<vellum::engine::Document> tree) {
  formState_.Clear();
  viewFocus_.Clear();
  layout_.Forget();
  painter_.Forget();
  tree_ = std::move(tree);
  ++pagesShown_;
}

HRESULT CHtmlDocument::GetContentVersion(ULONGLONG* version) {
  if (!version) return E_POINTER;
  // The tree's version and the form state's only grow, each with every change of its own; a new page
  // starts past anything the old one reached (no page sees 2^40 changes).
  *version = (pagesShown_ << kPageShift) + tree_->Version() + formState_.Version();
  return S_OK;
}

HRESULT CHtmlDocument::GetVersions(ULONGLONG* content, ULONGLONG* tree, ULONGLONG* formState) {
  if (!content || !tree || !formState) return E_POINTER;
  *tree = tree_->Version();
  *formState = formState_.Version();
  return GetContentVersion(content);
}

HRESULT CHtmlDocument::GetElementsChangedSince(ULONGLONG content, ULONGLONG tree, ULONGLONG formState, UINT capacity,
                                               LONG* sourceIndexes, UINT* count) {
  if (!count || (capacity > 0 && !sourceIndexes)) return E_POINTER;
  *count = 0;
  // The same page, whose versions then add up to the content version then: the tree then is this one.
  if (content >> kPageShift != pagesShown_ || formState != formState_.Version() ||
      content != (pagesShown_ << kPageShift) + tree + formState)
    return S_FALSE;
  return GuardedRead([&]() -> HRESULT {
    std::vector<const vellum::engine::Element*> changed;
    if (!tree_->AttributeChangesSince(tree, changed)) return S_FALSE;
    std::vector<LONG> indexes;
    indexes.reserve(changed.size());
    for (const vellum::engine::Element* element : changed) {
      const LONG index = element->SourceIndex();
      // An element outside the page (made and not yet inserted, or inside a template) is nothing a
      // writer knows the place of.
      if (index < 0) return S_FALSE;
      indexes.push_back(index);
    }
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    if (indexes.size() > capacity) return S_FALSE;
    std::copy(indexes.begin(), indexes.end(), sourceIndexes);
    *count = static_cast<UINT>(indexes.size());
    return S_OK;
  });
}

void CHtmlDocument::SetReadyState(LONG state) {
  if (readyState_ == state) return;
  readyState_ = state;
  notifyPoint_->FireChanged(DISPID_READYSTATE);
}

// --- IPersist ----------------------------------------------------------------------------------------

HRESULT CHtmlDocument::GetClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_HTMLDocument;
  return S_OK;
}

// --- connection points -------------------------------------------------------------------------------

HRESULT CHtmlDocument::FindConnectionPoint(REFIID riid, IConnectionPoint** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!IsEqualIID(riid, IID_IPropertyNotifySink)) return CONNECT_E_NOCONNECTION;
  return ReturnInterface<IConnectionPoint>(notifyPoint_.get(), out);
}

}  // namespace vellum::engine::com

namespace vellum::engine::com {

const vellum::engine::layout::LayoutTree& CHtmlDocument::Layout() {
  // Without a view the page is laid out as if shown in a window of a common size.
  int width = 1024, height = 768;
  RECT client;
  if (view_ && GetClientRect(view_, &client)) {
    width = client.right;
    height = client.bottom;
  }
  return layout_.For(*tree_, width, height, measurer_);
}

}  // namespace vellum::engine::com
