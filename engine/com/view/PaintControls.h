// The looks of the page's form controls and other replaced elements, drawn as the platform draws
// its own controls: sunken edit fields, push buttons, check boxes, lists, the etched frame of a
// fieldset, pictures and placeholders.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dom/element.h"
#include "engine/com/view/PaintContext.h"

namespace vellum::engine::com {

enum class Look : std::uint8_t {
  Box,         // an ordinary element: background, border and text
  TextBox,     // one-line input
  Password,    // one-line input shown masked
  PushButton,  // button element, and button, submit and reset inputs
  CheckBox,
  Radio,
  FileInput,  // an edit field beside a "Browse..." button
  TextArea,
  ListBox,   // select showing several rows
  DropDown,  // select showing one row and an arrow button
  Fieldset,  // etched frame with its legend on the top edge (and its own text)
  Image,     // img and image inputs: the picture, or a placeholder when it cannot be shown
  Object,    // object, embed and applet: a placeholder showing what would run there
  Nothing,   // hidden inputs
};

Look LookOf(const vellum::engine::Element& element);

// Paints the element's look in its border box (focus, caret and pressed state from the context).
void PaintControl(const PaintContext& context, std::size_t boxIndex, Look look);

}  // namespace vellum::engine::com
