#include "dom/tag_names.h"

#include <algorithm>
#include <array>

namespace vellum::engine {
namespace {

struct TagInfo {
  std::u16string_view name;
  uint8_t flags;
};

constexpr TagInfo kTags[] = {
    {u"", 0},
#define VELLUM_TAG_INFO(id, name, flags) {u"" name, flags},
    VELLUM_HTML_TAGS(VELLUM_TAG_INFO)
#undef VELLUM_TAG_INFO
};
constexpr size_t kTagCount = sizeof(kTags) / sizeof(kTags[0]);

// The table is written in name order, which lets lookup use a binary search.
constexpr bool tableIsSorted() {
  for (size_t i = 2; i < kTagCount; ++i)
    if (!(kTags[i - 1].name < kTags[i].name)) return false;
  return true;
}
static_assert(tableIsSorted(), "VELLUM_HTML_TAGS must stay in name order");

} // namespace

std::u16string_view tagName(TagId id) { return kTags[static_cast<size_t>(id)].name; }

uint8_t tagFlags(TagId id) { return kTags[static_cast<size_t>(id)].flags; }

TagId lookupTag(std::u16string_view name) {
  if (name.empty() || name.size() > 15) return TagId::Unknown;
  const TagInfo* first = kTags + 1;
  const TagInfo* last = kTags + kTagCount;
  const TagInfo* it = std::lower_bound(first, last, name,
                                       [](const TagInfo& t, std::u16string_view n) { return t.name < n; });
  if (it != last && it->name == name) return static_cast<TagId>(it - kTags);
  return TagId::Unknown;
}

} // namespace vellum::engine
