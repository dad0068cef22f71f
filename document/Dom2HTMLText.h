// Small helpers the HTML writer's files share for engine strings and values.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cwchar>

#include "document/AsciiRuns.h"
#include "comkit/ComText.h"

namespace dom2html {

// Lower-cases length units of text in place, as the system does. ASCII-only text (nearly all names
// and styles) is done here: the system maps its letters the same way and costs a call per string.
inline void LowerInPlace(wchar_t* text, int length) {
  const int i = LowerAsciiRun(text, length);
  if (i < length) CharLowerBuffW(text + i, static_cast<DWORD>(length - i));
}

inline void LowerInPlace(BSTR text) {
  if (text) LowerInPlace(text, BstrLength(text));
}

// The lower-cased form of a tag name, for comparing with the tags the writer treats specially (all
// short). A longer name reads as empty: it is none of them.
class CLowerTagName {
 public:
  CLowerTagName(const wchar_t* name, int units) {
    // Compared as C strings, the name ends at its first null.
    int length = 0;
    while (length < units && name[length] && length < kCapacity) ++length;
    if (length >= kCapacity) return;
    for (int i = 0; i < length; ++i) text_[i] = name[i];
    text_[length] = 0;
    LowerInPlace(text_, length);
  }
  const wchar_t* get() const { return text_; }

 private:
  static constexpr int kCapacity = 16;
  wchar_t text_[kCapacity] = {};
};

// Exact, ordinal comparison of C strings (the system's lstrcmpW would compare by locale, and slowly).
inline bool Equals(const wchar_t* text, const wchar_t* literal) {
  if (!text) text = L"";
  while (*text && *text == *literal) {
    ++text;
    ++literal;
  }
  return *text == *literal;
}

inline VARIANT IntVariant(long value) {
  VARIANT v = {};
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

// The value's text when it is one, or its conversion to text; false when it has none.
inline bool VariantText(VARIANT& value, CVariant& text) {
  if (FAILED(VariantChangeType(&text, &value, 0, VT_BSTR)) || text.Type() != VT_BSTR) return false;
  return true;
}

}  // namespace dom2html
