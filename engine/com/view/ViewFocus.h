// What the live form is doing right now, shared by the input handling (which changes it) and the
// painter (which shows it): the control with the keyboard focus, the caret in its text, and a
// button held down under the mouse.
#pragma once

#include <cstddef>

#include "dom/element.h"

namespace engine {

struct CViewFocus {
  vellum::engine::RefPtr<vellum::engine::Element> element;  // the focused control, or null
  std::size_t caret = 0;           // caret in the focused text control's value, in UTF-16 units
  std::size_t selectionAnchor = 0; // other end of the selected text (equal to caret: no selection)
  bool pressed = false;            // the focused button, check box or radio is held down
  std::size_t firstVisible = 0;    // first character shown in the focused one-line text box

  void Clear() { *this = CViewFocus(); }
};

}  // namespace engine
