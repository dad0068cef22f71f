#pragma once
// Construction budgets. A pattern that runs out of one fails to compile (code 2) instead of taking
// the process's memory or time; the property patterns stay far below every one of them.

#include <cstdint>

struct REXI_Limits {
  int32_t maxNestingDepth = 200;        // open parentheses in one pattern (the parser recurses per level)
  uint32_t maxNfaNodes = 20000;         // nodes made by one compile or definition
  uint32_t maxNfaEdges = 200000;        // edges made by one compile or definition
  uint64_t maxNfaWalkSteps = 20000000;  // node and edge visits of the NFA constructions
  uint32_t maxDfaStates = 10000;        // DFA states, accepting stop states included
  uint64_t maxSubsetEntries = 4000000;  // NFA nodes summed over all node sets of the subset table
  uint64_t maxSubsetSteps = 20000000;   // edge-by-class steps of the subset construction
};

// Whether a subset construction that makes at most 'sets' node sets, over at most 'nodes' NFA nodes,
// 'edges' edges with members and 'classes' character classes, provably stays within the budget: each
// set may need an accepting stop state besides its own, holds at most every node, and pays for its
// members' edges and, per class it follows, for the target's members.
constexpr bool REXI_SubsetBudgetHolds(const REXI_Limits& limits, uint64_t sets, uint64_t nodes, uint64_t edges,
                                      uint64_t classes) {
  return sets <= limits.maxDfaStates / 2 && sets * nodes <= limits.maxSubsetEntries &&
         sets * (edges + classes * nodes) <= limits.maxSubsetSteps;
}
