// The document's layout, computed when first asked for after a change and kept until the next one:
// offsets and the element under a point come from here.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "css/style_cache.h"
#include "dom/document.h"
#include "layout/layout_tree.h"

namespace vellum::engine::com {

class CDocumentLayout {
 public:
  CDocumentLayout();

  // VELLUM_FULL_RELAYOUT set in the environment: no styles are kept and every change lays out and
  // repaints the whole page, as before either was kept. The scale benchmark runs so for its baseline.
  static bool FromScratch();

  // The layout of tree for a viewport of that size; laid out again only when the tree changed (its
  // version moved), the viewport changed or another tree is asked about.
  // Text is measured by `measurer`, which must be the same on every call.
  const vellum::engine::layout::LayoutTree& For(vellum::engine::Document& tree, int width, int height,
                                                vellum::engine::layout::TextMeasurer& measurer);
  void Forget() {
    layout_.reset();
    styles_.Clear();
  }
  // The computed styles the last layout kept: the painter resolves its styles through them too.
  vellum::engine::css::StyleCache& Styles() { return styles_; }

 private:
  vellum::engine::css::StyleCache styles_;
  std::optional<vellum::engine::layout::LayoutTree> layout_;
  const vellum::engine::Document* tree_ = nullptr;  // the tree laid out (not owned; compared only)
  uint64_t version_ = 0;                            // its version then
  std::vector<const vellum::engine::Element*> changed_;  // scratch: the elements changed since
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vellum::engine::com
