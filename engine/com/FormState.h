// The current state of the form controls: what the user or the object model set since the page was
// loaded (an input's value and checked state, an option's selectedness). Until something is set,
// the state is what the markup says; setting it never rewrites the markup. The document object
// keeps one store, so the state outlives the element objects and is shared with the view.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "dom/element.h"

namespace vellum::engine::com {

class CFormState {
 public:
  // Input: the current value (initially the value attribute); textarea: its text.
  std::u16string Value(const vellum::engine::Element& control) const;
  void SetValue(vellum::engine::Element& control, std::u16string_view value);

  // Check boxes and radio buttons (initially the checked attribute). Checking a radio button
  // unchecks the others of its group (same name, same form or same document).
  bool Checked(const vellum::engine::Element& input) const;
  void SetChecked(vellum::engine::Element& input, bool checked);

  // Options of a select, in tree order (those inside option groups included).
  static std::vector<vellum::engine::Element*> Options(const vellum::engine::Element& select);
  // The option's selectedness (initially its selected attribute; in a single-choice select the last
  // such option wins).
  bool Selected(const vellum::engine::Element& option) const;
  // Selects or deselects the option; in a single-choice select selecting one deselects the others.
  void SetSelected(vellum::engine::Element& option, bool selected);
  // Index of the first selected option; in a drop-down list without one, 0 (the option shown);
  // -1 when nothing is selected otherwise.
  long SelectedIndex(const vellum::engine::Element& select) const;

  // A new page: every state goes.
  void Clear() {
    entries_.clear();
    ++version_;
  }
  // Moves on with every change of a state.
  std::uint64_t Version() const { return version_; }

 private:
  struct Entry {
    vellum::engine::RefPtr<vellum::engine::Element> element;  // keeps the key valid
    std::optional<std::u16string> value;
    std::optional<bool> checked;
    std::optional<bool> selected;
  };
  const Entry* Find(const vellum::engine::Element& element) const;
  Entry& Ensure(vellum::engine::Element& element);
  bool SelectednessOf(const vellum::engine::Element& option) const;  // before the single-choice rule

  std::unordered_map<const vellum::engine::Element*, Entry> entries_;
  std::uint64_t version_ = 0;
};

// The radio buttons of the input's group in tree order: those with its name in the same form (or,
// outside any form, the same document); the input alone when it has no name.
std::vector<vellum::engine::Element*> RadioGroup(vellum::engine::Element& radio);
// The select element an option belongs to, if any.
vellum::engine::Element* SelectOf(const vellum::engine::Element& option);
// A select showing one line (no multiple attribute and no size above 1).
bool IsDropDown(const vellum::engine::Element& select);
// The value attribute, or "" when there is none.
std::u16string_view AttributeText(const vellum::engine::Element& element, std::u16string_view name);
// An option's value: its value attribute, else its text.
std::u16string OptionValue(const vellum::engine::Element& option);
// An option's text: its text content with runs of white space collapsed and the ends trimmed.
std::u16string OptionText(const vellum::engine::Element& option);
// The text of the node's descendants (a textarea's value, an option's text before collapsing).
std::u16string TextContent(const vellum::engine::Node& node);
// Makes the text the element's only child (no child at all for empty text).
void ReplaceChildrenWithText(vellum::engine::Element& element, std::u16string_view text);

}  // namespace vellum::engine::com
