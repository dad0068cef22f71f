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

class REXI_DfaBuilder {
 public:
  // Scratch tables come from 'memory'; the DFA itself from the heap.
  REXI_DfaBuilder(uint8_t endOfText, std::pmr::memory_resource* memory);
  REXI_DfaBuilder(const REXI_DfaBuilder&) = delete;
  REXI_DfaBuilder& operator=(const REXI_DfaBuilder&) = delete;

  std::unique_ptr<REXI_Dfa> Build(const REXI_SubsetTable& subsets);

 private:
  static constexpr int32_t kNoTarget = -1;

  void SpreadSteps(const REXI_SubsetTable& subsets);
  int32_t Transition(size_t set, size_t cls) const { return transitions_[set * classCount_ + cls]; }
  void NumberAcceptingSets(const REXI_SubsetTable& subsets);
  std::pmr::vector<uint32_t> MergeEquivalentSets(const REXI_SubsetTable& subsets) const;
  std::unique_ptr<REXI_Dfa> Materialize(const REXI_SubsetTable& subsets,
                                        const std::pmr::vector<uint32_t>& blockOf) const;

  const uint8_t endOfText_;
  std::pmr::memory_resource* const memory_;
  std::pmr::vector<int32_t> numbers_;  // per set: the definition number of an accepting set, else -2
  size_t classCount_ = 0;
  std::pmr::vector<int32_t> transitions_;  // per set, per class: the target set, or kNoTarget
};
