#include "parser/open_elements.h"

#include <algorithm>

namespace vellum::engine {

bool IsHeading(TagId tag) {
  return tag == TagId::H1 || tag == TagId::H2 || tag == TagId::H3 || tag == TagId::H4 || tag == TagId::H5 ||
         tag == TagId::H6;
}

OpenElements::~OpenElements() { clear(); }

long OpenElements::IndexOf(const Element* e) const {
  if (!Contains(e)) return -1;
  for (size_t i = stack_.size(); i-- > 0;)
    if (stack_[i].get() == e) return static_cast<long>(i);
  return -1;
}

void OpenElements::Counted(const Element& e, int delta) {
  if (e.IsHtml()) openByTag_[static_cast<size_t>(e.GetTagId())] += delta;
}

void OpenElements::Push(Element* e) {
  e->onParserStack_ = true;
  Counted(*e, 1);
  stack_.emplace_back(e);
}

void OpenElements::Pop() {
  if (stack_.size() <= 1) return;
  stack_.back()->onParserStack_ = false;
  Counted(*stack_.back(), -1);
  stack_.pop_back();
}

void OpenElements::InsertAt(size_t index, Element* e) {
  e->onParserStack_ = true;
  Counted(*e, 1);
  stack_.insert(stack_.begin() + static_cast<long>(std::min(index, stack_.size())), RefPtr<Element>(e));
}

void OpenElements::Remove(const Element* e) {
  long i = IndexOf(e);
  if (i < 1) return;
  stack_[i]->onParserStack_ = false;
  Counted(*stack_[i], -1);
  stack_.erase(stack_.begin() + i);
}

void OpenElements::Replace(const Element* old, Element* replacement) {
  long i = IndexOf(old);
  if (i < 0) return;
  stack_[i]->onParserStack_ = false;
  Counted(*stack_[i], -1);
  replacement->onParserStack_ = true;
  Counted(*replacement, 1);
  stack_[i] = replacement;
}

void OpenElements::clear() {
  for (RefPtr<Element>& e : stack_) e->onParserStack_ = false;
  stack_.clear();
  std::fill(std::begin(openByTag_), std::end(openByTag_), 0u);
}

bool OpenElements::IsScopeBoundary(const Element& e, Scope scope) {
  TagId t = e.GetTagId();
  switch (e.Ns()) {
    case Namespace::Html:
      switch (scope) {
        case Scope::Select:
          return t != TagId::Optgroup && t != TagId::Option;
        case Scope::Table:
          return t == TagId::Html || t == TagId::Table || t == TagId::Template;
        case Scope::ListItem:
          if (t == TagId::Ol || t == TagId::Ul) return true;
          break;
        case Scope::Button:
          if (t == TagId::Button) return true;
          break;
        case Scope::Default:
          break;
      }
      return t == TagId::Applet || t == TagId::Caption || t == TagId::Html || t == TagId::Table || t == TagId::Td ||
             t == TagId::Th || t == TagId::Marquee || t == TagId::Object || t == TagId::Template;
    case Namespace::MathMl:
      if (scope == Scope::Table) return false;
      if (scope == Scope::Select) return true;
      return t == TagId::Mi || t == TagId::Mo || t == TagId::Mn || t == TagId::Ms || t == TagId::Mtext ||
             t == TagId::AnnotationXml;
    case Namespace::Svg:
      if (scope == Scope::Table) return false;
      if (scope == Scope::Select) return true;
      return t == TagId::ForeignObject || t == TagId::Desc || t == TagId::Title;
  }
  return false;
}

bool OpenElements::HasInScope(TagId tag, Scope scope) const {
  if (!ContainsTag(tag)) return false;
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (e.Is(tag)) return true;
    if (IsScopeBoundary(e, scope)) return false;
  }
  return false;
}

bool OpenElements::HasElementInScope(const Element* target, Scope scope) const {
  if (!Contains(target)) return false;
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (&e == target) return true;
    if (IsScopeBoundary(e, scope)) return false;
  }
  return false;
}

bool OpenElements::HasHeadingInScope() const {
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (e.IsHtml() && IsHeading(e.GetTagId())) return true;
    if (IsScopeBoundary(e, Scope::Default)) return false;
  }
  return false;
}

bool OpenElements::HasAnyInTableScope(std::initializer_list<TagId> tags) const {
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (e.IsHtml() && std::find(tags.begin(), tags.end(), e.GetTagId()) != tags.end()) return true;
    if (IsScopeBoundary(e, Scope::Table)) return false;
  }
  return false;
}

// The bottom element (html, or the fragment's root) is never popped: every insertion point and
// every scope walk can rely on it.
void OpenElements::PopUntilPopped(TagId tag) {
  if (!ContainsTag(tag)) return;
  for (size_t i = stack_.size(); i-- > 1;) {
    if (stack_[i]->Is(tag)) {
      while (stack_.size() > i) Pop();
      return;
    }
  }
}

void OpenElements::PopUntilHeadingPopped() {
  for (size_t i = stack_.size(); i-- > 1;) {
    if (stack_[i]->IsHtml() && IsHeading(stack_[i]->GetTagId())) {
      while (stack_.size() > i) Pop();
      return;
    }
  }
}

void OpenElements::PopUntilPopped(const Element* e) {
  long i = IndexOf(e);
  if (i < 1) return;
  while (stack_.size() > static_cast<size_t>(i)) Pop();
}

}  // namespace vellum::engine
