#include "css/element_style.h"

#include <algorithm>
#include <list>
#include <mutex>
#include <string>
#include <utility>

#include "css/css_text.h"
#include "css/inline_style.h"

namespace vellum::engine::css {
namespace {

// Enough for the sheets of the few documents a process shows at once.
constexpr std::size_t kCachedSheetBudget = 16;

struct CachedSheet {
  std::u16string text;
  std::shared_ptr<const StyleSheet> sheet;
};

std::u16string_view AttributeValue(const Element& element, std::u16string_view name) {
  const Attribute* attribute = element.FindAttribute(name);
  return attribute ? std::u16string_view(attribute->value) : std::u16string_view();
}

const ComputedStyle& DefaultStyle() {
  static const ComputedStyle kStyle;
  return kStyle;
}

}  // namespace

std::shared_ptr<const StyleSheet> SharedStyleSheet(std::u16string_view cssText) {
  // Documents on different apartment threads may ask at once.
  static std::mutex mutex;
  static std::list<CachedSheet> recent;  // most recently used first
  std::lock_guard<std::mutex> lock(mutex);
  const auto hit =
      std::find_if(recent.begin(), recent.end(), [&](const CachedSheet& cached) { return cached.text == cssText; });
  if (hit != recent.end()) {
    recent.splice(recent.begin(), recent, hit);
    return recent.front().sheet;
  }
  auto sheet = std::make_shared<const StyleSheet>(cssText);
  recent.push_front({std::u16string(cssText), sheet});
  if (recent.size() > kCachedSheetBudget) {
    recent.pop_back();
  }
  return sheet;
}

bool IsCssStyleElement(const Element& element) {
  if (!element.Is(TagId::Style)) {
    return false;
  }
  const Attribute* type = element.FindAttribute(u"type");
  const std::u16string_view value = type ? TrimCssWhitespace(type->value) : std::u16string_view();
  return value.empty() || EqualsIgnoringAsciiCase(value, "text/css");
}

DocumentSheets::DocumentSheets(const Document& document) {
  for (const Node* node : document.All()) {
    const Element* element = AsElement(node);
    if (element && IsCssStyleElement(*element)) {
      sheets_.push_back(SharedStyleSheet(element->Text()));
      pointers_.push_back(sheets_.back().get());
    }
  }
}

ElementStyleSubject::ElementStyleSubject(const Element& element, const ElementStyleSubject* parent)
    : element_(element), parent_(parent) {
  if (const ParsedInlineStyle* style = InlineStyleOf(element)) {
    inlineStyle_ = &style->Declarations();
  }
}

std::u16string_view ElementStyleSubject::IdAttribute() const { return AttributeValue(element_, u"id"); }

std::u16string_view ElementStyleSubject::ClassAttribute() const { return AttributeValue(element_, u"class"); }

const ComputedStyle& ElementStyleResolver::StyleOf(const Element& element) {
  // The ancestors not resolved yet, nearest first; the nesting cap keeps the chain short.
  std::vector<const Element*> chain;
  const Resolved* parent = nullptr;
  for (const Element* e = &element; e; e = e->ParentElement()) {
    const auto known = resolved_.find(e);
    if (known != resolved_.end()) {
      parent = known->second.get();
      break;
    }
    chain.push_back(e);
  }
  if (resolved_.size() + chain.size() > kResolvedElementBudget) {
    return DefaultStyle();
  }
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    auto entry = std::make_unique<Resolved>(
        Resolved{ElementStyleSubject(**it, parent ? &parent->subject : nullptr), ComputedStyle()});
    entry->style = ComputeStyle(entry->subject, sheets_.List(), parent ? &parent->style : nullptr);
    parent = entry.get();
    resolved_.emplace(*it, std::move(entry));
  }
  return parent->style;
}

ComputedStyle ComputeElementStyle(const Element& element) {
  ElementStyleResolver resolver(element.GetDocument());
  return resolver.StyleOf(element);
}

}  // namespace vellum::engine::css
