#pragma once
// The subset construction over character classes: which NFA node sets the pattern's automaton
// reaches, and where each of them goes on each class. Both the full DFA of a search and the one-pass
// check of a validation are read off this table. Alive only during one compile; its tables come from
// the memory resource it is given.

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <type_traits>
#include <vector>

#include "pattern/rexi_character_classes.h"
#include "pattern/rexi_limits.h"
#include "pattern/rexi_nfa.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_sequence_interner.h"

// How the node sets are held while they are constructed. Both ways yield the same table.
enum class REXI_NodeSetForm {
  BySize,      // as bit sets when the NFA is small enough, else as lists
  AlwaysList,  // as sorted lists of node indexes
};

// How much of the table Build constructs. AcceptsWhole answers alike either way, and the budget fails
// for the same patterns.
enum class REXI_SubsetExtent {
  Complete,  // every set the start reaches, with its steps
  // Only the flat NFA and the classes, when the budget provably holds for the complete table;
  // AcceptsWhole then makes the sets the text meets as it meets them. A short value reaches a handful
  // of the sets. Otherwise, as Complete.
  OnDemand,
};

class REXI_SubsetTable {
 public:
  // A set follows a class into a target set.
  struct Step {
    uint32_t cls;
    uint32_t target;
  };

  REXI_SubsetTable(const REXI_Limits& limits, REXI_BumpResource* memory,
                   REXI_NodeSetForm form = REXI_NodeSetForm::BySize,
                   REXI_SubsetExtent extent = REXI_SubsetExtent::Complete);
  REXI_SubsetTable(const REXI_SubsetTable&) = delete;
  REXI_SubsetTable& operator=(const REXI_SubsetTable&) = delete;

  // sets: the table that names the edges' sets; walkStamp: a stamp that no walk over these nodes has
  // used yet; bounds: at least the nodes, edges and sets reachable from start (the counts of the arena
  // that holds them). Raises REXA_Exception (position 0) when the pattern needs more than the state
  // budget.
  void Build(const REXI_NfaNode* start, const REXI_SetTable& sets, uint64_t walkStamp, const REXI_NfaCounts& bounds);

  // False when the sets are left for AcceptsWhole to make: the accessors of sets below then have none.
  bool IsComplete() const { return !deferred_; }

  // The node sets: set 0 holds the start node alone.
  size_t SetCount() const { return accepting_.size(); }
  // The flat indexes of the set's nodes, ascending.
  std::span<const uint32_t> Members(size_t set) const;
  bool Accepting(size_t set) const { return accepting_[set] != 0; }
  // The classes the set can follow, each once, and where they lead; the other classes lead nowhere.
  std::span<const Step> StepsOf(size_t set) const {
    return {steps_.data() + firstStep_[set], firstStep_[set + 1] - firstStep_[set]};
  }
  const REXI_CharacterClasses& Classes() const { return classes_; }

  // Of a node by its flat index.
  bool Final(uint32_t node) const { return nodes_[node].final; }
  int32_t DefinitionNumber(uint32_t node) const { return nodes_[node].definitionNumber; }
  size_t NodeCount() const { return nodes_.size(); }

  // Whether the automaton goes from the start set through the whole text into an accepting set. The
  // end-of-text character never has a transition.
  bool AcceptsWhole(const char* text, size_t length) const {
    if (!deferred_) return WalkWhole(text, length);
    switch (setWords_) {
      case 1:
        return WalkWholeOnDemand<1>(text, length);
      case 2:
        return WalkWholeOnDemand<2>(text, length);
      default:
        return WalkWholeOnDemand<4>(text, length);
    }
  }

 private:
  static constexpr uint32_t kNoInertNode = UINT32_MAX;
  static constexpr uint32_t kFreeSlot = UINT32_MAX;
  static constexpr size_t kMaxBitSetNodes = 256;

  struct FlatNode {
    uint32_t firstEdge;
    uint32_t edgeCount;
    int32_t definitionNumber;
    bool final;
  };
  struct FlatEdge {
    uint32_t target;
    uint32_t firstClass;  // the classes that take this edge: classLists_[firstClass, + classCount)
    uint32_t classCount;
  };
  // The NFA edges with members, node by node (a flat node's edgeCount of them from its firstEdge):
  // each edge's target (flat index) and the index of its set among the distinct ones.
  struct EdgeInput {
    std::span<const uint32_t> targets;
    std::span<const uint32_t> distinctOf;
    std::span<const CharSet256* const> distinct;
  };
  struct MemberSpan {
    uint32_t first;
    uint32_t count;
  };

  // An uninitialised array that lives as long as the table.
  template <class T>
  std::span<T> NewArray(size_t count) {
    static_assert(std::is_trivially_destructible_v<T>);
    return {static_cast<T*>(memory_->Allocate((count != 0 ? count : 1) * sizeof(T), alignof(T))), count};
  }

  void Flatten(const REXI_NfaNode* start, const REXI_SetTable& sets, uint64_t walkStamp, const REXI_NfaCounts& bounds);
  // For the lists: a node's edges to one target joined into one.
  void JoinEdges(const EdgeInput& input);
  // Each distinct set's classes, in class order, into classLists_; returns where each list starts (and
  // one past the last).
  std::span<uint32_t> ListClasses(std::span<const CharSet256* const> distinct);
  std::span<const FlatEdge> EdgesOf(const FlatNode& node) const {
    return {edges_.data() + node.firstEdge, node.edgeCount};
  }
  std::span<const uint8_t> ClassesOf(const FlatEdge& edge) const {
    return {classLists_.data() + edge.firstClass, edge.classCount};
  }
  void PaySubsetSteps(uint64_t steps) {
    subsetSteps_ += steps;
    if (subsetSteps_ > limits_.maxSubsetSteps) ThrowTooManyStates();
  }
  // Books a set just added (its members already counted), within the budget.
  void EnterNewSet(bool accepting) {
    stateCount_ += accepting ? 2 : 1;
    if (stateCount_ > limits_.maxDfaStates || setEntries_ > limits_.maxSubsetEntries) ThrowTooManyStates();
    accepting_.push_back(accepting ? 1 : 0);
  }
  [[noreturn]] static void ThrowTooManyStates();

  void ReserveForSets();
  // Node sets as bit sets of Words words (rexi_subset_bitsets.cpp).
  template <size_t Words>
  void ConstructBitSets(const EdgeInput& input);
  // Whether no way the sets could turn out would run out of the budget (rexi_subset_on_demand.cpp).
  template <size_t Words>
  bool BudgetHoldsForAnySets(const EdgeInput& input);
  template <size_t Words>
  bool WalkWholeOnDemand(const char* text, size_t length) const;
  bool WalkWhole(const char* text, size_t length) const;
  // Node sets as lists.
  void ConstructLists();
  void CollectTargets(std::span<const uint32_t> members);
  uint32_t InternList(std::span<const uint32_t> nodes);

  const REXI_Limits limits_;
  REXI_BumpResource* const memory_;
  const REXI_NodeSetForm form_;
  const REXI_SubsetExtent extent_;
  bool deferred_ = false;             // the sets are left for AcceptsWhole
  std::pmr::vector<FlatNode> nodes_;  // the reachable NFA, start first
  std::pmr::vector<FlatEdge> edges_;  // edges with at least one member, one per source and target
  std::pmr::vector<uint8_t> classLists_;
  uint32_t inertNode_ = kNoInertNode;  // stands for every node that neither accepts nor goes anywhere
  REXI_CharacterClasses classes_;
  std::pmr::vector<Step> steps_;          // of every set, set by set
  std::pmr::vector<uint32_t> firstStep_;  // per set, and one past the last set
  std::pmr::vector<uint8_t> accepting_;   // per set: it holds a final node
  size_t stateCount_ = 0;                 // states the sets need, accepting stop states included
  uint64_t setEntries_ = 0;               // nodes summed over the sets
  uint64_t subsetSteps_ = 0;              // work of the subset construction so far

  // The sets as bit sets: their members.
  bool bitSets_ = false;
  // When the sets are left for AcceptsWhole: the words of a node bit set, and the edges to make them from.
  size_t setWords_ = 0;
  EdgeInput deferredEdges_;
  std::pmr::vector<uint32_t> memberPool_;
  std::pmr::vector<MemberSpan> memberSpans_;

  // The sets as lists, and the scratch of the set being expanded: its (class, target) pairs, the
  // classes in the order they were first met, and per class the count of its pairs and where its
  // targets end in targetsByClass_.
  REXI_SequenceInterner lists_;
  std::pmr::vector<Step> pairs_;
  std::pmr::vector<uint32_t> touched_;
  std::pmr::vector<uint32_t> pairCount_;
  std::pmr::vector<uint32_t> classEnd_;
  std::pmr::vector<uint32_t> targetsByClass_;
};
