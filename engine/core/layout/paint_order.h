#pragma once
// The order in which boxes paint, bottom first, which is also the reverse of the order hit testing
// looks at them. A positioned element with a z-index starts a stacking context: it and everything
// below it paint together, placed among the other members of the context around it by its z-index
// (other members count as 0; ties keep document order). Within a context, document order puts
// children over their parents.

#include <optional>
#include <span>
#include <vector>

namespace vellum::engine::layout {

struct PaintEntry {
  int parent = -1;            // index of the parent entry; -1 only for the first entry, the root
  std::optional<int> zIndex;  // set for positioned elements with an explicit z-index
};

// `entries` are in document order (a parent before its children). Returns entry indexes, bottom first.
std::vector<int> PaintOrder(std::span<const PaintEntry> entries);

}  // namespace vellum::engine::layout
