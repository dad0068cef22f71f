#include "dom/tag_names.h"

#include <algorithm>
#include <array>

namespace vellum::engine {
namespace {

struct TagInfo {
  std::u16string_view name;
  uint8_t flags;
};

constexpr TagInfo kTags[] = {{u"", 0},
#define VELLUM_TAG_INFO(id, name, flags) {u"" name, flags},
                             VELLUM_HTML_TAGS(VELLUM_TAG_INFO)
#undef VELLUM_TAG_INFO
};
constexpr size_t kTagCount = sizeof(kTags) / sizeof(kTags[0]);

// The table is written in name order, which lets lookup use a binary search.
constexpr bool TableIsSorted() {
  for (size_t i = 2; i < kTagCount; ++i)
    if (!(kTags[i - 1].name < kTags[i].name)) return false;
  return true;
}
static_assert(TableIsSorted(), "VELLUM_HTML_TAGS must stay in name order");

// The names as the object model reports them, made once at compile time so that a caller can be lent
// one instead of upper-casing a copy.
struct UpperName {
  char16_t text[16] = {};
  size_t length = 0;
};

constexpr std::array<UpperName, kTagCount> MakeUpperNames() {
  std::array<UpperName, kTagCount> names{};
  for (size_t i = 0; i < kTagCount; ++i) {
    const std::u16string_view name = kTags[i].name;
    if (name.size() > 15) throw "tag name too long for the upper-case table";
    for (size_t j = 0; j < name.size(); ++j) {
      const char16_t c = name[j];
      names[i].text[j] = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
    }
    names[i].length = name.size();
  }
  return names;
}
constexpr std::array<UpperName, kTagCount> kUpperNames = MakeUpperNames();

}  // namespace

std::u16string_view TagName(TagId id) { return kTags[static_cast<size_t>(id)].name; }

std::u16string_view UpperTagName(TagId id) {
  const UpperName& name = kUpperNames[static_cast<size_t>(id)];
  return {name.text, name.length};
}

uint8_t TagFlags(TagId id) { return kTags[static_cast<size_t>(id)].flags; }

TagId LookupTag(std::u16string_view name) {
  if (name.empty() || name.size() > 15) return TagId::Unknown;
  const TagInfo* first = kTags + 1;
  const TagInfo* last = kTags + kTagCount;
  const TagInfo* it =
      std::lower_bound(first, last, name, [](const TagInfo& t, std::u16string_view n) { return t.name < n; });
  if (it != last && it->name == name) return static_cast<TagId>(it - kTags);
  return TagId::Unknown;
}

}  // namespace vellum::engine
