#pragma once
// Computed styles kept from one pass over a document to the next, so that after an edit only the
// elements whose style could have changed are computed again: on a form of thousands of elements a
// nudge recomputes one style, not all of them.
//
// An element's computed style depends only on its tag, its id, class and style attributes, on the
// same of its ancestors (selectors match on them), on its parent's computed style and on the
// document's sheets. A kept style is reused only while the element's attributes stamp, its parent's
// kept style and the sheets are those it was computed with: nothing that changes the tree has to tell
// the cache, and an element made at a freed one's address has a stamp of its own.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "css/computed_style.h"
#include "css/element_style.h"
#include "dom/document.h"

namespace vellum::engine::css {

// Past this many kept styles (about 3 KB each) further elements are computed on every pass.
inline constexpr std::size_t kKeptStyleBudget = 12000;

class StyleCache {
 public:
  // One element's computed style within a pass, with the cascade's view of the element that its
  // children's styles are computed with.
  class Entry {
   public:
    const ComputedStyle& Style() const { return style_; }
    const ElementStyleSubject& Subject() const { return *subject_; }
    // Changes whenever the style is computed again and differs (or whatever children's selectors
    // match on does): a child kept with its parent's generation is stale once the parent's moves.
    std::uint64_t Generation() const { return generation_; }

    // What a consumer works out from the style alone (layout's box style, painting's colours and
    // fonts), kept with it until the style is computed again. `context` is whatever else the result
    // depends on that stays put for the consumer (its text measurer): another context makes it anew.
    enum class Use : std::uint8_t { Layout, Paint };
    template <typename T, typename Make>
    const T& Derived(Use use, const void* context, Make make) const {
      DerivedSlot& slot = derived_[static_cast<std::size_t>(use)];
      if (!slot.value || slot.context != context) {
        slot.value = std::make_shared<const T>(make());
        slot.context = context;
      }
      return *static_cast<const T*>(slot.value.get());
    }

   private:
    friend class StyleCache;
    struct DerivedSlot {
      std::shared_ptr<const void> value;
      const void* context = nullptr;
    };
    // What every pass reads of every element comes first, together: on a page of thousands of
    // elements a pass touches little else of a kept style.
    std::uint64_t generation_ = 0;
    std::uint64_t pass_ = 0;  // the last pass that reached it
    // What the style was computed from (kept entries only).
    std::uint64_t attributesStamp_ = 0;  // the element's, which no other element ever has
    const Entry* parent_ = nullptr;
    std::uint64_t parentGeneration_ = 0;
    mutable std::array<DerivedSlot, 2> derived_;
    std::optional<ElementStyleSubject> subject_;
    // What its children's selectors match on: a style computed again to the same values under the
    // same parent with these unchanged keeps its generation, so that the children stay valid.
    std::u16string localName_;
    std::u16string id_;
    std::u16string class_;
    ComputedStyle style_;
  };

  // keptBudget 0 keeps nothing: every pass computes every style (what a one-off layout wants).
  explicit StyleCache(std::size_t keptBudget = kKeptStyleBudget) : keptBudget_(keptBudget) {}
  StyleCache(const StyleCache&) = delete;
  StyleCache& operator=(const StyleCache&) = delete;

  // Starts a pass over the document's elements, parents before children. The sheets are read now;
  // when they differ from the last pass's, nothing kept is reused.
  void BeginPass(const Document& document);

  // The element's style. `parent` is its parent element's entry from this pass (null for the root).
  // A kept entry lives until Sweep() or Clear(); when the element gets none (the budget is spent) the
  // style is computed into `scratch`, which the caller keeps as long as the entry is used.
  const Entry& StyleOf(const Element& element, const Entry* parent, std::unique_ptr<Entry>& scratch);

  // Drops the kept styles of elements the current pass did not reach (removed, hidden in a hidden
  // parent, or of a page no longer shown) once they are as many as those it reached, so that what is
  // kept stays within twice what the page needs. A full pass ends with it.
  void Sweep();
  void Clear();

  std::size_t KeptCount() const { return kept_.size(); }
  // Styles computed (not reused) since the cache was made: what tests and benchmarks watch.
  std::uint64_t ComputedCount() const { return computed_; }

 private:
  bool StillValid(const Entry& entry, const Element& element, const Entry* parent) const;
  // True when the style came out as the entry held it.
  bool Compute(Entry& entry, const Entry* parent);

  std::size_t keptBudget_;
  std::unordered_map<const Element*, std::unique_ptr<Entry>> kept_;
  std::optional<DocumentSheets> sheets_;  // held so that the sheets' addresses stay theirs
  std::uint64_t sheetsStamp_ = 0;         // the document's, when they were read
  std::uint64_t pass_ = 0;
  std::size_t reached_ = 0;  // kept styles the current pass reached
  std::uint64_t nextGeneration_ = 0;
  std::uint64_t computed_ = 0;
};

}  // namespace vellum::engine::css
