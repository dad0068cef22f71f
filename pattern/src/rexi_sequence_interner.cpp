#include "pattern/rexi_sequence_interner.h"

#include <algorithm>

uint32_t REXI_SequenceInterner::Hash(std::span<const uint32_t> values) {
  // Two values per multiplication: the sequences are short and hashed often.
  uint64_t hash = 0x9E3779B97F4A7C15ull ^ values.size();
  size_t i = 0;
  for (; i + 1 < values.size(); i += 2)
    hash = (hash ^ (uint64_t{values[i]} << 32 | values[i + 1])) * 0xBF58476D1CE4E5B9ull;
  if (i < values.size()) hash = (hash ^ values[i]) * 0xBF58476D1CE4E5B9ull;
  hash ^= hash >> 31;
  return static_cast<uint32_t>(hash ^ (hash >> 32));
}

uint32_t REXI_SequenceInterner::Intern(std::span<const uint32_t> values, bool& added) {
  if ((spans_.size() + 1) * 2 > slots_.size()) Grow();
  const uint32_t hash = Hash(values);
  const size_t mask = slots_.size() - 1;
  for (size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const uint32_t id = slots_[slot];
    if (id == kNotFound) {
      added = true;
      const uint32_t newId = static_cast<uint32_t>(spans_.size());
      spans_.push_back({pool_.size(), static_cast<uint32_t>(values.size()), hash});
      pool_.insert(pool_.end(), values.begin(), values.end());
      slots_[slot] = newId;
      return newId;
    }
    if (spans_[id].hash == hash && std::ranges::equal(Get(id), values)) {
      added = false;
      return id;
    }
  }
}

void REXI_SequenceInterner::Grow() {
  slots_.assign(std::max<size_t>(64, slots_.size() * 2), kNotFound);
  const size_t mask = slots_.size() - 1;
  for (uint32_t id = 0; id < spans_.size(); ++id) {
    size_t slot = spans_[id].hash & mask;
    while (slots_[slot] != kNotFound) slot = (slot + 1) & mask;
    slots_[slot] = id;
  }
}

void REXI_SequenceInterner::Clear() {
  pool_.clear();
  spans_.clear();
  std::fill(slots_.begin(), slots_.end(), kNotFound);
}
