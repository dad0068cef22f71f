#pragma once
// The boxes of a whole document, computed once by Layout() and then queried many times: the geometry
// of any element in constant time and the element under a point in one pass over the boxes.
//
// The model, fit for a design surface of absolutely positioned form elements and for ordinary pages:
//  - The root and the body fill the viewport (the body has no margin).
//  - width and height are border-box sizes for every element; elements without them get a natural
//    size: form controls and images the platform's sizes, other elements the extent of their content
//    (shrunk to fit for absolutely positioned and inline-level elements, the full container width for
//    blocks in the flow).
//  - Absolutely positioned elements sit at left/top (or right/bottom) in the padding box of their
//    offset parent, the nearest positioned ancestor or the body; without either they stay where the
//    flow stood. Relative positioning shifts the box from its flow place.
//  - Flow: inline-level content (text, inline elements, controls) runs left to right and wraps at the
//    container's width; blocks stack; <br> ends a line. Table cells sit side by side in their rows.
//  - The contents of controls (options, a text area's text, a button's label) have no boxes of their
//    own: they belong to the control.

#include <cstddef>
#include <string>
#include <vector>

#include "css/style_cache.h"
#include "dom/document.h"
#include "layout/box.h"
#include "layout/text_measurer.h"

namespace vellum::engine::layout {

// Elements beyond this many get no box (the tree reports that it is truncated), so that no document
// makes a layout unbounded in time or memory.
inline constexpr std::size_t kLayoutBoxBudget = 100000;

class LayoutTree {
 public:
  // The element's box; null for elements without one (hidden, inside a control, not in the document
  // laid out, beyond the budget).
  const Box* BoxOf(const Element& element) const;

  // The topmost element whose border box contains the point (document window coordinates), in paint
  // order: z-index, then document order, children over their parents. The body answers for empty
  // area inside the viewport; null outside every box.
  Element* HitTest(int x, int y) const;

  // One line per box in document order, indented two spaces per level: "SPAN at [10,20] 65x20", the
  // border box in document window coordinates. With the runs, each box's text follows it one level
  // deeper: "\"two words\" at [12,20] 61x15".
  enum class DumpText : unsigned char { Omit, Runs };
  std::string Dump(DumpText text = DumpText::Omit) const;

  const std::vector<Box>& Boxes() const { return boxes_; }
  const std::vector<TextRun>& Runs() const { return runs_; }
  // The text the run shows, written into `shown`: its words with one blank between each two.
  static void ShownText(const TextRun& run, std::u16string& shown);
  // Box indexes in the order they paint, bottom first (hit testing walks it from the end).
  const std::vector<int>& PaintSequence() const { return paintOrder_; }
  // True when the box budget ran out and later elements were left without boxes.
  bool Truncated() const { return truncated_; }
  // Parallel to the boxes: each box's computed style as the cache given to Layout() keeps it, null
  // where it keeps none. Good until that cache's next pass, so that painting reads the styles layout
  // found instead of looking each up again.
  const std::vector<const css::StyleCache::Entry*>& KeptStyles() const { return keptStyles_; }

 private:
  friend class LayoutBuilder;
  friend bool MoveChangedBoxes(LayoutTree& tree, Document& document, TextMeasurer& measurer, css::StyleCache& styles,
                               const std::vector<const Element*>& changed);
  void IndexBoxes();
  static std::size_t SlotOf(const Element* element, std::size_t mask);

  std::vector<Box> boxes_;                                 // document order; a parent before its children
  std::vector<TextRun> runs_;                              // each box's runs side by side, in line order
  // element -> position in boxes_: open addressing in one block (a power of two of slots, at least twice
  // the boxes), made once per layout instead of a node per box.
  struct IndexSlot {
    const Element* element = nullptr;
    std::size_t box = 0;
  };
  std::vector<IndexSlot> index_;
  std::vector<int> paintOrder_;                            // box indexes, bottom first
  std::vector<const css::StyleCache::Entry*> keptStyles_;  // parallel to boxes_
  // Where layout placed each box before rounding, and what placed it, so that a box that only moved is
  // placed again exactly as a whole layout would place it.
  struct Placed {
    double x = 0;  // border edge, document window coordinates
    double y = 0;
    int containingBlock = 0;
    int offsetParent = -1;
    bool natural = false;  // a control's or image's own size
    double naturalWidth = 0;
    double naturalHeight = 0;
  };
  struct PlacedRun {
    double x = 0;  // from the box's content edge
    double y = 0;
    double width = 0;
    double height = 0;
  };
  std::vector<Placed> placed_;         // parallel to boxes_
  std::vector<PlacedRun> placedRuns_;  // parallel to runs_
  bool truncated_ = false;
};

// After changes of attributes only (the document's journal): the boxes of the changed elements that
// only moved are placed again, in `tree`, exactly where a whole layout would place them. Such an
// element is absolutely positioned by left and top in pixels, has no boxes inside, and its style came
// out the same but for left and top. False, the tree as it was, when any change is more than that; the
// caller then lays out again. `styles` is the cache the tree was laid out with.
bool MoveChangedBoxes(LayoutTree& tree, Document& document, TextMeasurer& measurer, css::StyleCache& styles,
                      const std::vector<const Element*>& changed);

// Lays out the document's tree for a viewport of that size (the document window's client area), text
// measured by `measurer`. The tree must not change while the result is in use; lay out again after a
// change. At most `boxBudget` elements get boxes.
LayoutTree Layout(Document& document, int viewportWidth, int viewportHeight, TextMeasurer& measurer,
                  std::size_t boxBudget = kLayoutBoxBudget);
// The same with styles kept in `styles` from the last layout of the document: after an edit only the
// styles it may have changed are computed again. The boxes are the same as without.
LayoutTree Layout(Document& document, int viewportWidth, int viewportHeight, TextMeasurer& measurer,
                  css::StyleCache& styles, std::size_t boxBudget = kLayoutBoxBudget);
// The same with the fixed measurer: geometry that no machine's fonts change.
LayoutTree Layout(Document& document, int viewportWidth, int viewportHeight, std::size_t boxBudget = kLayoutBoxBudget);

}  // namespace vellum::engine::layout
