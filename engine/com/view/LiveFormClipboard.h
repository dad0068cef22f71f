// Text through the system clipboard, for cutting, copying and pasting in the live form's text controls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vellum::engine::com {

// The clipboard's text, if it holds any and can be opened.
std::optional<std::u16string> ReadClipboardText(HWND owner);
// Puts the text on the clipboard; false when the clipboard cannot be opened or memory runs out.
bool WriteClipboardText(HWND owner, std::u16string_view text);

}  // namespace vellum::engine::com
