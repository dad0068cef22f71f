#include "parser/formatting_list.h"

#include <algorithm>

namespace vellum::engine {

namespace {
bool SameAttributes(const Element& a, const Element& b) {
  const auto& x = a.Attributes();
  const auto& y = b.Attributes();
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

void FormattingList::Push(Element* e) {
  size_t firstAfterMarker = entries_.size();
  while (firstAfterMarker > 0 && !entries_[firstAfterMarker - 1].IsMarker()) --firstAfterMarker;
  long earliestTwin = -1;
  int twins = 0;
  for (size_t i = entries_.size(); i-- > firstAfterMarker;) {
    const Element& other = *entries_[i].element;
    if (other.Ns() == e->Ns() && other.LocalName() == e->LocalName() && SameAttributes(other, *e)) {
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

void FormattingList::ClearUpToLastMarker() {
  while (!entries_.empty()) {
    bool marker = entries_.back().IsMarker();
    entries_.pop_back();
    if (marker) return;
  }
}

long FormattingList::IndexOf(const Element* e) const {
  for (size_t i = entries_.size(); i-- > 0;)
    if (entries_[i].element.get() == e) return static_cast<long>(i);
  return -1;
}

void FormattingList::Remove(const Element* e) {
  long i = IndexOf(e);
  if (i >= 0) entries_.erase(entries_.begin() + i);
}

void FormattingList::Replace(const Element* old, Element* replacement) {
  long i = IndexOf(old);
  if (i >= 0) entries_[i].element = replacement;
}

void FormattingList::InsertAt(size_t index, Element* e) {
  entries_.insert(entries_.begin() + static_cast<long>(std::min(index, entries_.size())), Entry{RefPtr<Element>(e)});
}

Element* FormattingList::LastAfterMarker(TagId tag) const {
  for (size_t i = entries_.size(); i-- > 0;) {
    if (entries_[i].IsMarker()) return nullptr;
    if (entries_[i].element->Is(tag)) return entries_[i].element.get();
  }
  return nullptr;
}

}  // namespace vellum::engine
