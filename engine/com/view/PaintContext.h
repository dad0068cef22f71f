// What every part of the painter works with during one repaint.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "engine/com/view/ImageCache.h"
#include "engine/com/view/PaintFaces.h"
#include "engine/com/view/PaintGdi.h"
#include "engine/com/view/PaintParts.h"
#include "engine/com/view/PaintStyles.h"
#include "layout/layout_tree.h"

namespace vellum::engine::com {

class CFormState;
struct CViewFocus;

struct PaintContext {
  HDC dc;      // the back buffer
  RECT dirty;  // what needs painting, client coordinates
  const vellum::engine::layout::LayoutTree& layout;
  const std::vector<BoxPaint>& styles;  // parallel to layout.Boxes()
  const CFormState& formState;
  const CViewFocus& focus;
  CFontCache& fonts;
  CImageCache& images;
  CDrawingState& drawing;  // font and text colour selected now
  CTrackBrush& trackBrush;
  CFaceCache& faces;              // control faces drawn before
  std::u16string& textScratch;    // the text painter's room for a run's words
  const std::vector<RECT>* inks;  // parallel to the boxes: all each box's painting reaches; null when not known
  const CPaintParts* parts;       // the parts of `dirty` that need painting; null when all of it does

  const vellum::engine::layout::Box& BoxAt(std::size_t index) const { return layout.Boxes()[index]; }
  RECT BorderRect(std::size_t index) const {
    const vellum::engine::layout::Rect& r = BoxAt(index).border;
    return ToRect(r.x, r.y, r.width, r.height);
  }
};

}  // namespace vellum::engine::com
