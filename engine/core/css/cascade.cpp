#include "css/cascade.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <optional>
#include <string>
#include <vector>

#include "css/property_value.h"
#include "css/shorthand.h"
#include "css/user_agent_sheet.h"

namespace vellum::engine::css {
namespace {

constexpr std::size_t kAncestorBudget = 4096;

enum class Origin : std::uint8_t { UserAgent, Author };

struct MatchedRule {
  Origin origin;
  std::uint32_t specificity;
  const DeclarationBlock* declarations;
};

// The winning specified value of each longhand.
class SpecifiedValues {
 public:
  void Apply(const Declaration& declaration) {
    if (!declaration.id) {
      return;
    }
    const PropertyId id = *declaration.id;
    if (IsShorthand(id)) {
      if (std::optional<std::vector<LonghandValue>> parts = ExpandShorthand(id, declaration.value)) {
        for (LonghandValue& part : *parts) {
          Set(part.id, std::move(part.value));
        }
      }
    } else if (IsValidValue(id, declaration.value)) {
      Set(id, declaration.value);
    }
  }

  void ApplyAll(const DeclarationBlock& block, Importance importance) {
    for (const Declaration& declaration : block.Declarations()) {
      if (declaration.importance == importance) {
        Apply(declaration);
      }
    }
  }

  const std::u16string* Get(PropertyId id) const {
    const auto index = static_cast<std::size_t>(id);
    return set_[index] ? &values_[index] : nullptr;
  }

 private:
  void Set(PropertyId id, std::u16string value) {
    const auto index = static_cast<std::size_t>(id);
    values_[index] = std::move(value);
    set_[index] = true;
  }

  std::array<std::u16string, kPropertyCount> values_;
  std::bitset<kPropertyCount> set_;
};

void CollectMatches(const StyleSheet& sheet, Origin origin, const StyleSubject& element,
                    std::vector<MatchedRule>& matches) {
  for (const StyleRule& rule : sheet.Rules()) {
    bool matched = false;
    std::uint32_t specificity = 0;
    for (const Selector& selector : rule.selectors) {
      if (Matches(selector, element)) {
        matched = true;
        specificity = std::max(specificity, selector.specificity);
      }
    }
    if (matched) {
      matches.push_back({origin, specificity, &rule.declarations});
    }
  }
}

SpecifiedValues Cascade(const StyleSubject& element, SheetList authorSheets) {
  std::vector<MatchedRule> matches;
  CollectMatches(UserAgentStyleSheet(), Origin::UserAgent, element, matches);
  for (const StyleSheet* sheet : authorSheets) {
    if (sheet) {
      CollectMatches(*sheet, Origin::Author, element, matches);
    }
  }
  // Collected in document order, so a stable sort leaves later rules after earlier ones of equal weight.
  std::stable_sort(matches.begin(), matches.end(), [](const MatchedRule& a, const MatchedRule& b) {
    return a.origin != b.origin ? a.origin < b.origin : a.specificity < b.specificity;
  });
  SpecifiedValues specified;
  const DeclarationBlock* inlineStyle = element.InlineStyle();
  for (const MatchedRule& match : matches) {
    specified.ApplyAll(*match.declarations, Importance::Normal);
  }
  if (inlineStyle) {
    specified.ApplyAll(*inlineStyle, Importance::Normal);
  }
  for (const MatchedRule& match : matches) {
    specified.ApplyAll(*match.declarations, Importance::Important);
  }
  if (inlineStyle) {
    specified.ApplyAll(*inlineStyle, Importance::Important);
  }
  return specified;
}

// Font size first (lengths in em depend on it), then colour ("currentcolor" depends on it).
std::vector<PropertyId> ComputationOrder() {
  std::vector<PropertyId> order = {PropertyId::FontSize, PropertyId::Color};
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const auto id = static_cast<PropertyId>(i);
    if (!IsShorthand(id) && id != PropertyId::FontSize && id != PropertyId::Color) {
      order.push_back(id);
    }
  }
  return order;
}

std::u16string ComputeWithFallback(PropertyId id, std::u16string_view text, const ComputeContext& context) {
  const PropertyInfo& info = Info(id);
  std::optional<std::u16string> computed = ComputeValue(id, text, context);
  if (!computed) {
    computed = ComputeValue(id, info.initial, context);
  }
  return computed.value_or(std::u16string(info.initial));
}

// Most properties an element leaves unset compute their initial value to the same text whatever the
// element (a margin's "0px", "static", "none"): those are worked out once, not per element. A property
// whose initial value reads the context ("currentcolor", a length in em) is the one that comes out
// differently in two contexts that differ in everything.
class FixedInitialValues {
 public:
  FixedInitialValues() {
    ComputeContext one;
    ComputeContext other;
    other.parentFontSizePx = 23.5;
    other.fontSizePx = 11.25;
    other.parentValue = u"17px";
    other.colorValue = u"#123456";
    for (std::size_t i = 0; i < kPropertyCount; ++i) {
      const auto id = static_cast<PropertyId>(i);
      if (IsShorthand(id)) {
        continue;
      }
      std::u16string value = ComputeWithFallback(id, Info(id).initial, one);
      if (value == ComputeWithFallback(id, Info(id).initial, other)) {
        values_[i] = std::move(value);
      }
    }
  }
  const std::u16string* Of(PropertyId id) const {
    const std::optional<std::u16string>& value = values_[static_cast<std::size_t>(id)];
    return value ? &*value : nullptr;
  }

 private:
  std::array<std::optional<std::u16string>, kPropertyCount> values_;
};

}  // namespace

ComputedStyle ComputeStyle(const StyleSubject& element, SheetList authorSheets, const ComputedStyle* parentStyle) {
  static const ComputedStyle kInitialStyle;
  static const std::vector<PropertyId> kOrder = ComputationOrder();
  static const FixedInitialValues kFixedInitial;
  const SpecifiedValues specified = Cascade(element, authorSheets);
  const ComputedStyle& parent = parentStyle ? *parentStyle : kInitialStyle;

  ComputedStyle style;
  ComputeContext context;
  context.parentFontSizePx = parent.FontSizePx();
  context.fontSizePx = style.FontSizePx();
  context.colorValue = style.Longhand(PropertyId::Color);
  for (PropertyId id : kOrder) {
    const PropertyInfo& info = Info(id);
    const std::u16string* value = specified.Get(id);
    const bool inherits = value ? IsInherit(*value) : info.inheritance == Inheritance::Inherited;
    const bool initial = !value || IsInitial(*value);
    if (inherits) {
      style.SetLonghand(id, parent.Longhand(id));
    } else if (const std::u16string* fixed = initial ? kFixedInitial.Of(id) : nullptr) {
      style.SetLonghand(id, *fixed);
    } else {
      context.parentValue = parent.Longhand(id);
      style.SetLonghand(id, ComputeWithFallback(id, initial ? info.initial : std::u16string_view(*value), context));
    }
    // Font size and colour come first: every later property reads them from the element.
    if (id == PropertyId::FontSize) {
      context.fontSizePx = style.FontSizePx();
    } else if (id == PropertyId::Color) {
      context.colorValue = style.Longhand(PropertyId::Color);
    }
  }
  return style;
}

ComputedStyle ComputeStyleWithAncestors(const StyleSubject& element, SheetList authorSheets) {
  std::vector<const StyleSubject*> chain;
  for (const StyleSubject* e = &element; e && chain.size() < kAncestorBudget; e = e->StyleParent()) {
    chain.push_back(e);
  }
  ComputedStyle style;
  const ComputedStyle* parent = nullptr;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    style = ComputeStyle(**it, authorSheets, parent);
    parent = &style;
  }
  return style;
}

}  // namespace vellum::engine::css
