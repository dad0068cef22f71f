#include "engine/com/SourceUrl.h"

namespace vellum::engine::com {

namespace {

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }
bool IsSlash(char16_t c) { return c == u'\\' || c == u'/'; }

// "C:\..." or "C:/...".
bool IsDrivePath(std::u16string_view text) {
  return text.size() >= 3 && IsAsciiLetter(text[0]) && text[1] == u':' && IsSlash(text[2]);
}

bool IsUncPath(std::u16string_view text) { return text.size() > 2 && text[0] == u'\\' && text[1] == u'\\'; }

// Characters that a file: URL cannot hold as they are.
bool NeedsEscape(char16_t c) {
  return c <= u' ' || c == u'"' || c == u'#' || c == u'%' || c == u'<' || c == u'>' || c == u'?' || c == u'`' ||
         c == u'{' || c == u'}' || c == u'|' || c == u'^' || c == 0x7f;
}

void AppendPath(std::u16string& url, std::u16string_view path) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  for (char16_t c : path) {
    if (c == u'\\') {
      url += u'/';
    } else if (NeedsEscape(c)) {
      url += u'%';
      url += kHex[(c >> 4) & 0xf];
      url += kHex[c & 0xf];
    } else {
      url += c;
    }
  }
}

}  // namespace

std::u16string ResolvedSourceUrl(std::u16string_view source) {
  std::u16string url;
  if (IsDrivePath(source)) {
    url = u"file:///";
    AppendPath(url, source);
  } else if (IsUncPath(source)) {
    url = u"file://";
    AppendPath(url, source.substr(2));
  } else {
    url.assign(source);
  }
  return url;
}

}  // namespace vellum::engine::com
