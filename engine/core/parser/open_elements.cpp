#include "parser/open_elements.h"

#include <algorithm>

namespace vellum::engine {

bool isHeading(TagId tag) {
  return tag == TagId::H1 || tag == TagId::H2 || tag == TagId::H3 || tag == TagId::H4 || tag == TagId::H5 ||
         tag == TagId::H6;
}

OpenElements::~OpenElements() { clear(); }

long OpenElements::indexOf(const Element* e) const {
  if (!contains(e)) return -1;
  for (size_t i = stack_.size(); i-- > 0;)
    if (stack_[i].get() == e) return static_cast<long>(i);
  return -1;
}

void OpenElements::counted(const Element& e, int delta) {
  if (e.isHtml()) openByTag_[static_cast<size_t>(e.tagId())] += delta;
}

void OpenElements::push(Element* e) {
  e->onParserStack_ = true;
  counted(*e, 1);
  stack_.emplace_back(e);
}

void OpenElements::pop() {
  if (stack_.size() <= 1) return;
  stack_.back()->onParserStack_ = false;
  counted(*stack_.back(), -1);
  stack_.pop_back();
}

void OpenElements::insertAt(size_t index, Element* e) {
  e->onParserStack_ = true;
  counted(*e, 1);
  stack_.insert(stack_.begin() + static_cast<long>(std::min(index, stack_.size())), RefPtr<Element>(e));
}

void OpenElements::remove(const Element* e) {
  long i = indexOf(e);
  if (i < 1) return;
  stack_[i]->onParserStack_ = false;
  counted(*stack_[i], -1);
  stack_.erase(stack_.begin() + i);
}

void OpenElements::replace(const Element* old, Element* replacement) {
  long i = indexOf(old);
  if (i < 0) return;
  stack_[i]->onParserStack_ = false;
  counted(*stack_[i], -1);
  replacement->onParserStack_ = true;
  counted(*replacement, 1);
  stack_[i] = replacement;
}

void OpenElements::clear() {
  for (RefPtr<Element>& e : stack_) e->onParserStack_ = false;
  stack_.clear();
  std::fill(std::begin(openByTag_), std::end(openByTag_), 0u);
}

bool OpenElements::isScopeBoundary(const Element& e, Scope scope) {
  TagId t = e.tagId();
  switch (e.ns()) {
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

bool OpenElements::hasInScope(TagId tag, Scope scope) const {
  if (!containsTag(tag)) return false;
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (e.is(tag)) return true;
    if (isScopeBoundary(e, scope)) return false;
  }
  return false;
}

bool OpenElements::hasElementInScope(const Element* target, Scope scope) const {
  if (!contains(target)) return false;
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (&e == target) return true;
    if (isScopeBoundary(e, scope)) return false;
  }
  return false;
}

bool OpenElements::hasHeadingInScope() const {
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (e.isHtml() && isHeading(e.tagId())) return true;
    if (isScopeBoundary(e, Scope::Default)) return false;
  }
  return false;
}

bool OpenElements::hasAnyInTableScope(std::initializer_list<TagId> tags) const {
  for (size_t i = stack_.size(); i-- > 0;) {
    const Element& e = *stack_[i];
    if (e.isHtml() && std::find(tags.begin(), tags.end(), e.tagId()) != tags.end()) return true;
    if (isScopeBoundary(e, Scope::Table)) return false;
  }
  return false;
}

// The bottom element (html, or the fragment's root) is never popped: every insertion point and
// every scope walk can rely on it.
void OpenElements::popUntilPopped(TagId tag) {
  if (!containsTag(tag)) return;
  for (size_t i = stack_.size(); i-- > 1;) {
    if (stack_[i]->is(tag)) {
      while (stack_.size() > i) pop();
      return;
    }
  }
}

void OpenElements::popUntilHeadingPopped() {
  for (size_t i = stack_.size(); i-- > 1;) {
    if (stack_[i]->isHtml() && isHeading(stack_[i]->tagId())) {
      while (stack_.size() > i) pop();
      return;
    }
  }
}

void OpenElements::popUntilPopped(const Element* e) {
  long i = indexOf(e);
  if (i < 1) return;
  while (stack_.size() > static_cast<size_t>(i)) pop();
}

}  // namespace vellum::engine
