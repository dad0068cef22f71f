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
  Element* Current() const { return stack_.empty() ? nullptr : stack_.back().get(); }
  Element* at(size_t index) const { return stack_[index].get(); }
  Element* Top() const { return stack_.empty() ? nullptr : stack_.front().get(); }
  bool Contains(const Element* e) const { return e && e->onParserStack_; }
  // Index of `e` on the stack, counted from the bottom; -1 when absent.
  long IndexOf(const Element* e) const;

  void Push(Element* e);
  void Pop();
  void InsertAt(size_t index, Element* e);
  void Remove(const Element* e);
  void Replace(const Element* old, Element* replacement);
  void clear();

  bool HasInScope(TagId tag, Scope scope = Scope::Default) const;
  bool HasElementInScope(const Element* target, Scope scope = Scope::Default) const;
  // Any of the six heading elements.
  bool HasHeadingInScope() const;
  bool HasAnyInTableScope(std::initializer_list<TagId> tags) const;
  bool ContainsTag(TagId tag) const { return openByTag_[static_cast<size_t>(tag)] != 0; }

  // Pops up to and including the nearest HTML element named `tag`.
  void PopUntilPopped(TagId tag);
  void PopUntilHeadingPopped();
  void PopUntilPopped(const Element* e);
  // Pops while `keepPopping(current())` holds, never past the bottom element.
  template <class Predicate>
  void PopWhile(Predicate keepPopping) {
    while (stack_.size() > 1 && keepPopping(*stack_.back())) Pop();
  }

 private:
  static bool IsScopeBoundary(const Element& e, Scope scope);
  void Counted(const Element& e, int delta);

  std::vector<RefPtr<Element>> stack_;
  // Open HTML elements per known name: most scope questions ask about a name that is not open at
  // all, and these answer them without walking a deep stack.
  uint32_t openByTag_[256] = {};
};

bool IsHeading(TagId tag);

}  // namespace vellum::engine
