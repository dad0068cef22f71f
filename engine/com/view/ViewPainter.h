// The document window's painting. The page is drawn into a back buffer the size of the client area
// and shown with one copy, so a repaint never shows a half-drawn page; the window's background is
// never erased on its own (the buffer covers every pixel). Styles, fonts and decoded images are kept
// between repaints; the layout is the document's own.
//
// The buffer is kept between paints too, with the part of it the page has changed since (stale). A
// repaint the window system asks for where the page did not change (the frame's size, a window over
// the view) is a copy from the buffer; only its stale part is painted. Everything that changes what
// the page looks like marks the area it changes stale: the page's own changes, the form's state and
// focus, the system's colours.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/com/view/ImageCache.h"
#include "engine/com/view/PaintFaces.h"
#include "engine/com/view/PaintGdi.h"
#include "engine/com/view/PaintDamage.h"
#include "engine/com/view/PaintStyles.h"
#include "engine/com/view/PaintText.h"

namespace vellum::engine {
class Document;
}

namespace vellum::engine::com {

class CHtmlDocument;

// The border the container may ask the view to go without.
enum class ViewBorder : unsigned char { None, Sunken };

class CViewPainter {
 public:
  CViewPainter() = default;
  CViewPainter(const CViewPainter&) = delete;
  CViewPainter& operator=(const CViewPainter&) = delete;
  ~CViewPainter();

  // WM_PAINT of the view window.
  void OnPaint(CHtmlDocument& document, HWND view, ViewBorder border);
  // WM_ERASEBKGND: nothing to erase; answers that the background is taken care of.
  static LRESULT OnEraseBackground() { return 1; }

  // Paints the part `dirty` of the page into dc (client coordinates of a client area that size); with
  // `parts`, only those rectangles of it.
  void PaintPage(CHtmlDocument& document, HDC dc, const RECT& client, const RECT& dirty, ViewBorder border,
                 const std::vector<RECT>* parts = nullptr);

  // A new page: what was kept for the old one goes (a new tree may even take the old one's address).
  void Forget();

  // The page's look changed in rect (all of it when null): that part of the buffer is painted again
  // at the next paint. The caller asks the window for that paint.
  void MarkStale(const RECT* rect = nullptr) noexcept;

  // Called after each object model call: asks the view for a repaint of what changed on the page
  // since it was last shown (the form state's changes are announced by whoever makes them).
  void CheckForChanges();

 private:
  // A buffer of that size; one that changes size keeps what the old one held where it still shows the
  // page. False without memory for it.
  bool EnsureBuffer(HDC windowDC, SIZE size);
  void MarkStale(HRGN region) noexcept;
  // Paints the stale part of `update` (window coordinates of the client area) into the buffer.
  void PaintStale(CHtmlDocument& document, HDC buffer, const RECT& client, HRGN update, ViewBorder border);

  CPaintStyles styles_;
  CFontCache fonts_;
  CImageCache images_;
  CTrackBrush trackBrush_;
  CFaceCache faces_;
  std::u16string textScratch_;
  GdiObject buffer_;      // the back buffer's bitmap, at least the client area's size
  SIZE bufferSize_ = {};  // the bitmap's
  SIZE shownSize_ = {};   // the client area's at the last paint
  GdiObject stale_;         // region of the buffer that no longer shows the page (while !allStale_)
  bool allStale_ = true;    // none of it does: no buffer yet, a new page, a region that could not be made
  bool paintFailed_ = false;  // the last PaintPage ran out of memory half-way
  ViewBorder lastBorder_ = ViewBorder::None;
  CHtmlDocument* document_ = nullptr;  // set by the first paint; this painter's owner
  // Asks the view to repaint where the page changed since the version on screen (or pending).
  void InvalidateChanges(CHtmlDocument& document, HWND view) noexcept;

  CPaintDamage damage_;
  const vellum::engine::Document* shownTree_ = nullptr;  // the page the view shows once it has
  std::uint64_t shownVersion_ = 0;                       // painted what was asked (compared only)
  bool changesAsked_ = false;  // the page changed and a paint is asked for, where is not known yet
  bool watching_ = false;      // in the list CheckForChanges is called for
};

}  // namespace vellum::engine::com
