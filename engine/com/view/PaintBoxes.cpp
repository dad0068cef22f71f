#include "engine/com/view/PaintBoxes.h"

#include <algorithm>

#include "engine/com/view/PaintGdi.h"

namespace vellum::engine::com {

namespace {

COLORREF Scaled(COLORREF color, int percent) {
  auto channel = [&](int value) { return static_cast<BYTE>(std::clamp(value * percent / 100, 0, 255)); };
  return RGB(channel(GetRValue(color)), channel(GetGValue(color)), channel(GetBValue(color)));
}
// The two tones of 3D borders: the lit side keeps the colour, the shaded side is darker; a black
// border still shows its relief.
COLORREF Light(COLORREF color) { return color == 0 ? RGB(0xc0, 0xc0, 0xc0) : color; }
COLORREF Dark(COLORREF color) { return color == 0 ? RGB(0x80, 0x80, 0x80) : Scaled(color, 50); }

bool IsTopOrLeft(Side side) { return side == Side::Top || side == Side::Left; }

// The band of one side, `inner` pixels in from the border edge and `width` wide; top and bottom
// span the whole width, left and right the height between them.
RECT Band(const RECT& box, Side side, int inner, int width, const BoxPaint& style) {
  const int top = style.BorderOf(Side::Top).width, bottom = style.BorderOf(Side::Bottom).width;
  switch (side) {
    case Side::Top:
      return {box.left, box.top + inner, box.right, box.top + inner + width};
    case Side::Bottom:
      return {box.left, box.bottom - inner - width, box.right, box.bottom - inner};
    case Side::Left:
      return {box.left + inner, box.top + top, box.left + inner + width, box.bottom - bottom};
    case Side::Right:
      return {box.right - inner - width, box.top + top, box.right - inner, box.bottom - bottom};
  }
  return {};
}

// Dots (squares of the border's width) or dashes (three widths long) along the band.
void PaintBroken(HDC dc, const RECT& band, Side side, int dashLength, COLORREF color) {
  const bool horizontal = side == Side::Top || side == Side::Bottom;
  const int start = horizontal ? band.left : band.top;
  const int end = horizontal ? band.right : band.bottom;
  const int step = std::max(1, dashLength);
  for (int at = start; at < end; at += 2 * step) {
    const int stop = std::min(end, at + step);
    RECT piece = horizontal ? RECT{at, band.top, stop, band.bottom} : RECT{band.left, at, band.right, stop};
    FillSolid(dc, piece, color);
  }
}

void PaintSide(HDC dc, const RECT& box, Side side, const BoxPaint& style) {
  const BorderSide& border = style.BorderOf(side);
  if (border.line == BorderLine::None || border.width <= 0) return;
  const int width = border.width;
  const COLORREF color = border.color;
  const bool lit = IsTopOrLeft(side);
  switch (border.line) {
    case BorderLine::Solid:
      FillSolid(dc, Band(box, side, 0, width, style), color);
      break;
    case BorderLine::Dotted:
      PaintBroken(dc, Band(box, side, 0, width, style), side, width, color);
      break;
    case BorderLine::Dashed:
      PaintBroken(dc, Band(box, side, 0, width, style), side, 3 * width, color);
      break;
    case BorderLine::Double: {
      if (width < 3) {
        FillSolid(dc, Band(box, side, 0, width, style), color);
        break;
      }
      const int line = (width + 1) / 3;
      FillSolid(dc, Band(box, side, 0, line, style), color);
      FillSolid(dc, Band(box, side, width - line, line, style), color);
      break;
    }
    case BorderLine::Inset:
      FillSolid(dc, Band(box, side, 0, width, style), lit ? Dark(color) : Light(color));
      break;
    case BorderLine::Outset:
      FillSolid(dc, Band(box, side, 0, width, style), lit ? Light(color) : Dark(color));
      break;
    case BorderLine::Groove:
    case BorderLine::Ridge: {
      // Two halves of opposite relief: groove is sunk outside and raised inside, ridge the reverse.
      const bool outerDark = (border.line == BorderLine::Groove) == lit;
      const int outer = width / 2, inner = width - outer;
      FillSolid(dc, Band(box, side, 0, outer, style), outerDark ? Dark(color) : Light(color));
      FillSolid(dc, Band(box, side, outer, inner, style), outerDark ? Light(color) : Dark(color));
      break;
    }
    case BorderLine::None:
      break;
  }
}

}  // namespace

void PaintBackground(HDC dc, const RECT& borderBox, const BoxPaint& style) {
  if (style.background && borderBox.right > borderBox.left && borderBox.bottom > borderBox.top)
    FillSolid(dc, borderBox, *style.background);
}

void PaintBorder(HDC dc, const RECT& borderBox, const BoxPaint& style) {
  if (!style.HasBorder()) return;
  for (Side side : {Side::Top, Side::Right, Side::Bottom, Side::Left}) PaintSide(dc, borderBox, side, style);
}

}  // namespace vellum::engine::com
