#pragma once
// Name fix-ups for SVG and MathML content: the tokenizer lower-cases every name, and these restore
// the mixed case those vocabularies use and give the xlink/xml/xmlns attributes their namespace.

#include <string_view>

#include "dom/element.h"

namespace vellum::engine {

// The SVG element name for a lower-case name ("foreignobject" -> "foreignObject"), or the name itself.
std::u16string_view AdjustSvgElementName(std::u16string_view lowerName);
// Adjusts attributes of a new foreign element in place.
void AdjustSvgAttributes(std::vector<Attribute>& attributes);
void AdjustMathMlAttributes(std::vector<Attribute>& attributes);
void AdjustForeignAttributes(std::vector<Attribute>& attributes);

}  // namespace vellum::engine
