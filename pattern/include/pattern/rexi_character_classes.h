#pragma once
// Character classes: the values are split into disjoint classes such that every edge set of the
// NFA is a union of whole classes. The subset construction then takes one step per class instead
// of one per character value.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <span>
#include <vector>

#include "pattern/charset256.h"

// A set of class indexes (there are at most 255 classes).
struct REXI_ClassMask {
  uint64_t words[4] = {};

  void Add(size_t index) { words[index / 64] |= uint64_t{1} << (index % 64); }
  void Remove(size_t index) { words[index / 64] &= ~(uint64_t{1} << (index % 64)); }
  bool Contains(size_t index) const { return (words[index / 64] >> (index % 64) & 1) != 0; }
  REXI_ClassMask& operator|=(const REXI_ClassMask& other) {
    for (size_t i = 0; i < 4; ++i) words[i] |= other.words[i];
    return *this;
  }
  template <class Visit>
  void ForEach(Visit&& visit) const {
    for (size_t i = 0; i < 4; ++i)
      for (uint64_t word = words[i]; word != 0; word &= word - 1)
        visit(i * 64 + static_cast<size_t>(std::countr_zero(word)));
  }
};

class REXI_CharacterClasses {
 public:
  static constexpr uint8_t kNoClass = 0xFF;  // no class index reaches it

  explicit REXI_CharacterClasses(std::pmr::memory_resource* memory) : classes_(memory), lowest_(memory) {}

  // sets: the non-empty sets of the NFA's edges, in any order.
  void Build(std::span<const CharSet256* const> sets);

  size_t Count() const { return classes_.size(); }
  const CharSet256& Class(size_t index) const { return classes_[index]; }
  // The classes that make up a set (one given to Build, or any union of classes), in index order.
  template <class Visit>
  void ForEachClassIn(const CharSet256& set, Visit&& visit) const {
    // Every class lies wholly inside or wholly outside each set it was refined by: one member decides.
    for (size_t index = 0; index < classes_.size(); ++index)
      if (set.Contains(lowest_[index])) visit(index);
  }
  // The class that holds the value, or kNoClass when no set given to Build holds it.
  uint8_t IndexOf(uint8_t value) const {
    for (size_t index = 0; index < classes_.size(); ++index)
      if (classes_[index].Contains(value)) return static_cast<uint8_t>(index);
    return kNoClass;
  }

 private:
  std::pmr::vector<CharSet256> classes_;  // disjoint, non-empty, in CharSet256Less order
  std::pmr::vector<uint8_t> lowest_;      // per class: its smallest member
};

// The class of each value of one text, looked up when the value is first met: a text holds few distinct
// values, and most of them many times.
class REXI_ClassCache {
 public:
  explicit REXI_ClassCache(const REXI_CharacterClasses& classes) : classes_(classes) {
    std::memset(classOf_, 0xFF, sizeof classOf_);
  }
  // The class index, or REXI_CharacterClasses::kNoClass.
  uint8_t operator()(uint8_t value) {
    if (classOf_[value] == kNotLookedUp) classOf_[value] = classes_.IndexOf(value);
    return static_cast<uint8_t>(classOf_[value]);
  }

 private:
  static constexpr uint16_t kNotLookedUp = 0xFFFF;

  const REXI_CharacterClasses& classes_;
  uint16_t classOf_[256];
};
