// One node and its subtree: elements with their tags and children, text, comments, and the elements
// whose content the engine holds as a property (style, title, script).
#include "window/Trace.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTML.h"
#include "document/Dom2HTMLText.h"

#include <new>

namespace {

using writer_rules::DropsLeadingLineBreak;
using writer_rules::HoldsRawText;
using writer_rules::KeepsContentExactly;
using writer_rules::Special;
using writer_rules::SpecialOf;
using writer_rules::TrimBlanks;

// A style, title or script element of a foreign vocabulary (an SVG icon's title, MathML's) shares the
// HTML element's name but not its interface: it is written like any other element, with its children.
Special SpecialOfNode(IHTMLDOMNode* node, const wchar_t* lowerTag) {
  const Special special = SpecialOf(lowerTag);
  const IID* needed = special == Special::Style    ? &IID_IHTMLStyleElement
                      : special == Special::Title  ? &IID_IHTMLTitleElement
                      : special == Special::Script ? &IID_IHTMLScriptElement
                                                   : nullptr;
  if (!needed) return special;
  CComRef<IUnknown> offered;
  return SUCCEEDED(node->QueryInterface(*needed, offered.OutVoid())) && offered ? special : Special::None;
}

// Whether the element is HTML's rather than SVG's or MathML's; an engine that cannot say is taken to
// mean HTML.
bool IsHtmlElement(IHTMLDOMNode* node) {
  CComRef<IHTMLElement2> element;
  CBstr scope;
  if (FAILED(node->QueryInterface(IID_IHTMLElement2, element.OutVoid())) || !element ||
      FAILED(element->get_scopeName(scope.Out())) || !scope.get())
    return true;
  return CompareStringOrdinal(scope.get(), -1, L"HTML", -1, TRUE) == CSTR_EQUAL;
}

// Counts one more element of a kind (exact content, raw text) around the writer, for a scope.
class CWithin {
 public:
  CWithin(int& depth, bool enter) : depth_(depth), entered_(enter) {
    if (entered_) ++depth_;
  }
  CWithin(const CWithin&) = delete;
  CWithin& operator=(const CWithin&) = delete;
  ~CWithin() {
    if (entered_) --depth_;
  }

 private:
  int& depth_;
  bool entered_;
};

}  // namespace

bool CDom2HTML::NodeName(IHTMLDOMNode* node, IMarkupView* view, const wchar_t*& name, UINT& length, CBstr& copy) {
  if (view && view->LendNodeName(&name, &length) == S_OK) return true;
  if (FAILED(node->get_nodeName(copy.Out()))) return false;
  name = copy.get();
  length = static_cast<UINT>(copy.Length());
  return true;
}

int CDom2HTML::ParseElement(IHTMLDOMNode* node, int level, long& last) {
  if (!node) return 0;
  if (level > kMaxDepth) {
    TRACE("CDom2HTML::ParseElement(): elements nested too deep\n");
    return 0;
  }
  const int start = output_.Mark();
  long sourceIndex = -1;
  {
    CComRef<IHTMLElement> element;
    if (SUCCEEDED(node->QueryInterface(IID_IHTMLElement, element.OutVoid())) && element &&
        SUCCEEDED(element->get_sourceIndex(&sourceIndex)) && sourceIndex >= 0)
      last = sourceIndex;
  }
  long type = 0;
  if (FAILED(node->get_nodeType(&type))) {
    TRACE("CDom2HTML::ParseElement(): can't get node type\n");
    return 0;
  }
  // Our engine lends its texts in place, which spares a string allocated and freed for every name, value
  // and text; another engine (or a node that keeps no such text) is read through the standard properties.
  CComRef<IMarkupView> view;
  if (lendText_ && FAILED(node->QueryInterface(__uuidof(IMarkupView), view.OutVoid()))) view.Reset();
  if (type == 3) return ParseTextNode(node, view.get(), level);
  if (type == 8) return ParseCommentNode(node, level);

  const wchar_t* name = nullptr;
  UINT nameLength = 0;
  CBstr nameCopy;
  if (!NodeName(node, view.get(), name, nameLength, nameCopy)) {
    TRACE("CDom2HTML::ParseElement(): can't get node name\n");
    return 1;
  }
  const bool exact = exact_ > 0;
  if (!exact) output_.Indent(level);
  output_.Ascii("<");
  output_.Wide(name, static_cast<int>(nameLength));
  const dom2html::CLowerTagName lower(name, static_cast<int>(nameLength));
  // Only an HTML element is written by its name's rules; asking costs a call, made for those names only.
  const bool html = !writer_rules::DependsOnVocabulary(lower.get()) || IsHtmlElement(node);
  const bool keepsContent = !exact && html && KeepsContentExactly(lower.get());
  const Special special = html ? SpecialOfNode(node, lower.get()) : Special::None;
  const int span = BeginSpan(start, sourceIndex, lower.get(), html, special);
  utf8Meta_ = {};
  ownMeta_ = false;
  if (special == Special::Meta) {
    if (PatchMetaGenerator(node)) generatorPresent_ = 1;
    const bool contentType = IsContentTypeMeta(node);
    const bool charset = HasCharsetAttribute(node);
    // A page that declares its character set in either form gets no second declaration from the writer.
    if (contentType || charset) contentTypePresent_ = 1;
    if (redeclareUtf8_) utf8Meta_ = {contentType, charset};
    ownMeta_ = IsOwnMeta(node);
  }
  const bool attributesWritten = AppendNodeAttributes(node, view.get(), special == Special::Input);
  utf8Meta_ = {};
  ownMeta_ = false;
  if (!attributesWritten) {
    TRACE("CDom2HTML::ParseElement(): failed to append attributes\n");
    return 0;
  }
  // The parser drops the break after a pre, listing or textarea start tag even inside exact content.
  if (html && DropsLeadingLineBreak(lower.get()))
    output_.Ascii(">\n");
  else if (exact || keepsContent)
    output_.Ascii(">");
  else
    output_.Ascii(">\n");
  CWithin exactContent(exact_, keepsContent);
  CWithin rawText(rawText_, html && HoldsRawText(lower.get()));
  if (html && writer_rules::EndsMarkup(lower.get())) markupEnded_ = true;
  if (special == Special::Style && !ParseStyleNode(node)) {
    TRACE("CDom2HTML::ParseElement(): style node parse failed\n");
    return 0;
  }
  if (special == Special::Title && !ParseTitleNode(node)) {
    TRACE("CDom2HTML::ParseElement(): title node parse failed\n");
    return 0;
  }
  if (special == Special::Script && !ParseScriptNode(node)) {
    TRACE("CDom2HTML::ParseElement(): script node parse failed\n");
    return 0;
  }
  if (!ParseChildren(node, level, last)) return 0;
  if (special == Special::Head) {
    if (!generatorPresent_) WriteGeneratorMeta(level + 1);
    generatorPresent_ = 1;
    if (!contentTypePresent_) WriteContentTypeMeta(level + 1);
    contentTypePresent_ = 1;
  }
  if (!markupEnded_ && (!html || NeedsEndTagLower(lower.get()))) {
    // The end tag of exact content follows it directly: an indent would be read as more content.
    if (!exact && !keepsContent && !endTagAtOnce_) output_.Indent(level);
    endTagAtOnce_ = false;
    output_.Ascii("</");
    output_.Wide(name, static_cast<int>(nameLength));
    if (exact)
      output_.Ascii(">");
    else
      output_.Ascii(">\n");
  }
  // Spans given up on meanwhile (memory ran out) are gone from the list.
  if (span >= 0 && static_cast<size_t>(span) < spans_.size()) spans_[static_cast<size_t>(span)].end = markupEnded_ ? -1 : output_.Mark();
  return 1;
}

int CDom2HTML::WriteStartTag(IHTMLDOMNode* node, UINT codePage, CXString& tag) {
  tag.Empty();
  output_.Reset(codePage);
  exact_ = 0;
  rawText_ = 0;
  markupEnded_ = false;
  utf8Meta_ = {};
  ownMeta_ = false;
  long type = 0;
  if (!node || FAILED(node->get_nodeType(&type)) || type != 1) return 0;
  CComRef<IMarkupView> view;
  if (lendText_ && FAILED(node->QueryInterface(__uuidof(IMarkupView), view.OutVoid()))) view.Reset();
  const wchar_t* name = nullptr;
  UINT nameLength = 0;
  CBstr nameCopy;
  if (!NodeName(node, view.get(), name, nameLength, nameCopy)) return 0;
  output_.Ascii("<");
  output_.Wide(name, static_cast<int>(nameLength));
  // The elements BeginSpan keeps, as ParseElement asks about them.
  const dom2html::CLowerTagName lower(name, static_cast<int>(nameLength));
  if (writer_rules::DependsOnVocabulary(lower.get()) && !IsHtmlElement(node)) return 0;
  const Special special = SpecialOfNode(node, lower.get());
  if (special != Special::None && special != Special::Input) return 0;
  if (!AppendNodeAttributes(node, view.get(), special == Special::Input)) {
    output_.Clear();
    return 0;
  }
  if (output_.Failed()) throw ComOutOfMemory{};
  tag = output_.TakeText();
  return 1;
}

int CDom2HTML::BeginSpan(int start, long sourceIndex, const wchar_t* lowerTag, bool html, Special special) {
  if (!recordSpans_ || sourceIndex < 0 || exact_ > 0 || rawText_ > 0 || markupEnded_ || !html) return -1;
  if (special != Special::None && special != Special::Input) return -1;
  const bool standsAlone = !(writer_rules::EqualsAscii(lowerTag, "html") || writer_rules::EqualsAscii(lowerTag, "body") ||
                             writer_rules::EqualsAscii(lowerTag, "frameset"));
  try {
    spans_.push_back({start, -1, sourceIndex, standsAlone});
  } catch (const std::bad_alloc&) {
    // Without every span none can be trusted to be the innermost: the caller does without.
    recordSpans_ = false;
    spans_ = {};
    return -1;
  }
  return static_cast<int>(spans_.size() - 1);
}

int CDom2HTML::ParseChildren(IHTMLDOMNode* node, int level, long& last) {
  // Sibling by sibling: a children collection for each of thousands of elements would be an object
  // made and filled only to be read once.
  CComRef<IHTMLDOMNode> child;
  if (FAILED(node->get_firstChild(child.Out()))) {
    TRACE("CDom2HTML::ParseElement(): can't get first child\n");
    return 0;
  }
  while (child) {
    if (!ParseElement(child.get(), level + 1, last)) {
      TRACE("CDom2HTML::ParseElement(): child parsing failed\n");
      return 0;
    }
    CComRef<IHTMLDOMNode> next;
    if (FAILED(child->get_nextSibling(next.Out()))) {
      TRACE("CDom2HTML::ParseElement(): can't get next sibling\n");
      return 0;
    }
    child = std::move(next);
  }
  return 1;
}

int CDom2HTML::ParseTextNode(IHTMLDOMNode* node, IMarkupView* view, int level) {
  const wchar_t* lent = nullptr;
  UINT lentLength = 0;
  if (view && view->LendNodeValue(&lent, &lentLength) == S_OK) {
    WriteText(lent, static_cast<int>(lentLength), level);
    return 1;
  }
  CVariant value;
  if (FAILED(node->get_nodeValue(&value))) {
    TRACE("CDom2HTML::ParseElement(): can't get text node value\n");
    return 1;
  }
  if (value.Type() != VT_BSTR || !V_BSTR(&value.get())) return 1;
  WriteText(V_BSTR(&value.get()), BstrLength(V_BSTR(&value.get())), level);
  return 1;
}

void CDom2HTML::WriteText(const wchar_t* text, int length, int level) {
  const HtmlEscape escape = rawText_ ? HtmlEscape::None : HtmlEscape::Text;
  if (exact_) {
    output_.Wide(text, length, escape);
    return;
  }
  TrimBlanks(text, length);
  if (length == 0) return;
  output_.Indent(level);
  output_.Wide(text, length, escape);
  output_.Ascii("\n");
}

// The engine reports a comment (and a declaration such as the doctype) with its delimiters.
int CDom2HTML::ParseCommentNode(IHTMLDOMNode* node, int level) {
  CComRef<IHTMLCommentElement> comment;
  CBstr text;
  if (FAILED(node->QueryInterface(IID_IHTMLCommentElement, comment.OutVoid())) || !comment ||
      FAILED(comment->get_text(text.Out())))
    return 1;
  if (!exact_) output_.Indent(level);
  output_.Wide(text.get(), text.Length());
  if (!exact_) output_.Ascii("\n");
  return 1;
}

// --- content held as a property: never indented ---------------------------------------------------------
// The writer puts this content on lines of its own, so a reader finds the line breaks and the end tag's
// indentation around it; the blanks at its ends are therefore left out, or every save would add more.

void CDom2HTML::WritePropertyContent(const wchar_t* text, int length, HtmlEscape escape, const char* rawTag) {
  TrimBlanks(text, length);
  output_.Wide(text, length, escape);
  if (rawTag && writer_rules::EndsWithEndTagOpen(text, length, rawTag)) {
    endTagAtOnce_ = true;
    return;
  }
  output_.Ascii("\n");
}

int CDom2HTML::ParseStyleNode(IHTMLDOMNode* node) {
  CComRef<IHTMLStyleElement> style;
  if (FAILED(node->QueryInterface(IID_IHTMLStyleElement, style.OutVoid())) || !style) {
    TRACE("CDom2HTML::ParseStyleNode(): query for IHTMLStyleElement failed\n");
    return 0;
  }
  CComRef<IHTMLStyleSheet> sheet;
  if (FAILED(style->get_styleSheet(sheet.Out())) || !sheet) {
    TRACE("CDom2HTML::ParseStyleNode(): can't get stylesheet\n");
    return 0;
  }
  CBstr text;
  if (FAILED(sheet->get_cssText(text.Out()))) {
    TRACE("CDom2HTML::ParseStyleNode(): can't get css text\n");
    return 0;
  }
  WritePropertyContent(text.get(), text.Length(), HtmlEscape::None, "style");
  return 1;
}

int CDom2HTML::ParseScriptNode(IHTMLDOMNode* node) {
  CComRef<IHTMLScriptElement> script;
  if (FAILED(node->QueryInterface(IID_IHTMLScriptElement, script.OutVoid())) || !script) {
    TRACE("CDom2HTML::ParseScriptNode(): query for IHTMLScriptElement failed\n");
    return 0;
  }
  CBstr text;
  if (FAILED(script->get_text(text.Out()))) {
    TRACE("CDom2HTML::ParseScriptNode(): can't get script code\n");
    return 0;
  }
  WritePropertyContent(text.get(), text.Length(), HtmlEscape::None, "script");
  // A script the end of the page cut short inside "<!--" and "<script" would read the rest of the page
  // as more script: a line of "-->" (a comment line to the script) lets its end tag close it.
  const wchar_t* content = text.get();
  int length = text.Length();
  TrimBlanks(content, length);
  if (!endTagAtOnce_ && !writer_rules::ScriptTextCloses(content, length)) output_.Ascii("-->\n");
  return 1;
}

// The title is element content: it is read back with its character references decoded.
int CDom2HTML::ParseTitleNode(IHTMLDOMNode* node) {
  CComRef<IHTMLTitleElement> title;
  if (FAILED(node->QueryInterface(IID_IHTMLTitleElement, title.OutVoid())) || !title) {
    TRACE("CDom2HTML::ParseTitleNode(): query to IHTMLTitleElement failed\n");
    return 0;
  }
  CBstr text;
  if (FAILED(title->get_text(text.Out()))) {
    TRACE("CDom2HTML::ParseTitleNode(): can't get title text\n");
    return 0;
  }
  const wchar_t* content = text.get();
  int length = text.Length();
  TrimBlanks(content, length);
  if (length == 0) return 1;
  WritePropertyContent(content, length, HtmlEscape::Text);
  return 1;
}
