#include "pattern/rexi_set_table.h"

#include <algorithm>
#include <bit>

size_t REXI_SetTable::HashOf(const CharSet256& set) {
  uint64_t folded = 0;
  for (int w = 0; w < CharSet256::kWordCount; w += 2)
    folded = std::rotl(folded, 17) ^ (uint64_t{set.Word(w + 1)} << 32 | set.Word(w));
  // Spreads every bit over the whole value, the low bits (which pick the slot) included.
  folded ^= folded >> 33;
  folded *= 0xFF51AFD7ED558CCDull;
  return static_cast<size_t>(folded ^ (folded >> 33));
}

uint32_t REXI_SetTable::Intern(const CharSet256& set) {
  if ((sets_.size() + 1) * 2 > slots_.size()) {
    // Room for the distinct sets of a medium property pattern; a long one grows the table once.
    constexpr size_t kFirstCount = 16;
    sets_.reserve(std::max(kFirstCount, sets_.size() * 2));
    hasMembers_.reserve(sets_.capacity());
    Rehash(std::max(4 * kFirstCount, slots_.size() * 2));
  }
  const size_t mask = slots_.size() - 1;
  size_t slot = HashOf(set) & mask;
  for (uint32_t id; (id = slots_[slot]) != kFreeSlot; slot = (slot + 1) & mask)
    if (sets_[id] == set) return id;
  const uint32_t id = static_cast<uint32_t>(sets_.size());
  sets_.push_back(set);
  hasMembers_.push_back(set.Any() ? 1 : 0);
  slots_[slot] = id;
  return id;
}

uint32_t REXI_SetTable::AddValueSet(uint8_t value) {
  if (!valueSetsKnown_) {
    std::fill(std::begin(valueSets_), std::end(valueSets_), kFreeSlot);
    valueSetsKnown_ = true;
  }
  return valueSets_[value] = Intern(CharSet256::Of(value));
}

void REXI_SetTable::ShrinkTo(size_t count) {
  if (count >= sets_.size()) return;
  sets_.resize(count);
  hasMembers_.resize(count);
  if (valueSetsKnown_)
    for (uint32_t& name : valueSets_)
      if (name != kFreeSlot && name >= count) name = kFreeSlot;
  Rehash(slots_.size());
}

void REXI_SetTable::Rehash(size_t slotCount) {
  slots_.assign(slotCount, kFreeSlot);
  const size_t mask = slotCount - 1;
  for (uint32_t id = 0; id < sets_.size(); ++id) {
    size_t slot = HashOf(sets_[id]) & mask;
    while (slots_[slot] != kFreeSlot) slot = (slot + 1) & mask;
    slots_[slot] = id;
  }
}
