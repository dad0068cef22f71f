#include "css/inline_style.h"

#include <memory>

namespace vellum::engine::css {

const std::u16string& ParsedInlineStyle::CssText() const {
    if (!cssText_) {
        cssText_.emplace(declarations_.CssText());
    }
    return *cssText_;
}

const ParsedInlineStyle* InlineStyleOf(const Element& element) {
    const Attribute* attribute = element.findAttribute(u"style");
    if (!attribute) {
        return nullptr;
    }
    // The element holds no other cache of this kind, and drops it with every attribute change.
    if (const auto* cached = static_cast<const ParsedInlineStyle*>(element.styleAttributeCache())) {
        return cached;
    }
    auto parsed = std::make_unique<ParsedInlineStyle>(attribute->value);
    const ParsedInlineStyle* result = parsed.get();
    element.setStyleAttributeCache(std::move(parsed));
    return result;
}

}  // namespace vellum::engine::css
