// Small GDI helpers of the painter: objects selected for a scope, a saved clip, solid fills and the
// fonts of the page kept between repaints.
#pragma once

#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "engine/com/view/PaintStyles.h"

namespace vellum::engine::com {

// Selects an object into the DC for the scope's life.
class ScopedSelect {
 public:
  ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelect() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelect(const ScopedSelect&) = delete;
  ScopedSelect& operator=(const ScopedSelect&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// Saves the DC's state (clip region, colours, modes) and restores it at the end of the scope.
class ScopedDCState {
 public:
  explicit ScopedDCState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~ScopedDCState() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  ScopedDCState(const ScopedDCState&) = delete;
  ScopedDCState& operator=(const ScopedDCState&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// An owned GDI object (font, brush, bitmap, pen), deleted with the holder.
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(HGDIOBJ object) : object_(object) {}
  GdiObject(GdiObject&& other) noexcept : object_(std::exchange(other.object_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    std::swap(object_, other.object_);
    return *this;
  }
  ~GdiObject() {
    if (object_) DeleteObject(object_);
  }
  HGDIOBJ get() const { return object_; }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  HGDIOBJ object_ = nullptr;
};

void FillSolid(HDC dc, const RECT& rect, COLORREF color);
// Fills the rectangle with the system colour (COLOR_WINDOW ...).
void FillSystem(HDC dc, const RECT& rect, int systemColor);
RECT ToRect(int x, int y, int width, int height);
bool Intersects(const RECT& a, const RECT& b);

// The font of the first family in the description that the machine has (a stand-in of the same metrics for
// the core faces), else of the default family: the same on every call, so that text is measured and
// painted in one font.
HFONT CreatePageFont(HDC dc, const FontDescription& wanted);

struct PageFont {
  HFONT font = nullptr;
  int height = 0;  // of a line of text: the cell height
};

// The fonts of the page, created on first use and kept for the next repaints, with their heights;
// a page with more different fonts than the budget starts over instead of growing.
class CFontCache {
 public:
  // `dc` measures a new font (its selected font is left as it was).
  PageFont Get(HDC dc, const FontDescription& wanted);
  // The GUI font the platform's controls use.
  PageFont Control(HDC dc);
  void Clear() { fonts_.clear(); }

 private:
  struct Entry {
    FontDescription wanted;
    GdiObject font;
    int height;
  };
  static constexpr std::size_t kBudget = 64;
  std::vector<Entry> fonts_;
  int controlHeight_ = 0;  // measured on first use
};

// What the painter last selected into the DC, so that elements sharing a font do not select it again
// (selecting a font is among GDI's costlier calls). Text is drawn transparent, from its top left.
// The DC gets its own font back at the end.
class CDrawingState {
 public:
  explicit CDrawingState(HDC dc);
  ~CDrawingState();
  CDrawingState(const CDrawingState&) = delete;
  CDrawingState& operator=(const CDrawingState&) = delete;

  void Font(HFONT font);
  void TextColor(COLORREF color);

 private:
  HDC dc_;
  HGDIOBJ original_;      // the DC's font before painting
  HFONT font_ = nullptr;  // selected by the painter
  COLORREF color_;
};

// The checkered brush of scroll bar tracks (face and highlight colours), made once per painter.
class CTrackBrush {
 public:
  HBRUSH Get();

 private:
  GdiObject pattern_;
  GdiObject brush_;
};

}  // namespace vellum::engine::com
