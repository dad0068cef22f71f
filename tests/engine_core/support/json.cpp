#include "support/json.h"

#include <cstdlib>

#include "support/utf_text.h"

namespace vellum::engine::test {

const JsonValue* JsonValue::Find(std::u16string_view key) const {
  for (size_t i = 0; i < keys.size(); ++i)
    if (keys[i] == key) return &members[i];
  return nullptr;
}

namespace {

class Reader {
 public:
  explicit Reader(std::string_view text) : s_(text) {}

  bool Value(JsonValue& out) {
    SkipSpace();
    if (i_ >= s_.size()) return false;
    char c = s_[i_];
    if (c == '{') return Object(out);
    if (c == '[') return Array(out);
    if (c == '"') {
      out.kind = JsonValue::Kind::String;
      return String(out.string);
    }
    if (Literal("true")) {
      out.kind = JsonValue::Kind::Bool;
      out.boolean = true;
      return true;
    }
    if (Literal("false")) {
      out.kind = JsonValue::Kind::Bool;
      return true;
    }
    if (Literal("null")) return true;
    char* end = nullptr;
    std::string number(s_.substr(i_, 32));
    out.number = std::strtod(number.c_str(), &end);
    if (end == number.c_str()) return false;
    out.kind = JsonValue::Kind::Number;
    i_ += static_cast<size_t>(end - number.c_str());
    return true;
  }

  bool AtEnd() {
    SkipSpace();
    return i_ == s_.size();
  }

 private:
  void SkipSpace() {
    while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\n' || s_[i_] == '\r' || s_[i_] == '\t')) ++i_;
  }
  bool Literal(std::string_view word) {
    if (s_.substr(i_, word.size()) != word) return false;
    i_ += word.size();
    return true;
  }
  bool Expect(char c) {
    SkipSpace();
    if (i_ >= s_.size() || s_[i_] != c) return false;
    ++i_;
    return true;
  }
  bool Object(JsonValue& out) {
    out.kind = JsonValue::Kind::Object;
    ++i_;
    SkipSpace();
    if (i_ < s_.size() && s_[i_] == '}') return ++i_, true;
    for (;;) {
      SkipSpace();
      std::u16string key;
      if (i_ >= s_.size() || s_[i_] != '"' || !String(key) || !Expect(':')) return false;
      JsonValue v;
      if (!Value(v)) return false;
      out.keys.push_back(std::move(key));
      out.members.push_back(std::move(v));
      SkipSpace();
      if (Expect('}')) return true;
      if (!Expect(',')) return false;
    }
  }
  bool Array(JsonValue& out) {
    out.kind = JsonValue::Kind::Array;
    ++i_;
    SkipSpace();
    if (i_ < s_.size() && s_[i_] == ']') return ++i_, true;
    for (;;) {
      JsonValue v;
      if (!Value(v)) return false;
      out.array.push_back(std::move(v));
      if (Expect(']')) return true;
      if (!Expect(',')) return false;
    }
  }
  bool String(std::u16string& out) {
    ++i_;
    size_t runStart = i_;
    auto flush = [&] { out += Utf8ToUtf16(s_.substr(runStart, i_ - runStart)); };
    while (i_ < s_.size()) {
      char c = s_[i_];
      if (c == '"') {
        flush();
        ++i_;
        return true;
      }
      if (c != '\\') {
        ++i_;
        continue;
      }
      flush();
      if (++i_ >= s_.size()) return false;
      char e = s_[i_++];
      switch (e) {
        case 'n':
          out.push_back(u'\n');
          break;
        case 't':
          out.push_back(u'\t');
          break;
        case 'r':
          out.push_back(u'\r');
          break;
        case 'b':
          out.push_back(u'\b');
          break;
        case 'f':
          out.push_back(u'\f');
          break;
        case 'u': {
          if (i_ + 4 > s_.size()) return false;
          out.push_back(static_cast<char16_t>(std::strtoul(std::string(s_.substr(i_, 4)).c_str(), nullptr, 16)));
          i_ += 4;
          break;
        }
        default:
          out.push_back(static_cast<char16_t>(e));
          break;
      }
      runStart = i_;
    }
    return false;
  }

  std::string_view s_;
  size_t i_ = 0;
};

}  // namespace

bool ParseJson(std::string_view text, JsonValue& out) {
  Reader reader(text);
  return reader.Value(out) && reader.AtEnd();
}

}  // namespace vellum::engine::test
