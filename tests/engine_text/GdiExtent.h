// GDI's own width of a text in a font: the measure the engine's widths are held to.
#pragma once

#include <windows.h>

#include <string_view>

namespace tt {

inline int ExtentIn(HFONT font, std::wstring_view text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent = {};
  GetTextExtentPoint32W(dc, text.data(), static_cast<int>(text.size()), &extent);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return extent.cx;
}

}  // namespace tt
