#pragma once
// Turns the subset table into the DFA of a search: sets that behave alike merged into one state, then
// one full 256-entry row per state. An accepting state gets its own accepting stop state for every
// character it cannot follow. Alive only during one compile.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <memory_resource>
#include <vector>

#include "pattern/rexi_dfa.h"
#include "pattern/rexi_subset_table.h"

class RexiDfaBuilder {
 public:
  // Scratch tables come from 'memory'; the DFA itself from the heap.
  RexiDfaBuilder(uint8_t endOfText, std::pmr::memory_resource* memory);
  RexiDfaBuilder(const RexiDfaBuilder&) = delete;
  RexiDfaBuilder& operator=(const RexiDfaBuilder&) = delete;

  std::unique_ptr<RexiDfa> Build(const RexiSubsetTable& subsets);

 private:
  static constexpr int32_t kNoTarget = -1;

  void SpreadSteps(const RexiSubsetTable& subsets);
  int32_t Transition(size_t set, size_t cls) const { return transitions_[set * classCount_ + cls]; }
  void NumberAcceptingSets(const RexiSubsetTable& subsets);
  std::pmr::vector<uint32_t> MergeEquivalentSets(const RexiSubsetTable& subsets) const;
  std::unique_ptr<RexiDfa> Materialize(const RexiSubsetTable& subsets, const std::pmr::vector<uint32_t>& blockOf) const;

  const uint8_t endOfText_;
  std::pmr::memory_resource* const memory_;
  std::pmr::vector<int32_t> numbers_;  // per set: the definition number of an accepting set, else -2
  size_t classCount_ = 0;
  std::pmr::vector<int32_t> transitions_;  // per set, per class: the target set, or kNoTarget
};
