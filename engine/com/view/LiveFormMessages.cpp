// The view's input messages, unpacked in one place and handed to the live form.
#include <windowsx.h>

#include <new>

#include "engine/com/HtmlDocument.h"
#include "engine/com/view/LiveForm.h"
#include "engine/com/view/LiveFormDropDown.h"

namespace vellum::engine::com {

namespace {

Modifiers HeldModifiers() {
  Modifiers held = Modifiers::None;
  if (GetKeyState(VK_SHIFT) < 0) held = held | Modifiers::Shift;
  if (GetKeyState(VK_CONTROL) < 0) held = held | Modifiers::Control;
  return held;
}

Modifiers MouseModifiers(WPARAM keys) {
  Modifiers held = Modifiers::None;
  if (keys & MK_SHIFT) held = held | Modifiers::Shift;
  if (keys & MK_CONTROL) held = held | Modifiers::Control;
  return held;
}

POINT PointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// A dialog around the view leaves arrows, characters and a text area's Enter to it.
LRESULT DialogCode(CLiveForm& form, const MSG* asked) {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  vellum::engine::Element* control = form.FocusedControl();
  if (asked && asked->message == WM_KEYDOWN && asked->wParam == VK_RETURN && control &&
      ControlKindOf(*control) == ControlKind::TextArea)
    code |= DLGC_WANTMESSAGE;
  return code;
}

bool HandleMessage(CHtmlDocument& document, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  CLiveForm form(document);
  result = 0;
  switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      form.OnButtonDown(PointOf(lParam), MouseModifiers(wParam));
      return true;
    case WM_MOUSEMOVE:
      form.OnMouseMove(PointOf(lParam));
      return true;
    case WM_LBUTTONUP:
      form.OnButtonUp(PointOf(lParam));
      return true;
    case WM_CAPTURECHANGED:
      form.OnCaptureLost();
      return true;
    case WM_MOUSEWHEEL: {
      // The wheel's point is on the screen; one it does not scroll goes on to the container.
      POINT point = PointOf(lParam);
      ScreenToClient(document.ViewWindow(), &point);
      return form.OnWheel(point, GET_WHEEL_DELTA_WPARAM(wParam));
    }
    // Tab is not here: the container hands it over through TranslateAccelerator, which decides
    // whether the focus stays in the page or moves on to the container's next control.
    case WM_KEYDOWN:
      return form.OnKeyDown(static_cast<UINT>(wParam), HeldModifiers());
    case WM_KEYUP:
      return form.OnKeyUp(static_cast<UINT>(wParam));
    case WM_SYSKEYDOWN: {
      // Alt+Down or Alt+Up opens a drop-down's list; every other Alt key is the container's.
      if (wParam != VK_DOWN && wParam != VK_UP) return false;
      return form.OnKeyDown(VK_F4, Modifiers::None);
    }
    case WM_CHAR:
      return form.OnChar(static_cast<wchar_t>(wParam));
    case WM_GETDLGCODE:
      result = DialogCode(form, reinterpret_cast<const MSG*>(lParam));
      return true;
    case WM_SETFOCUS:
      document.RepaintView();  // the caret and focus frame show again
      return true;
    case WM_KILLFOCUS:
      form.OnViewFocusLost();
      document.RepaintView();
      return true;
    case kDropDownDoneMessage:
      CloseDropDown(document.ViewWindow());
      return true;
    case WM_DESTROY:
      form.OnViewDestroyed();
      return false;  // the default procedure sees it too
    default:
      return false;
  }
}

}  // namespace

bool LiveFormMessageMap(CHtmlDocument& document, HWND view, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (view != document.ViewWindow()) return false;
  try {
    return HandleMessage(document, msg, wParam, lParam, result);
  } catch (...) {
    result = 0;  // out of memory while editing: the key or click is dropped, the form stays as it was
    return true;
  }
}

HRESULT LiveFormTranslateAccelerator(CHtmlDocument& document, const MSG& msg) {
  HWND view = document.ViewWindow();
  if (!view || (msg.hwnd != view && !IsChild(view, msg.hwnd))) return S_FALSE;
  try {
    CLiveForm form(document);
    UINT key = static_cast<UINT>(msg.wParam);
    switch (msg.message) {
      case WM_KEYDOWN: {
        Modifiers held = HeldModifiers();
        if (key != VK_TAB) return form.OnKeyDown(key, held) ? S_OK : S_FALSE;
        if (Has(held, Modifiers::Control)) return S_FALSE;  // Ctrl+Tab belongs to the container
        return form.MoveFocus(Has(held, Modifiers::Shift) ? TabDirection::Backward : TabDirection::Forward) ? S_OK
                                                                                                            : S_FALSE;
      }
      case WM_KEYUP:
        return form.OnKeyUp(key) ? S_OK : S_FALSE;
      default:
        return S_FALSE;  // characters arrive as WM_CHAR once the container dispatches the key
    }
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

}  // namespace vellum::engine::com
