// A window's text read whole, however long.
#pragma once

#include <windows.h>

#include <string>

// False when the text cannot be read (text is then empty).
bool WindowText(HWND window, std::wstring& text);
// The text of a dialog's item, empty when it cannot be read.
std::wstring DialogItemText(HWND dialog, int id);
