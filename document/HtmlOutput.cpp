#include "document/HtmlOutput.h"

#include <climits>
#include <cstring>

#include "document/AsciiRuns.h"

namespace {

// The writer's literal for a character that is escaped, or null.
const wchar_t* Replacement(const wchar_t* text, int length, int i, HtmlEscape escape) {
  switch (writer_rules::ReplacementAt(text, length, i, escape)) {
    case writer_rules::Replacement::Ampersand:
      return L"&amp;";
    case writer_rules::Replacement::LessThan:
      return L"&lt;";
    case writer_rules::Replacement::Quote:
      return L"&quot;";
    case writer_rules::Replacement::CarriageReturn:
      return L"&#13;";
    default:
      return nullptr;
  }
}

}  // namespace

void CHtmlOutput::Reset(UINT codePage) {
  Clear();
  failed_ = false;
  codePage_ = codePage ? codePage : GetACP();
  asciiUnchanged_ = KeepsAscii(codePage_);
}

void CHtmlOutput::Reserve(int bytes) {
  if (bytes <= capacity_ || bytes >= INT_MAX) return;
  Settle();
  // A hint that cannot be met changes nothing: the text then grows as it is written.
  if (char* data = text_.GetBuffer(bytes)) {
    data_ = data;
    capacity_ = bytes;
  }
}

char* CHtmlOutput::Grow(int n) {
  if (n < 0 || n > INT_MAX - 1 - length_) {
    failed_ = true;
    return nullptr;
  }
  // Doubling keeps the appends linear. text_ keeps its content when it moves once it knows its length.
  long long wanted = 2LL * capacity_;
  Settle();
  if (wanted < length_ + n) wanted = length_ + n;
  if (wanted < 256) wanted = 256;
  if (wanted > INT_MAX - 1) wanted = INT_MAX - 1;
  char* data = text_.GetBuffer(static_cast<int>(wanted));
  if (!data) {
    failed_ = true;
    return nullptr;
  }
  data_ = data;
  capacity_ = static_cast<int>(wanted);
  return data_ + length_;
}

void CHtmlOutput::Settle() const {
  if (!data_) return;
  text_.ReleaseBuffer(length_);
  data_ = nullptr;
  capacity_ = 0;
}

// A probe of every ASCII character: code pages that write each as its own byte (and shift into no
// other state for them) let ASCII-only text skip the converter; the bytes are the same either way.
bool CHtmlOutput::KeepsAscii(UINT codePage) {
  if (codePage != CP_UTF8 && !IsValidCodePage(codePage)) return false;
  wchar_t wide[127];
  char expected[127];
  for (int i = 0; i < 127; ++i) {
    wide[i] = static_cast<wchar_t>(i + 1);
    expected[i] = static_cast<char>(i + 1);
  }
  char converted[127 * 8];
  int n = WideCharToMultiByte(codePage, 0, wide, 127, converted, sizeof converted, nullptr, nullptr);
  return n == 127 && memcmp(converted, expected, 127) == 0;
}

void CHtmlOutput::Ascii(const char* text, int length) {
  if (length <= 0) return;
  char* out = Room(length);
  if (!out) return;
  memcpy(out, text, static_cast<size_t>(length));
  Commit(length);
}

void CHtmlOutput::Wide(const wchar_t* text, int length, HtmlEscape escape) {
  if (!text || length <= 0) return;
  if (escape == HtmlEscape::None) {
    Converted(text, length);
    return;
  }
  if (asciiUnchanged_ && CopiedAsIs(text, length, escape)) return;
  int i = 0;
  while (i < length && !Replacement(text, length, i, escape)) ++i;
  if (i == length) {
    Converted(text, length, true);
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
  Converted(escaped_.GetString(), escaped_.GetLength(), true);
}

// Most text is ASCII with nothing to escape: it goes out in one pass. False (nothing written) for
// text that is not.
bool CHtmlOutput::CopiedAsIs(const wchar_t* text, int length, HtmlEscape escape) {
  char* out = Room(length);
  if (!out) return true;  // out of memory: there is nothing more to write
  for (int i = 0;;) {
    i += dom2html::CopyPlainRun(text + i, length - i, out + i, dom2html::RunStops::NonAsciiAndMarkup);
    if (i == length) break;
    // An ampersand or less-than sign that starts nothing, or a quote in text, goes out as it is.
    if (text[i] >= 0x80 || Replacement(text, length, i, escape)) return false;
    out[i] = static_cast<char>(text[i]);
    ++i;
  }
  Commit(length);
  return true;
}

// The converter is asked for the size first, so text that needs more than two bytes per unit (UTF-8's
// three-byte characters) comes out whole.
void CHtmlOutput::Converted(const wchar_t* text, int length, bool references) {
  if (asciiUnchanged_) {
    char* out = Room(length);
    if (!out) return;
    if (dom2html::CopyPlainRun(text, length, out, dom2html::RunStops::NonAsciiOnly) == length) {
      Commit(length);
      return;
    }
  }
  if (references && ReportsUnmappable(codePage_)) {
    // No best fit: a character the page cannot hold is reported, never replaced by a look-alike.
    BOOL unmappable = FALSE;
    int needed = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, text, length, nullptr, 0, nullptr, &unmappable);
    if (unmappable) {
      ConvertedWithReferences(text, length);
      return;
    }
    if (needed <= 0) return;
    char* out = Room(needed);
    if (!out) return;
    int written = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, text, length, out, needed, nullptr, nullptr);
    if (written > 0) Commit(written);
    return;
  }
  int needed = WideCharToMultiByte(codePage_, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  char* out = Room(needed);
  if (!out) return;
  int written = WideCharToMultiByte(codePage_, 0, text, length, out, needed, nullptr, nullptr);
  if (written > 0) Commit(written);
}

// Character by character (a surrogate pair as one): what converts goes out converted, the rest as
// "&#N;" with the character's code point.
void CHtmlOutput::ConvertedWithReferences(const wchar_t* text, int length) {
  for (int i = 0; i < length;) {
    int units = 1;
    unsigned codePoint = text[i];
    if (codePoint >= 0xD800 && codePoint <= 0xDBFF && i + 1 < length && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      codePoint = 0x10000 + ((codePoint - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      units = 2;
    }
    char bytes[16];
    BOOL unmappable = FALSE;
    const int n = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, text + i, units, bytes, sizeof bytes, nullptr,
                                      &unmappable);
    if (n > 0 && !unmappable) {
      Ascii(bytes, n);
    } else {
      char reference[16];
      const int r = wsprintfA(reference, "&#%u;", codePoint);
      Ascii(reference, r);
    }
    i += units;
  }
}

// Code pages whose converter can say that a character did not fit (UTF-8 holds every character; the
// ISO-2022 family, the GB18030 and ISCII pages and UTF-7 take no such request).
bool CHtmlOutput::ReportsUnmappable(UINT codePage) {
  if (codePage == CP_UTF8 || codePage == CP_UTF7 || codePage == 42 || codePage == 52936 || codePage == 54936)
    return false;
  if (codePage >= 50220 && codePage <= 50229) return false;
  if (codePage >= 57002 && codePage <= 57011) return false;
  return true;
}

void CHtmlOutput::RewindTo(int mark) {
  if (mark < 0 || mark >= length_) return;
  // A settled text is taken back into the buffer first, so that the shorter length is what settles next.
  if (!data_ && !Grow(0)) return;
  length_ = mark;
}

const CXString& CHtmlOutput::Text() const {
  Settle();
  return text_;
}

CXString CHtmlOutput::TakeText() {
  Settle();
  length_ = 0;
  return static_cast<CXString&&>(text_);
}

void CHtmlOutput::Clear() {
  text_.Empty();
  data_ = nullptr;
  capacity_ = 0;
  length_ = 0;
}
