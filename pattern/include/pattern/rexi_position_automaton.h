#pragma once
// Whole-text matching of a small NFA without any subset construction: the automaton's state is the
// bit set of the NFA edges (positions) the text read so far may have just taken, and one character
// moves it with a few word operations. A validation reads its value once, so building node sets,
// classes and their tables first costs more than the whole run over a short value.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>

#include "pattern/charset256.h"
#include "pattern/rexi_limits.h"
#include "pattern/rexi_nfa.h"
#include "pattern/rexi_set_table.h"

enum class REXI_PositionFit {
  Built,     // AcceptsWhole answers for the pattern
  TooLarge,  // more positions or nodes than a word holds, or the budget is not proven to hold
};

class REXI_PositionAutomaton {
 public:
  static constexpr size_t kMaxPositions = 64;
  static constexpr size_t kMaxNodes = 64;

  REXI_PositionAutomaton() = default;
  REXI_PositionAutomaton(const REXI_PositionAutomaton&) = delete;
  REXI_PositionAutomaton& operator=(const REXI_PositionAutomaton&) = delete;

  // sets: the table that names the edges' sets; walkStamp: a stamp no walk over these nodes has used.
  // Built only when the pattern's subset construction provably stays within the limits, so a pattern
  // that would run out of the budget is left to the construction, which reports it.
  // Scratch tables come from 'memory'.
  REXI_PositionFit Build(const REXI_NfaNode* start, const REXI_SetTable& sets, uint64_t walkStamp,
                         const REXI_Limits& limits, std::pmr::memory_resource* memory);

  // Whether the NFA goes from its start through the whole text into a final node. The end-of-text
  // character never has a transition.
  bool AcceptsWhole(const char* text, size_t length);

 private:
  struct NfaSize {
    uint64_t flatNodes;  // as the subset construction flattens the NFA
    uint64_t edges;      // with members
  };

  // Whether the subset construction provably stays within the limits, told from the classes the
  // edges' sets make. nodes: every node with an edge; positionSetIds: the set of each position.
  static bool BudgetHoldsByClasses(std::span<const REXI_NfaNode* const> nodes, std::span<const uint32_t> positionSetIds,
                                   const NfaSize& size, const REXI_SetTable& sets, const REXI_Limits& limits,
                                   std::pmr::memory_resource* memory);
  // The positions one of the given positions can be followed by. A run through a repetition meets the
  // same positions character after character, so the last answer is kept.
  uint64_t FollowersOf(uint64_t positions) {
    if (positions == lastAsked_) return lastFollowers_;
    uint64_t followers = 0;
    for (uint64_t rest = positions; rest != 0; rest &= rest - 1) followers |= followers_[std::countr_zero(rest)];
    lastAsked_ = positions;
    lastFollowers_ = followers;
    return followers;
  }
  // The positions whose set holds the value, worked out when the value is first met.
  uint64_t PositionsTaking(uint8_t value) {
    const uint64_t bit = uint64_t{1} << (value % 64);
    if ((known_[value / 64] & bit) == 0) {
      uint64_t taking = 0;
      for (size_t d = 0; d < setCount_; ++d)
        if (sets_[d]->Contains(value)) taking |= positionsOfSet_[d];
      taking_[value] = taking;
      known_[value / 64] |= bit;
    }
    return taking_[value];
  }

  bool startFinal_ = false;                 // the empty text matches
  uint64_t first_ = 0;                      // the positions the start node's edges are
  uint64_t final_ = 0;                      // the positions that end in a final node
  size_t setCount_ = 0;                     // distinct character sets among the positions
  uint64_t lastAsked_ = 0;                  // the positions FollowersOf was last asked about (none follow no positions)
  uint64_t lastFollowers_ = 0;              // and its answer
  uint64_t followers_[kMaxPositions];       // per position: the edges of the node it ends in
  const CharSet256* sets_[kMaxPositions];   // the distinct sets, in the set table
  uint64_t positionsOfSet_[kMaxPositions];  // per distinct set: the positions that carry it
  uint64_t known_[4];                       // the values whose taking_ entry is filled in
  uint64_t taking_[256];                    // per value met: the positions whose set holds it
};
