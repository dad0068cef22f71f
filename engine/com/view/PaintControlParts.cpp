#include "engine/com/view/PaintControlParts.h"

#include <algorithm>

#include "engine/com/view/LiveFormControls.h"
#include "engine/com/view/ViewFocus.h"
#include "engine/com/view/ViewScrolling.h"

namespace vellum::engine::com {

namespace {

constexpr std::size_t kLongestLine = 0x7fff;  // characters one text call draws

int LengthOf(std::wstring_view text) { return static_cast<int>(std::min(text.size(), kLongestLine)); }

}  // namespace

RECT Intersection(const RECT& a, const RECT& b) {
  RECT both = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  if (both.right < both.left) both.right = both.left;
  if (both.bottom < both.top) both.bottom = both.top;
  return both;
}

SunkenField BeginSunkenField(const PaintContext& context, std::size_t index) {
  const vellum::engine::Element& control = *context.BoxAt(index).element;
  const BoxPaint& style = context.styles[index];
  const RECT box = context.BorderRect(index);
  const Enabled enabled = IsDisabled(control) ? Enabled::No : Enabled::Yes;
  return {control, style, box, enabled, PaintSunkenField(context, box, style, enabled)};
}

RECT PaintSunkenField(const PaintContext& context, const RECT& box, const BoxPaint& style, Enabled enabled) {
  const COLORREF fill = enabled == Enabled::No ? GetSysColor(COLOR_BTNFACE)
                        : style.background     ? *style.background
                                               : GetSysColor(COLOR_WINDOW);
  const FaceKey key{Face::SunkenField, 0, box.right - box.left, box.bottom - box.top, fill};
  context.faces.Paint(context.dc, box, key, FaceShape::Opaque, [fill](HDC dc, const RECT& at) {
    RECT inside = at;
    DrawEdge(dc, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    if (inside.right > inside.left && inside.bottom > inside.top) FillSolid(dc, inside, fill);
  });
  RECT inside = box;
  InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  inside.right = std::max(inside.left, inside.right);
  inside.bottom = std::max(inside.top, inside.bottom);
  return inside;
}

void PaintCheckMark(const PaintContext& context, const RECT& mark, UINT state) {
  const FaceKey key{(state & DFCS_BUTTONRADIO) ? Face::Radio : Face::CheckBox, state, mark.right - mark.left,
                    mark.bottom - mark.top, 0};
  // A radio button is round: what lies beneath shows in its corners.
  const FaceShape shape = key.face == Face::Radio ? FaceShape::Shaped : FaceShape::Opaque;
  context.faces.Paint(context.dc, mark, key, shape, [state](HDC dc, const RECT& at) {
    RECT face = at;
    DrawFrameControl(dc, &face, DFC_BUTTON, state);
  });
}

void PaintDropDownArrow(const PaintContext& context, const RECT& arrow, UINT state) {
  const FaceKey key{Face::DropDownArrow, state, arrow.right - arrow.left, arrow.bottom - arrow.top, 0};
  context.faces.Paint(context.dc, arrow, key, FaceShape::Opaque, [state](HDC dc, const RECT& at) {
    RECT face = at;
    DrawFrameControl(dc, &face, DFC_SCROLL, state);
  });
}

void PaintPushButton(const PaintContext& context, const RECT& box, std::wstring_view label, Pressed pressed,
                     Enabled enabled) {
  HDC dc = context.dc;
  const UINT state =
      DFCS_BUTTONPUSH | (pressed == Pressed::Yes ? DFCS_PUSHED : 0) | (enabled == Enabled::No ? DFCS_INACTIVE : 0);
  const FaceKey key{Face::PushButton, state, box.right - box.left, box.bottom - box.top, 0};
  context.faces.Paint(dc, box, key, FaceShape::Opaque, [state](HDC target, const RECT& at) {
    RECT face = at;
    DrawFrameControl(target, &face, DFC_BUTTON, state);
  });
  if (label.empty()) return;
  RECT text = box;
  InflateRect(&text, -3, -2);
  if (pressed == Pressed::Yes) OffsetRect(&text, 1, 1);
  UseControlFont(context);
  // DrawText clips to the rectangle it is given.
  const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  if (enabled == Enabled::No) {
    // Greyed text as the platform shows it: an etched highlight under the shadow.
    RECT etched = text;
    OffsetRect(&etched, 1, 1);
    context.drawing.TextColor(GetSysColor(COLOR_BTNHIGHLIGHT));
    DrawTextW(dc, label.data(), LengthOf(label), &etched, format);
    context.drawing.TextColor(GetSysColor(COLOR_GRAYTEXT));
  } else {
    context.drawing.TextColor(GetSysColor(COLOR_BTNTEXT));
  }
  DrawTextW(dc, label.data(), LengthOf(label), &text, format);
}

void PaintVerticalScrollBar(const PaintContext& context, const RECT& bar, Enabled enabled, std::size_t first,
                            std::size_t lastFirst) {
  const int width = bar.right - bar.left;
  if (width <= 0 || bar.bottom <= bar.top) return;
  HBRUSH checker = context.trackBrush.Get();
  // The arrows and the track are the same for every position, so they come from the face cache; the
  // thumb moves and is drawn over them.
  const FaceKey key{Face::ScrollBar, static_cast<UINT>(enabled), width, bar.bottom - bar.top, 0};
  context.faces.Paint(context.dc, bar, key, FaceShape::Opaque, [enabled, checker](HDC dc, const RECT& at) {
    const ScrollBarParts parts = PartsOf(at, 0, 0);
    const UINT inactive = enabled == Enabled::No ? DFCS_INACTIVE : 0;
    RECT up = parts.up, down = parts.down;
    const RECT& track = parts.track;
    // The track is a checker of the face and highlight colours (the text and background colours of a
    // monochrome pattern brush), as the platform draws it.
    if (track.bottom > track.top) {
      if (checker) {
        COLORREF text = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
        COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillRect(dc, &track, checker);
        SetTextColor(dc, text);
        SetBkColor(dc, back);
      } else {
        FillSystem(dc, track, COLOR_SCROLLBAR);
      }
    }
    DrawFrameControl(dc, &up, DFC_SCROLL, DFCS_SCROLLUP | inactive);
    DrawFrameControl(dc, &down, DFC_SCROLL, DFCS_SCROLLDOWN | inactive);
  });
  if (enabled == Enabled::No) return;
  RECT thumb = PartsOf(bar, first, std::max<std::size_t>(lastFirst, 1)).thumb;
  if (thumb.bottom > thumb.top) DrawEdge(context.dc, &thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
}

int UseControlFont(const PaintContext& context) {
  const PageFont font = context.fonts.Control(context.dc);
  context.drawing.Font(font.font);
  return font.height;
}

int CaretX(HDC dc, int x, std::wstring_view text, std::size_t offset) {
  offset = std::min(offset, text.size());
  SIZE extent = {};
  if (offset > 0) GetTextExtentPoint32W(dc, text.data(), LengthOf(text.substr(0, offset)), &extent);
  return x + extent.cx;
}

void PaintSelectableLine(const PaintContext& context, int x, int y, const RECT& clip, std::wstring_view text,
                         std::size_t selectionStart, std::size_t selectionEnd, COLORREF textColor) {
  HDC dc = context.dc;
  const std::size_t length = std::min(text.size(), kLongestLine);
  selectionEnd = std::min(selectionEnd, length);
  selectionStart = std::min(selectionStart, selectionEnd);
  if (length == 0 || clip.right <= clip.left || clip.bottom <= clip.top) return;
  context.drawing.TextColor(textColor);
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &clip, text.data(), static_cast<UINT>(length), nullptr);
  if (selectionStart == selectionEnd) return;
  const int left = CaretX(dc, x, text, selectionStart);
  const int right = CaretX(dc, x, text, selectionEnd);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  const RECT highlight = Intersection({left, y, right, y + metrics.tmHeight}, clip);
  COLORREF back = SetBkColor(dc, GetSysColor(COLOR_HIGHLIGHT));
  context.drawing.TextColor(GetSysColor(COLOR_HIGHLIGHTTEXT));
  ExtTextOutW(dc, left, y, ETO_OPAQUE | ETO_CLIPPED, &highlight, text.data() + selectionStart,
              static_cast<UINT>(selectionEnd - selectionStart), nullptr);
  SetBkColor(dc, back);
}

void PaintCaret(HDC dc, int x, int top, int height, const RECT& clip) {
  const RECT caret = Intersection({x, top, x + 1, top + height}, clip);
  if (caret.right > caret.left && caret.bottom > caret.top) FillSystem(dc, caret, COLOR_WINDOWTEXT);
}

bool IsFocused(const PaintContext& context, const vellum::engine::Element& element) {
  return context.focus.element.get() == &element;
}

}  // namespace vellum::engine::com
