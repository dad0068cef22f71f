#pragma once
// UTF-8 and UTF-16 for the tests' own texts (test data files are UTF-8), through the engine's codec.

#include <string>
#include <string_view>

#include "encoding/utf.h"

namespace vellum::engine::test {

inline std::u16string Utf8ToUtf16(std::string_view bytes) {
  std::u16string text;
  encoding::DecodeUtf8(bytes, text);
  return text;
}

inline std::string Utf16ToUtf8(std::u16string_view text) { return encoding::EncodeUtf8(text); }

}  // namespace vellum::engine::test
