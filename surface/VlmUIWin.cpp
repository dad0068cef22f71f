#include "surface/VlmUIWin.h"

#include "control/Module.h"
#include "control/Vellum.h"

namespace {

const wchar_t kClassName[] = L"QX_VELLUM_SURFACE";

bool RegisterSurfaceClass() {
  WNDCLASSEXW wc = {sizeof wc};
  if (GetClassInfoExW(Module_Instance(), kClassName, &wc)) return true;
  wc = {sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = Module_Instance();
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

CVlmUIWin::~CVlmUIWin() {
  ClearSelection();
  Destroy();
}

bool CVlmUIWin::Create(HWND parent, const RECT& rect) {
  if (!RegisterSurfaceClass()) return false;
  HWND hwnd = CreateWindowExW(kExStyle, kClassName, L"", kStyle, rect.left, rect.top, rect.right - rect.left,
                              rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kControlId)),
                              Module_Instance(), nullptr);
  if (!hwnd) return false;
  if (!Attach(hwnd)) {
    DestroyWindow(hwnd);
    return false;
  }
  return true;
}

void CVlmUIWin::Destroy() {
  if (HWND hwnd = GetHwnd()) DestroyWindow(hwnd);
}

void CVlmUIWin::ClearSelection() {}

int CVlmUIWin::ArmInsertion() {
  if (mode_ != kModeIdle && mode_ != kModeInsertArmed) return 0;
  mode_ = kModeInsertArmed;
  return 1;
}

int CVlmUIWin::DisarmInsertion() {
  if (mode_ != kModeIdle && mode_ != kModeInsertArmed) return 0;
  mode_ = kModeIdle;
  return 1;
}

bool CVlmUIWin::Locked() const { return owner_ && owner_->LockMode() == 1; }

int CVlmUIWin::CanCut() const {
  if (Locked()) return 0;
  return HasSelection();
}

int CVlmUIWin::CanPaste() const {
  if (Locked()) return 0;
  return IsClipboardFormatAvailable(CF_TEXT) ? 1 : 0;
}

void CVlmUIWin::Redraw() {
  HWND hwnd = GetHwnd();
  if (!hwnd) return;
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  UpdateWindow(hwnd);
}

void CVlmUIWin::RedrawDocument(const RECT& rect) {
  if (!IsWindow(docWindow_)) return;
  RedrawWindow(docWindow_, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  UpdateWindow(docWindow_);
}

void CVlmUIWin::SetDocWindow(HWND docWindow) {
  if (!docWindow) docWindow_ = nullptr;
  else if (IsWindow(docWindow)) docWindow_ = docWindow;
}

LRESULT CVlmUIWin::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_ERASEBKGND:
      return OnEraseBackground(reinterpret_cast<HDC>(wParam));
    case WM_PAINT:
      return OnPaint();
    default:
      handled = false;
      return 0;
  }
}

// The page shows through: repaint the document under the dirty part instead of erasing.
LRESULT CVlmUIWin::OnEraseBackground(HDC dc) {
  RECT clip;
  if (GetClipBox(dc, &clip) != ERROR) {
    // The clip box is in surface coordinates; the document window lies under the surface at the
    // same origin within the control.
    RedrawDocument(clip);
  }
  return 0;
}

LRESULT CVlmUIWin::OnPaint() {
  PAINTSTRUCT ps;
  BeginPaint(GetHwnd(), &ps);
  EndPaint(GetHwnd(), &ps);
  return 0;
}
