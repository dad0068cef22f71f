#include "pattern/rexi_character_classes.h"

#include <algorithm>

// Each set refines the partition built so far: a class it cuts becomes the part inside and the part
// outside, and the values it adds that no class holds yet form a class of their own. Grouping by
// member count alone would let two overlapping sets of equal or different sizes share a class
// although they lead to different places, and then one character would take the other's edge.
REXI_CharacterClasses::REXI_CharacterClasses(const std::vector<CharSet256>& sets) {
  std::vector<CharSet256> refined;
  for (const CharSet256& set : sets) {
    refined.clear();
    CharSet256 unclaimed = set;
    for (const CharSet256& existing : classes_) {
      const CharSet256 inside = existing & set;
      const CharSet256 outside = existing - set;
      if (inside.Any()) refined.push_back(inside);
      if (outside.Any()) refined.push_back(outside);
      unclaimed = unclaimed - existing;
    }
    if (unclaimed.Any()) refined.push_back(unclaimed);
    classes_.swap(refined);
  }
  std::sort(classes_.begin(), classes_.end(), CharSet256Less{});
}

REXI_ClassMask REXI_CharacterClasses::MaskOf(const CharSet256& set) const {
  REXI_ClassMask mask;
  for (size_t index = 0; index < classes_.size(); ++index)
    if (classes_[index].Intersects(set)) mask.Add(index);
  return mask;
}
