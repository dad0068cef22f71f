#include "css/declaration_block.h"

#include <algorithm>
#include <string>

#include "css/css_scanner.h"
#include "css/css_text.h"
#include "css/declaration_parser.h"
#include "css/shorthand.h"

namespace vellum::engine::css {
namespace {

constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// The positioning properties lead the saved text, so that every element the editor places reads alike.
constexpr PropertyId kLeadingProperties[] = {PropertyId::Left,   PropertyId::Top,      PropertyId::Width,
                                             PropertyId::Height, PropertyId::Position, PropertyId::ZIndex};

bool IsLeading(const Declaration& declaration) {
  return declaration.id && std::find(std::begin(kLeadingProperties), std::end(kLeadingProperties), *declaration.id) !=
                               std::end(kLeadingProperties);
}

void AppendDeclaration(const Declaration& declaration, std::u16string& out) {
  if (!out.empty()) {
    out += u"; ";
  }
  out += declaration.name;
  out += u": ";
  out += declaration.value;
  if (declaration.importance == Importance::Important) {
    out += u" !important";
  }
}

bool OverlapsById(const Declaration& a, PropertyId b) { return a.id && Overlaps(*a.id, b); }

}  // namespace

void DeclarationBlock::SetCssText(std::u16string_view cssText) {
  declarations_.clear();
  ParseDeclarationList(cssText, [this](Declaration&& declaration) { Store(std::move(declaration), Source::Markup); });
}

std::u16string DeclarationBlock::CssText() const {
  std::u16string out;
  for (PropertyId leading : kLeadingProperties) {
    for (const Declaration& declaration : declarations_) {
      if (declaration.id == leading) {
        AppendDeclaration(declaration, out);
      }
    }
  }
  for (const Declaration& declaration : declarations_) {
    if (!IsLeading(declaration)) {
      AppendDeclaration(declaration, out);
    }
  }
  return out;
}

std::size_t DeclarationBlock::IndexOf(std::u16string_view name) const {
  for (std::size_t i = 0; i < declarations_.size(); ++i) {
    if (declarations_[i].name == name) {
      return i;
    }
  }
  return kNotFound;
}

void DeclarationBlock::Store(Declaration declaration, Source source) {
  const bool outranked = [&] {
    const std::size_t same = IndexOf(declaration.name);
    return source == Source::Markup && same != kNotFound && declarations_[same].importance == Importance::Important &&
           declaration.importance == Importance::Normal;
  }();
  if (outranked) {
    return;  // within one block an important declaration wins over a later normal one
  }
  if (declaration.id) {
    // Declarations this one overrides completely are dropped, so the saved text holds no dead values.
    const PropertyId id = *declaration.id;
    std::erase_if(declarations_, [&](const Declaration& other) {
      return other.id && *other.id != id && Covers(id, *other.id) &&
             (source == Source::Script || other.importance == Importance::Normal ||
              declaration.importance == Importance::Important);
    });
  }
  const std::size_t index = IndexOf(declaration.name);
  if (index == kNotFound) {
    const auto unknown =
        std::count_if(declarations_.begin(), declarations_.end(), [](const Declaration& d) { return !d.id; });
    if (!declaration.id && static_cast<std::size_t>(unknown) >= kUnknownDeclarationBudget) {
      return;
    }
    declarations_.push_back(std::move(declaration));
    return;
  }
  // Declarations later in the list win; a value whose place lies before a later shorthand over the
  // same longhands must move behind it to take effect.
  const bool shadowed =
      declaration.id && std::any_of(declarations_.begin() + static_cast<std::ptrdiff_t>(index) + 1, declarations_.end(),
                                    [&](const Declaration& later) { return OverlapsById(later, *declaration.id); });
  if (shadowed) {
    declarations_.erase(declarations_.begin() + static_cast<std::ptrdiff_t>(index));
    declarations_.push_back(std::move(declaration));
  } else {
    declarations_[index] = std::move(declaration);
  }
}

SetResult DeclarationBlock::Set(PropertyId id, std::u16string_view value) {
  if (TrimCssWhitespace(value).empty()) {
    Remove(id);
    return SetResult::Removed;
  }
  // The value must read back from the saved text as this one declaration, unchanged in meaning.
  const std::u16string cssName = FromAscii(Info(id).cssName);
  if (!IsSelfContainedValue(value)) {
    return SetResult::Rejected;
  }
  std::optional<Declaration> declaration = ParseDeclaration(cssName + u":" + std::u16string(value));
  if (!declaration || declaration->importance != Importance::Normal) {
    return SetResult::Rejected;
  }
  Store(std::move(*declaration), Source::Script);
  return SetResult::Stored;
}

SetResult DeclarationBlock::Set(std::u16string_view name, std::u16string_view value) {
  const std::optional<PropertyId> id = FindProperty(name);
  return id ? Set(*id, value) : SetResult::Rejected;
}

SetResult DeclarationBlock::SetNumber(PropertyId id, long long value) {
  const std::string digits = std::to_string(value);
  return Set(id, FromAscii(digits));
}

bool DeclarationBlock::Remove(PropertyId id) {
  const std::size_t before = declarations_.size();
  std::erase_if(declarations_, [id](const Declaration& d) { return d.id == id; });
  return declarations_.size() != before;
}

std::u16string DeclarationBlock::Get(std::u16string_view name) const {
  const std::optional<PropertyId> id = FindProperty(name);
  return id ? Get(*id) : std::u16string();
}

std::u16string DeclarationBlock::Get(PropertyId id) const {
  std::size_t own = kNotFound;
  std::size_t cover = kNotFound;  // the last shorthand that sets this property
  for (std::size_t i = 0; i < declarations_.size(); ++i) {
    const Declaration& d = declarations_[i];
    if (d.id == id) {
      own = i;
    } else if (d.id && IsShorthand(*d.id) && Covers(*d.id, id)) {
      cover = i;
    }
  }
  if (IsShorthand(id)) {
    const bool overriddenLater =
        own != kNotFound &&
        std::any_of(declarations_.begin() + static_cast<std::ptrdiff_t>(own) + 1, declarations_.end(),
                    [&](const Declaration& later) { return OverlapsById(later, id); });
    if (own != kNotFound && !overriddenLater) {
      return declarations_[own].value;
    }
    return ComposeShorthand(id, [this](PropertyId part) { return Get(part); });
  }
  const bool ownWins = own != kNotFound && (cover == kNotFound || own > cover ||
                                            (declarations_[own].importance == Importance::Important &&
                                             declarations_[cover].importance == Importance::Normal));
  if (ownWins) {
    return declarations_[own].value;
  }
  if (cover == kNotFound) {
    return {};
  }
  if (const auto parts = ExpandShorthand(*declarations_[cover].id, declarations_[cover].value)) {
    for (const LonghandValue& part : *parts) {
      if (part.id == id) {
        return part.value;
      }
    }
  }
  return {};
}

}  // namespace vellum::engine::css
