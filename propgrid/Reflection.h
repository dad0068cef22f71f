// How a property page hands its controls' notifications back to them: the message goes to the control it
// came from with OCM__BASE (0x2000) added, as the grid expects WM_DRAWITEM, WM_MEASUREITEM and WM_COMMAND.
#pragma once

#include <windows.h>

// Reflects msg when it is a notification from a control that is a direct child of page, setting result
// to the control's answer; false (nothing sent) for any other message or window. A notification that
// names a window outside the page (the sheet, a menu, a window of another page) is never sent on.
bool ReflectToControl(HWND page, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
