// The 8-bit text the HTML writer produces: markup written as it stands, engine text converted into the
// page's code page and, where the reader would otherwise take it for markup, escaped.
#pragma once

#include <windows.h>

#include <cstddef>

#include <plinthcore.h>

#include "document/WriterRules.h"

using writer_rules::HtmlEscape;

class CHtmlOutput {
 public:
  // Empties the text and converts from now on into codePage (0: the ANSI code page at this moment).
  void Reset(UINT codePage);
  // Makes room for about this many bytes at once (a hint: the text grows past it as needed).
  void Reserve(int bytes);

  // 8-bit text written unchanged (the writer's own markup; ASCII).
  // A literal's few bytes are stored in place: a call out to memcpy would cost more than the copy.
  template <size_t N>
  void Ascii(const char (&literal)[N]) {
    constexpr int kLength = static_cast<int>(N - 1);
    if (char* out = Room(kLength)) {
      __builtin_memcpy(out, literal, kLength);
      Commit(kLength);
    }
  }
  void Ascii(const char* text, int length);
  // level blanks.
  void Indent(int level) {
    if (level <= 0) return;
    if (level <= 8) {  // eight blanks stored at once, of which level count
      if (char* out = Room(8)) {
        __builtin_memcpy(out, "        ", 8);
        Commit(level);
      }
      return;
    }
    if (char* out = Room(level)) {
      for (int i = 0; i < level; ++i) out[i] = ' ';
      Commit(level);
    }
  }
  // Engine text of length UTF-16 units, escaped and converted. Nothing is written for text the code
  // page cannot convert at all (a code page the system has no converter for).
  void Wide(const wchar_t* text, int length, HtmlEscape escape = HtmlEscape::None);

  // The length written so far, and a return to it (dropping what was written since).
  int Mark() const { return length_; }
  void RewindTo(int mark);

  // Whether codePage writes every ASCII character as its own byte (false for a code page the system
  // has no converter for).
  static bool KeepsAscii(UINT codePage);

  // Memory ran out at some point since Reset: the text is incomplete.
  bool Failed() const { return failed_; }
  const CXString& Text() const;
  CXString TakeText();
  void Clear();

 private:
  // references: a character the code page cannot hold goes out as a numeric character reference
  // (content and attribute values, where the parser reads references back), not as "?".
  void Converted(const wchar_t* text, int length, bool references = false);
  void ConvertedWithReferences(const wchar_t* text, int length);
  static bool ReportsUnmappable(UINT codePage);
  bool CopiedAsIs(const wchar_t* text, int length, HtmlEscape escape);
  // Where the next n bytes go (written straight into text_'s buffer); null, and failed_, when memory
  // runs out. Commit makes them part of the text.
  char* Room(int n) { return data_ && n <= capacity_ - length_ ? data_ + length_ : Grow(n); }
  char* Grow(int n);
  void Commit(int n) { length_ += n; }
  // Ends the writing into text_'s buffer, so that text_ holds the text; the next Room takes it again.
  void Settle() const;

  mutable CXString text_;         // the output; while data_ is set, its first length_ bytes
  mutable char* data_ = nullptr;  // text_'s buffer while writing into it
  mutable int capacity_ = 0;      // bytes data_ holds at least
  int length_ = 0;                // bytes written
  CXStringW escaped_;             // scratch for escaped text
  UINT codePage_ = CP_ACP;        // resolved code page of the conversion
  bool asciiUnchanged_ = true;    // the code page writes every ASCII character as its own byte
  bool failed_ = false;           // an append ran out of memory
};
