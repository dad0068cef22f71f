// The Element menu of a right click on the surface, and removing the element under a point.
#include <cwctype>

#include "control/Module.h"
#include "control/Vellum.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "resource_ids.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

// Drop-down and list choices, embedded objects and the body keep their stacking order.
bool ZOrderFixed(IHTMLElement* element) {
  CBstr tag;
  if (!element || FAILED(element->get_tagName(tag.Out())) || !tag.get()) return true;
  for (const wchar_t* name : {L"select", L"object", L"body"})
    if (CompareStringOrdinal(tag.get(), -1, name, -1, TRUE) == CSTR_EQUAL) return true;
  return false;
}

// A point on no monitor is pulled horizontally into the work area of the nearest one.
POINT KeptOnMonitor(POINT screen) {
  if (MonitorFromPoint(screen, MONITOR_DEFAULTTONULL)) return screen;
  MONITORINFO info = {sizeof info};
  if (GetMonitorInfoW(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), &info)) {
    if (screen.x < info.rcWork.left) screen.x = info.rcWork.left;
    if (screen.x > info.rcWork.right) screen.x = info.rcWork.right;
  }
  return screen;
}

}  // namespace

// Called from the surface's right click: the menu and the command chosen in it are one operation, and
// nothing of it may unwind into the surface's window procedure.
void CVellum::ShowElementMenu(int x, int y) {
  RunOperation(VLM_ERR_ELEMENT, 0, [&]() -> LRESULT {
    RunElementMenu(x, y);
    return 0;
  });
}

void CVellum::RunElementMenu(int x, int y) {
  HMENU menu = LoadMenuW(Module_Instance(), MAKEINTRESOURCEW(IDR_ELEMENT_MENU));
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  if (!popup) {
    DestroyMenu(menu);
    return;
  }
  POINT screen = {x, y};
  if (surface_) ClientToScreen(surface_->GetHwnd(), &screen);
  const bool locked = lockMode_ == 1;
  if (locked) EnableMenuItem(popup, IDM_DELETE, MF_BYCOMMAND | MF_GRAYED | MF_DISABLED);
  CComRef<IHTMLElement> target;
  if (document_) {
    target = CDOMUtil(LentDocument()).GetElementFromPoint(x, y);
  }
  if (!locked && target && !ZOrderFixed(target.get())) {
    for (UINT id : {IDM_INCREASE_ZINDEX, IDM_INCREASE_ZINDEX_BY_10, IDM_DECREASE_ZINDEX, IDM_DECREASE_ZINDEX_BY_10})
      EnableMenuItem(popup, id, MF_BYCOMMAND | MF_ENABLED);
  }
  screen = KeptOnMonitor(screen);
  const UINT chosen =
      static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD, screen.x, screen.y, 0, GetHwnd(), nullptr));
  DestroyMenu(menu);
  switch (chosen) {
    case IDM_INCREASE_ZINDEX:
      StepZIndexFromMenu(target.get(), 1);
      break;
    case IDM_INCREASE_ZINDEX_BY_10:
      StepZIndexFromMenu(target.get(), 10);
      break;
    case IDM_DECREASE_ZINDEX:
      StepZIndexFromMenu(target.get(), -1);
      break;
    case IDM_DECREASE_ZINDEX_BY_10:
      StepZIndexFromMenu(target.get(), -10);
      break;
    case IDM_PROPERTIES:
      ShowProperties(target.get());
      break;
    case IDM_DELETE:
      RemoveElementAt(x, y);
      break;
    default:
      break;
  }
}

void CVellum::StepZIndexFromMenu(IHTMLElement* target, int step) {
  if (!target || !document_) return;
  // The style text the step replaces, so that a step the history cannot take is taken back.
  CComRef<IHTMLStyle> style;
  CBstr before;
  if (FAILED(target->get_style(style.Out())) || !style || FAILED(style->get_cssText(before.Out()))) return;
  CDOMUtil util(LentDocument());
  const int stepped = step > 0 ? util.IncreaseZIndex(target, step) : util.DecreaseZIndex(target, -step);
  if (!stepped) return;
  // A new stacking order is an edit like any other: it can be undone, and the host hears of it.
  if (!SaveToUndo()) {
    style->put_cssText(before.get());
    lastError = VLM_ERR_ELEMENT;
    return;
  }
  NotifyParent(VLMN_CHANGED);
}

int CVellum::RemoveElementAt(int x, int y) {
  if (preview_) {
    lastError = VLM_ERR_PREVIEW;
    return 0;
  }
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  if (surface_) surface_->DeselectAt(x, y);
  RemovedNode removed;
  if (!CDOMUtil(LentDocument()).RemoveElementFromPoint(x, y, &removed)) {
    // Nothing was removed, so no snapshot was taken for it: the history stays exactly as it was.
    lastError = VLM_ERR_ELEMENT;
    return 0;
  }
  if (!SaveToUndo()) {
    // A removal the history could not take is taken back: the element stands where it stood.
    CDOMUtil::Restore(removed);
    lastError = VLM_ERR_ELEMENT;
    return 0;
  }
  NotifyParent(VLMN_CHANGED);
  lastError = VLM_ERR_NONE;
  return 1;
}
