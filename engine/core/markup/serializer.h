#pragma once
// The engine's own markup for a node: upper-case tag names, lower-case attribute names, values in
// double quotes with &, " and < escaped, no end tag for void elements. Parsing the markup back in
// the same place gives the same tree.

#include <string>

#include "dom/node.h"

namespace vellum::engine {

// The node itself and everything below it (for a document or fragment: its children).
std::u16string OuterHtml(const Node& node);
// Everything below the node. title, style and script give their text.
std::u16string InnerHtml(const Node& node);

}  // namespace vellum::engine
