#pragma once
// Construction budgets. A pattern that runs out of one fails to compile (code 2) instead of taking
// the process's memory or time; the property patterns stay far below every one of them.

#include <cstdint>

struct REXI_Limits {
  int32_t maxNestingDepth = 200;       // open parentheses in one pattern (the parser recurses per level)
  uint32_t maxNfaNodes = 20000;        // nodes made by one compile or definition
  uint32_t maxNfaEdges = 200000;       // edges made by one compile or definition
  uint64_t maxNfaWalkSteps = 20000000; // node and edge visits of the NFA constructions
  uint32_t maxDfaStates = 10000;       // DFA states, accepting stop states included
  uint64_t maxSubsetEntries = 4000000; // NFA nodes summed over all node sets of the subset table
  uint64_t maxSubsetSteps = 20000000;  // edge-by-class steps of the subset construction
};
