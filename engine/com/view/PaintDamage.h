// What each box of the page looked like when it went on screen, so that after an edit only the part
// of the view whose pixels can differ is painted again: a nudge on a form of thousands of elements
// repaints two small rectangles, not the page.
//
// A box's pixels are decided by its border box, its computed style (known by its generation in the
// kept styles), its look, its text, and for a control its attributes and the text and attributes of
// what is inside it; its place in the paint order by its parent and the sibling before it. A box where any of those
// differs is damaged where it was and where it is, with its descendants and the parent that may draw
// around it; so are boxes that came or went. The form state and the focus are not looked at: their
// changes repaint the view themselves.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "dom/document.h"
#include "engine/com/view/PaintControls.h"
#include "engine/com/view/PaintStyles.h"
#include "layout/layout_tree.h"

namespace vellum::engine::com {

class CPaintDamage {
 public:
  // The page as laid out now becomes the one on screen. Answers where it may look different from
  // the one recorded before (view client coordinates), or nothing when the whole view must be
  // painted: nothing recorded yet, another tree, or so much changed that one repaint is cheaper.
  std::optional<std::vector<RECT>> Update(const vellum::engine::Document& tree,
                                          const vellum::engine::layout::LayoutTree& layout,
                                          const std::vector<BoxPaint>& styles,
                                          const std::vector<std::uint64_t>& styleGenerations);
  // Forgets what is on screen: the next update asks for the whole view.
  void Forget();
  // Each box's ink (InkOf) as the last update worked it out, when that was of this version of the
  // tree with this many boxes; null otherwise.
  const std::vector<RECT>* Inks(const vellum::engine::Document& tree, std::size_t boxCount) const {
    return tree_ == &tree && version_ == tree.Version() && inks_.size() == boxCount ? &inks_ : nullptr;
  }

  // Where the box's painting can reach: its border box and the glyphs of its text, with room for
  // what controls and italic or oversized glyphs draw past them.
  static RECT InkOf(const vellum::engine::layout::LayoutTree& layout, std::size_t index, const BoxPaint& style);
  static RECT InkOf(const vellum::engine::layout::LayoutTree& layout, std::size_t index, const BoxPaint& style,
                    Look look);

 private:
  struct Mark {
    const vellum::engine::Element* element = nullptr;
    const vellum::engine::Element* parent = nullptr;
    const vellum::engine::Element* previous = nullptr;  // the box before it under the same parent
    RECT ink{};
    vellum::engine::layout::Rect border;
    std::uint64_t style = 0;    // the computed style's generation
    std::uint64_t content = 0;  // attributes, text and control contents, hashed
    int parentIndex = -1;       // in the same record
    Look look = Look::Box;
    bool bordered = false;
    int end = 0;  // one past its last descendant in the same record
  };

  // Each mark's element and place, sorted by element.
  using ElementIndex = std::vector<std::pair<const vellum::engine::Element*, int>>;
  static ElementIndex IndexOf(const std::vector<Mark>& marks);
  // The element's place in the index's marks; -1 when it has none.
  static int Find(const ElementIndex& index, const vellum::engine::Element* element);

  static std::vector<Mark> MarksOf(const vellum::engine::layout::LayoutTree& layout,
                                   const std::vector<BoxPaint>& styles,
                                   const std::vector<std::uint64_t>& styleGenerations);
  static bool SameLook(const Mark& a, const Mark& b);
  // The same but for where it is: a viewport box whose window changed size.
  static bool SameButPlace(const Mark& a, const Mark& b);

  const vellum::engine::Document* tree_ = nullptr;  // compared only
  std::uint64_t version_ = 0;
  std::vector<Mark> marks_;  // in document order, as the layout's boxes
  std::vector<RECT> inks_;   // parallel to them
};

}  // namespace vellum::engine::com
