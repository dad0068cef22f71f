#pragma once
// The element nesting cap: no element has more than kMaxElementNesting - 1 element ancestors, so
// every recursive walk over the tree has a known bound. Elements found deeper are moved out to
// become siblings at the deepest allowed level, in document order.

#include "dom/node.h"

namespace vellum::engine {

inline constexpr int kMaxElementNesting = 512;

// Number of elements on the path from the top of the tree to `node`, itself included when it is an
// element. Template contents count as children of their template.
int ElementLevel(const Node& node);

// Moves elements of `root`'s subtree that lie deeper than the cap. `rootLevel` is elementLevel(root).
void EnforceNestingCap(Node& root, int rootLevel);

}  // namespace vellum::engine
