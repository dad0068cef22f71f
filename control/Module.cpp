#include "control/Module.h"

#include "control/Vellum.h"
#include "surface/VLMConfig.h"

namespace {

const wchar_t kClassName[] = L"QX_VELLUM";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_GLOBALCLASS;  // 0x400B

CVellum* firstLive = nullptr;  // head of the live list

// The class's procedure: the first message of a new window makes its object, which takes the window over.
LRESULT CALLBACK CreatingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* control = new CVellum;
  if (!control) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (!control->Attach(hwnd, DefWindowProcW)) {
    delete control;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  Module_AddControl(control);
  // The window's procedure is now the object's thunk: hand the first message on through it.
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC));
  return CallWindowProcW(proc, hwnd, msg, wParam, lParam);
}

}  // namespace

static_assert(kClassStyle == 0x400B, "class style: redraw on size changes, double clicks, global");

bool Module_RegisterClass(HINSTANCE module) {
  Module_SetInstance(module);
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.style = kClassStyle;
  wc.lpfnWndProc = CreatingProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = 0;
  wc.hInstance = module;
  wc.hIcon = nullptr;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = kClassName;
  wc.hIconSm = nullptr;
  return RegisterClassExW(&wc) != 0;
}

void Module_Shutdown() {
  UnregisterClassW(kClassName, Module_Instance());
  while (firstLive) {
    CVellum* control = firstLive;
    Module_RemoveControl(control);
    delete control;
  }
  VLMConfig_Destroy();
}

void Module_AddControl(CVellum* control) {
  control->prevLive = nullptr;
  control->nextLive = firstLive;
  if (firstLive) firstLive->prevLive = control;
  firstLive = control;
}

void Module_RemoveControl(CVellum* control) {
  if (control->prevLive)
    control->prevLive->nextLive = control->nextLive;
  else if (firstLive == control)
    firstLive = control->nextLive;
  if (control->nextLive) control->nextLive->prevLive = control->prevLive;
  control->nextLive = control->prevLive = nullptr;
}

int Module_ControlCount() {
  int n = 0;
  for (CVellum* c = firstLive; c; c = c->nextLive) ++n;
  return n;
}

CVellum* Module_FindControl(HWND hwnd) {
  for (CVellum* c = firstLive; c; c = c->nextLive)
    if (c->GetHwnd() == hwnd) return c;
  return nullptr;
}
