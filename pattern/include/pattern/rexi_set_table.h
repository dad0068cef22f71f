#pragma once
// The character sets of a compiler's edges, each distinct set held once and named by its index. An
// edge then carries four bytes instead of thirty-two, copying one is cheap, and equal sets have equal
// names.

#include <cstddef>
#include <cstdint>
#include <memory_resource>
#include <span>
#include <vector>

#include "pattern/charset256.h"

class REXI_SetTable {
 public:
  explicit REXI_SetTable(std::pmr::memory_resource* memory) : sets_(memory), hasMembers_(memory), slots_(memory) {}

  // The name of the set, given to it now if it has none yet.
  uint32_t Intern(const CharSet256& set);
  // The same for the set of one value: the sets of written characters, the commonest kind.
  uint32_t InternValue(uint8_t value) {
    if (valueSetsKnown_ && valueSets_[value] != kFreeSlot) return valueSets_[value];
    return AddValueSet(value);
  }
  // Valid until the next Intern.
  const CharSet256& operator[](uint32_t id) const { return sets_[id]; }
  bool HasMembers(uint32_t id) const { return hasMembers_[id] != 0; }
  size_t Count() const { return sets_.size(); }
  std::span<const CharSet256> All() const { return sets_; }
  // Forgets the sets named after the first 'count'.
  void ShrinkTo(size_t count);

 private:
  static constexpr uint32_t kFreeSlot = UINT32_MAX;

  static size_t HashOf(const CharSet256& set);
  void Rehash(size_t slotCount);
  uint32_t AddValueSet(uint8_t value);

  std::pmr::vector<CharSet256> sets_;
  std::pmr::vector<uint8_t> hasMembers_;  // per set
  std::pmr::vector<uint32_t> slots_;      // open addressing, at most half full: a set's name or kFreeSlot
  bool valueSetsKnown_ = false;           // valueSets_ is filled in (on first use)
  uint32_t valueSets_[256];               // per value: the name of the set of it alone, or kFreeSlot
};
