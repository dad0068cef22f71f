#include "engine/com/DocumentLayout.h"

namespace vellum::engine::com {

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
