#pragma once

#include <optional>
#include <string_view>

#include "encoding/code_page.h"

namespace vellum::engine::encoding {

// The code page a character-set label names (as found in a meta element or a content type), compared
// without regard to ASCII case and surrounding white space. Empty for labels the engine does not know.
std::optional<CodePage> CodePageFromCharsetLabel(std::string_view label);

}  // namespace vellum::engine::encoding
