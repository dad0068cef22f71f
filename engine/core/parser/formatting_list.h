#pragma once
// The list of active formatting elements, with its markers. Its length after the last marker has a
// budget: past it the oldest entry is forgotten, so that a flood of distinct formatting tags cannot
// make every later text token re-create them all.

#include <vector>

#include "dom/element.h"

namespace vellum::engine {

class FormattingList {
 public:
  static constexpr size_t kMaxEntriesAfterMarker = 64;

  struct Entry {
    RefPtr<Element> element;  // null for a marker
    bool IsMarker() const { return !element; }
  };

  bool empty() const { return entries_.empty(); }
  size_t size() const { return entries_.size(); }
  Entry& at(size_t i) { return entries_[i]; }
  const Entry& at(size_t i) const { return entries_[i]; }
  Entry& back() { return entries_.back(); }

  void PushMarker() { entries_.push_back(Entry{}); }
  // Adds a newly opened formatting element, applying the three-of-a-kind rule and the budget.
  void Push(Element* e);
  void ClearUpToLastMarker();
  long IndexOf(const Element* e) const;
  void Remove(const Element* e);
  void Replace(const Element* old, Element* replacement);
  void InsertAt(size_t index, Element* e);
  // The last element named `tag` after the last marker, or null.
  Element* LastAfterMarker(TagId tag) const;

 private:
  std::vector<Entry> entries_;
};

}  // namespace vellum::engine
