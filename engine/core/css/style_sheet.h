#pragma once
// A style sheet from a <style> element: its rules for the cascade, and its text.

#include <string>
#include <string_view>
#include <vector>

#include "css/declaration_block.h"
#include "css/selector.h"

namespace vellum::engine::css {

// Rules beyond this many in one sheet are dropped.
inline constexpr std::size_t kRulesPerSheetBudget = 16384;

struct StyleRule {
  std::vector<Selector> selectors;
  DeclarationBlock declarations;
};

class StyleSheet {
 public:
  StyleSheet() = default;
  explicit StyleSheet(std::u16string_view cssText) { SetCssText(cssText); }

  // Reads the rules of `cssText`. At-rules are skipped, except that the rules inside "@media" for
  // screen or all media apply; rules with a malformed selector are dropped; "<!--" and "-->" around
  // the text are ignored.
  void SetCssText(std::u16string_view cssText);

  // The text as given, so that saving keeps what the engine does not interpret (at-rules, comments).
  const std::u16string& CssText() const { return text_; }

  const std::vector<StyleRule>& Rules() const { return rules_; }

 private:
  std::u16string text_;
  std::vector<StyleRule> rules_;
};

}  // namespace vellum::engine::css
