#pragma once
// Node sets of the subset construction as bit sets, for NFAs whose flat nodes fit in Words words.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <vector>

namespace rexi_detail {

// A set of flat nodes: node n is bit (n mod 64) of word (n div 64).
template <size_t Words>
struct alignas(Words == 1 ? 8 : 16) NodeBits {
  uint64_t words[Words];

  void Add(uint32_t node) { words[node / 64] |= uint64_t{1} << (node % 64); }
  bool operator==(const NodeBits&) const = default;
};

template <size_t Words>
size_t HashOf(const NodeBits<Words>& nodes) {
  uint64_t folded = nodes.words[0];
  for (size_t w = 1; w < Words; ++w) folded ^= std::rotl(nodes.words[w], static_cast<int>(64 / Words * w));
  // Spreads every bit over the whole value, the low bits (which pick the slot) included.
  folded ^= folded >> 33;
  folded *= 0xFF51AFD7ED558CCDull;
  return static_cast<size_t>(folded ^ (folded >> 33));
}

// Calls visit(node) for every member in ascending order.
template <size_t Words, class Visit>
void ForEachNode(const NodeBits<Words>& nodes, Visit&& visit) {
  for (size_t w = 0; w < Words; ++w)
    for (uint64_t word = nodes.words[w]; word != 0; word &= word - 1)
      visit(static_cast<uint32_t>(w * 64 + static_cast<size_t>(std::countr_zero(word))));
}

// The distinct node sets met so far, each named by the order it was first met in; found by hash.
template <size_t Words>
class NodeBitsIndex {
 public:
  struct Found {
    uint32_t id;
    bool added;
  };

  explicit NodeBitsIndex(std::pmr::memory_resource* memory) : sets_(memory), slots_(16, kFreeSlot, memory) {
    sets_.reserve(8);
  }

  Found Intern(const NodeBits<Words>& nodes) {
    const size_t mask = slots_.size() - 1;
    size_t slot = HashOf(nodes) & mask;
    for (; slots_[slot] != kFreeSlot; slot = (slot + 1) & mask)
      if (sets_[slots_[slot]] == nodes) return {slots_[slot], false};
    const uint32_t id = static_cast<uint32_t>(sets_.size());
    sets_.push_back(nodes);
    slots_[slot] = id;
    if (sets_.size() * 2 > slots_.size()) Rehash();
    return {id, true};
  }
  const NodeBits<Words>& operator[](uint32_t id) const { return sets_[id]; }

 private:
  static constexpr uint32_t kFreeSlot = UINT32_MAX;

  void Rehash() {
    slots_.assign(slots_.size() * 2, kFreeSlot);
    const size_t mask = slots_.size() - 1;
    for (uint32_t id = 0; id < sets_.size(); ++id) {
      size_t slot = HashOf(sets_[id]) & mask;
      while (slots_[slot] != kFreeSlot) slot = (slot + 1) & mask;
      slots_[slot] = id;
    }
  }

  std::pmr::vector<NodeBits<Words>> sets_;
  std::pmr::vector<uint32_t> slots_;  // open addressing, at most half full
};

}  // namespace rexi_detail
