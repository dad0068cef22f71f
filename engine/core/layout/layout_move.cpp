// Placing again the boxes of elements that only moved: a nudge or a drag on a form of thousands of
// absolutely positioned elements changes left and top of a few of them, which moves their boxes and
// their text and nothing else. Everything is checked first and written after, so that a change this
// cannot take leaves the tree as it was.

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "css/style_cache.h"
#include "dom/document.h"
#include "dom/element.h"
#include "layout/box_style.h"
#include "layout/control_metrics.h"
#include "layout/layout_tree.h"
#include "layout/rounding.h"

namespace vellum::engine::layout {
namespace {

bool SameEdges(const Edges& a, const Edges& b) {
  return a.top == b.top && a.right == b.right && a.bottom == b.bottom && a.left == b.left;
}

bool SameLength(const std::optional<css::Length>& a, const std::optional<css::Length>& b) {
  return a.has_value() == b.has_value() && (!a || (a->value == b->value && a->unit == b->unit));
}

// Everything layout reads of a style but left and top.
bool SameButOffsets(const BoxStyle& a, const BoxStyle& b) {
  return a.display == b.display && a.placement == b.placement && a.zIndex == b.zIndex && SameEdges(a.margin, b.margin) &&
         SameEdges(a.border, b.border) && SameEdges(a.padding, b.padding) && SameLength(a.width, b.width) &&
         SameLength(a.height, b.height) && SameLength(a.right, b.right) && SameLength(a.bottom, b.bottom) &&
         a.fontSize == b.fontSize && a.lineHeight == b.lineHeight && a.font == b.font && a.spaceWidth == b.spaceWidth &&
         a.textAlign == b.textAlign;
}

// Placed by left and top in pixels alone: the position is the containing block's padding edge plus
// them, and nothing else about the box depends on them.
bool PlacedByLeftAndTop(const BoxStyle& style) {
  const auto inPixels = [](const std::optional<css::Length>& length) {
    return length && length->unit != css::LengthUnit::Percent;
  };
  return style.IsOutOfFlow() && inPixels(style.left) && inPixels(style.top) && !style.right && !style.bottom;
}

const BoxStyle& LayoutStyleOf(const css::StyleCache::Entry& entry, TextMeasurer& measurer) {
  return entry.Derived<BoxStyle>(css::StyleCache::Entry::Use::Layout, &measurer,
                                 [&] { return ExtractBoxStyle(entry.Style(), measurer); });
}

struct Move {
  std::size_t box = 0;
  double x = 0;
  double y = 0;
  Edges insets;  // of the box's content edge, for its text
};

}  // namespace

bool MoveChangedBoxes(LayoutTree& tree, Document& document, TextMeasurer& measurer, css::StyleCache& styles,
                      const std::vector<const Element*>& changed) {
  if (tree.truncated_ || tree.placed_.size() != tree.boxes_.size() ||
      tree.placedRuns_.size() != tree.runs_.size() || tree.keptStyles_.size() != tree.boxes_.size()) {
    return false;
  }
  std::vector<const Element*> elements(changed);
  std::sort(elements.begin(), elements.end());
  elements.erase(std::unique(elements.begin(), elements.end()), elements.end());
  // The sheets are read again; when they changed every kept style went, and with them the tree's.
  const std::size_t keptBefore = styles.KeptCount();
  styles.BeginPass(document);
  if (styles.KeptCount() < keptBefore) {
    return false;
  }
  const Element* body = document.Body();
  std::vector<Move> moves;
  moves.reserve(elements.size());
  for (const Element* element : elements) {
    const Box* box = tree.BoxOf(*element);
    if (!box || box->element == body || box == tree.boxes_.data()) {
      return false;  // an element without a box may have got one
    }
    const auto index = static_cast<std::size_t>(box - tree.boxes_.data());
    if (index + 1 < tree.boxes_.size() && tree.boxes_[index + 1].depth > box->depth) {
      return false;  // boxes inside would move along, and may depend on it
    }
    const css::StyleCache::Entry* kept = tree.keptStyles_[index];
    const css::StyleCache::Entry* parent = box->parent >= 0 ? tree.keptStyles_[static_cast<std::size_t>(box->parent)] : nullptr;
    if (!kept || !parent) {
      return false;
    }
    const BoxStyle before = LayoutStyleOf(*kept, measurer);
    std::unique_ptr<css::StyleCache::Entry> scratch;
    const css::StyleCache::Entry& now = styles.StyleOf(*element, parent, scratch);
    if (&now != kept) {
      return false;
    }
    const BoxStyle& after = LayoutStyleOf(now, measurer);
    if (!PlacedByLeftAndTop(before) || !PlacedByLeftAndTop(after) || !SameButOffsets(before, after)) {
      return false;
    }
    const LayoutTree::Placed& placed = tree.placed_[index];
    const std::optional<Size> natural = NaturalControlSize(*element, measurer);
    if (natural.has_value() != placed.natural ||
        (natural && (natural->width != placed.naturalWidth || natural->height != placed.naturalHeight))) {
      return false;
    }
    // As the whole layout places an absolutely positioned box by its left and top.
    const auto blockIndex = static_cast<std::size_t>(placed.containingBlock);
    const css::StyleCache::Entry* blockEntry = blockIndex < tree.keptStyles_.size() ? tree.keptStyles_[blockIndex] : nullptr;
    if (!blockEntry) {
      return false;
    }
    const BoxStyle& block = LayoutStyleOf(*blockEntry, measurer);
    const double padX = tree.placed_[blockIndex].x + block.border.left;
    const double padY = tree.placed_[blockIndex].y + block.border.top;
    const std::optional<double> left = after.Px(after.left, std::nullopt);
    const std::optional<double> top = after.Px(after.top, std::nullopt);
    if (!left || !top) {
      return false;
    }
    moves.push_back({index, padX + *left + after.margin.left, padY + *top + after.margin.top, after.Insets()});
  }
  for (const Move& move : moves) {
    Box& box = tree.boxes_[move.box];
    LayoutTree::Placed& placed = tree.placed_[move.box];
    placed.x = move.x;
    placed.y = move.y;
    box.border.x = RoundToInt(move.x);
    box.border.y = RoundToInt(move.y);
    double originX = 0, originY = 0;
    if (placed.offsetParent >= 0) {
      const auto parentIndex = static_cast<std::size_t>(placed.offsetParent);
      const BoxStyle& offsetParent = LayoutStyleOf(*tree.keptStyles_[parentIndex], measurer);
      originX = tree.placed_[parentIndex].x + offsetParent.border.left;
      originY = tree.placed_[parentIndex].y + offsetParent.border.top;
    }
    box.offsetLeft = RoundToInt(move.x - originX);
    box.offsetTop = RoundToInt(move.y - originY);
    const double contentX = move.x + move.insets.left;
    const double contentY = move.y + move.insets.top;
    for (int r = box.firstRun; r < box.firstRun + box.runCount; ++r) {
      const LayoutTree::PlacedRun& run = tree.placedRuns_[static_cast<std::size_t>(r)];
      const int runLeft = RoundToInt(contentX + run.x);
      const int runTop = RoundToInt(contentY + run.y);
      tree.runs_[static_cast<std::size_t>(r)].box = Rect{runLeft, runTop, RoundToInt(contentX + run.x + run.width) - runLeft,
                                                         RoundToInt(contentY + run.y + run.height) - runTop};
    }
  }
  return true;
}

}  // namespace vellum::engine::layout
