#pragma once
// Character classes: the values are split into disjoint classes such that every edge set of the
// NFA is a union of whole classes. The subset construction then takes one step per class instead
// of one per character value.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "pattern/charset256.h"

// A set of class indexes (there are at most 255 classes).
struct REXI_ClassMask {
  uint64_t words[4] = {};

  void Add(size_t index) { words[index / 64] |= uint64_t{1} << (index % 64); }
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
  REXI_CharacterClasses() = default;
  // sets: the non-empty sets of the NFA's edges, in any order.
  explicit REXI_CharacterClasses(const std::vector<CharSet256>& sets);

  size_t Count() const { return classes_.size(); }
  const CharSet256& Class(size_t index) const { return classes_[index]; }
  // The classes that make up a set (one given to the constructor, or any union of classes).
  REXI_ClassMask MaskOf(const CharSet256& set) const;

private:
  std::vector<CharSet256> classes_;  // disjoint, non-empty, in CharSet256Less order
};
