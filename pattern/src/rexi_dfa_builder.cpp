#include "pattern/rexi_dfa_builder.h"

#include <algorithm>
#include <utility>

#include "pattern/rexi_sequence_interner.h"

namespace {

// Merging is an optimisation: past this much work the unmerged automaton is used as it is.
constexpr uint64_t kMaxMergeSteps = 500000;

}  // namespace

REXI_DfaBuilder::REXI_DfaBuilder(uint8_t endOfText, std::pmr::memory_resource* memory)
    : endOfText_(endOfText), memory_(memory), numbers_(memory), transitions_(memory) {}

std::unique_ptr<REXI_Dfa> REXI_DfaBuilder::Build(const REXI_SubsetTable& subsets) {
  SpreadSteps(subsets);
  NumberAcceptingSets(subsets);
  return Materialize(subsets, MergeEquivalentSets(subsets));
}

// The merging looks up every set's target on every class.
void REXI_DfaBuilder::SpreadSteps(const REXI_SubsetTable& subsets) {
  classCount_ = subsets.Classes().Count();
  transitions_.assign(subsets.SetCount() * classCount_, kNoTarget);
  for (size_t set = 0; set < subsets.SetCount(); ++set)
    for (const REXI_SubsetTable::Step& step : subsets.StepsOf(set))
      transitions_[set * classCount_ + step.cls] = static_cast<int32_t>(step.target);
}

// An accepting set takes the number of the definition among its final nodes that occurs in the
// fewest sets (the first in set order on a tie); -2 when none of its final nodes is named.
void REXI_DfaBuilder::NumberAcceptingSets(const REXI_SubsetTable& subsets) {
  const size_t setCount = subsets.SetCount();
  numbers_.assign(setCount, REXI_NfaNode::kNoDefinition);
  auto named = [&](uint32_t index) {
    return subsets.Final(index) && subsets.DefinitionNumber(index) != REXI_NfaNode::kNoDefinition;
  };
  bool anyNamed = false;
  for (uint32_t index = 0; index < subsets.NodeCount() && !anyNamed; ++index) anyNamed = named(index);
  if (!anyNamed) return;
  std::pmr::vector<uint32_t> occurrences(subsets.NodeCount(), 0, memory_);
  for (size_t set = 0; set < setCount; ++set)
    for (uint32_t index : subsets.Members(set))
      if (named(index)) ++occurrences[index];
  for (size_t set = 0; set < setCount; ++set) {
    uint32_t fewest = UINT32_MAX;
    for (uint32_t index : subsets.Members(set)) {
      if (named(index) && occurrences[index] < fewest) {
        fewest = occurrences[index];
        numbers_[set] = subsets.DefinitionNumber(index);
      }
    }
  }
}

// Sets that agree in acceptance and number and whose targets agree class by class behave the same in
// every attempt, step by step; each group of them becomes one state. Refines from (acceptance,
// number) until no group splits. The start set's group is group 0.
std::pmr::vector<uint32_t> REXI_DfaBuilder::MergeEquivalentSets(const REXI_SubsetTable& subsets) const {
  const size_t setCount = subsets.SetCount();
  const size_t classCount = subsets.Classes().Count();
  std::pmr::vector<uint32_t> blockOf(setCount, memory_);
  REXI_SequenceInterner blocks(memory_);
  bool added = false;
  for (size_t set = 0; set < setCount; ++set) {
    const uint32_t key[2] = {subsets.Accepting(set) ? 1u : 0u, static_cast<uint32_t>(numbers_[set])};
    blockOf[set] = blocks.Intern(key, added);
  }
  std::pmr::vector<uint32_t> signature(classCount + 1, memory_);
  std::pmr::vector<uint32_t> refined(setCount, memory_);
  uint64_t steps = 0;
  for (size_t blockCount = blocks.Count();;) {
    blocks.Clear();
    for (size_t set = 0; set < setCount; ++set) {
      signature[0] = blockOf[set];
      for (size_t cls = 0; cls < classCount; ++cls) {
        const int32_t target = Transition(set, cls);
        signature[cls + 1] = target == kNoTarget ? UINT32_MAX : blockOf[static_cast<size_t>(target)];
      }
      refined[set] = blocks.Intern(signature, added);
    }
    blockOf.swap(refined);
    if (blocks.Count() == blockCount) return blockOf;
    blockCount = blocks.Count();
    steps += setCount * (classCount + 1);
    if (steps > kMaxMergeSteps) break;
  }
  for (size_t set = 0; set < setCount; ++set) blockOf[set] = static_cast<uint32_t>(set);
  return blockOf;
}

// One state per group, then one accepting stop state per accepting group, in a single block.
std::unique_ptr<REXI_Dfa> REXI_DfaBuilder::Materialize(const REXI_SubsetTable& subsets,
                                                       const std::pmr::vector<uint32_t>& blockOf) const {
  const size_t blockCount = blockOf.empty() ? 0 : *std::max_element(blockOf.begin(), blockOf.end()) + 1;
  std::pmr::vector<int64_t> representative(blockCount, -1, memory_);
  size_t acceptingBlocks = 0;
  for (size_t set = 0; set < blockOf.size(); ++set) {
    if (representative[blockOf[set]] >= 0) continue;
    representative[blockOf[set]] = static_cast<int64_t>(set);
    acceptingBlocks += subsets.Accepting(set) ? 1 : 0;
  }
  auto dfa = std::make_unique<REXI_Dfa>(blockCount + acceptingBlocks);
  size_t nextStopState = blockCount;
  const REXI_CharacterClasses& classes = subsets.Classes();
  for (size_t block = 0; block < blockCount; ++block) {
    const size_t set = static_cast<size_t>(representative[block]);
    REXI_DfaState& state = dfa->State(block);
    state.number = numbers_[set];
    state.stop = false;
    state.accept = false;
    const REXI_DfaState* fallback = kDeadState;
    if (subsets.Accepting(set)) {
      // At the end of the text, and on every character it cannot follow, the match ends here.
      REXI_DfaState& acceptStop = dfa->State(nextStopState++);
      acceptStop.number = numbers_[set];
      acceptStop.stop = true;
      acceptStop.accept = true;
      std::fill(std::begin(acceptStop.links), std::end(acceptStop.links), kDeadState);
      state.accept = true;
      fallback = &acceptStop;
    }
    std::fill(std::begin(state.links), std::end(state.links), fallback);
    if (!subsets.Accepting(set)) state.links[endOfText_] = kEndState;
    for (size_t cls = 0; cls < classes.Count(); ++cls) {
      const int32_t target = Transition(set, cls);
      if (target == kNoTarget) continue;
      const REXI_DfaState* next = &dfa->State(blockOf[static_cast<size_t>(target)]);
      classes.Class(cls).ForEach([&](uint8_t value) { state.links[value] = next; });
    }
  }
  return dfa;
}
