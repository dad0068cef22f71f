#include "engine/com/view/ViewPainter.h"

#include <optional>
#include <vector>

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
  const RECT ink = context.inks ? (*context.inks)[index] : CPaintDamage::InkOf(context.layout, index, style);
  if (!Intersects(ink, context.dirty) || (context.parts && !context.parts->Reaches(ink))) return;
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

// Past this many rectangles one paint of the box around them is cheaper.
constexpr DWORD kPaintedPartBudget = 512;

// The window's update region as rectangles; empty when it is one rectangle, too many, or unknown.
std::vector<RECT> UpdateRectangles(HWND view) noexcept try {
  std::vector<RECT> parts;
  GdiObject region(CreateRectRgn(0, 0, 0, 0));
  const auto rgn = static_cast<HRGN>(region.get());
  if (!rgn || GetUpdateRgn(view, rgn, FALSE) != COMPLEXREGION) return parts;
  const DWORD size = GetRegionData(rgn, 0, nullptr);
  std::vector<unsigned char> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (size >= sizeof(RGNDATAHEADER) && GetRegionData(rgn, size, header) == size &&
      header->rdh.nCount <= kPaintedPartBudget) {
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    parts.assign(rects, rects + header->rdh.nCount);
  }
  return parts;
} catch (...) {
  return {};  // the box around the region is painted instead
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
  if (changesAsked_ || &shown != shownTree_ || shown.Version() != shownVersion_) InvalidateChanges(document, view);
  // The rectangles of the region to paint: after edits scattered over a large page they are many
  // small ones, and painting the box around them all would paint the page.
  std::vector<RECT> parts = UpdateRectangles(view);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(view, &ps);
  if (!dc) return;
  if (parts.empty()) parts.push_back(ps.rcPaint);
  RECT client = {};
  GetClientRect(view, &client);
  if (client.right > 0 && client.bottom > 0) {
    HDC buffer = EnsureBuffer(dc, {client.right, client.bottom}) ? CreateCompatibleDC(dc) : nullptr;
    if (buffer) {
      {
        ScopedSelect bitmap(buffer, buffer_.get());
        PaintPage(document, buffer, client, ps.rcPaint, border, parts.size() > 1 ? &parts : nullptr);
        // One copy: the window's device context is clipped to the region.
        const RECT& all = ps.rcPaint;
        BitBlt(dc, all.left, all.top, all.right - all.left, all.bottom - all.top, buffer, all.left, all.top, SRCCOPY);
      }
      DeleteDC(buffer);
    } else {
      // Without memory for a buffer the page is still shown, drawn straight into the window.
      PaintPage(document, dc, client, ps.rcPaint, border, parts.size() > 1 ? &parts : nullptr);
    }
  }
  EndPaint(view, &ps);
}

void CViewPainter::PaintPage(CHtmlDocument& document, HDC dc, const RECT& client, const RECT& dirty, ViewBorder border,
                             const std::vector<RECT>* parts) {
  ScopedDCState saved(dc);
  IntersectClipRect(dc, dirty.left, dirty.top, dirty.right, dirty.bottom);
  // Boxes that reach none of the parts are left out; what is drawn between the parts is never shown
  // (the window's device context is clipped to them).
  std::optional<CPaintParts> reached;
  try {
    if (parts) reached.emplace(dirty, *parts);
  } catch (...) {
    reached.reset();  // without memory for the grid every box in `dirty` is painted
  }
  FillSystem(dc, dirty, COLOR_WINDOW);  // the canvas under the body
  vellum::engine::Document& tree = document.Tree();
  try {
    const vellum::engine::layout::LayoutTree& layout = document.Layout();
    const std::vector<BoxPaint>& styles = styles_.For(tree, layout, document.Measurer(), document.KeptStyles());
    CDrawingState drawing(dc);
    const PaintContext context{dc,
                               dirty,
                               layout,
                               styles,
                               document.FormState(),
                               document.ViewFocus(),
                               fonts_,
                               images_,
                               drawing,
                               trackBrush_,
                               faces_,
                               textScratch_,
                               damage_.Inks(tree, layout.Boxes().size()),
                               reached ? &*reached : nullptr};
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
  changesAsked_ = false;
}

void CViewPainter::CheckForChanges() {
  if (changesAsked_ || !document_) return;
  HWND view = document_->ViewWindow();
  if (!view) return;
  const vellum::engine::Document& tree = document_->Tree();
  if (&tree == shownTree_ && tree.Version() == shownVersion_) return;
  // Where the page changed is worked out when the view comes to paint: an edit of many elements makes
  // many calls, and each would otherwise lay the page out. One pixel asks for that paint.
  changesAsked_ = true;
  const RECT corner = {0, 0, 1, 1};
  InvalidateRect(view, &corner, FALSE);
}

void CViewPainter::InvalidateChanges(CHtmlDocument& document, HWND view) noexcept {
  changesAsked_ = false;
  vellum::engine::Document& tree = document.Tree();
  shownTree_ = &tree;
  shownVersion_ = tree.Version();
  try {
    const vellum::engine::layout::LayoutTree& layout = document.Layout();
    const std::vector<BoxPaint>& styles = styles_.For(tree, layout, document.Measurer(), document.KeptStyles());
    std::optional<std::vector<RECT>> damage = damage_.Update(tree, layout, styles, styles_.Generations());
    if (damage && !CDocumentLayout::FromScratch()) {
      // One region, one call: each invalidation is a trip to the window system.
      if (damage->empty()) return;
      if (HRGN region = CreateRectRgnIndirect(&damage->front())) {
        for (const RECT& rect : *damage) {
          HRGN part = CreateRectRgnIndirect(&rect);
          if (!part) {
            DeleteObject(region);
            region = nullptr;
            break;
          }
          CombineRgn(region, region, part, RGN_OR);
          DeleteObject(part);
        }
        if (region) {
          InvalidateRgn(view, region, FALSE);
          DeleteObject(region);
          return;
        }
      }
    }
  } catch (...) {
    // Without memory to work out the damage, all of the view is.
    damage_.Forget();
    styles_.Forget();
  }
  InvalidateRect(view, nullptr, FALSE);
}

}  // namespace vellum::engine::com
