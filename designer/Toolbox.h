// The toolbox: one button for each of the twelve kinds of element, with icons drawn here.
#pragma once

#include <windows.h>

// A toolbar child of parent whose buttons send the Insert menu's commands; null when it cannot be made.
HWND CreateToolbox(HWND parent);
// Enables or disables every button.
void EnableToolbox(HWND toolbox, bool enabled);
// The icons go with the window: call before it is destroyed.
void DestroyToolboxIcons(HWND toolbox);
