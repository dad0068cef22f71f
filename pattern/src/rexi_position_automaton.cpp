// A position is an NFA edge, told apart by its target and its set (edges alike in both are one
// position). The positions reachable after a text are those of its last character's edges that can
// follow the positions reachable before it: that is the NFA's own run, node sets included, held as
// the edges that entered the nodes. Nodes that neither accept nor go anywhere end every run through
// them, so edges into them are no positions at all.
#include "pattern/rexi_position_automaton.h"

#include <algorithm>
#include <vector>

#include "pattern/rexi_character_classes.h"

namespace {

constexpr uint32_t kDeadEnd = UINT32_MAX;  // flat index of a node that neither accepts nor goes anywhere
constexpr uint64_t kMaxClasses = 255;      // disjoint non-empty sets of the values 1 to 255
constexpr uint64_t kMaxExponent = 40;      // 2^40 sets are far past any budget
constexpr uint8_t kNoPosition = 0xFF;
constexpr uint32_t kNoSet = UINT32_MAX;

}  // namespace

// Every set of the construction but the start's is, for some class, the targets its members reach over
// edges whose character set holds the class: a subset of the targets of all edges with such sets. If
// the edges with set d reach r(d) flat nodes, a class lying in some of the sets d leads to at most
// 2^(sum of their r(d)) - 1 sets. Summed over the classes, that bounds the sets of the construction.
bool REXI_PositionAutomaton::BudgetHoldsByClasses(std::span<const REXI_NfaNode* const> nodes,
                                                  std::span<const uint32_t> positionSetIds, const NfaSize& size,
                                                  const REXI_SetTable& sets, const REXI_Limits& limits,
                                                  std::pmr::memory_resource* memory) {
  // The distinct sets of the edges, and how many distinct flat nodes each leads to: the targets of a
  // set that are no dead end are its positions, and the dead ends are one flat node.
  std::pmr::vector<uint32_t> distinctOfSet(sets.Count(), kNoSet, memory);
  std::pmr::vector<const CharSet256*> distinct(memory);
  std::pmr::vector<uint64_t> reached(memory);
  distinct.reserve(sets.Count());
  reached.reserve(sets.Count());
  for (const REXI_NfaNode* node : nodes) {
    for (const REXI_NfaEdge& edge : node->Edges()) {
      if (!sets.HasMembers(edge.setId)) continue;
      uint32_t& d = distinctOfSet[edge.setId];
      if (d == kNoSet) {
        d = static_cast<uint32_t>(distinct.size());
        distinct.push_back(&sets[edge.setId]);
        reached.push_back(0);
      }
      if (edge.target->flatIndex == kDeadEnd) reached[d] = 1;
    }
  }
  for (uint32_t setId : positionSetIds) ++reached[distinctOfSet[setId]];
  REXI_CharacterClasses classes(memory);
  classes.Build(distinct);
  std::pmr::vector<uint64_t> exponent(classes.Count(), 0, memory);
  for (size_t d = 0; d < distinct.size(); ++d)
    classes.ForEachClassIn(*distinct[d], [&](size_t cls) { exponent[cls] += reached[d]; });
  uint64_t setsBound = 1;
  for (uint64_t bits : exponent) {
    if (bits > kMaxExponent) return false;
    setsBound += (uint64_t{1} << bits) - 1;
  }
  return REXI_SubsetBudgetHolds(limits, setsBound, size.flatNodes, size.edges, classes.Count());
}

REXI_PositionFit REXI_PositionAutomaton::Build(const REXI_NfaNode* start, const REXI_SetTable& sets, uint64_t walkStamp,
                                               const REXI_Limits& limits, std::pmr::memory_resource* memory) {
  auto isDeadEnd = [&](const REXI_NfaNode* node) {
    if (node->final) return false;
    for (const REXI_NfaEdge& edge : node->Edges())
      if (sets.HasMembers(edge.setId)) return false;
    return true;
  };
  // The nodes the start reaches over edges with members, breadth first as the subset construction
  // flattens them: the dead ends are one node there, and none here.
  const REXI_NfaNode* nodes[kMaxNodes];
  size_t nodeCount = 1;
  bool anyDeadEnd = false;
  uint64_t edgeCount = 0;
  nodes[0] = start;
  start->walkStamp = walkStamp;
  start->flatIndex = 0;
  for (size_t i = 0; i < nodeCount; ++i) {
    for (const REXI_NfaEdge& edge : nodes[i]->Edges()) {
      if (!sets.HasMembers(edge.setId)) continue;
      ++edgeCount;
      const REXI_NfaNode* target = edge.target;
      if (target->walkStamp == walkStamp) continue;
      target->walkStamp = walkStamp;
      if (isDeadEnd(target)) {
        target->flatIndex = kDeadEnd;
        anyDeadEnd = true;
        continue;
      }
      if (nodeCount == kMaxNodes) return REXI_PositionFit::TooLarge;
      target->flatIndex = static_cast<uint32_t>(nodeCount);
      nodes[nodeCount++] = target;
    }
  }
  // The construction's sets are sets of its flat nodes: that settles the small patterns.
  const uint64_t flatNodes = nodeCount + (anyDeadEnd ? 1 : 0);
  const bool fewNodes = flatNodes <= kMaxExponent &&
                        REXI_SubsetBudgetHolds(limits, uint64_t{1} << flatNodes, flatNodes, edgeCount, kMaxClasses);
  const NfaSize size{flatNodes, edgeCount};

  uint64_t edgesOf[kMaxNodes];   // per node: the positions its edges are
  uint8_t firstInto[kMaxNodes];  // per node: the last position made into it, or kNoPosition
  uint32_t targetOf[kMaxPositions];
  uint32_t setIdOf[kMaxPositions];
  uint8_t nextInto[kMaxPositions];  // per position: the one made before it into the same node
  std::fill(firstInto, firstInto + nodeCount, kNoPosition);
  size_t positionCount = 0;
  for (size_t i = 0; i < nodeCount; ++i) {
    uint64_t positions = 0;
    for (const REXI_NfaEdge& edge : nodes[i]->Edges()) {
      if (!sets.HasMembers(edge.setId) || edge.target->flatIndex == kDeadEnd) continue;
      const uint32_t target = edge.target->flatIndex;
      uint8_t p = firstInto[target];  // a node is mostly entered on one set
      while (p != kNoPosition && setIdOf[p] != edge.setId) p = nextInto[p];
      if (p == kNoPosition) {
        if (positionCount == kMaxPositions) return REXI_PositionFit::TooLarge;
        p = static_cast<uint8_t>(positionCount++);
        targetOf[p] = target;
        setIdOf[p] = edge.setId;
        nextInto[p] = firstInto[target];
        firstInto[target] = p;
      }
      positions |= uint64_t{1} << p;
    }
    edgesOf[i] = positions;
  }
  if (!fewNodes && !BudgetHoldsByClasses({nodes, nodeCount}, {setIdOf, positionCount}, size, sets, limits, memory))
    return REXI_PositionFit::TooLarge;

  startFinal_ = start->final;
  first_ = edgesOf[0];
  final_ = 0;
  setCount_ = 0;
  uint32_t distinctIds[kMaxPositions];
  for (size_t p = 0; p < positionCount; ++p) {
    followers_[p] = edgesOf[targetOf[p]];
    if (nodes[targetOf[p]]->final) final_ |= uint64_t{1} << p;
    size_t d = 0;
    while (d < setCount_ && distinctIds[d] != setIdOf[p]) ++d;
    if (d == setCount_) {
      distinctIds[d] = setIdOf[p];
      sets_[d] = &sets[setIdOf[p]];
      positionsOfSet_[d] = 0;
      ++setCount_;
    }
    positionsOfSet_[d] |= uint64_t{1} << p;
  }
  return REXI_PositionFit::Built;
}

bool REXI_PositionAutomaton::AcceptsWhole(const char* text, size_t length) {
  if (length == 0) return startFinal_;
  for (uint64_t& word : known_) word = 0;
  uint64_t reached = first_ & PositionsTaking(static_cast<uint8_t>(text[0]));
  for (size_t i = 1; i < length && reached != 0; ++i)
    reached = FollowersOf(reached) & PositionsTaking(static_cast<uint8_t>(text[i]));
  return (reached & final_) != 0;
}
