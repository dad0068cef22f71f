#include "parser/formatting_list.h"

#include <algorithm>

namespace vellum::engine {

namespace {
bool sameAttributes(const Element& a, const Element& b) {
  const auto& x = a.attributes();
  const auto& y = b.attributes();
  if (x.size() != y.size()) return false;
  for (const Attribute& attr : x) {
    auto match = std::find_if(y.begin(), y.end(), [&](const Attribute& o) {
      return o.ns == attr.ns && o.name == attr.name && o.value == attr.value;
    });
    if (match == y.end()) return false;
  }
  return true;
}
}  // namespace

void FormattingList::push(Element* e) {
  size_t firstAfterMarker = entries_.size();
  while (firstAfterMarker > 0 && !entries_[firstAfterMarker - 1].isMarker()) --firstAfterMarker;
  long earliestTwin = -1;
  int twins = 0;
  for (size_t i = entries_.size(); i-- > firstAfterMarker;) {
    const Element& other = *entries_[i].element;
    if (other.ns() == e->ns() && other.localName() == e->localName() && sameAttributes(other, *e)) {
      ++twins;
      earliestTwin = static_cast<long>(i);
    }
  }
  if (twins >= 3)
    entries_.erase(entries_.begin() + earliestTwin);
  else if (entries_.size() - firstAfterMarker >= kMaxEntriesAfterMarker)
    entries_.erase(entries_.begin() + static_cast<long>(firstAfterMarker));
  entries_.push_back(Entry{RefPtr<Element>(e)});
}

void FormattingList::clearUpToLastMarker() {
  while (!entries_.empty()) {
    bool marker = entries_.back().isMarker();
    entries_.pop_back();
    if (marker) return;
  }
}

long FormattingList::indexOf(const Element* e) const {
  for (size_t i = entries_.size(); i-- > 0;)
    if (entries_[i].element.get() == e) return static_cast<long>(i);
  return -1;
}

void FormattingList::remove(const Element* e) {
  long i = indexOf(e);
  if (i >= 0) entries_.erase(entries_.begin() + i);
}

void FormattingList::replace(const Element* old, Element* replacement) {
  long i = indexOf(old);
  if (i >= 0) entries_[i].element = replacement;
}

void FormattingList::insertAt(size_t index, Element* e) {
  entries_.insert(entries_.begin() + static_cast<long>(std::min(index, entries_.size())), Entry{RefPtr<Element>(e)});
}

Element* FormattingList::lastAfterMarker(TagId tag) const {
  for (size_t i = entries_.size(); i-- > 0;) {
    if (entries_[i].isMarker()) return nullptr;
    if (entries_[i].element->is(tag)) return entries_[i].element.get();
  }
  return nullptr;
}

}  // namespace vellum::engine
