#pragma once
// The tree in the html5lib test notation ("| <html>", two blanks per level, attributes sorted
// under their element, text in quotes, template contents under "content"). title, style and
// script show their text property as the text child the notation expects.

#include <string>

#include "dom/node.h"

namespace vellum::engine::test {

// UTF-8 dump of the children of `root`, one line per node, lines joined by "\n".
std::string DumpTree(const Node& root);

}  // namespace vellum::engine::test
