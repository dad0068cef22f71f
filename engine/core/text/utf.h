#pragma once
// Conversions between UTF-8 bytes and the UTF-16 text the engine works in. Malformed input never
// fails: each bad sequence becomes U+FFFD.

#include <string>
#include <string_view>

namespace vellum::engine {

std::u16string utf8ToUtf16(std::string_view bytes);
std::string utf16ToUtf8(std::u16string_view text);
// Appends one code point (surrogates and values past U+10FFFF become U+FFFD).
void appendCodePoint(std::u16string& out, char32_t cp);

} // namespace vellum::engine
