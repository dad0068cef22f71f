#include "encoding/meta_prescan.h"

#include <algorithm>
#include <string>
#include <vector>

#include "encoding/charset_labels.h"

namespace vellum::engine::encoding {
namespace {

bool IsSpace(char c) { return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' '; }
bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::size_t at, std::string_view lowerPrefix) {
  if (text.size() - at < lowerPrefix.size()) {
    return false;
  }
  for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
    if (Lower(text[at + i]) != lowerPrefix[i]) {
      return false;
    }
  }
  return true;
}

struct Attribute {
  std::string name;   // lower case
  std::string value;  // lower case
};

// Reads the HTML prescan's notion of one attribute at `pos`. Empty at '>' or at the end of the input.
class AttributeReader {
 public:
  AttributeReader(std::string_view bytes, std::size_t& pos) : bytes_(bytes), pos_(pos) {}

  std::optional<Attribute> Next() {
    while (More() && (IsSpace(Peek()) || Peek() == '/')) {
      ++pos_;
    }
    if (!More() || Peek() == '>') {
      return std::nullopt;
    }
    Attribute attribute;
    // The attribute name: the first character may be '=', later ones end the name.
    for (;;) {
      if (!More()) {
        return std::nullopt;
      }
      const char c = Peek();
      if (c == '=' && !attribute.name.empty()) {
        ++pos_;
        return ReadValue(std::move(attribute));
      }
      if (IsSpace(c)) {
        break;
      }
      if (c == '/' || c == '>') {
        return attribute;
      }
      attribute.name.push_back(Lower(c));
      ++pos_;
    }
    while (More() && IsSpace(Peek())) {
      ++pos_;
    }
    if (!More()) {
      return std::nullopt;
    }
    if (Peek() != '=') {
      return attribute;
    }
    ++pos_;
    return ReadValue(std::move(attribute));
  }

 private:
  bool More() const { return pos_ < bytes_.size(); }
  char Peek() const { return bytes_[pos_]; }

  std::optional<Attribute> ReadValue(Attribute attribute) {
    while (More() && IsSpace(Peek())) {
      ++pos_;
    }
    if (!More()) {
      return std::nullopt;
    }
    const char first = Peek();
    if (first == '"' || first == '\'') {
      ++pos_;
      while (More()) {
        const char c = Peek();
        ++pos_;
        if (c == first) {
          return attribute;
        }
        attribute.value.push_back(Lower(c));
      }
      return std::nullopt;
    }
    if (first == '>') {
      return attribute;
    }
    while (More() && !IsSpace(Peek()) && Peek() != '>') {
      attribute.value.push_back(Lower(Peek()));
      ++pos_;
    }
    return More() ? std::optional<Attribute>(std::move(attribute)) : std::nullopt;
  }

  std::string_view bytes_;
  std::size_t& pos_;
};

enum class NeedPragma { Unknown, Yes, No };

// Processes one <meta> whose attributes start at `pos`; the code page it declares, if any.
std::optional<CodePage> ReadMetaElement(std::string_view bytes, std::size_t& pos) {
  AttributeReader reader(bytes, pos);
  std::vector<std::string> seen;
  bool gotPragma = false;
  NeedPragma needPragma = NeedPragma::Unknown;
  std::optional<CodePage> charset;
  bool charsetFailure = false;  // a charset attribute named a label the engine does not know
  while (std::optional<Attribute> attribute = reader.Next()) {
    if (std::find(seen.begin(), seen.end(), attribute->name) != seen.end()) {
      continue;
    }
    seen.push_back(attribute->name);
    const std::string& name = attribute->name;
    if ((name == "http-equiv" || name == "name") && attribute->value == "content-type") {
      gotPragma = true;
    } else if (name == "content" && !charset && !charsetFailure) {
      std::optional<std::string_view> label = ExtractCharsetFromContent(attribute->value);
      std::optional<CodePage> named = label ? CodePageFromCharsetLabel(*label) : std::nullopt;
      if (named) {
        charset = named;
        needPragma = NeedPragma::Yes;
      }
    } else if (name == "charset") {
      charset = CodePageFromCharsetLabel(attribute->value);
      charsetFailure = !charset;
      needPragma = NeedPragma::No;
    }
  }
  if (needPragma == NeedPragma::Unknown || (needPragma == NeedPragma::Yes && !gotPragma) || !charset) {
    return std::nullopt;
  }
  if (*charset == kCodePageUtf16LE || *charset == kCodePageUtf16BE) {
    return kCodePageUtf8;
  }
  return charset;
}

// Moves `pos` past the end of a tag whose name starts at `pos`, skipping its attributes.
void SkipTag(std::string_view bytes, std::size_t& pos) {
  while (pos < bytes.size() && !IsSpace(bytes[pos]) && bytes[pos] != '>') {
    ++pos;
  }
  AttributeReader reader(bytes, pos);
  while (reader.Next()) {
  }
}

}  // namespace

std::optional<std::string_view> ExtractCharsetFromContent(std::string_view content) {
  std::size_t pos = 0;
  for (;;) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = pos; i < content.size(); ++i) {
      if (StartsWithIgnoringCase(content, i, "charset")) {
        found = i;
        break;
      }
    }
    if (found == std::string_view::npos) {
      return std::nullopt;
    }
    pos = found + 7;
    while (pos < content.size() && IsSpace(content[pos])) {
      ++pos;
    }
    if (pos < content.size() && content[pos] == '=') {
      ++pos;
      break;
    }
  }
  while (pos < content.size() && IsSpace(content[pos])) {
    ++pos;
  }
  if (pos == content.size()) {
    return std::nullopt;
  }
  const char quote = content[pos];
  if (quote == '"' || quote == '\'') {
    const std::size_t close = content.find(quote, pos + 1);
    if (close == std::string_view::npos) {
      return std::nullopt;
    }
    return content.substr(pos + 1, close - pos - 1);
  }
  std::size_t end = pos;
  while (end < content.size() && !IsSpace(content[end]) && content[end] != ';') {
    ++end;
  }
  return content.substr(pos, end - pos);
}

std::optional<CodePage> PrescanMetaCodePage(std::string_view bytes) {
  bytes = bytes.substr(0, std::min(bytes.size(), kPrescanByteBudget));
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    if (StartsWithIgnoringCase(bytes, pos, "<!--")) {
      // The comment's own dashes may close it: "<!-->" is a whole comment here.
      const std::size_t close = bytes.find("-->", pos + 2);
      if (close == std::string_view::npos) {
        return std::nullopt;
      }
      pos = close + 3;
      continue;
    }
    if (StartsWithIgnoringCase(bytes, pos, "<meta") && pos + 5 < bytes.size() &&
        (IsSpace(bytes[pos + 5]) || bytes[pos + 5] == '/')) {
      pos += 5;
      if (std::optional<CodePage> codePage = ReadMetaElement(bytes, pos)) {
        return codePage;
      }
      ++pos;
      continue;
    }
    if (bytes[pos] == '<' && pos + 1 < bytes.size()) {
      const char next = bytes[pos + 1];
      const bool endTag = next == '/';
      const std::size_t nameAt = pos + (endTag ? 2 : 1);
      if (nameAt < bytes.size() && IsAsciiLetter(bytes[nameAt])) {
        pos = nameAt;
        SkipTag(bytes, pos);
        ++pos;
        continue;
      }
      if (next == '!' || next == '/' || next == '?') {
        const std::size_t close = bytes.find('>', pos + 1);
        if (close == std::string_view::npos) {
          return std::nullopt;
        }
        pos = close + 1;
        continue;
      }
    }
    ++pos;
  }
  return std::nullopt;
}

}  // namespace vellum::engine::encoding
