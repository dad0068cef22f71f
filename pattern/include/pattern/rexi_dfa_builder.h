#pragma once
// Turns the NFA into a DFA: subset construction over character classes into a compact table, states
// that behave alike merged, then one full 256-entry row per state. An accepting state gets its own
// accepting stop state for every character it cannot follow. Alive only during one compile.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "pattern/rexi_character_classes.h"
#include "pattern/rexi_dfa.h"
#include "pattern/rexi_limits.h"
#include "pattern/rexi_nfa.h"
#include "pattern/rexi_sequence_interner.h"

class REXI_DfaBuilder {
public:
  REXI_DfaBuilder(uint8_t endOfText, const REXI_Limits& limits);
  REXI_DfaBuilder(const REXI_DfaBuilder&) = delete;
  REXI_DfaBuilder& operator=(const REXI_DfaBuilder&) = delete;

  // Raises REXA_Exception (position 0) when the pattern needs more than the state budget.
  std::unique_ptr<REXI_Dfa> Build(const REXI_NfaNode* start);

private:
  static constexpr int32_t kNoTarget = -1;
  static constexpr uint32_t kNoInertNode = UINT32_MAX;

  struct FlatEdge {
    uint32_t target;
    REXI_ClassMask classes;  // the classes that take this edge
  };
  struct FlatNode {
    bool final;
    int32_t definitionNumber;
    uint32_t firstEdge;
    uint32_t edgeCount;
    bool inert;  // neither accepts nor goes anywhere
  };

  void Flatten(const REXI_NfaNode* start);
  void ConstructSubsets();
  uint32_t InternSet(const std::vector<uint32_t>& nodes);
  void NumberAcceptingSets();
  std::vector<uint32_t> MergeEquivalentSets() const;
  std::unique_ptr<REXI_Dfa> Materialize(const std::vector<uint32_t>& blockOf) const;
  int32_t Transition(size_t set, size_t cls) const { return transitions_[set * classes_.Count() + cls]; }

  const uint8_t endOfText_;
  const REXI_Limits limits_;
  std::vector<FlatNode> nodes_;  // the reachable NFA, start first
  std::vector<FlatEdge> edges_;  // edges with at least one member, one per source and target
  uint32_t inertNode_ = kNoInertNode;  // stands for every node that neither accepts nor goes anywhere
  REXI_CharacterClasses classes_;
  REXI_SequenceInterner sets_;         // the subset table's node sets (ascending node indexes)
  std::vector<int32_t> transitions_;   // per set, per class: the target set, or kNoTarget
  std::vector<uint8_t> accepting_;     // per set: it holds a final node
  std::vector<int32_t> numbers_;       // per set: the definition number of an accepting set, else -2
  size_t stateCount_ = 0;              // states the sets need, accepting stop states included
  uint64_t subsetSteps_ = 0;           // work of the subset construction so far
};
