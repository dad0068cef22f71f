#pragma once
// The one table of character-set labels: what the decoder accepts in a page's meta, and what the HTML
// writer understands in a page it saves and writes into the pages it declares itself.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "encoding/code_page.h"

namespace vellum::engine::encoding {

// How a code page writes the ASCII characters markup is made of.
enum class CharsetFamily : std::uint8_t {
  Ascii,   // as ASCII bytes (single-byte and multi-byte pages, UTF-8, the 7-bit national variants)
  Utf16,   // two bytes each
  Utf7,    // ASCII, except that "+" and some punctuation start a shifted run
  Ebcdic,  // other bytes altogether
};

struct CharsetLabel {
  std::string_view label;  // spelled as a saved page writes it
  CodePage codePage;
  CharsetFamily family;
};

// Every row, first to last. Labels are unique without regard to ASCII case; where several rows share a
// code page, the first one's spelling names it.
std::span<const CharsetLabel> CharsetLabels();

// The row a label names, compared without regard to ASCII case and surrounding white space; null for a
// label the table does not have.
const CharsetLabel* FindCharsetLabel(std::string_view label);

// The code page a character-set label names (as found in a meta element or a content type), for the
// decoder. Empty for labels the table does not have and for EBCDIC labels: a declaration the prescan
// could read in ASCII bytes cannot be true of an EBCDIC page.
std::optional<CodePage> CodePageFromCharsetLabel(std::string_view label);

// The label a page written in codePage declares; empty when no row has that code page.
std::optional<std::string_view> CharsetLabelOfCodePage(CodePage codePage);

}  // namespace vellum::engine::encoding
