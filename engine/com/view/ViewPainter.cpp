#include "engine/com/view/ViewPainter.h"

#include <algorithm>
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
// Past this many the buffer is not painted clipped to them.
constexpr std::size_t kClippedPartBudget = 16;

// Every rectangle of a region; empty when they cannot be read.
std::vector<RECT> AllRectanglesOf(HRGN rgn) noexcept try {
  const DWORD size = GetRegionData(rgn, 0, nullptr);
  if (size < sizeof(RGNDATAHEADER)) return {};
  std::vector<unsigned char> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (GetRegionData(rgn, size, header) != size) return {};
  const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
  return std::vector<RECT>(rects, rects + header->rdh.nCount);
} catch (...) {
  return {};
}

// A region's rectangles to paint one by one; empty when it is one rectangle, too many, or unknown
// (the box around it is painted instead).
std::vector<RECT> RectanglesOf(HRGN rgn) noexcept {
  RECT box;
  if (GetRgnBox(rgn, &box) != COMPLEXREGION) return {};
  std::vector<RECT> parts = AllRectanglesOf(rgn);
  if (parts.size() > kPaintedPartBudget) parts.clear();
  return parts;
}

}  // namespace

CViewPainter::~CViewPainter() {
  if (watching_) StopWatching(*this);
}

bool CViewPainter::EnsureBuffer(HDC windowDC, SIZE size) {
  const SIZE shown = shownSize_;
  shownSize_ = size;
  // Made in steps of this many pixels, so that dragging the frame makes (and fills) a bitmap now and
  // then, not for every pixel; one far larger than needed is made again.
  constexpr LONG kStep = 128;
  const bool fits = buffer_ && bufferSize_.cx >= size.cx && bufferSize_.cy >= size.cy;
  const bool wasteful = fits && (bufferSize_.cx > 2 * size.cx + kStep || bufferSize_.cy > 2 * size.cy + kStep);
  if (!fits || wasteful) {
    const SIZE made = {(size.cx + kStep - 1) / kStep * kStep, (size.cy + kStep - 1) / kStep * kStep};
    GdiObject old = std::move(buffer_);
    const SIZE oldSize = bufferSize_;
    buffer_ = GdiObject(CreateCompatibleBitmap(windowDC, made.cx, made.cy));
    bufferSize_ = buffer_ ? made : SIZE{};
    if (!buffer_) {
      allStale_ = true;
      shownSize_ = {};
      return false;
    }
    bool kept = false;
    if (old && !allStale_) {
      HDC from = CreateCompatibleDC(windowDC);
      HDC to = CreateCompatibleDC(windowDC);
      if (from && to) {
        ScopedSelect oldBitmap(from, old.get());
        ScopedSelect newBitmap(to, buffer_.get());
        kept = BitBlt(to, 0, 0, std::min(made.cx, oldSize.cx), std::min(made.cy, oldSize.cy), from, 0, 0, SRCCOPY) != 0;
      }
      if (from) DeleteDC(from);
      if (to) DeleteDC(to);
    }
    if (!kept) {
      allStale_ = true;
      return true;
    }
  }
  if (shown.cx != size.cx || shown.cy != size.cy) {
    // What was not shown before, and a band along the old and new right and bottom edges, where the
    // view's border was drawn and is drawn now.
    constexpr LONG kEdgeBand = 4;
    const RECT right = {std::max(0L, std::min(size.cx, shown.cx) - kEdgeBand), 0, size.cx, size.cy};
    const RECT bottom = {0, std::max(0L, std::min(size.cy, shown.cy) - kEdgeBand), size.cx, size.cy};
    MarkStale(&right);
    MarkStale(&bottom);
  }
  return true;
}

void CViewPainter::MarkStale(const RECT* rect) noexcept {
  if (!rect) {
    allStale_ = true;
    return;
  }
  if (allStale_ || IsRectEmpty(rect)) return;
  GdiObject part(CreateRectRgnIndirect(rect));
  if (!part) {
    allStale_ = true;
    return;
  }
  MarkStale(static_cast<HRGN>(part.get()));
}

void CViewPainter::MarkStale(HRGN region) noexcept {
  if (allStale_) return;
  if (!stale_) stale_ = GdiObject(CreateRectRgn(0, 0, 0, 0));
  if (!stale_ || CombineRgn(static_cast<HRGN>(stale_.get()), static_cast<HRGN>(stale_.get()), region, RGN_OR) == ERROR)
    allStale_ = true;
}

void CViewPainter::PaintStale(CHtmlDocument& document, HDC buffer, const RECT& client, HRGN update, ViewBorder border) {
  if (allStale_) {
    stale_ = GdiObject(CreateRectRgnIndirect(&client));
    if (stale_) allStale_ = false;
  }
  // What to paint: the stale part of what is asked for; all that is asked for when that cannot be made,
  // or when it is many rectangles (after an edit of many elements): the buffer would be painted
  // clipped to them, which costs more than painting again what it still held.
  RECT updateBox;
  const bool manyParts =
      GetRgnBox(update, &updateBox) == COMPLEXREGION && AllRectanglesOf(update).size() > kClippedPartBudget;
  GdiObject wanted(CreateRectRgn(0, 0, 0, 0));
  const auto toPaint = static_cast<HRGN>(wanted.get());
  if (!toPaint || allStale_ || manyParts ||
      CombineRgn(toPaint, update, static_cast<HRGN>(stale_.get()), RGN_AND) == ERROR)
    wanted = GdiObject();
  const HRGN painted = wanted ? toPaint : update;
  RECT dirty;
  if (GetRgnBox(painted, &dirty) == ERROR || IsRectEmpty(&dirty)) return;
  const std::vector<RECT> parts = RectanglesOf(painted);
  paintFailed_ = false;
  // The page is painted between the parts too (the canvas fills the box around them). Where all that
  // is asked for is stale, that is left stale: painting clipped to hundreds of rectangles is slow. Where
  // some of it still shows the page, the buffer is clipped to the parts, so that it keeps that.
  bool askedIsStale = !wanted;
  if (wanted) {
    GdiObject rest(CreateRectRgn(0, 0, 0, 0));
    askedIsStale =
        rest && CombineRgn(static_cast<HRGN>(rest.get()), update, static_cast<HRGN>(stale_.get()), RGN_DIFF) == NULLREGION;
  }
  const bool clipped = !askedIsStale && ExtSelectClipRgn(buffer, painted, RGN_COPY) != ERROR;
  PaintPage(document, buffer, client, dirty, border, parts.size() > 1 ? &parts : nullptr);
  if (clipped) SelectClipRgn(buffer, nullptr);
  if (allStale_) return;
  // What ran out of memory half-way stays stale for the next paint.
  const auto stale = static_cast<HRGN>(stale_.get());
  if (!paintFailed_ && CombineRgn(stale, stale, update, RGN_DIFF) == ERROR) allStale_ = true;
  if (!clipped && !allStale_) {
    GdiObject between(CreateRectRgnIndirect(&dirty));
    if (!between || CombineRgn(static_cast<HRGN>(between.get()), static_cast<HRGN>(between.get()), update, RGN_DIFF) == ERROR)
      allStale_ = true;
    else
      MarkStale(static_cast<HRGN>(between.get()));
  }
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
  // VELLUM_FULL_RELAYOUT (the scale benchmark's baseline) paints all that is asked for, as before.
  if (border != lastBorder_ || CDocumentLayout::FromScratch()) {
    allStale_ = true;
    lastBorder_ = border;
  }
  // The region to show, taken before BeginPaint validates it: after edits scattered over a large page
  // it is many small rectangles, and painting the box around them all would paint the page.
  GdiObject update(CreateRectRgn(0, 0, 0, 0));
  if (update && GetUpdateRgn(view, static_cast<HRGN>(update.get()), FALSE) == ERROR) update = GdiObject();
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(view, &ps);
  if (!dc) return;
  if (!update) update = GdiObject(CreateRectRgnIndirect(&ps.rcPaint));
  RECT client = {};
  GetClientRect(view, &client);
  if (client.right > 0 && client.bottom > 0) {
    HDC buffer = update && EnsureBuffer(dc, {client.right, client.bottom}) ? CreateCompatibleDC(dc) : nullptr;
    if (buffer) {
      {
        ScopedSelect bitmap(buffer, buffer_.get());
        PaintStale(document, buffer, client, static_cast<HRGN>(update.get()), border);
        // One copy: the window's device context is clipped to the region.
        const RECT& all = ps.rcPaint;
        BitBlt(dc, all.left, all.top, all.right - all.left, all.bottom - all.top, buffer, all.left, all.top, SRCCOPY);
      }
      DeleteDC(buffer);
    } else {
      // Without memory for a buffer the page is still shown, drawn straight into the window.
      const std::vector<RECT> parts = update ? RectanglesOf(static_cast<HRGN>(update.get())) : std::vector<RECT>();
      PaintPage(document, dc, client, ps.rcPaint, border, parts.size() > 1 ? &parts : nullptr);
      allStale_ = true;
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
    paintFailed_ = true;
  }
  if (border == ViewBorder::Sunken) {
    RECT edge = client;
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
}

void CViewPainter::Forget() {
  allStale_ = true;
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
      if (HRGN region = CreateRectRgn(0, 0, 0, 0)) {
        for (const RECT& rect : *damage) {
          // Out to whole cells of 16 pixels: the old and new places of an element, its ink and the
          // surface's marks around it then mostly coincide, and a region of hundreds of rectangles
          // costs the window system more than painting a few pixels more.
          const RECT cells = {rect.left & ~15, rect.top & ~15, (rect.right + 15) & ~15, (rect.bottom + 15) & ~15};
          HRGN part = CreateRectRgnIndirect(&cells);
          if (!part) {
            DeleteObject(region);
            region = nullptr;
            break;
          }
          CombineRgn(region, region, part, RGN_OR);
          DeleteObject(part);
        }
        if (region) {
          MarkStale(region);
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
  MarkStale();
  InvalidateRect(view, nullptr, FALSE);
}

}  // namespace vellum::engine::com
