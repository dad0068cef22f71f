#pragma once
// A small JSON reader for the html5lib tokenizer cases. Strings are kept as UTF-16 code units, so
// "\uD800" escapes (lone surrogates) survive as they are.

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vellum::engine::test {

struct JsonValue {
  enum class Kind : uint8_t { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::u16string string;
  std::vector<JsonValue> array;
  std::vector<std::u16string> keys;  // object member names, in file order
  std::vector<JsonValue> members;    // object member values, beside their names

  const JsonValue* Find(std::u16string_view key) const;
};

// Parses UTF-8 JSON text; returns false on malformed input.
bool ParseJson(std::string_view text, JsonValue& out);

}  // namespace vellum::engine::test
