#include "pattern/rexi_character_classes.h"

#include <algorithm>

namespace {

uint8_t LowestMember(const CharSet256& set) {
  int word = 0;
  while (set.Word(word) == 0) ++word;
  return static_cast<uint8_t>(word * 32 + std::countr_zero(set.Word(word)));
}

}  // namespace

// Each set refines the partition built so far: a class it cuts keeps the part outside and the part
// inside becomes a class of its own, and the values it adds that no class holds yet form one more.
// Grouping by member count alone would let two overlapping sets of equal or different sizes share a
// class although they lead to different places, and then one character would take the other's edge.
void REXI_CharacterClasses::Build(std::span<const CharSet256* const> sets) {
  classes_.clear();
  classes_.reserve(16);
  CharSet256 covered;  // the values some class holds
  for (const CharSet256* member : sets) {
    const CharSet256& set = *member;
    const CharSet256 unclaimed = set - covered;
    if (!(unclaimed == set)) {
      for (size_t index = 0, existing = classes_.size(); index < existing; ++index) {
        const CharSet256 inside = classes_[index] & set;
        if (!inside.Any() || inside == classes_[index]) continue;
        classes_[index] = classes_[index] - set;
        classes_.push_back(inside);
      }
    }
    if (unclaimed.Any()) {
      classes_.push_back(unclaimed);
      covered = covered | unclaimed;
    }
  }
  // For disjoint sets the engine's set order is by smallest member, largest first.
  if (classes_.size() > 32) std::sort(classes_.begin(), classes_.end(), CharSet256Less{});
  lowest_.resize(classes_.size());
  for (size_t index = 0; index < classes_.size(); ++index) lowest_[index] = LowestMember(classes_[index]);
  for (size_t i = 1; i < classes_.size(); ++i) {  // few classes: an insertion sort beats the library's
    const CharSet256 moving = classes_[i];
    const uint8_t key = lowest_[i];
    size_t j = i;
    for (; j > 0 && lowest_[j - 1] < key; --j) {
      classes_[j] = classes_[j - 1];
      lowest_[j] = lowest_[j - 1];
    }
    classes_[j] = moving;
    lowest_[j] = key;
  }
}
