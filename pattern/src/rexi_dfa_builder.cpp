#include "pattern/rexi_dfa_builder.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "pattern/rexi_errors.h"

namespace {

[[noreturn]] void ThrowTooManyStates() { throw REXA_Exception(rexi_message::kTooManyStates, 0); }

// Merging is an optimisation: past this much work the unmerged automaton is used as it is.
constexpr uint64_t kMaxMergeSteps = 500000;

}  // namespace

REXI_DfaBuilder::REXI_DfaBuilder(uint8_t endOfText, const REXI_Limits& limits)
    : endOfText_(endOfText), limits_(limits) {}

std::unique_ptr<REXI_Dfa> REXI_DfaBuilder::Build(const REXI_NfaNode* start) {
  Flatten(start);
  ConstructSubsets();
  NumberAcceptingSets();
  return Materialize(MergeEquivalentSets());
}

// Copies the reachable NFA into flat arrays: every edge gets the mask of its classes, a node's edges to
// one target are joined into one, and the nodes that neither accept nor go anywhere are represented
// by one of them (they all behave alike).
void REXI_DfaBuilder::Flatten(const REXI_NfaNode* start) {
  const uint64_t stamp = REXI_NewWalkStamp();
  std::vector<const REXI_NfaNode*> order{start};
  start->walkStamp = stamp;
  start->flatIndex = 0;
  std::vector<const REXI_NfaEdge*> edges;
  for (size_t i = 0; i < order.size(); ++i) {
    bool goesSomewhere = false;
    for (const REXI_NfaEdge& edge : order[i]->Edges()) {
      if (!edge.set.Any()) continue;  // takes no character
      goesSomewhere = true;
      edges.push_back(&edge);
      if (edge.target->walkStamp != stamp) {
        edge.target->walkStamp = stamp;
        edge.target->flatIndex = static_cast<uint32_t>(order.size());
        order.push_back(edge.target);
      }
    }
    const bool inert = !order[i]->final && !goesSomewhere;
    if (inert && inertNode_ == kNoInertNode) inertNode_ = static_cast<uint32_t>(i);
    nodes_.push_back({order[i]->final, order[i]->definitionNumber, 0, 0, inert});
  }

  // Edges repeat the same few sets: the classes and masks come from each distinct set once.
  std::vector<uint32_t> distinctOf(edges.size());
  std::vector<CharSet256> distinct;
  std::vector<uint32_t> slots(std::bit_ceil(edges.size() * 2 + 2), UINT32_MAX);
  for (size_t e = 0; e < edges.size(); ++e) {
    const CharSet256& set = edges[e]->set;
    uint64_t hash = 0;
    for (int w = 0; w < CharSet256::kWordCount; ++w) hash = (hash ^ set.Word(w)) * 0x9E3779B97F4A7C15ull;
    size_t slot = (hash >> 32) & (slots.size() - 1);
    while (slots[slot] != UINT32_MAX && !(distinct[slots[slot]] == set)) slot = (slot + 1) & (slots.size() - 1);
    if (slots[slot] == UINT32_MAX) {
      slots[slot] = static_cast<uint32_t>(distinct.size());
      distinct.push_back(set);
    }
    distinctOf[e] = slots[slot];
  }
  classes_ = REXI_CharacterClasses(distinct);
  std::vector<REXI_ClassMask> maskOfDistinct(distinct.size());
  for (size_t d = 0; d < distinct.size(); ++d) maskOfDistinct[d] = classes_.MaskOf(distinct[d]);

  std::vector<uint32_t> slotOfTarget(order.size(), UINT32_MAX);  // in the current node's edge list
  size_t nextEdge = 0;
  for (size_t i = 0; i < order.size(); ++i) {
    FlatNode& node = nodes_[i];
    node.firstEdge = static_cast<uint32_t>(edges_.size());
    for (const REXI_NfaEdge& edge : order[i]->Edges()) {
      if (!edge.set.Any()) continue;
      uint32_t target = edge.target->flatIndex;
      if (nodes_[target].inert) target = inertNode_;
      uint32_t& slot = slotOfTarget[target];
      if (slot < node.firstEdge || slot >= edges_.size() || edges_[slot].target != target) {
        slot = static_cast<uint32_t>(edges_.size());
        edges_.push_back({target, {}});
      }
      edges_[slot].classes |= maskOfDistinct[distinctOf[nextEdge++]];
    }
    node.edgeCount = static_cast<uint32_t>(edges_.size()) - node.firstEdge;
  }
}

// Gives a node set its id, within the budget, and records whether it accepts.
uint32_t REXI_DfaBuilder::InternSet(const std::vector<uint32_t>& nodes) {
  bool added = false;
  const uint32_t id = sets_.Intern(nodes, added);
  if (!added) return id;
  const bool accepting = std::any_of(nodes.begin(), nodes.end(), [&](uint32_t n) { return nodes_[n].final; });
  stateCount_ += accepting ? 2 : 1;
  if (stateCount_ > limits_.maxDfaStates || sets_.TotalValues() > limits_.maxSubsetEntries) ThrowTooManyStates();
  accepting_.push_back(accepting ? 1 : 0);
  transitions_.resize(transitions_.size() + classes_.Count(), kNoTarget);
  return id;
}

// Each set's target per class: the targets of all its nodes' edges that the class takes. The node
// standing for those that neither accept nor go anywhere changes nothing about a set that holds other
// nodes, so it stays only in a set of its own.
void REXI_DfaBuilder::ConstructSubsets() {
  std::vector<std::vector<uint32_t>> targetsOf(classes_.Count());
  std::vector<size_t> touched;
  std::vector<uint32_t> current(1, 0);
  InternSet(current);
  for (uint32_t set = 0; set < sets_.Count(); ++set) {
    const std::span<const uint32_t> members = sets_.Get(set);
    current.assign(members.begin(), members.end());
    for (uint32_t index : current) {
      const FlatNode& node = nodes_[index];
      for (uint32_t e = node.firstEdge; e < node.firstEdge + node.edgeCount; ++e) {
        const FlatEdge& edge = edges_[e];
        edge.classes.ForEach([&](size_t cls) {
          std::vector<uint32_t>& targets = targetsOf[cls];
          if (targets.empty()) touched.push_back(cls);
          targets.push_back(edge.target);
        });
      }
      subsetSteps_ += node.edgeCount;
      if (subsetSteps_ > limits_.maxSubsetSteps) ThrowTooManyStates();
    }
    for (size_t cls : touched) {
      std::vector<uint32_t>& targets = targetsOf[cls];
      std::sort(targets.begin(), targets.end());
      targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
      if (targets.size() > 1 && inertNode_ != kNoInertNode)
        targets.erase(std::remove(targets.begin(), targets.end(), inertNode_), targets.end());
      transitions_[set * classes_.Count() + cls] = static_cast<int32_t>(InternSet(targets));
      subsetSteps_ += targets.size();
      targets.clear();
    }
    touched.clear();
  }
}

// An accepting set takes the number of the definition among its final nodes that occurs in the
// fewest sets (the first in set order on a tie); -2 when none of its final nodes is named.
void REXI_DfaBuilder::NumberAcceptingSets() {
  numbers_.assign(sets_.Count(), REXI_NfaNode::kNoDefinition);
  const bool anyNamed = std::any_of(nodes_.begin(), nodes_.end(), [](const FlatNode& node) {
    return node.final && node.definitionNumber != REXI_NfaNode::kNoDefinition;
  });
  if (!anyNamed) return;
  auto named = [&](uint32_t index) {
    return nodes_[index].final && nodes_[index].definitionNumber != REXI_NfaNode::kNoDefinition;
  };
  std::vector<uint32_t> occurrences(nodes_.size(), 0);
  for (uint32_t set = 0; set < sets_.Count(); ++set)
    for (uint32_t index : sets_.Get(set))
      if (named(index)) ++occurrences[index];
  for (uint32_t set = 0; set < sets_.Count(); ++set) {
    uint32_t fewest = UINT32_MAX;
    for (uint32_t index : sets_.Get(set)) {
      if (named(index) && occurrences[index] < fewest) {
        fewest = occurrences[index];
        numbers_[set] = nodes_[index].definitionNumber;
      }
    }
  }
}

// Sets that agree in acceptance and number and whose targets agree class by class behave the same in
// every attempt, step by step; each group of them becomes one state. Refines from (acceptance,
// number) until no group splits. The start set's group is group 0.
std::vector<uint32_t> REXI_DfaBuilder::MergeEquivalentSets() const {
  const size_t setCount = sets_.Count();
  const size_t classCount = classes_.Count();
  std::vector<uint32_t> blockOf(setCount);
  REXI_SequenceInterner blocks;
  bool added = false;
  for (size_t set = 0; set < setCount; ++set) {
    const uint32_t key[2] = {accepting_[set], static_cast<uint32_t>(numbers_[set])};
    blockOf[set] = blocks.Intern(key, added);
  }
  std::vector<uint32_t> signature(classCount + 1);
  std::vector<uint32_t> refined(setCount);
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
std::unique_ptr<REXI_Dfa> REXI_DfaBuilder::Materialize(const std::vector<uint32_t>& blockOf) const {
  const size_t blockCount = blockOf.empty() ? 0 : *std::max_element(blockOf.begin(), blockOf.end()) + 1;
  std::vector<int64_t> representative(blockCount, -1);
  size_t acceptingBlocks = 0;
  for (size_t set = 0; set < blockOf.size(); ++set) {
    if (representative[blockOf[set]] >= 0) continue;
    representative[blockOf[set]] = static_cast<int64_t>(set);
    acceptingBlocks += accepting_[set];
  }
  auto dfa = std::make_unique<REXI_Dfa>(blockCount + acceptingBlocks);
  size_t nextStopState = blockCount;
  for (size_t block = 0; block < blockCount; ++block) {
    const size_t set = static_cast<size_t>(representative[block]);
    REXI_DfaState& state = dfa->State(block);
    state.number = numbers_[set];
    state.stop = false;
    state.accept = false;
    const REXI_DfaState* fallback = DeadState;
    if (accepting_[set] != 0) {
      // At the end of the text, and on every character it cannot follow, the match ends here.
      REXI_DfaState& acceptStop = dfa->State(nextStopState++);
      acceptStop.number = numbers_[set];
      acceptStop.stop = true;
      acceptStop.accept = true;
      std::fill(std::begin(acceptStop.links), std::end(acceptStop.links), DeadState);
      state.accept = true;
      fallback = &acceptStop;
    }
    std::fill(std::begin(state.links), std::end(state.links), fallback);
    if (accepting_[set] == 0) state.links[endOfText_] = EndState;
    for (size_t cls = 0; cls < classes_.Count(); ++cls) {
      const int32_t target = Transition(set, cls);
      if (target == kNoTarget) continue;
      const REXI_DfaState* next = &dfa->State(blockOf[static_cast<size_t>(target)]);
      classes_.Class(cls).ForEach([&](uint8_t value) { state.links[value] = next; });
    }
  }
  return dfa;
}
