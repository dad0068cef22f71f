// The subset table made only as far as one text reaches into it. A validation reads one path through
// the automaton, and a short value meets a handful of its sets; making all of them first costs more
// than the rest of the compile. The sets met are made by the rules of the complete construction, so
// every answer is the same, and the table is left incomplete only when the complete construction
// provably stays within the budget, so a pattern fails for lack of budget exactly when it would
// otherwise.
#include <algorithm>

#include "pattern/rexi_subset_table.h"
#include "rexi_node_bits.h"

namespace {

using rexi_detail::ForEachNode;
using rexi_detail::NodeBits;
using rexi_detail::NodeBitsIndex;

constexpr uint32_t kFree = UINT32_MAX;

}  // namespace

// Every set but the start's is, for some class, the union of the targets its members reach over edges
// whose character set holds the class. Group a node's edges by their (distinct) character set: if the
// node groups of set d reach r(d) distinct target sets, a class lies in some of the sets d and so leads
// to at most 2^(sum of their r(d)) - 1 sets. Summed over the classes, that bounds the sets of the
// complete construction, and with them its states, entries and steps, whichever sets it actually meets.
// Cruder bounds come first, as they settle most patterns for less.
template <size_t Words>
bool REXI_SubsetTable::BudgetHoldsForAnySets(const EdgeInput& input) {
  using Bits = NodeBits<Words>;
  constexpr uint64_t kMaxExponent = 40;  // 2^40 sets are far past any budget
  const uint64_t nodeCount = nodes_.size();
  const size_t distinctCount = input.distinct.size();
  const size_t edgeCount = input.targets.size();
  auto withinBudget = [&](uint64_t sets) {
    return REXI_SubsetBudgetHolds(limits_, sets, nodeCount, edgeCount, classes_.Count());
  };
  const std::span<uint64_t> exponent = NewArray<uint64_t>(classes_.Count());
  auto setsBound = [&](std::span<const uint32_t> reached) {
    std::fill(exponent.begin(), exponent.end(), 0);
    for (size_t d = 0; d < distinctCount; ++d)
      classes_.ForEachClassIn(*input.distinct[d], [&](size_t cls) { exponent[cls] += reached[d]; });
    uint64_t sets = 1;
    for (uint64_t bits : exponent) {
      if (bits > kMaxExponent) return UINT64_MAX;
      sets += (uint64_t{1} << bits) - 1;
    }
    return sets;
  };

  // Each set is a set of nodes.
  if (nodeCount <= kMaxExponent && withinBudget(uint64_t{1} << nodeCount)) return true;
  // No more groups of set d than edges with it.
  const std::span<uint32_t> reached = NewArray<uint32_t>(distinctCount);  // r(d), or more
  std::fill(reached.begin(), reached.end(), 0);
  for (uint32_t d : input.distinctOf) ++reached[d];
  if (withinBudget(setsBound(reached))) return true;

  // Nodes on parallel branches often reach the same targets: count the distinct groups.
  struct Group {
    uint32_t distinct;
    Bits targets;
  };
  std::fill(reached.begin(), reached.end(), 0);
  const std::span<Group> groups = NewArray<Group>(edgeCount);
  size_t slotCount = 16;
  while (slotCount < 2 * edgeCount) slotCount *= 2;
  const std::span<uint32_t> slots = NewArray<uint32_t>(slotCount);  // the distinct groups, by hash
  std::fill(slots.begin(), slots.end(), kFree);
  size_t groupCount = 0;
  for (const FlatNode& node : nodes_) {
    const size_t firstGroup = groupCount;
    for (uint32_t e = node.firstEdge; e < node.firstEdge + node.edgeCount; ++e) {
      size_t group = firstGroup;
      while (group < groupCount && groups[group].distinct != input.distinctOf[e]) ++group;
      if (group == groupCount) {
        Group& added = groups[groupCount++];
        added.distinct = input.distinctOf[e];
        added.targets = Bits{};
      }
      groups[group].targets.Add(input.targets[e]);
    }
    for (size_t group = firstGroup; group < groupCount; ++group) {
      const Group& candidate = groups[group];
      size_t slot = (HashOf(candidate.targets) ^ candidate.distinct * 0x9E3779B97F4A7C15ull) & (slotCount - 1);
      for (; slots[slot] != kFree; slot = (slot + 1) & (slotCount - 1)) {
        const Group& known = groups[slots[slot]];
        if (known.distinct == candidate.distinct && known.targets == candidate.targets) break;
      }
      if (slots[slot] != kFree) continue;
      slots[slot] = static_cast<uint32_t>(group);
      ++reached[candidate.distinct];
    }
  }
  return withinBudget(setsBound(reached));
}

// Each set met and each step taken from it is made once: a long text costs one look-up per character,
// as in the complete table.
template <size_t Words>
bool REXI_SubsetTable::WalkWholeOnDemand(const char* text, size_t length) const {
  using Bits = NodeBits<Words>;
  constexpr uint32_t kNotMade = UINT32_MAX;      // the step has not been taken yet
  constexpr uint32_t kNowhere = UINT32_MAX - 1;  // the set cannot follow the class
  const EdgeInput& input = deferredEdges_;
  const size_t classCount = classes_.Count();
  Bits inertBits{};
  if (inertNode_ != kNoInertNode) inertBits.Add(inertNode_);

  NodeBitsIndex<Words> sets(memory_);
  std::pmr::vector<uint32_t> next(memory_);  // per set met, per class: where it leads, or a marker above
  next.reserve(8 * classCount);
  auto enter = [&](const Bits& nodes) {
    const auto [id, added] = sets.Intern(nodes);
    if (added) next.resize(next.size() + classCount, kNotMade);
    return id;
  };
  // Any value of a class stands for the class: every edge's set holds all of it or none of it.
  auto step = [&](uint32_t set, uint8_t value) {
    Bits targets{};
    bool any = false;
    ForEachNode(sets[set], [&](uint32_t member) {
      const FlatNode& node = nodes_[member];
      for (uint32_t e = node.firstEdge; e < node.firstEdge + node.edgeCount; ++e) {
        if (!input.distinct[input.distinctOf[e]]->Contains(value)) continue;
        targets.Add(input.targets[e]);
        any = true;
      }
    });
    if (!any) return kNowhere;
    uint64_t others = 0;  // the inert node goes unless it is the only target
    for (size_t w = 0; w < Words; ++w) others |= targets.words[w] & ~inertBits.words[w];
    if (others != 0)
      for (size_t w = 0; w < Words; ++w) targets.words[w] &= ~inertBits.words[w];
    return enter(targets);
  };

  REXI_ClassCache classOf(classes_);
  Bits start{};
  start.Add(0);
  uint32_t set = enter(start);
  for (size_t i = 0; i < length; ++i) {
    const uint8_t value = static_cast<uint8_t>(text[i]);
    const uint8_t cls = classOf(value);
    if (cls == REXI_CharacterClasses::kNoClass) return false;
    const size_t at = set * classCount + cls;
    if (next[at] == kNotMade) {
      const uint32_t made = step(set, value);  // may grow 'next'
      next[at] = made;
    }
    set = next[at];
    if (set == kNowhere) return false;
  }
  bool accepting = false;
  ForEachNode(sets[set], [&](uint32_t member) { accepting |= nodes_[member].final; });
  return accepting;
}

template bool REXI_SubsetTable::BudgetHoldsForAnySets<1>(const EdgeInput&);
template bool REXI_SubsetTable::BudgetHoldsForAnySets<2>(const EdgeInput&);
template bool REXI_SubsetTable::BudgetHoldsForAnySets<4>(const EdgeInput&);
template bool REXI_SubsetTable::WalkWholeOnDemand<1>(const char*, size_t) const;
template bool REXI_SubsetTable::WalkWholeOnDemand<2>(const char*, size_t) const;
template bool REXI_SubsetTable::WalkWholeOnDemand<4>(const char*, size_t) const;
