#include "engine/com/DocumentLayout.h"

#include <windows.h>

namespace vellum::engine::com {
namespace {

std::size_t KeptStyleBudget() { return CDocumentLayout::FromScratch() ? 0 : vellum::engine::css::kKeptStyleBudget; }

}  // namespace

bool CDocumentLayout::FromScratch() {
  static const bool set = GetEnvironmentVariableW(L"VELLUM_FULL_RELAYOUT", nullptr, 0) > 0;
  return set;
}

CDocumentLayout::CDocumentLayout() : styles_(KeptStyleBudget()) {}

const vellum::engine::layout::LayoutTree& CDocumentLayout::For(vellum::engine::Document& tree, int width, int height,
                                                               vellum::engine::layout::TextMeasurer& measurer) {
  if (layout_ && tree_ == &tree && version_ == tree.Version() && width_ == width && height_ == height) return *layout_;
  // Since the last layout only attributes changed, and only of elements that moved: their boxes move.
  const bool onlyAttributes = layout_ && tree_ == &tree && width_ == width && height_ == height && !FromScratch() &&
                              tree.AttributeChangesSince(version_, changed_);
  if (!onlyAttributes || !vellum::engine::layout::MoveChangedBoxes(*layout_, tree, measurer, styles_, changed_)) {
    layout_.reset();
    layout_.emplace(vellum::engine::layout::Layout(tree, width, height, measurer, styles_));
  }
  tree_ = &tree;
  version_ = tree.Version();
  width_ = width;
  height_ = height;
  return *layout_;
}

}  // namespace vellum::engine::com
