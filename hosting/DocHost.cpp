#include "hosting/DocHost.h"

namespace {

// A form, not a page: no 3D border, no scroll bars, dialog-like text selection, no help menu, DIVs as
// blocks, and activation only by a click in the client area.
constexpr DWORD kFormHostFlags = DOCHOSTUIFLAG_DIALOG | DOCHOSTUIFLAG_DISABLE_HELP_MENU | DOCHOSTUIFLAG_NO3DBORDER |
                                 DOCHOSTUIFLAG_SCROLL_NO | DOCHOSTUIFLAG_DIV_BLOCKDEFAULT |
                                 DOCHOSTUIFLAG_ACTIVATE_CLIENTHIT_ONLY;
static_assert(kFormHostFlags == 0x30F, "host UI flags of the form");

}  // namespace

HRESULT CDocHost::GetHostInfo(DOCHOSTUIINFO* info) {
  if (!info) return E_POINTER;
  static_assert(sizeof(DOCHOSTUIINFO) == 32, "host info as a 64-bit document expects it");
  info->cbSize = sizeof(DOCHOSTUIINFO);
  info->dwFlags = kFormHostFlags;
  info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
  info->pchHostCss = nullptr;
  info->pchHostNS = nullptr;
  return S_OK;
}

// The rest decline, which tells the engine to use its own behaviour: its own context menu, its own key
// handling, its own drop target, no external object.
HRESULT CDocHost::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) { return E_NOTIMPL; }
HRESULT CDocHost::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*, IOleInPlaceUIWindow*) {
  return E_NOTIMPL;
}
HRESULT CDocHost::HideUI() { return E_NOTIMPL; }
HRESULT CDocHost::UpdateUI() { return E_NOTIMPL; }
HRESULT CDocHost::EnableModeless(BOOL) { return E_NOTIMPL; }
HRESULT CDocHost::OnDocWindowActivate(BOOL) { return E_NOTIMPL; }
HRESULT CDocHost::OnFrameWindowActivate(BOOL) { return E_NOTIMPL; }
HRESULT CDocHost::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return E_NOTIMPL; }
HRESULT CDocHost::TranslateAccelerator(LPMSG, const GUID*, DWORD) { return E_NOTIMPL; }

HRESULT CDocHost::GetOptionKeyPath(LPOLESTR* key, DWORD) { return DeclineWithNull(key); }
HRESULT CDocHost::GetDropTarget(IDropTarget*, IDropTarget** replacement) { return DeclineWithNull(replacement); }
HRESULT CDocHost::GetExternal(IDispatch** external) { return DeclineWithNull(external); }
HRESULT CDocHost::FilterDataObject(IDataObject*, IDataObject** filtered) { return DeclineWithNull(filtered); }
HRESULT CDocHost::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) { return DeclineWithNull(translated); }
