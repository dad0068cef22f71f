// The page the scrolling tests of the live form and of the painter share: a list of ten options
// showing four rows (a 2-pixel frame around 16-pixel rows) and a text area with room for three lines
// (a 3-pixel inset above and below).
#pragma once

#include <windows.h>

#include <string>

namespace et {

// The line height of the controls' font, as the text area lays out its lines.
inline int ControlLineHeight() {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return metrics.tmHeight;
}

inline std::wstring ScrollPage() {
  std::wstring page =
      L"<html><body><select id=long size=4 style='position:absolute;left:10px;top:10px;"
      L"width:120px;height:68px'>";
  for (int i = 0; i < 10; ++i) page += L"<option>option " + std::to_wstring(i);
  page += L"</select><textarea id=notes style='position:absolute;left:10px;top:100px;width:200px;height:" +
          std::to_wstring(3 * ControlLineHeight() + 6) + L"px'></textarea></body></html>";
  return page;
}

}  // namespace et
