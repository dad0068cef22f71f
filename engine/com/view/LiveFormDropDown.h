// The choice list of a drop-down select: a popup list box under the control, closed by a choice
// (click or Enter), by Escape or when it loses the focus. Only one is open per view.
#pragma once

#include <windows.h>

#include "dom/element.h"
#include "layout/box.h"

namespace vellum::engine::com {

class CHtmlDocument;

// Opens the list for the select whose box (view coordinates) is given; does nothing when one is open.
void OpenDropDown(CHtmlDocument& document, vellum::engine::Element& select, const vellum::engine::layout::Rect& box);
// Closes the view's list without choosing (no effect when none is open).
void CloseDropDown(HWND view);
// The view's open list box, or null.
HWND DropDownList(HWND view);
// The message the list posts to its view to be destroyed once its own message has returned.
constexpr UINT kDropDownDoneMessage = WM_APP + 0x51;

}  // namespace vellum::engine::com
