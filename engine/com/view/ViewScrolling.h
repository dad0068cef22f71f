// How far a list box or text area can scroll and where its scroll bar's parts lie: the one place
// the painter (which draws them) and the live form (which hits and moves them) agree on.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

namespace vellum::engine::com {

// Items (rows or lines) of a control and how many of them fit whole in its window.
struct ScrollExtent {
  std::size_t count = 0;
  std::size_t shown = 1;

  std::size_t LastFirst() const { return count > shown ? count - shown : 0; }
  std::size_t Clamped(std::size_t first) const { return first < LastFirst() ? first : LastFirst(); }
  // The first item to show so that `item` is in sight: unchanged while it is, else moved just enough.
  std::size_t Showing(std::size_t first, std::size_t item) const;
  // `first` moved by `delta` items, kept in range.
  std::size_t Moved(std::size_t first, long delta) const;
};

// Rows a list box (of that border-box height) shows whole; at least one.
std::size_t ListRowsShown(int boxHeight);
// Lines of text a text area shows whole; at least one.
std::size_t TextAreaLinesShown(int boxHeight, int lineHeight);

// Lines of a text area's value (CR LF, CR or LF end one; an empty text is one line) and the line a
// position falls in.
std::size_t LineCountOf(std::u16string_view text);
std::size_t LineIndexOf(std::u16string_view text, std::size_t position);

// The vertical scroll bar inside a sunken field of that border box, or an empty rectangle when the
// field is too narrow to hold one.
RECT FieldScrollBar(const RECT& box);

struct ScrollBarParts {
  RECT up = {};
  RECT down = {};
  RECT track = {};  // between the arrows
  RECT thumb = {};  // empty when nothing scrolls or the track is too short
};
ScrollBarParts PartsOf(const RECT& bar, std::size_t first, std::size_t lastFirst);

enum class ScrollBarHit { None, LineUp, LineDown, PageUp, PageDown, Thumb };
ScrollBarHit HitScrollBar(const RECT& bar, std::size_t first, std::size_t lastFirst, POINT point);

}  // namespace vellum::engine::com
