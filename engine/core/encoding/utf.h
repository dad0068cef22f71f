#pragma once
// Unicode transformation formats. Decoding follows the WHATWG Encoding Standard: every malformed
// sequence becomes one U+FFFD and decoding goes on, so any byte string decodes.

#include <string>
#include <string_view>

namespace vellum::engine::encoding {

enum class ByteOrder { LittleEndian, BigEndian };

// Appends the UTF-16 form of UTF-8 `bytes` to `out`.
void DecodeUtf8(std::string_view bytes, std::u16string& out);

// Appends the code units of UTF-16 `bytes` to `out`. Unpaired surrogates and a final odd byte become
// U+FFFD.
void DecodeUtf16(std::string_view bytes, ByteOrder order, std::u16string& out);

// UTF-8 form of UTF-16 text; unpaired surrogates become U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// Appends the UTF-16 form of one code point; surrogates and values past U+10FFFF become U+FFFD.
void AppendCodePoint(std::u16string& out, char32_t cp);

}  // namespace vellum::engine::encoding
