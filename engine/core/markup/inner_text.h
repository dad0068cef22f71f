#pragma once
// innerText: the text an element shows, and replacing an element's content by plain text.

#include <string>
#include <string_view>

#include "dom/element.h"

namespace vellum::engine {

// Text of the element's text nodes in document order; <br> gives a line break (CR LF) and a block
// element starts on a new line.
std::u16string InnerText(const Element& element);
// Replaces the content by the text. Line breaks become <br> elements, except in a textarea,
// which keeps one text node; title, style and script take the text as their property.
void SetInnerText(Element& element, std::u16string_view text);

}  // namespace vellum::engine
