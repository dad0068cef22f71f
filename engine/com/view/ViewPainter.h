// The document window's painting. The page is drawn into a back buffer the size of the client area
// and shown with one copy, so a repaint never shows a half-drawn page; the window's background is
// never erased on its own (the buffer covers every pixel). Styles, fonts and decoded images are kept
// between repaints; the layout is the document's own.
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

  // Called after each object model call: asks the view for a repaint of what changed on the page
  // since it was last shown (the form state's changes are announced by whoever makes them).
  void CheckForChanges();

 private:
  bool EnsureBuffer(HDC windowDC, SIZE size);

  CPaintStyles styles_;
  CFontCache fonts_;
  CImageCache images_;
  CTrackBrush trackBrush_;
  CFaceCache faces_;
  std::u16string textScratch_;
  GdiObject buffer_;  // the back buffer's bitmap, kept while the client size stays
  SIZE bufferSize_ = {};
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
