// A picture of a window as the screen shows it, written as a PNG file.
#pragma once

#include <windows.h>

#include <string>

bool SaveWindowPicture(HWND window, const std::wstring& path);
