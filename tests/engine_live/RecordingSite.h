// A container's site that records which of its methods the document calls, in order, and counts
// the references the document holds on it.
#pragma once

#include <windows.h>
#include <mshtmhst.h>
#include <oleidl.h>

#include <string>
#include <vector>

namespace lt {

class RecordingSite final : public IOleClientSite, public IOleInPlaceSite, public IDocHostUIHandler {
 public:
  enum class Activation { Allow, Refuse };
  enum class InPlace { Offered, Absent };  // whether the site answers for IOleInPlaceSite
  RecordingSite(HWND parent, RECT position, Activation activation = Activation::Allow,
                InPlace inPlace = InPlace::Offered);

  std::vector<std::string> calls;  // method names in call order (QueryInterface, AddRef and Release left out)
  LONG Refs() const { return refs_; }
  DWORD hostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--refs_); }  // lives on the test's stack

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return Record("SaveObject", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** out) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** out) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override { return Record("ShowObject", S_OK); }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return Record("OnShowWindow", S_OK); }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return Record("RequestNewObjectLayout", E_NOTIMPL); }

  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return Record("ContextSensitiveHelp", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return Record("OnInPlaceActivate", S_OK); }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return Record("OnUIActivate", S_OK); }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return Record("Scroll", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return Record("OnUIDeactivate", S_OK); }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return Record("OnInPlaceDeactivate", S_OK); }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return Record("DiscardUndoState", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return Record("DeactivateAndUndo", E_NOTIMPL); }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return Record("OnPosRectChange", S_OK); }

  // IDocHostUIHandler
  HRESULT STDMETHODCALLTYPE ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) override {
    return Record("ShowContextMenu", S_FALSE);
  }
  HRESULT STDMETHODCALLTYPE GetHostInfo(DOCHOSTUIINFO* info) override;
  HRESULT STDMETHODCALLTYPE ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                   IOleInPlaceUIWindow*) override {
    return Record("ShowUI", S_OK);
  }
  HRESULT STDMETHODCALLTYPE HideUI() override { return Record("HideUI", S_OK); }
  HRESULT STDMETHODCALLTYPE UpdateUI() override { return Record("UpdateUI", S_OK); }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return Record("EnableModeless", S_OK); }
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override { return Record("OnDocWindowActivate", S_OK); }
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override { return Record("OnFrameWindowActivate", S_OK); }
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override {
    return Record("ResizeBorder", S_OK);
  }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, const GUID*, DWORD) override {
    return Record("TranslateAccelerator", S_FALSE);
  }
  HRESULT STDMETHODCALLTYPE GetOptionKeyPath(LPOLESTR* key, DWORD) override;
  HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget*, IDropTarget** out) override;
  HRESULT STDMETHODCALLTYPE GetExternal(IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE TranslateUrl(DWORD, LPWSTR, LPWSTR* out) override;
  HRESULT STDMETHODCALLTYPE FilterDataObject(IDataObject*, IDataObject** out) override;

 private:
  HRESULT Record(const char* name, HRESULT result) {
    calls.emplace_back(name);
    return result;
  }
  LONG refs_ = 1;  // the test's own
  HWND parent_;
  RECT position_;
  Activation activation_;
  InPlace inPlace_;
};

}  // namespace lt
