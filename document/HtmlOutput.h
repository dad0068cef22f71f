// The 8-bit text the HTML writer produces: markup written as it stands, engine text converted into the
// page's code page and, where the reader would otherwise take it for markup, escaped.
#pragma once

#include <windows.h>

#include <plinthcore.h>

// How engine text is protected before it goes into the output.
enum class HtmlEscape {
  None,       // written unchanged (comments, style sheets, scripts, tag and attribute names)
  Text,       // element content: "<" before a tag-like start and "&" before a reference-like start
  Attribute,  // a double-quoted attribute value: every '"' and "&" before a reference-like start
};

class CHtmlOutput {
 public:
  // Empties the text and converts from now on into codePage (0: the ANSI code page at this moment).
  void Reset(UINT codePage);

  // 8-bit text written unchanged (the writer's own markup; ASCII).
  void Ascii(const char* text);
  void Ascii(const char* text, int length);
  // level blanks.
  void Indent(int level);
  // Engine text of length UTF-16 units, escaped and converted. Nothing is written for text the code
  // page cannot convert at all (a code page the system has no converter for).
  void Wide(const wchar_t* text, int length, HtmlEscape escape = HtmlEscape::None);

  // Memory ran out at some point since Reset: the text is incomplete.
  bool Failed() const { return failed_; }
  const CXString& Text() const { return text_; }
  CXString TakeText();
  void Clear();

 private:
  void Converted(const wchar_t* text, int length);
  bool ConvertsAsciiUnchanged() const;

  CXString text_;              // the output so far
  CXStringW escaped_;          // scratch for escaped text
  UINT codePage_ = CP_ACP;     // resolved code page of the conversion
  bool asciiUnchanged_ = true; // the code page writes every ASCII character as its own byte
  bool failed_ = false;        // an append ran out of memory
};
