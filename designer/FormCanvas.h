// The scrollable area the form lies on: it holds the control at a margin from its corner and scrolls it
// when the form is larger than the window. The control's notifications pass on to the main window.
#pragma once

#include <windows.h>

#include "window/MessageWindow.h"

class CFormCanvas : public CMessageWindow {
 public:
  // A child of parent; false when the window cannot be made.
  bool Create(HWND parent);
  // Places the control's window in the canvas (the canvas becomes its parent).
  void Hold(HWND control);
  // Scroll ranges follow the control's size (after a load or a drag of its frame).
  void Relayout();

  static constexpr int kMargin = 12;

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void Scroll(int bar, UINT request);
  void PlaceControl();

  HWND control_ = nullptr;
  POINT offset_ = {0, 0};  // how far the canvas is scrolled
};
