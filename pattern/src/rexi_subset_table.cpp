#include "pattern/rexi_subset_table.h"

#include <algorithm>

#include "pattern/rexi_errors.h"

namespace {

// Sorts a node list and drops repeated nodes; returns the new end. The lists are short.
uint32_t* SortUnique(uint32_t* first, uint32_t* last) {
  if (last - first > 16) {
    std::sort(first, last);
  } else {
    for (uint32_t* i = first + 1; i < last; ++i) {
      const uint32_t value = *i;
      uint32_t* j = i;
      for (; j > first && *(j - 1) > value; --j) *j = *(j - 1);
      *j = value;
    }
  }
  return std::unique(first, last);
}

}  // namespace

REXI_SubsetTable::REXI_SubsetTable(const REXI_Limits& limits, REXI_BumpResource* memory, REXI_NodeSetForm form,
                                   REXI_SubsetExtent extent)
    : limits_(limits),
      memory_(memory),
      form_(form),
      extent_(extent),
      nodes_(memory),
      edges_(memory),
      classLists_(memory),
      classes_(memory),
      steps_(memory),
      firstStep_(memory),
      accepting_(memory),
      memberPool_(memory),
      memberSpans_(memory),
      lists_(memory),
      pairs_(memory),
      touched_(memory),
      pairCount_(memory),
      classEnd_(memory),
      targetsByClass_(memory) {}

void REXI_SubsetTable::ThrowTooManyStates() { throw REXA_Exception(rexi_message::kTooManyStates, 0); }

void REXI_SubsetTable::Build(const REXI_NfaNode* start, const REXI_SetTable& sets, uint64_t walkStamp,
                             const REXI_NfaCounts& bounds) {
  Flatten(start, sets, walkStamp, bounds);  // goes on to the bit-set construction when that applies
  if (!bitSets_) {
    ReserveForSets();
    ConstructLists();
  }
}

void REXI_SubsetTable::ReserveForSets() {
  constexpr size_t kTypicalSetCount = 64;  // the bit-set construction sizes its hash table by this
  accepting_.reserve(kTypicalSetCount);
  firstStep_.reserve(kTypicalSetCount + 1);
  steps_.reserve(2 * kTypicalSetCount);
}

std::span<const uint32_t> REXI_SubsetTable::Members(size_t set) const {
  if (!bitSets_) return lists_.Get(static_cast<uint32_t>(set));
  return {memberPool_.data() + memberSpans_[set].first, memberSpans_[set].count};
}

// Copies the reachable NFA into flat arrays, in the order a breadth-first walk meets the nodes: every
// edge gets the list of its classes, a node's edges to one target are joined into one, and the nodes
// that neither accept nor go anywhere are represented by one of them (they all behave alike).
void REXI_SubsetTable::Flatten(const REXI_NfaNode* start, const REXI_SetTable& sets, uint64_t walkStamp,
                               const REXI_NfaCounts& bounds) {
  const std::span<const REXI_NfaNode*> order = NewArray<const REXI_NfaNode*>(bounds.nodes);
  const std::span<uint32_t> edgeSets = NewArray<uint32_t>(bounds.edges);  // of the edges with members
  const std::span<uint32_t> targets = NewArray<uint32_t>(bounds.edges);   // their targets' flat indexes
  nodes_.reserve(bounds.nodes);
  auto hasMembers = [&](uint32_t setId) { return sets.HasMembers(setId); };
  // A node that neither accepts nor has an edge with members: such nodes (the ends of most atoms once
  // they are followed by something) are all represented by the first of them met, and the others are
  // not visited at all.
  auto isInert = [&](const REXI_NfaNode* node) {
    if (node->final) return false;
    for (const REXI_NfaEdge& edge : node->Edges())
      if (hasMembers(edge.setId)) return false;
    return true;
  };
  size_t orderCount = 1;
  size_t nfaEdgeCount = 0;
  order[0] = start;
  start->walkStamp = walkStamp;
  start->flatIndex = 0;
  if (isInert(start)) inertNode_ = 0;
  for (size_t i = 0; i < orderCount; ++i) {
    const REXI_NfaNode* node = order[i];
    const size_t firstEdge = nfaEdgeCount;
    for (const REXI_NfaEdge& edge : node->Edges()) {
      if (!hasMembers(edge.setId)) continue;  // takes no character
      REXI_NfaNode* target = edge.target;
      if (target->walkStamp != walkStamp) {
        target->walkStamp = walkStamp;
        if (!isInert(target) || inertNode_ == kNoInertNode) {
          if (inertNode_ == kNoInertNode && isInert(target)) inertNode_ = static_cast<uint32_t>(orderCount);
          target->flatIndex = static_cast<uint32_t>(orderCount);
          order[orderCount++] = target;
        } else {
          target->flatIndex = inertNode_;
        }
      }
      edgeSets[nfaEdgeCount] = edge.setId;
      targets[nfaEdgeCount++] = target->flatIndex;
    }
    // Small records are filled in place rather than built on the stack and copied: the copy would read
    // them with wide loads right after narrow stores, which stalls until the stores drain.
    FlatNode& flat = nodes_.emplace_back();
    flat.firstEdge = static_cast<uint32_t>(firstEdge);
    flat.edgeCount = static_cast<uint32_t>(nfaEdgeCount - firstEdge);  // until the edges are joined
    flat.definitionNumber = node->definitionNumber;
    flat.final = node->final;
  }

  // Edges repeat the same few sets: the classes and class lists come from each distinct set once.
  const std::span<uint32_t> distinctOf = NewArray<uint32_t>(nfaEdgeCount);
  const std::span<const CharSet256*> distinct = NewArray<const CharSet256*>(nfaEdgeCount);
  size_t distinctCount = 0;
  const std::span<uint32_t> distinctOfSet = NewArray<uint32_t>(bounds.sets);
  std::fill(distinctOfSet.begin(), distinctOfSet.end(), kFreeSlot);
  for (size_t e = 0; e < nfaEdgeCount; ++e) {
    uint32_t& index = distinctOfSet[edgeSets[e]];
    if (index == kFreeSlot) {
      index = static_cast<uint32_t>(distinctCount);
      distinct[distinctCount++] = &sets[edgeSets[e]];
    }
    distinctOf[e] = index;
  }
  classes_.Build(distinct.first(distinctCount));
  // Every flat node can be in a set: the inert nodes other than their representative are left out.
  const size_t nodeCount = nodes_.size();
  bitSets_ = form_ == REXI_NodeSetForm::BySize && nodeCount <= kMaxBitSetNodes;
  const EdgeInput input{targets.first(nfaEdgeCount), distinctOf, distinct.first(distinctCount)};
  if (!bitSets_) {
    JoinEdges(input);
    return;
  }
  const size_t words = nodeCount <= 64 ? 1 : nodeCount <= 128 ? 2 : 4;
  if (extent_ == REXI_SubsetExtent::OnDemand) {
    deferred_ = words == 1   ? BudgetHoldsForAnySets<1>(input)
                : words == 2 ? BudgetHoldsForAnySets<2>(input)
                             : BudgetHoldsForAnySets<4>(input);
    if (deferred_) {
      setWords_ = words;
      deferredEdges_ = input;
      return;
    }
  }
  ReserveForSets();
  if (words == 1)
    ConstructBitSets<1>(input);
  else if (words == 2)
    ConstructBitSets<2>(input);
  else
    ConstructBitSets<4>(input);
}

std::span<uint32_t> REXI_SubsetTable::ListClasses(std::span<const CharSet256* const> distinct) {
  const std::span<uint32_t> listStart = NewArray<uint32_t>(distinct.size() + 1);
  classLists_.reserve(distinct.size() * 2 + 16);
  for (size_t d = 0; d < distinct.size(); ++d) {
    listStart[d] = static_cast<uint32_t>(classLists_.size());
    classes_.ForEachClassIn(*distinct[d], [&](size_t cls) { classLists_.push_back(static_cast<uint8_t>(cls)); });
  }
  listStart[distinct.size()] = static_cast<uint32_t>(classLists_.size());
  return listStart;
}

void REXI_SubsetTable::JoinEdges(const EdgeInput& input) {
  const std::span<const uint32_t> listStart = ListClasses(input.distinct);
  edges_.reserve(input.targets.size());
  // Where the current node's edge to each target is, if it has one.
  const std::span<uint32_t> slotOfTarget = NewArray<uint32_t>(nodes_.size());
  std::fill(slotOfTarget.begin(), slotOfTarget.end(), kFreeSlot);
  for (FlatNode& node : nodes_) {
    const uint32_t firstNfaEdge = node.firstEdge;
    const uint32_t endNfaEdge = firstNfaEdge + node.edgeCount;
    const uint32_t firstEdge = static_cast<uint32_t>(edges_.size());
    node.firstEdge = firstEdge;
    for (uint32_t e = firstNfaEdge; e < endNfaEdge; ++e) {
      const uint32_t firstClass = listStart[input.distinctOf[e]];
      const uint32_t classCount = listStart[input.distinctOf[e] + 1] - firstClass;
      const uint32_t target = input.targets[e];
      uint32_t& slot = slotOfTarget[target];
      if (slot == kFreeSlot || slot < firstEdge || edges_[slot].target != target) {
        slot = static_cast<uint32_t>(edges_.size());
        FlatEdge& flat = edges_.emplace_back();
        flat.target = target;
        flat.firstClass = firstClass;
        flat.classCount = classCount;
        continue;
      }
      // A second edge to the same target: the joined edge takes the classes of both, in class order.
      FlatEdge& joined = edges_[slot];
      REXI_ClassMask mask;
      for (uint8_t cls : ClassesOf(joined)) mask.Add(cls);
      for (uint32_t c = firstClass; c < firstClass + classCount; ++c) mask.Add(classLists_[c]);
      joined.firstClass = static_cast<uint32_t>(classLists_.size());
      mask.ForEach([&](size_t cls) { classLists_.push_back(static_cast<uint8_t>(cls)); });
      joined.classCount = static_cast<uint32_t>(classLists_.size()) - joined.firstClass;
    }
    node.edgeCount = static_cast<uint32_t>(edges_.size()) - firstEdge;
  }
}

// Each set's target per class: the targets of all its nodes' edges that the class takes. The node
// standing for those that neither accept nor go anywhere changes nothing about a set that holds other
// nodes, so it stays only in a set of its own. New sets are numbered in the order their classes are
// first met, node by node (ascending), edge by edge and class by class (ascending). Both forms of the
// sets (here as lists; as bit sets in rexi_subset_bitsets.cpp) follow these rules to the letter; they
// differ only in speed.
void REXI_SubsetTable::ConstructLists() {
  const size_t classCount = classes_.Count();
  pairCount_.assign(classCount, 0);
  classEnd_.assign(classCount, 0);
  std::pmr::vector<uint32_t> members(1, 0, memory_);
  InternList(members);
  for (size_t set = 0; set < SetCount(); ++set) {
    firstStep_.push_back(static_cast<uint32_t>(steps_.size()));
    const std::span<const uint32_t> stored = lists_.Get(static_cast<uint32_t>(set));
    members.assign(stored.begin(), stored.end());  // interning new sets may move the stored ones
    CollectTargets(members);
    for (uint32_t cls : touched_) {
      uint32_t* const last = targetsByClass_.data() + classEnd_[cls];
      uint32_t* const first = last - pairCount_[cls];
      pairCount_[cls] = 0;
      uint32_t* end = SortUnique(first, last);
      if (end - first > 1 && inertNode_ != kNoInertNode) end = std::remove(first, end, inertNode_);
      const std::span<const uint32_t> targets(first, end);
      const uint32_t target = InternList(targets);
      Step& step = steps_.emplace_back();
      step.cls = cls;
      step.target = target;
      subsetSteps_ += targets.size();
    }
  }
  firstStep_.push_back(static_cast<uint32_t>(steps_.size()));
}

// Groups the targets of the members' edges by class into targetsByClass_, the classes in touched_ in
// the order they were first met; a class's pairCount_ targets end at its classEnd_.
void REXI_SubsetTable::CollectTargets(std::span<const uint32_t> members) {
  pairs_.clear();
  touched_.clear();
  for (uint32_t index : members) {
    const FlatNode& node = nodes_[index];
    for (const FlatEdge& edge : EdgesOf(node)) {
      for (uint8_t cls : ClassesOf(edge)) {
        if (pairCount_[cls]++ == 0) touched_.push_back(cls);
        pairs_.push_back({cls, edge.target});
      }
    }
    PaySubsetSteps(node.edgeCount);
  }
  uint32_t next = 0;
  for (uint32_t cls : touched_) {
    classEnd_[cls] = next;
    next += pairCount_[cls];
  }
  targetsByClass_.resize(pairs_.size());
  for (const Step& pair : pairs_) targetsByClass_[classEnd_[pair.cls]++] = pair.target;
}

uint32_t REXI_SubsetTable::InternList(std::span<const uint32_t> nodes) {
  bool added = false;
  const uint32_t id = lists_.Intern(nodes, added);
  if (!added) return id;
  bool accepting = false;
  for (uint32_t node : nodes) accepting |= nodes_[node].final;
  setEntries_ += nodes.size();
  EnterNewSet(accepting);
  return id;
}

bool REXI_SubsetTable::WalkWhole(const char* text, size_t length) const {
  REXI_ClassCache classOf(classes_);
  size_t set = 0;
  for (size_t i = 0; i < length; ++i) {
    const uint32_t cls = classOf(static_cast<uint8_t>(text[i]));
    const std::span<const Step> steps = StepsOf(set);
    const Step* step = steps.data();
    while (step != steps.data() + steps.size() && step->cls != cls) ++step;
    if (step == steps.data() + steps.size()) return false;  // no step, or a value of no class
    set = step->target;
  }
  return Accepting(set);
}
