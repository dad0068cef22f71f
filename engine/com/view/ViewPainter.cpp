#include "engine/com/view/ViewPainter.h"

#include "engine/com/HtmlDocument.h"
#include "engine/com/view/PaintBoxes.h"
#include "engine/com/view/PaintContext.h"
#include "engine/com/view/PaintControls.h"
#include "engine/com/view/PaintText.h"
#include "engine/com/view/ViewRefresh.h"

namespace vellum::engine::com {

namespace {

// Looks that show the element's CSS background and border around what they draw inside.
bool ShowsCssBox(Look look) {
  return look == Look::Box || look == Look::Fieldset || look == Look::Image || look == Look::Object;
}

void PaintElement(const PaintContext& context, std::size_t index) {
  const BoxPaint& style = context.styles[index];
  if (!style.visible) return;  // its children paint on their own, visible or not
  // Text and controls may draw past the border box: all they reach is painted, or a repaint of part
  // of the view would differ from one of all of it.
  if (!Intersects(CPaintDamage::InkOf(context.layout, index, style), context.dirty)) return;
  const RECT box = context.BorderRect(index);
  const Look look = LookOf(*context.BoxAt(index).element);
  if (ShowsCssBox(look)) {
    PaintBackground(context.dc, box, style);
    // A fieldset shows the platform's etched frame unless the page gave it a border of its own.
    if (look == Look::Fieldset && !style.HasBorder())
      PaintControl(context, index, look);
    else
      PaintBorder(context.dc, box, style);
    if (look == Look::Box || look == Look::Fieldset)
      PaintFlowText(context, index);
    else
      PaintControl(context, index, look);
    return;
  }
  PaintControl(context, index, look);
}

}  // namespace

CViewPainter::~CViewPainter() {
  if (watching_) StopWatching(*this);
}

bool CViewPainter::EnsureBuffer(HDC windowDC, SIZE size) {
  if (buffer_ && bufferSize_.cx == size.cx && bufferSize_.cy == size.cy) return true;
  buffer_ = GdiObject(CreateCompatibleBitmap(windowDC, size.cx, size.cy));
  bufferSize_ = buffer_ ? size : SIZE{};
  return static_cast<bool>(buffer_);
}

void CViewPainter::OnPaint(CHtmlDocument& document, HWND view, ViewBorder border) {
  document_ = &document;
  if (!watching_) {
    WatchForChanges(*this);
    watching_ = true;
  }
  // A change no object model call announced (the first paint among them) is found here, before the
  // region to paint is taken.
  const vellum::engine::Document& shown = document.Tree();
  if (&shown != shownTree_ || shown.Version() != shownVersion_) InvalidateChanges(document, view);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(view, &ps);
  if (!dc) return;
  RECT client = {};
  GetClientRect(view, &client);
  const RECT dirty = ps.rcPaint;
  if (client.right > 0 && client.bottom > 0 && dirty.right > dirty.left && dirty.bottom > dirty.top) {
    HDC buffer = EnsureBuffer(dc, {client.right, client.bottom}) ? CreateCompatibleDC(dc) : nullptr;
    if (buffer) {
      {
        ScopedSelect bitmap(buffer, buffer_.get());
        PaintPage(document, buffer, client, dirty, border);
        BitBlt(dc, dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top, buffer, dirty.left,
               dirty.top, SRCCOPY);
      }
      DeleteDC(buffer);
    } else {
      // Without memory for a buffer the page is still shown, drawn straight into the window.
      PaintPage(document, dc, client, dirty, border);
    }
  }
  EndPaint(view, &ps);
}

void CViewPainter::PaintPage(CHtmlDocument& document, HDC dc, const RECT& client, const RECT& dirty,
                             ViewBorder border) {
  ScopedDCState saved(dc);
  IntersectClipRect(dc, dirty.left, dirty.top, dirty.right, dirty.bottom);
  FillSystem(dc, dirty, COLOR_WINDOW);  // the canvas under the body
  vellum::engine::Document& tree = document.Tree();
  try {
    const vellum::engine::layout::LayoutTree& layout = document.Layout();
    const std::vector<BoxPaint>& styles = styles_.For(tree, layout, document.Measurer(), document.KeptStyles());
    CDrawingState drawing(dc);
    const PaintContext context{
        dc,      dirty,   layout,      styles, document.FormState(), document.ViewFocus(), fonts_,
        images_, drawing, trackBrush_, faces_, textScratch_};
    for (int index : layout.PaintSequence()) PaintElement(context, static_cast<std::size_t>(index));
  } catch (...) {
    // Out of memory half-way: what was drawn stays; the next repaint tries again.
    styles_.Forget();
  }
  if (border == ViewBorder::Sunken) {
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
}

void CViewPainter::Forget() {
  styles_.Forget();
  images_.Clear();  // the new page's files are read afresh
  damage_.Forget();
  shownTree_ = nullptr;
}

void CViewPainter::CheckForChanges() {
  if (!document_) return;
  HWND view = document_->ViewWindow();
  if (!view) return;
  const vellum::engine::Document& tree = document_->Tree();
  if (&tree == shownTree_ && tree.Version() == shownVersion_) return;
  InvalidateChanges(*document_, view);
}

void CViewPainter::InvalidateChanges(CHtmlDocument& document, HWND view) noexcept {
  vellum::engine::Document& tree = document.Tree();
  shownTree_ = &tree;
  shownVersion_ = tree.Version();
  try {
    const vellum::engine::layout::LayoutTree& layout = document.Layout();
    const std::vector<BoxPaint>& styles = styles_.For(tree, layout, document.Measurer(), document.KeptStyles());
    if (std::optional<std::vector<RECT>> damage = damage_.Update(tree, layout, styles, styles_.Generations())) {
      for (const RECT& rect : *damage) InvalidateRect(view, &rect, FALSE);
      return;
    }
  } catch (...) {
    // Without memory to work out the damage, all of the view is.
    damage_.Forget();
    styles_.Forget();
  }
  InvalidateRect(view, nullptr, FALSE);
}

}  // namespace vellum::engine::com
