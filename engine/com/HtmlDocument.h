// The HTML document object: the page tree, its loading and ready state, and the document interfaces.
#pragma once

#include <windows.h>
#include <mshtml.h>
#include <ocidl.h>
#include <urlmon.h>

#include <string>

#include "dom/document.h"
#include "engine/com/DocumentLayout.h"
#include "engine/com/ComObject.h"
#include "engine/com/FormState.h"
#include "engine/com/NamedProperties.h"
#include "engine/com/WrapperCache.h"
#include "engine/DocumentVersion.h"
#include "engine/com/view/GdiTextMeasurer.h"
#include "engine/com/view/ViewFocus.h"
#include "engine/com/view/ViewPainter.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CPropertyNotifyPoint;
class CWindow;

HRESULT CreateHtmlDocument(REFIID riid, void** out);

class CHtmlDocument final : public IHTMLDocument2NotImpl,
                            public IHTMLDocument3NotImpl,
                            public IPersistStreamInitNotImpl,
                            public IPersistMonikerNotImpl,
                            public IConnectionPointContainerNotImpl,
                            public IOleObjectNotImpl,
                            public IOleInPlaceObjectNotImpl,
                            public IOleInPlaceActiveObjectNotImpl,
                            public IDocumentChanges,
                            private CLiveObject {
 public:
  CHtmlDocument();
  bool Init();  // false when the document's own window cannot be made
  ENGINE_IUNKNOWN_METHODS

  // IDispatch: named properties of the document (readyState, title); HtmlDocumentModel.cpp.
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CHtmlDocument>& Properties();

  // IHTMLDocument2 (the object model: HtmlDocumentModel.cpp)
  HRESULT STDMETHODCALLTYPE get_readyState(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_body(IHTMLElement** p) override;
  HRESULT STDMETHODCALLTYPE get_all(IHTMLElementCollection** p) override;
  HRESULT STDMETHODCALLTYPE get_title(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE put_title(BSTR v) override;
  HRESULT STDMETHODCALLTYPE elementFromPoint(LONG x, LONG y, IHTMLElement** hit) override;
  HRESULT STDMETHODCALLTYPE createElement(BSTR tag, IHTMLElement** element) override;
  HRESULT STDMETHODCALLTYPE get_parentWindow(IHTMLWindow2** p) override;
  HRESULT STDMETHODCALLTYPE get_Script(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE toString(BSTR* text) override;

  // IDocumentVersion: tells a writer whether the page changed since it last wrote it.
  HRESULT STDMETHODCALLTYPE GetContentVersion(ULONGLONG* version) override;
  // The content version counts pages shown above this bit, and the tree's and form state's changes below.
  static constexpr int kPageShift = 40;
  // IDocumentChanges: which elements a writer must write again.
  HRESULT STDMETHODCALLTYPE GetVersions(ULONGLONG* content, ULONGLONG* tree, ULONGLONG* formState) override;
  HRESULT STDMETHODCALLTYPE GetElementsChangedSince(ULONGLONG content, ULONGLONG tree, ULONGLONG formState,
                                                    UINT capacity, LONG* sourceIndexes, UINT* count) override;

  // IHTMLDocument3
  HRESULT STDMETHODCALLTYPE get_documentElement(IHTMLElement** p) override;
  HRESULT STDMETHODCALLTYPE getElementById(BSTR id, IHTMLElement** element) override;
  HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR name, IHTMLElementCollection** elements) override;
  HRESULT STDMETHODCALLTYPE createTextNode(BSTR text, IHTMLDOMNode** node) override;

  // IPersist, IPersistStreamInit
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE InitNew() override;
  HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;

  // IPersistMoniker
  HRESULT STDMETHODCALLTYPE Load(BOOL fullyAvailable, IMoniker* moniker, IBindCtx* context, DWORD mode) override;

  // IConnectionPointContainer
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID riid, IConnectionPoint** out) override;

  // IOleObject, IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject: embedding and the view
  // (HtmlDocumentView.cpp).
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG msg, IOleClientSite* site, LONG index, HWND parent,
                                   LPCRECT rect) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

  // The document window while in-place active, else null.
  HWND ViewWindow() const { return view_; }
  // Asks the view to paint again, for changes the tree's version does not record (the form state, the
  // view's focus).
  void RepaintView() {
    painter_.MarkStale();
    if (view_) InvalidateRect(view_, nullptr, FALSE);
  }

  // The tree (never null: an empty document while loading).
  vellum::engine::Document& Tree() const { return *tree_; }
  // The page laid out for the view's client area (a default area while there is no view).
  const vellum::engine::layout::LayoutTree& Layout();
  // What the layout measures text with: the painter's fonts.
  CGdiTextMeasurer& Measurer() { return measurer_; }
  // The computed styles the layout keeps from one change to the next.
  vellum::engine::css::StyleCache& KeptStyles() { return layout_.Styles(); }
  LONG ReadyState() const { return readyState_; }
  // The live node objects of this document, one per node.
  CWrapperCache& Wrappers() { return wrappers_; }
  // The current state of the page's form controls.
  CFormState& FormState() { return formState_; }
  // Focus, caret and pressed button of the live form (view/).
  CViewFocus& ViewFocus() { return viewFocus_; }
  // The window object while one is alive (it registers and unregisters itself).
  CWindow* WindowObject() const { return windowObject_; }
  void SetWindowObject(CWindow* window) { windowObject_ = window; }

 private:
  ~CHtmlDocument();
  HRESULT QueryInterfaceImpl(REFIID riid, void** out);
  // Takes the bytes of a load and schedules the parse through the document's window.
  HRESULT BeginLoad(std::string&& bytes);
  void CompleteLoad(unsigned generation);
  // A new page: the tree and the form state that belonged to the old one go.
  void ReplaceTree(vellum::engine::RefPtr<vellum::engine::Document> tree);
  void SetReadyState(LONG state);
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The view (HtmlDocumentView.cpp).
  HRESULT ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT rect);
  void DestroyView();
  static LRESULT CALLBACK ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  LONG refs_ = 1;
  vellum::engine::RefPtr<vellum::engine::Document> tree_;  // the page
  std::string pendingInput_;                               // bytes of the load in progress
  unsigned loadGeneration_ = 0;                            // bumped by each load; a superseded load never completes
  ULONGLONG pagesShown_ = 0;  // trees the document has held: each page starts a new range of versions
  LONG readyState_ = READYSTATE_COMPLETE;
  CComRef<CPropertyNotifyPoint> notifyPoint_;  // the IPropertyNotifySink connection point
  HWND window_ = nullptr;                      // message-only window that runs the parse after Load returns
  CComRef<IOleClientSite> clientSite_;         // the container's site
  CComRef<IOleInPlaceSite> inPlaceSite_;       // the container's in-place site while active
  HWND view_ = nullptr;                        // the document window while in-place active
  CGdiTextMeasurer measurer_;                  // widths of the page's words, kept across layouts
  CDocumentLayout layout_;                     // the boxes of tree_, kept until it changes
  RECT viewRect_ = {};                         // its position in the container's window
  DWORD hostFlags_ = 0;                        // DOCHOSTUIINFO flags the container asked for
  CWrapperCache wrappers_;                     // node objects alive now (each holds this document)
  CFormState formState_;                       // values, checks and choices set since the page loaded
  CViewFocus viewFocus_;                       // the live form's focus and caret
  CViewPainter painter_;                       // draws the view; keeps styles, fonts and images between repaints
  CWindow* windowObject_ = nullptr;            // the window object while alive (it holds this document)
};

}  // namespace vellum::engine::com
