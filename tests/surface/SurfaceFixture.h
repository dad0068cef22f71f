// A control in design mode with a small form loaded, driven through real mouse and key messages at its
// surface and control windows.
#pragma once

#include <string>
#include <vector>

#include "ControlFixture.h"
#include "RectAssert.h"
#include "comkit/ComText.h"
#include "surface/VlmUIWin.h"

namespace st {

// A 400 x 300 form: three labels in a row, widths 50, 80 and 100; a relatively positioned label; a fieldset holding a
// legend and a text box; a drop-down choice.
extern const char kForm[];

class Surface : public dt::Control {
 protected:
  void SetUp() override;
  void TearDown() override;

  CVlmUIWin* GetSurface() const { return GetControl()->Surface(); }
  HWND SurfaceWindow() const { return GetSurface()->GetHwnd(); }

  // Mouse messages at the surface, as the window manager sends them (keys: MK_SHIFT, MK_CONTROL).
  void Down(int x, int y, WPARAM keys = 0);
  void MoveTo(int x, int y, WPARAM keys = MK_LBUTTON);
  void Up(int x, int y, WPARAM keys = 0);
  void Click(int x, int y, WPARAM keys = 0) {
    Down(x, y, keys);
    Up(x, y, keys);
  }
  // Press at from, move in a few steps to to, release.
  void Drag(POINT from, POINT to, WPARAM keys = 0);
  // A key pressed and released at the control window (with Shift held when shift is set).
  void Key(UINT vk, bool shift = false);

  // The ids of the selected elements in selection order (the primary one last).
  std::vector<std::string> SelectedIds() const;
  // The element's box as the engine lays it out now.
  RECT Box(const wchar_t* id) const;
  IHTMLElement* Element(const wchar_t* id) const;
  // An inline style property of the element ("" when unset).
  std::wstring InlineStyle(const wchar_t* id, const wchar_t* property) const;
  // Selects the elements by clicking their centres, the first plainly and the rest with Shift.
  void SelectIds(std::initializer_list<const wchar_t*> ids);
};

std::string Narrow(const wchar_t* text);
using vt::SameRect;

}  // namespace st
