#include "engine/com/view/ViewScrolling.h"

#include <algorithm>

#include "engine/com/view/PaintControlParts.h"  // the field's frame and the list's rows

namespace vellum::engine::com {

std::size_t ScrollExtent::Showing(std::size_t first, std::size_t item) const {
  if (item < first) return item;
  if (item >= first + shown) return Clamped(item - shown + 1);
  return Clamped(first);
}

std::size_t ScrollExtent::Moved(std::size_t first, long delta) const {
  first = Clamped(first);
  if (delta < 0) {
    const std::size_t back = static_cast<std::size_t>(-static_cast<long long>(delta));
    return back >= first ? 0 : first - back;
  }
  return Clamped(first + std::min(static_cast<std::size_t>(delta), count));
}

std::size_t ListRowsShown(int boxHeight) {
  return static_cast<std::size_t>(std::max(1, (boxHeight - 2 * kListFrame) / kListRowHeight));
}

std::size_t TextAreaLinesShown(int boxHeight, int lineHeight) {
  return static_cast<std::size_t>(std::max(1, (boxHeight - 2 * kFieldTextInset) / std::max(1, lineHeight)));
}

std::size_t LineIndexOf(std::u16string_view text, std::size_t position) {
  position = std::min(position, text.size());
  std::size_t line = 0;
  for (std::size_t i = 0; i < position; ++i) {
    if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n'))) ++line;
  }
  return line;
}

std::size_t LineCountOf(std::u16string_view text) { return LineIndexOf(text, text.size()) + 1; }

RECT FieldScrollBar(const RECT& box) {
  RECT inside = box;
  InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  const int width = GetSystemMetrics(SM_CXVSCROLL);
  if (inside.right - inside.left <= 2 * width || inside.bottom <= inside.top) return {};
  return {inside.right - width, inside.top, inside.right, inside.bottom};
}

ScrollBarParts PartsOf(const RECT& bar, std::size_t first, std::size_t lastFirst) {
  ScrollBarParts parts;
  const int side = bar.right - bar.left;
  if (side <= 0 || bar.bottom <= bar.top) return parts;
  const int arrow = std::min<int>(side, (bar.bottom - bar.top) / 2);
  parts.up = {bar.left, bar.top, bar.right, bar.top + arrow};
  parts.down = {bar.left, bar.bottom - arrow, bar.right, bar.bottom};
  parts.track = {bar.left, parts.up.bottom, bar.right, parts.down.top};
  const int room = (parts.track.bottom - parts.track.top) - side;
  if (lastFirst == 0 || room < 0) return parts;
  const int top = parts.track.top +
                  static_cast<int>(static_cast<long long>(room) * static_cast<long long>(std::min(first, lastFirst)) /
                                   static_cast<long long>(lastFirst));
  parts.thumb = {bar.left, top, bar.right, top + side};
  return parts;
}

ScrollBarHit HitScrollBar(const RECT& bar, std::size_t first, std::size_t lastFirst, POINT point) {
  if (!PtInRect(&bar, point)) return ScrollBarHit::None;
  const ScrollBarParts parts = PartsOf(bar, first, lastFirst);
  if (PtInRect(&parts.up, point)) return ScrollBarHit::LineUp;
  if (PtInRect(&parts.down, point)) return ScrollBarHit::LineDown;
  // Without a thumb (nothing to scroll, or no room for one) the track just takes the click.
  if (parts.thumb.bottom <= parts.thumb.top) return ScrollBarHit::Thumb;
  if (point.y < parts.thumb.top) return ScrollBarHit::PageUp;
  if (point.y >= parts.thumb.bottom) return ScrollBarHit::PageDown;
  return ScrollBarHit::Thumb;
}

}  // namespace vellum::engine::com
