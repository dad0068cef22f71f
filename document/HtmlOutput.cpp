#include "document/HtmlOutput.h"

#include <climits>
#include <cstring>

namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }
bool IsAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// "&" followed by a letter, digit or "#" would be read as the start of a character reference.
bool StartsReference(const wchar_t* text, int length, int i) {
  if (i + 1 >= length) return false;
  wchar_t next = text[i + 1];
  return IsAsciiLetter(next) || IsAsciiDigit(next) || next == L'#';
}

// "<" followed by a letter, "/", "!" or "?" would be read as a tag, comment or declaration.
bool StartsMarkup(const wchar_t* text, int length, int i) {
  if (i + 1 >= length) return false;
  wchar_t next = text[i + 1];
  return IsAsciiLetter(next) || next == L'/' || next == L'!' || next == L'?';
}

const wchar_t* Replacement(const wchar_t* text, int length, int i, HtmlEscape escape) {
  switch (text[i]) {
    case L'&':
      return StartsReference(text, length, i) ? L"&amp;" : nullptr;
    case L'<':
      return escape == HtmlEscape::Text && StartsMarkup(text, length, i) ? L"&lt;" : nullptr;
    case L'"':
      return escape == HtmlEscape::Attribute ? L"&quot;" : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

void CHtmlOutput::Reset(UINT codePage) {
  text_.Empty();
  failed_ = false;
  codePage_ = codePage ? codePage : GetACP();
  asciiUnchanged_ = ConvertsAsciiUnchanged();
}

// A probe of every ASCII character: code pages that write each as its own byte (and shift into no
// other state for them) let ASCII-only text skip the converter; the bytes are the same either way.
bool CHtmlOutput::ConvertsAsciiUnchanged() const {
  wchar_t wide[127];
  char expected[127];
  for (int i = 0; i < 127; ++i) {
    wide[i] = static_cast<wchar_t>(i + 1);
    expected[i] = static_cast<char>(i + 1);
  }
  char converted[127 * 8];
  int n = WideCharToMultiByte(codePage_, 0, wide, 127, converted, sizeof converted, nullptr, nullptr);
  return n == 127 && memcmp(converted, expected, 127) == 0;
}

void CHtmlOutput::Ascii(const char* text) { Ascii(text, static_cast<int>(strlen(text))); }

void CHtmlOutput::Ascii(const char* text, int length) {
  if (length > 0 && !text_.Append(text, length)) failed_ = true;
}

void CHtmlOutput::Indent(int level) {
  static const char kBlanks[] = "                                                                ";
  constexpr int kChunk = sizeof kBlanks - 1;
  while (level > 0) {
    int n = level < kChunk ? level : kChunk;
    Ascii(kBlanks, n);
    level -= n;
  }
}

void CHtmlOutput::Wide(const wchar_t* text, int length, HtmlEscape escape) {
  if (!text || length <= 0) return;
  if (escape == HtmlEscape::None) {
    Converted(text, length);
    return;
  }
  int i = 0;
  while (i < length && !Replacement(text, length, i, escape)) ++i;
  if (i == length) {
    Converted(text, length);
    return;
  }
  escaped_.Empty();
  if (!escaped_.Append(text, i)) {
    failed_ = true;
    return;
  }
  for (; i < length; ++i) {
    const wchar_t* replacement = Replacement(text, length, i, escape);
    if (!(replacement ? escaped_.Append(replacement) : escaped_.AppendChar(text[i]))) {
      failed_ = true;
      return;
    }
  }
  Converted(escaped_.GetString(), escaped_.GetLength());
}

// The converter is asked for the size first, so text that needs more than two bytes per unit (UTF-8's
// three-byte characters) comes out whole.
void CHtmlOutput::Converted(const wchar_t* text, int length) {
  const int start = text_.GetLength();
  if (asciiUnchanged_) {
    int i = 0;
    while (i < length && text[i] < 0x80) ++i;
    if (i == length) {
      if (length > INT_MAX - 1 - start) {
        failed_ = true;
        return;
      }
      char* out = text_.GetBuffer(start + length);
      if (!out) {
        failed_ = true;
        return;
      }
      for (int k = 0; k < length; ++k) out[start + k] = static_cast<char>(text[k]);
      text_.ReleaseBuffer(start + length);
      return;
    }
  }
  int needed = WideCharToMultiByte(codePage_, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  if (needed > INT_MAX - 1 - start) {
    failed_ = true;
    return;
  }
  char* out = text_.GetBuffer(start + needed);
  if (!out) {
    failed_ = true;
    return;
  }
  int written = WideCharToMultiByte(codePage_, 0, text, length, out + start, needed, nullptr, nullptr);
  text_.ReleaseBuffer(start + (written > 0 ? written : 0));
}

CXString CHtmlOutput::TakeText() { return static_cast<CXString&&>(text_); }

void CHtmlOutput::Clear() { text_.Empty(); }
