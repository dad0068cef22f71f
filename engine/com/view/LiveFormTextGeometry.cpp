#include "engine/com/view/LiveFormTextGeometry.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/com/view/PaintControlParts.h"  // where the painter puts the text

namespace vellum::engine::com {

namespace {

constexpr char16_t kMaskCharacter = u'*';

// A screen-compatible DC holding the GUI font for the duration of a measurement.
class CMeasuringDC {
 public:
  CMeasuringDC() : dc_(CreateCompatibleDC(nullptr)) {
    if (dc_) previous_ = SelectObject(dc_, GetStockObject(DEFAULT_GUI_FONT));
  }
  ~CMeasuringDC() {
    if (!dc_) return;
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  CMeasuringDC(const CMeasuringDC&) = delete;
  CMeasuringDC& operator=(const CMeasuringDC&) = delete;
  HDC get() const { return dc_; }

  int LineHeight() const {
    TEXTMETRICW metrics = {};
    return dc_ && GetTextMetricsW(dc_, &metrics) && metrics.tmHeight > 0 ? metrics.tmHeight : 16;
  }
  // Pixel extent after each character of the text (extents[i]: width of text[0..i]).
  std::vector<int> Extents(std::u16string_view text) const {
    std::vector<int> extents(text.size(), 0);
    SIZE size = {};
    if (dc_ && !text.empty())
      GetTextExtentExPointW(dc_, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), 0,
                            nullptr, extents.data(), &size);
    return extents;
  }

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};

// The text as the control shows it: a password box shows one mask per character.
std::u16string Shown(ControlKind kind, std::u16string_view text) {
  return kind == ControlKind::Password ? std::u16string(text.size(), kMaskCharacter) : std::u16string(text);
}

// The boundary within the line nearest to x pixels from the line's left edge.
std::size_t NearestBoundary(const CMeasuringDC& dc, std::u16string_view line, int x) {
  std::vector<int> extents = dc.Extents(line);
  int left = 0;
  for (std::size_t i = 0; i < extents.size(); ++i) {
    if (x < (left + extents[i] + 1) / 2) return i;
    left = extents[i];
  }
  return line.size();
}

}  // namespace

std::size_t CaretFromPoint(ControlKind kind, const vellum::engine::layout::Rect& box, std::u16string_view text,
                           std::size_t firstVisible, POINT point) {
  CMeasuringDC dc;
  int x = static_cast<int>(point.x) - box.x - kFieldTextInset;
  if (kind != ControlKind::TextArea) {
    firstVisible = std::min(firstVisible, text.size());
    std::u16string shown = Shown(kind, text.substr(firstVisible));
    return firstVisible + NearestBoundary(dc, shown, x);
  }
  // The line under the point, then the column in it; CR LF, CR or LF end a line.
  std::size_t line = firstVisible + static_cast<std::size_t>(std::max(
                                        0, static_cast<int>(point.y - box.y - kFieldTextInset) / dc.LineHeight()));
  std::size_t start = 0;
  for (; line > 0; --line) {
    std::size_t end = text.find_first_of(u"\r\n", start);
    if (end == std::u16string_view::npos) break;
    start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
  }
  std::size_t end = std::min(text.find_first_of(u"\r\n", start), text.size());
  return start + NearestBoundary(dc, text.substr(start, end - start), x);
}

ScrollExtent TextAreaExtent(const vellum::engine::layout::Rect& box, std::u16string_view text) {
  return {LineCountOf(text), TextAreaLinesShown(box.height, CMeasuringDC().LineHeight())};
}

std::size_t FirstVisibleForCaret(ControlKind kind, const vellum::engine::layout::Rect& box, std::u16string_view text,
                                 std::size_t caret, std::size_t firstVisible) {
  if (kind == ControlKind::TextArea) return 0;
  caret = std::min(caret, text.size());
  firstVisible = std::min(firstVisible, caret);
  int room = std::max(1, box.width - 2 * kFieldTextInset);
  CMeasuringDC dc;
  std::u16string shown = Shown(kind, text.substr(0, caret));
  std::vector<int> extents = dc.Extents(shown);
  auto widthBetween = [&](std::size_t from, std::size_t to) {
    int right = to ? extents[to - 1] : 0;
    int left = from ? extents[from - 1] : 0;
    return right - left;
  };
  while (firstVisible < caret && widthBetween(firstVisible, caret) > room) ++firstVisible;
  return firstVisible;
}

}  // namespace vellum::engine::com
