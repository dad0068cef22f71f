#include "engine/com/DocumentLayout.h"

#include <windows.h>

namespace vellum::engine::com {
namespace {

// VELLUM_FULL_RELAYOUT set in the environment keeps no styles: every change lays the page out from
// scratch, as before styles were kept. The scale benchmark runs itself so for its baseline.
std::size_t KeptStyleBudget() {
  static const bool full = GetEnvironmentVariableW(L"VELLUM_FULL_RELAYOUT", nullptr, 0) > 0;
  return full ? 0 : vellum::engine::css::kKeptStyleBudget;
}

}  // namespace

CDocumentLayout::CDocumentLayout() : styles_(KeptStyleBudget()) {}

const vellum::engine::layout::LayoutTree& CDocumentLayout::For(vellum::engine::Document& tree, int width, int height,
                                                               vellum::engine::layout::TextMeasurer& measurer) {
  if (!layout_ || tree_ != &tree || version_ != tree.Version() || width_ != width || height_ != height) {
    layout_.reset();
    layout_.emplace(vellum::engine::layout::Layout(tree, width, height, measurer, styles_));
    tree_ = &tree;
    version_ = tree.Version();
    width_ = width;
    height_ = height;
  }
  return *layout_;
}

}  // namespace vellum::engine::com
