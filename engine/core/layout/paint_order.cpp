#include "layout/paint_order.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace vellum::engine::layout {

std::vector<int> PaintOrder(std::span<const PaintEntry> entries) {
  const std::size_t count = entries.size();
  std::vector<int> order;
  if (count == 0) {
    return order;
  }
  auto startsContext = [&](std::size_t i) { return i == 0 || entries[i].zIndex.has_value(); };
  // The context each entry's children belong to, and the members of each context in document order.
  std::vector<int> contextOf(count, 0);
  std::vector<std::vector<int>> members(count);
  for (std::size_t i = 1; i < count; ++i) {
    const int parent = entries[i].parent;
    const int context = parent >= 0 ? contextOf[static_cast<std::size_t>(parent)] : 0;
    members[static_cast<std::size_t>(context)].push_back(static_cast<int>(i));
    contextOf[i] = startsContext(i) ? static_cast<int>(i) : context;
  }
  auto key = [&](int i) { return entries[static_cast<std::size_t>(i)].zIndex.value_or(0); };
  for (std::vector<int>& list : members) {
    std::stable_sort(list.begin(), list.end(), [&](int a, int b) { return key(a) < key(b); });
  }
  // Contexts nest as deep as the elements do: an explicit stack instead of recursion.
  order.reserve(count);
  order.push_back(0);
  std::vector<std::pair<int, std::size_t>> open{{0, 0}};  // context, next member
  while (!open.empty()) {
    auto& [context, next] = open.back();
    const std::vector<int>& list = members[static_cast<std::size_t>(context)];
    if (next == list.size()) {
      open.pop_back();
      continue;
    }
    const int member = list[next++];
    order.push_back(member);
    if (startsContext(static_cast<std::size_t>(member))) {
      open.emplace_back(member, 0);
    }
  }
  return order;
}

}  // namespace vellum::engine::layout
