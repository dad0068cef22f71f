#pragma once
// Decoding the bytes of a loaded document: which character set they are in, and their UTF-16 text.

#include <string>
#include <string_view>

#include "encoding/code_page.h"

namespace vellum::engine::encoding {

enum class EncodingSource {
  ByteOrderMark,  // a UTF-8, UTF-16LE or UTF-16BE byte order mark
  Utf16Sniffing,  // no mark, but an ASCII character and a zero byte in the first code unit
  MetaPrescan,    // a <meta> element naming the character set
  AnsiDefault,    // nothing named one: the ANSI code page
};

struct DecodedDocument {
  std::u16string text;                       // without the byte order mark
  CodePage codePage = kCodePageWindows1252;  // the code page the text was decoded from
  EncodingSource source = EncodingSource::AnsiDefault;
};

// Decodes a whole document. Any bytes decode: malformed sequences become U+FFFD. A code page the
// converter cannot handle falls back to the ANSI code page, and if that fails too, each byte is taken
// as its ISO-8859-1 character.
DecodedDocument DecodeDocument(std::string_view bytes, const CodePageConverter& converter);

// Decodes bytes known to be in `codePage` (UTF-8 and UTF-16 by the engine, others by the converter).
// False when neither can.
bool DecodeWithCodePage(CodePage codePage, std::string_view bytes, const CodePageConverter& converter,
                        std::u16string& out);

}  // namespace vellum::engine::encoding
