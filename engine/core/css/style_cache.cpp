#include "css/style_cache.h"

#include <algorithm>

#include "css/cascade.h"

namespace vellum::engine::css {
namespace {

bool SameSheets(const DocumentSheets& a, const DocumentSheets& b) {
  const SheetList left = a.List(), right = b.List();
  return std::equal(left.begin(), left.end(), right.begin(), right.end());
}

}  // namespace

void StyleCache::BeginPass(const Document& document) {
  ++pass_;
  reached_ = 0;
  // Reading the sheets walks the whole document: between passes where no style element can have
  // changed (an edit of elements' attributes) the ones read last time stand.
  if (sheets_ && sheetsStamp_ == document.SheetsStamp()) return;
  DocumentSheets sheets(document);
  if (!sheets_ || !SameSheets(*sheets_, sheets)) {
    kept_.clear();
  }
  sheets_.emplace(std::move(sheets));
  sheetsStamp_ = document.SheetsStamp();
}

bool StyleCache::StillValid(const Entry& entry, const Element& element, const Entry* parent) const {
  return entry.parent_ == parent && entry.parentGeneration_ == (parent ? parent->generation_ : 0) &&
         entry.attributesStamp_ == element.AttributesStamp();
}

bool StyleCache::Compute(Entry& entry, const Entry* parent) {
  ComputedStyle style = ComputeStyle(*entry.subject_, sheets_->List(), parent ? &parent->style_ : nullptr);
  const bool same = style == entry.style_;
  if (!same) {
    entry.derived_ = {};
    entry.style_ = std::move(style);
  }
  entry.generation_ = ++nextGeneration_;
  entry.parent_ = parent;
  entry.parentGeneration_ = parent ? parent->generation_ : 0;
  ++computed_;
  return same;
}

const StyleCache::Entry& StyleCache::StyleOf(const Element& element, const Entry* parent,
                                             std::unique_ptr<Entry>& scratch) {
  const ElementStyleSubject* parentSubject = parent ? &parent->Subject() : nullptr;
  auto kept = kept_.find(&element);
  if (kept == kept_.end() && kept_.size() < keptBudget_) {
    kept = kept_.emplace(&element, std::make_unique<Entry>()).first;
  }
  Entry* entry = nullptr;
  if (kept != kept_.end()) {
    entry = kept->second.get();
  } else {
    scratch = std::make_unique<Entry>();
    entry = scratch.get();
  }
  if (entry == scratch.get()) {
    entry->subject_.emplace(element, parentSubject);
    Compute(*entry, parent);
    return *entry;
  }
  if (entry->pass_ != pass_) ++reached_;
  entry->pass_ = pass_;
  // A valid entry's subject still holds: it was made for this element (the stamp says so) under this
  // parent's subject, and the element's parsed style attribute lives until its attributes change.
  if (entry->generation_ != 0 && StillValid(*entry, element, parent)) {
    return *entry;
  }
  const ElementStyleSubject& subject = entry->subject_.emplace(element, parentSubject);
  // An attribute no style depends on (a title, the body's size) leaves the style as it was; then the
  // children need not be computed again.
  const bool sameContext = entry->generation_ != 0 && entry->parent_ == parent &&
                           entry->parentGeneration_ == (parent ? parent->generation_ : 0) &&
                           entry->localName_ == subject.LocalName() && entry->id_ == subject.IdAttribute() &&
                           entry->class_ == subject.ClassAttribute();
  const std::uint64_t generation = entry->generation_;
  entry->generation_ = 0;  // stale until computed, should computing fail half-way
  entry->attributesStamp_ = element.AttributesStamp();
  entry->localName_ = subject.LocalName();
  entry->id_ = subject.IdAttribute();
  entry->class_ = subject.ClassAttribute();
  if (Compute(*entry, parent) && sameContext) entry->generation_ = generation;
  return *entry;
}

void StyleCache::Sweep() {
  // Walking every kept style costs as much as reusing them all, so the walk waits until at least as
  // many are unreached as were reached.
  if (kept_.size() <= 2 * reached_ + 64) return;
  std::erase_if(kept_, [&](const auto& item) { return item.second->pass_ != pass_; });
}

void StyleCache::Clear() {
  kept_.clear();
  sheets_.reset();
}

}  // namespace vellum::engine::css
