// The subset construction with node sets held as bit sets: the form for every NFA whose flat nodes
// (those that can be in a set) fit in Words words. It follows the rules stated in
// rexi_subset_table.cpp to the letter, so it builds the same table as the list form.
#include <algorithm>
#include <bit>
#include <iterator>

#include "pattern/rexi_subset_table.h"
#include "rexi_node_bits.h"

namespace {

using rexi_detail::NodeBits;

constexpr uint32_t kNoSoleMember = UINT32_MAX;

// The set's one member, or kNoSoleMember when it has more.
template <size_t Words>
uint32_t SoleMember(const NodeBits<Words>& nodes) {
  uint64_t any = 0;
  for (uint64_t word : nodes.words) any |= word;
  if ((any & (any - 1)) != 0) return kNoSoleMember;  // each word is empty or holds the same one bit
  uint32_t member = kNoSoleMember;
  for (size_t w = 0; w < Words; ++w) {
    if (nodes.words[w] == 0) continue;
    if (member != kNoSoleMember) return kNoSoleMember;
    member = static_cast<uint32_t>(w * 64 + static_cast<size_t>(std::countr_zero(nodes.words[w])));
  }
  return member;
}

}  // namespace

template <size_t Words>
void REXI_SubsetTable::ConstructBitSets(const EdgeInput& input) {
  using Bits = NodeBits<Words>;
  const size_t nodeCount = nodes_.size();
  const size_t classCount = classes_.Count();

  // Each node's rows: what it contributes to a set's targets per class, so that a set is expanded once
  // per node and class rather than once per edge and class. A node's edges to one target count as one
  // edge that takes the classes of them all; the classes are met edge by edge, in the order of each
  // target's first edge, and in class order within an edge.
  const std::span<const uint32_t> listStart = ListClasses(input.distinct);
  size_t rowBound = 0;
  for (uint32_t d : input.distinctOf) rowBound += listStart[d + 1] - listStart[d];
  const std::span<uint32_t> rowClass = NewArray<uint32_t>(rowBound);
  const std::span<Bits> rowTargets = NewArray<Bits>(rowBound);
  const std::span<uint32_t> firstRowOf = NewArray<uint32_t>(nodeCount + 1);
  const std::span<uint32_t> edgeCountOf = NewArray<uint32_t>(nodeCount);
  {
    // The current node's joined edges: a target and the distinct set of its first edge, or kFreeSlot once
    // further edges to the target have joined it (their classes are then in joinedClasses).
    const std::span<uint32_t> joinedTarget = NewArray<uint32_t>(input.targets.size());
    const std::span<uint32_t> joinedSet = NewArray<uint32_t>(input.targets.size());
    std::pmr::vector<REXI_ClassMask> joinedClasses(memory_);  // rarely needed
    // Per target: the joined edge of the node that last met it, and that node's index plus one.
    const std::span<uint32_t> joinedOfTarget = NewArray<uint32_t>(nodeCount);
    const std::span<uint32_t> joinedBy = NewArray<uint32_t>(nodeCount);
    std::fill(joinedBy.begin(), joinedBy.end(), 0);
    const std::span<uint32_t> rowOfClass = NewArray<uint32_t>(classCount);  // in the current node's rows
    std::fill(rowOfClass.begin(), rowOfClass.end(), kFreeSlot);
    uint32_t rowCount = 0;
    auto addToRow = [&](size_t cls, uint32_t target, uint32_t firstRow) {
      uint32_t& row = rowOfClass[cls];
      if (row == kFreeSlot || row < firstRow) {
        row = rowCount++;
        rowClass[row] = static_cast<uint32_t>(cls);
        rowTargets[row] = Bits{};
      }
      rowTargets[row].Add(target);
    };
    for (uint32_t index = 0; index < nodeCount; ++index) {
      const FlatNode& node = nodes_[index];
      const uint32_t firstEdge = node.firstEdge;
      const uint32_t endEdge = firstEdge + node.edgeCount;
      uint32_t joinedCount = 0;
      for (uint32_t e = firstEdge; e < endEdge; ++e) {
        const uint32_t target = input.targets[e];
        const uint32_t distinct = input.distinctOf[e];
        if (joinedBy[target] != index + 1) {  // the node's first edge to the target, as nearly always
          joinedBy[target] = index + 1;
          joinedOfTarget[target] = joinedCount;
          joinedTarget[joinedCount] = target;
          joinedSet[joinedCount++] = distinct;
          continue;
        }
        const uint32_t joined = joinedOfTarget[target];
        if (joinedSet[joined] != kFreeSlot) {
          if (joinedClasses.size() <= joined) joinedClasses.resize(joined + 1);
          joinedClasses[joined] = REXI_ClassMask{};
          for (uint32_t c = listStart[joinedSet[joined]]; c < listStart[joinedSet[joined] + 1]; ++c)
            joinedClasses[joined].Add(classLists_[c]);
          joinedSet[joined] = kFreeSlot;
        }
        for (uint32_t c = listStart[distinct]; c < listStart[distinct + 1]; ++c)
          joinedClasses[joined].Add(classLists_[c]);
      }
      edgeCountOf[index] = joinedCount;
      const uint32_t firstRow = rowCount;
      firstRowOf[index] = firstRow;
      for (uint32_t joined = 0; joined < joinedCount; ++joined) {
        const uint32_t target = joinedTarget[joined];
        if (joinedSet[joined] != kFreeSlot) {
          const uint32_t first = listStart[joinedSet[joined]];
          const uint32_t end = listStart[joinedSet[joined] + 1];
          addToRow(classLists_[first], target, firstRow);  // most sets are one class: no loop for them
          for (uint32_t c = first + 1; c < end; ++c) addToRow(classLists_[c], target, firstRow);
        } else {
          joinedClasses[joined].ForEach([&](size_t cls) { addToRow(cls, target, firstRow); });
        }
      }
    }
    firstRowOf[nodeCount] = rowCount;
  }

  // The sets, found through an open-addressing table (at most half full) whose slots keep part of the
  // set's hash beside its id, so that a probe rarely has to fetch the set itself; a set of one node,
  // the commonest kind, is found through that node.
  struct Slot {
    uint32_t tag;
    uint32_t id;  // kFreeSlot for a free slot
  };
  std::pmr::vector<Bits> setBits(memory_);
  setBits.reserve(accepting_.capacity());
  std::pmr::vector<Slot> slots(2 * accepting_.capacity(), Slot{0, kFreeSlot}, memory_);
  const std::span<uint32_t> soleSetOf = NewArray<uint32_t>(nodeCount);  // per node: the set of it alone
  std::fill(soleSetOf.begin(), soleSetOf.end(), kFreeSlot);
  memberSpans_.reserve(accepting_.capacity());
  memberPool_.reserve(2 * accepting_.capacity());
  auto tagOf = [](size_t hash) { return static_cast<uint32_t>(static_cast<uint64_t>(hash) >> 32); };
  auto addSet = [&](const Bits& nodes, size_t freeSlot, uint32_t tag) {
    const uint32_t id = static_cast<uint32_t>(setBits.size());
    setBits.push_back(nodes);
    const uint32_t firstMember = static_cast<uint32_t>(memberPool_.size());
    bool accepting = false;
    for (size_t w = 0; w < Words; ++w) {
      for (uint64_t word = nodes.words[w]; word != 0; word &= word - 1) {
        const uint32_t node = static_cast<uint32_t>(w * 64 + static_cast<size_t>(std::countr_zero(word)));
        memberPool_.push_back(node);
        accepting |= nodes_[node].final;
      }
    }
    const uint32_t count = static_cast<uint32_t>(memberPool_.size()) - firstMember;
    MemberSpan& span = memberSpans_.emplace_back();  // filled in place: see Flatten
    span.first = firstMember;
    span.count = count;
    setEntries_ += count;
    EnterNewSet(accepting);
    if (freeSlot == kFreeSlot) return id;
    slots[freeSlot] = Slot{tag, id};
    if (setBits.size() * 2 > slots.size()) {
      slots.assign(slots.size() * 2, Slot{0, kFreeSlot});
      const size_t mask = slots.size() - 1;
      for (uint32_t set = 0; set < setBits.size(); ++set) {
        if (memberSpans_[set].count == 1) continue;
        const size_t hash = HashOf(setBits[set]);
        size_t slot = hash & mask;
        while (slots[slot].id != kFreeSlot) slot = (slot + 1) & mask;
        slots[slot] = Slot{tagOf(hash), set};
      }
    }
    return id;
  };
  auto internSet = [&](const Bits& nodes) {
    const uint32_t sole = SoleMember(nodes);
    if (sole != kNoSoleMember) {
      if (soleSetOf[sole] == kFreeSlot) soleSetOf[sole] = addSet(nodes, kFreeSlot, 0);
      return soleSetOf[sole];
    }
    const size_t hash = HashOf(nodes);
    const uint32_t tag = tagOf(hash);
    const size_t mask = slots.size() - 1;
    size_t slot = hash & mask;
    for (; slots[slot].id != kFreeSlot; slot = (slot + 1) & mask)
      if (slots[slot].tag == tag && setBits[slots[slot].id] == nodes) return slots[slot].id;
    return addSet(nodes, slot, tag);
  };

  // The targets of the set being expanded per class (empty between sets), the classes in the order
  // first met, and per class the set that last met it. Kept branch-free: the classes come in no
  // predictable pattern.
  const std::span<Bits> targetsOf = NewArray<Bits>(classCount);
  std::fill(targetsOf.begin(), targetsOf.end(), Bits{});
  const std::span<uint32_t> touched = NewArray<uint32_t>(classCount + 1);
  const std::span<uint32_t> touchedBy = NewArray<uint32_t>(classCount);
  std::fill(touchedBy.begin(), touchedBy.end(), kFreeSlot);
  Bits inertBits{};
  if (inertNode_ != kNoInertNode) inertBits.Add(inertNode_);
  Bits start{};
  start.Add(0);
  internSet(start);
  for (uint32_t set = 0; set < SetCount(); ++set) {
    firstStep_.push_back(static_cast<uint32_t>(steps_.size()));
    const Bits members = setBits[set];
    size_t touchedCount = 0;
    for (size_t w = 0; w < Words; ++w) {
      for (uint64_t word = members.words[w]; word != 0; word &= word - 1) {
        const size_t node = w * 64 + static_cast<size_t>(std::countr_zero(word));
        for (uint32_t row = firstRowOf[node]; row < firstRowOf[node + 1]; ++row) {
          const uint32_t cls = rowClass[row];
          Bits& targets = targetsOf[cls];
          for (size_t t = 0; t < Words; ++t) targets.words[t] |= rowTargets[row].words[t];
          touched[touchedCount] = cls;
          touchedCount += touchedBy[cls] != set ? 1 : 0;
          touchedBy[cls] = set;
        }
        PaySubsetSteps(edgeCountOf[node]);
      }
    }
    for (size_t t = 0; t < touchedCount; ++t) {
      const uint32_t cls = touched[t];
      Bits& targets = targetsOf[cls];
      // The inert node goes unless it is the only target.
      uint64_t others = 0;
      for (size_t w = 0; w < Words; ++w) others |= targets.words[w] & ~inertBits.words[w];
      if (others != 0)
        for (size_t w = 0; w < Words; ++w) targets.words[w] &= ~inertBits.words[w];
      const uint32_t target = internSet(targets);
      targets = Bits{};
      Step& step = steps_.emplace_back();
      step.cls = cls;
      step.target = target;
      subsetSteps_ += memberSpans_[target].count;
    }
  }
  firstStep_.push_back(static_cast<uint32_t>(steps_.size()));
}

template void REXI_SubsetTable::ConstructBitSets<1>(const EdgeInput&);
template void REXI_SubsetTable::ConstructBitSets<2>(const EdgeInput&);
template void REXI_SubsetTable::ConstructBitSets<4>(const EdgeInput&);
