// The in-place text editor of an edit row: an edit control over the value cell that commits by losing
// the focus (Enter moves it to the grid) and cancels only after Escape. It tells the grid with
// WM_PROP_UPDATE or WM_PROP_CANCEL, and deletes itself when its window is gone.
#pragma once

#include <windows.h>

#include "window/MessageWindow.h"

class CPropertyEditWindow : public CMessageWindow {
 public:
  // The editor over cell (shrunk by a pixel at top and bottom), a child of grid, showing text; null
  // when the window cannot be made. numbersOnly adds ES_NUMBER.
  static HWND Create(HWND grid, const RECT& cell, const wchar_t* text, bool numbersOnly);

  static constexpr DWORD kStyle =
      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL;

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnFinalMessage() override { delete this; }

 private:
  CPropertyEditWindow() = default;
  // What the control's WM_CREATE leaves to us: the grid's font, the margins, no border or tab stop.
  void SetUpControl();

  bool cancel_ = false;  // Escape was pressed during this focus period
};
