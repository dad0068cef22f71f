#pragma once
// The HTML prescan for a character set declared by a <meta> element, run over the raw bytes before
// decoding.

#include <optional>
#include <string_view>

#include "encoding/code_page.h"

namespace vellum::engine::encoding {

// How far the prescan looks. Browsers stop after 1024 bytes; ours looks further because the editor's
// own saved pages carry their content-type meta at the end of the head, after any style sheets.
inline constexpr std::size_t kPrescanByteBudget = 64 * 1024;

// The code page named by the first <meta charset=...> or content-type <meta content="...charset=...">
// within the budget whose label is known. Besides http-equiv="Content-Type", a name="Content-Type"
// attribute also counts: that is the form the editor writes into the pages it saves. A label naming
// UTF-16 answers UTF-8, as in browsers: bytes readable by this scan cannot be UTF-16.
std::optional<CodePage> PrescanMetaCodePage(std::string_view bytes);

// The character-set label inside a content value such as "text/html; charset=windows-1251" (quotes
// removed), by the HTML rule for extracting a character encoding from a meta element.
std::optional<std::string_view> ExtractCharsetFromContent(std::string_view content);

}  // namespace vellum::engine::encoding
