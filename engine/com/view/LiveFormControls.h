// What a form control is to the live form: how it takes the mouse and the keyboard.
#pragma once

#include <cstddef>
#include <optional>

#include "dom/element.h"

namespace vellum::engine::com {

enum class ControlKind {
  None,       // not a control the user works (hidden inputs, everything else)
  TextBox,    // one-line text input
  Password,   // one-line text input shown masked
  TextArea,   // multi-line text
  FileInput,  // a file name and its Browse button; the name is not typed in
  CheckBox,
  Radio,
  PushButton,  // button element and the submit, reset, button and image inputs
  ListBox,     // select showing several lines
  DropDown,    // select showing one line
};

ControlKind ControlKindOf(const vellum::engine::Element& element);

// Kinds whose value the user types.
inline bool IsTextEntry(ControlKind kind) {
  return kind == ControlKind::TextBox || kind == ControlKind::Password || kind == ControlKind::TextArea;
}

// Kinds that show pressed while held and act when let go.
inline bool IsPressable(ControlKind kind) {
  return kind == ControlKind::CheckBox || kind == ControlKind::Radio || kind == ControlKind::PushButton ||
         kind == ControlKind::FileInput;
}

// Disabled by its own attribute or by a disabled fieldset around it (outside that fieldset's legend).
bool IsDisabled(const vellum::engine::Element& control);
bool IsReadOnly(const vellum::engine::Element& control);
// The maxlength attribute; none when absent, negative or not a number.
std::optional<std::size_t> MaxLengthOf(const vellum::engine::Element& control);

}  // namespace vellum::engine::com
