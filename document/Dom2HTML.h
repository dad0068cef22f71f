// CDom2HTML: writes the live document tree as the editor's own HTML text (its save format). One is made
// for each request, bound to the document; Parse walks the tree and GetHTML hands out the 8-bit text in
// the page's code page.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <plinthcore.h>

#include <string>
#include <utility>
#include <vector>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"

#include "document/ElementSpans.h"
#include "document/HtmlOutput.h"
#include "engine/MarkupView.h"

class CDom2HTML {
 public:
  // document may be empty: Parse then fails.
  explicit CDom2HTML(CComRef<IHTMLDocument2> document) : document_(std::move(document)) {}
  CDom2HTML(const CDom2HTML&) = delete;
  CDom2HTML& operator=(const CDom2HTML&) = delete;
  virtual ~CDom2HTML() = default;

  // 1 when the whole document was written; 0 (and an empty output) otherwise. The generator meta's
  // content in the live document is rewritten on the way.
  int Parse();
  const CXString& GetHTML() const { return output_.Text(); }
  // Hands the output over (the serializer's text is then empty).
  CXString TakeHTML() { return output_.TakeText(); }

  // The code page the last Parse wrote in (0: the ANSI code page).
  UINT OutputCodePage() const { return codePage_; }
  // The code page the page's first declaring meta names (its charset attribute or a content-type
  // content), or 0 (the ANSI code page).
  UINT GetDocumentCodePage();
  // Whether a page in codePage can be written in it: the system converts into it and writes the ASCII
  // of markup as ASCII bytes. Other pages are written in UTF-8.
  static bool CanWriteIn(UINT codePage);
  // The content of a content-type meta for the ANSI code page ("text/html; charset=Windows-1252").
  static int BuildContentType(CXString& value);
  // 0 for the tags written without an end tag.
  static int NeedsEndTag(const wchar_t* tagName);
  static int NeedsEndTagLower(const wchar_t* lowerTagName);

  // Elements nested deeper than this make Parse fail rather than exhaust the stack.
  static constexpr int kMaxDepth = 1024;

  // Reads every text through the standard object model even where the engine would lend it (the
  // tests compare the two readings).
  void ReadCopiesOnly() { lendText_ = false; }

  // Has the next Parse record where each element's text lies in the output, in document order. Only
  // elements whose tags are theirs alone get a span: none inside exact content or raw text, nothing the
  // head writes for itself. The spans of html, body and frameset say that their text cannot stand alone.
  void RecordElementSpans() { recordSpans_ = true; }
  // The spans of the last Parse; empty when none were asked for or memory ran out for them.
  std::vector<ElementSpan> TakeElementSpans() { return std::move(spans_); }

  // The start tag Parse writes for an element it gives a span, "<NAME" and its attributes without the
  // closing '>', in the code page Parse wrote in: where only elements' attributes changed since, their
  // tags alone are written again. 0 (and an empty tag) for an element that gets no span.
  int WriteStartTag(IHTMLDOMNode* node, UINT codePage, CXString& tag);

 private:
  int ParseElement(IHTMLDOMNode* node, int level, long& last);
  // The node's name, lent by the engine where it offers it, else copied into `copy`.
  static bool NodeName(IHTMLDOMNode* node, IMarkupView* view, const wchar_t*& name, UINT& length, CBstr& copy);
  // The span an element starts (its index in spans_), or -1 when none is kept for it.
  int BeginSpan(int start, long sourceIndex, const wchar_t* lowerTag, bool html, writer_rules::Special special);
  // A view argument is the node's IMarkupView where the engine lends its texts, else null.
  int ParseTextNode(IHTMLDOMNode* node, IMarkupView* view, int level);
  void WriteText(const wchar_t* text, int length, int level);
  int ParseCommentNode(IHTMLDOMNode* node, int level);
  int ParseChildren(IHTMLDOMNode* node, int level, long& last);
  int AppendNodeAttributes(IHTMLDOMNode* node, IMarkupView* view, bool isInput);
  bool AppendLentAttributes(IMarkupView& view, bool isInput, bool& hasStyle);
  int AppendCollectionAttributes(IHTMLDOMNode* node, bool isInput, bool& hasStyle);
  void WriteAttribute(const wchar_t* lowerName, int nameLength, const wchar_t* value, int valueLength);
  int AppendInputState(IHTMLDOMNode* node);
  int AppendStyle(IHTMLDOMNode* node, IMarkupView* view);
  void WriteStyle(const wchar_t* text, int length);
  int ParseStyleNode(IHTMLDOMNode* node);
  int ParseTitleNode(IHTMLDOMNode* node);
  int ParseScriptNode(IHTMLDOMNode* node);
  // rawTag: the lower-cased name of a raw-text element whose content this is, or null.
  void WritePropertyContent(const wchar_t* text, int length, HtmlEscape escape, const char* rawTag = nullptr);
  int PatchMetaGenerator(IHTMLDOMNode* meta);
  bool IsContentTypeMeta(IHTMLDOMNode* meta);
  static bool HasCharsetAttribute(IHTMLDOMNode* meta);
  static bool IsOwnMeta(IHTMLDOMNode* meta);
  static UINT DeclaredCodePage(IHTMLMetaElement* meta);
  static std::string AsciiOf(const CBstr& text);
  static bool DeclaresContentType(IHTMLMetaElement* meta);
  void WriteGeneratorMeta(int level);
  void WriteContentTypeMeta(int level);
  static const CXString& GeneratorText();

  CComRef<IHTMLDocument2> document_;  // the tree to write
  CHtmlOutput output_;                // the text written so far
  int exact_ = 0;                     // inside pre, listing, textarea or plaintext: written as it is
  int rawText_ = 0;                   // inside iframe, noembed, noframes or xmp: text read literally
  bool endTagAtOnce_ = false;         // raw text ended with its own end tag's start: no blank before it
  bool markupEnded_ = false;          // a plaintext start tag was written: the rest is read as its text
  int generatorPresent_ = 0;          // a generator meta counts as written
  int contentTypePresent_ = 0;        // a content-type meta counts as written
  UINT codePage_ = 0;                 // code page of the output; 0: the ANSI code page
  bool redeclareUtf8_ = false;        // written in UTF-8 in place of the character set the page declares
  struct {
    bool content = false;  // the meta's content is a content type, to say utf-8
    bool charset = false;  // the meta's charset attribute, to say utf-8
  } utf8Meta_;             // the declarations of the meta being written, when redeclared
  bool ownMeta_ = false;   // the meta being written is a generator or content-type one: NAME and CONTENT
  bool lendText_ = true;   // take the engine's lent texts where it offers them
  bool recordSpans_ = false;
  std::vector<ElementSpan> spans_;
  std::wstring lowered_;   // scratch: a lent name or style lower-cased
};
