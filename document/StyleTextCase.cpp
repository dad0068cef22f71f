#include "document/StyleTextCase.h"

#include <windows.h>

namespace dom2html {
namespace {

wchar_t Lower(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c + (L'a' - L'A'));
  if (c < 0x80) return c;
  CharLowerBuffW(&c, 1);
  return c;
}

bool StartsWithIgnoringCase(const wchar_t* text, int length, const wchar_t* prefix) {
  int i = 0;
  for (; prefix[i]; ++i)
    if (i >= length || Lower(text[i]) != prefix[i]) return false;
  return true;
}

// The declaration's name, trimmed, is one whose value is (or ends with) font family names.
bool NamesFontFamilies(const wchar_t* name, int length) {
  while (length > 0 && (*name == L' ' || *name == L'\t' || *name == L'\n' || *name == L'\r')) ++name, --length;
  while (length > 0 && (name[length - 1] == L' ' || name[length - 1] == L'\t')) --length;
  return (length == 11 && StartsWithIgnoringCase(name, length, L"font-family")) ||
         (length == 4 && StartsWithIgnoringCase(name, length, L"font"));
}

}  // namespace

void LowerStyleInPlace(wchar_t* text, int length) {
  int i = 0;
  while (i < length) {
    const int nameStart = i;
    while (i < length && text[i] != L':' && text[i] != L';') {
      text[i] = Lower(text[i]);
      ++i;
    }
    const bool families = NamesFontFamilies(text + nameStart, i - nameStart);
    if (i < length && text[i] == L':') ++i;
    wchar_t quote = 0;
    bool inUrl = false;
    while (i < length) {
      const wchar_t c = text[i];
      if (quote) {
        if (c == L'\\' && i + 1 < length)
          ++i;
        else if (c == quote)
          quote = 0;
        ++i;
      } else if (c == L'"' || c == L'\'') {
        quote = c;
        ++i;
      } else if (inUrl) {
        if (c == L')') inUrl = false;
        ++i;
      } else if (c == L';') {
        break;
      } else if (!families && (c == L'u' || c == L'U') && StartsWithIgnoringCase(text + i, length - i, L"url(")) {
        for (int k = 0; k < 4; ++k) text[i + k] = Lower(text[i + k]);
        i += 4;
        inUrl = true;
      } else {
        if (!families) text[i] = Lower(c);
        ++i;
      }
    }
    if (i < length) ++i;  // the ';'
  }
}

}  // namespace dom2html
