#pragma once
// The stack of open elements and its scope tests.

#include <vector>

#include "dom/element.h"

namespace vellum::engine {

enum class Scope : uint8_t { Default, ListItem, Button, Table, Select };

class OpenElements {
 public:
  ~OpenElements();

  bool empty() const { return stack_.empty(); }
  size_t size() const { return stack_.size(); }
  Element* current() const { return stack_.empty() ? nullptr : stack_.back().get(); }
  Element* at(size_t index) const { return stack_[index].get(); }
  Element* top() const { return stack_.empty() ? nullptr : stack_.front().get(); }
  bool contains(const Element* e) const { return e && e->onParserStack_; }
  // Index of `e` on the stack, counted from the bottom; -1 when absent.
  long indexOf(const Element* e) const;

  void push(Element* e);
  void pop();
  void insertAt(size_t index, Element* e);
  void remove(const Element* e);
  void replace(const Element* old, Element* replacement);
  void clear();

  bool hasInScope(TagId tag, Scope scope = Scope::Default) const;
  bool hasElementInScope(const Element* target, Scope scope = Scope::Default) const;
  // Any of the six heading elements.
  bool hasHeadingInScope() const;
  bool hasAnyInTableScope(std::initializer_list<TagId> tags) const;
  bool containsTag(TagId tag) const { return openByTag_[static_cast<size_t>(tag)] != 0; }

  // Pops up to and including the nearest HTML element named `tag`.
  void popUntilPopped(TagId tag);
  void popUntilHeadingPopped();
  void popUntilPopped(const Element* e);
  // Pops while `keepPopping(current())` holds, never past the bottom element.
  template <class Predicate>
  void popWhile(Predicate keepPopping) {
    while (stack_.size() > 1 && keepPopping(*stack_.back())) pop();
  }

 private:
  static bool isScopeBoundary(const Element& e, Scope scope);
  void counted(const Element& e, int delta);

  std::vector<RefPtr<Element>> stack_;
  // Open HTML elements per known name: most scope questions ask about a name that is not open at
  // all, and these answer them without walking a deep stack.
  uint32_t openByTag_[256] = {};
};

bool isHeading(TagId tag);

}  // namespace vellum::engine
