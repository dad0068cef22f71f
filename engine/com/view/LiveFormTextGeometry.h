// Where the characters of a text control stand on screen, for placing the caret under the mouse and
// for scrolling a one-line box so that the caret stays in sight. Controls draw their text in the
// GUI font inside a sunken frame, one line per line break in a text area.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>

#include "engine/com/view/LiveFormControls.h"
#include "engine/com/view/ViewScrolling.h"
#include "layout/box.h"

namespace vellum::engine::com {

// The caret position nearest to the point (document window coordinates). `firstVisible` is the first
// character shown by a one-line box, the first line shown by a text area.
std::size_t CaretFromPoint(ControlKind kind, const vellum::engine::layout::Rect& box, std::u16string_view text,
                           std::size_t firstVisible, POINT point);

// The lines of a text area's text and how many of them its box shows.
ScrollExtent TextAreaExtent(const vellum::engine::layout::Rect& box, std::u16string_view text);

// The first character a one-line box shows so that the caret is in sight: unchanged while it is,
// else scrolled just far enough.
std::size_t FirstVisibleForCaret(ControlKind kind, const vellum::engine::layout::Rect& box, std::u16string_view text,
                                 std::size_t caret, std::size_t firstVisible);

}  // namespace vellum::engine::com
