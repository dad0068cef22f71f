// Pieces several control looks share: the sunken field, text in the GUI font, selection and caret,
// push buttons and scroll bars.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "engine/com/view/PaintContext.h"

namespace vellum::engine::com {

// Where text sits in a sunken field: the 2-pixel frame and a 1-pixel margin.
inline constexpr int kFieldTextInset = 3;
// The rows of a list box.
inline constexpr int kListFrame = 2;
inline constexpr int kListRowHeight = 16;
// A file input's button.
inline constexpr int kBrowseButtonWidth = 75;

enum class Enabled : unsigned char { No, Yes };
enum class Pressed : unsigned char { No, Yes };

// UTF-16 text as the platform's wide strings (the same code units).
inline std::wstring_view Wide(std::u16string_view text) {
  return std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

// Draws the sunken frame and fills the inside (the style's background, else the window colour, or
// the button face when disabled); returns the inside.
RECT PaintSunkenField(const PaintContext& context, const RECT& box, const BoxPaint& style, Enabled enabled);

// How the painter of a field control (text box, text area, list box, drop-down) begins: the control of
// box `index`, its style, border box and enabled state, with the sunken field already painted.
struct SunkenField {
  const vellum::engine::Element& control;
  const BoxPaint& style;
  RECT box;
  Enabled enabled;
  RECT inside;  // within the frame
};
SunkenField BeginSunkenField(const PaintContext& context, std::size_t index);

// A push button with its label centred.
void PaintPushButton(const PaintContext& context, const RECT& box, std::wstring_view label, Pressed pressed,
                     Enabled enabled);

// A vertical scroll bar scrolled to `first` of 0..lastFirst; with Enabled::No (nothing to scroll) the
// arrows are greyed and no thumb shows.
void PaintVerticalScrollBar(const PaintContext& context, const RECT& bar, Enabled enabled, std::size_t first,
                            std::size_t lastFirst);

// Selects the GUI font; returns the height of its lines.
int UseControlFont(const PaintContext& context);

// One line of text from (x, y) in the selected font, clipped to `clip`; the part between
// selectionStart and selectionEnd (offsets into the text) shows highlighted.
void PaintSelectableLine(const PaintContext& context, int x, int y, const RECT& clip, std::wstring_view text,
                         std::size_t selectionStart, std::size_t selectionEnd, COLORREF textColor);

// The x of a caret `offset` characters into the text drawn from x.
int CaretX(HDC dc, int x, std::wstring_view text, std::size_t offset);
void PaintCaret(HDC dc, int x, int top, int height, const RECT& clip);

// A check box or radio button (DFCS_BUTTONCHECK or DFCS_BUTTONRADIO with its state flags).
void PaintCheckMark(const PaintContext& context, const RECT& mark, UINT state);
// The arrow button of a drop-down list.
void PaintDropDownArrow(const PaintContext& context, const RECT& arrow, UINT state);

// Whether the live form's focus is on this element.
bool IsFocused(const PaintContext& context, const vellum::engine::Element& element);

RECT Intersection(const RECT& a, const RECT& b);

}  // namespace vellum::engine::com
