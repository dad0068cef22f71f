// CDOMUtil: the thin layer through which the editor reads and changes the hosted document. One is
// made on the stack for each operation, bound to the editor's document.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <plinthcore.h>

#include <utility>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"

// The description of an element to create; BuildHTML turns it into markup. Owns none of its strings.
struct HTMLElementCreateData {
  HTMLElementCreateData() = default;
  virtual ~HTMLElementCreateData() = default;
  // A newly allocated engine string with the markup (the caller frees it), or null without a tag.
  // Running out of memory throws ComOutOfMemory.
  virtual BSTR BuildHTML() const;

  const wchar_t* tagName = nullptr;     // required
  const wchar_t* id = nullptr;          // id attribute, or null
  const wchar_t* title = nullptr;       // title attribute, or null
  const wchar_t* style = nullptr;       // inline style, or null
  const wchar_t* attributes = nullptr;  // further attribute text, written unchanged
  const wchar_t* innerHTML = nullptr;   // markup between the tags
  int hasEndTag = 1;                    // 0: closed as " />"
};

// Where a removed node stood, so that an edit that fails after removing it can put it back.
struct RemovedNode {
  CComRef<IHTMLDOMNode> parent;
  CComRef<IHTMLDOMNode> node;
  CComRef<IHTMLDOMNode> next;  // the sibling it stood before; null when it was the last child
};

// The engine strings that read and write the form's size on the body, made ahead of time: with them the
// size is read and set without allocating, so that a completed load never stops half-way through
// setting its page up.
struct BodySizeStrings {
  CBstr widthName;
  CBstr heightName;
  CBstr defaultWidth;  // the size a page without one gets
  CBstr defaultHeight;
  // Makes them once; false when memory runs out (then nothing is kept).
  bool Prepare(int defaultWidthPixels, int defaultHeightPixels);
  bool Ready() const { return widthName.get() != nullptr; }
};

class CDOMUtil {
 public:
  // document may be empty: every operation then fails.
  explicit CDOMUtil(CComRef<IHTMLDocument2> document) : document_(std::move(document)) {}
  CDOMUtil(const CDOMUtil&) = delete;
  CDOMUtil& operator=(const CDOMUtil&) = delete;
  virtual ~CDOMUtil() = default;

  // Empty on failure.
  CComRef<IHTMLElement> GetElementFromPoint(int x, int y);
  CComRef<IHTMLElement> GetElementBySourceIndex(int index);
  // The element at that place of a document's "all" collection; empty when there is none.
  static CComRef<IHTMLElement> ItemOfAll(IHTMLElementCollection* all, long place);
  CComRef<IHTMLElement> GetBody();

  // Every engine string an insertion needs is made before the document is touched: running out of
  // memory throws ComOutOfMemory with nothing inserted.
  int InsertElement(const HTMLElementCreateData& record);
  int InsertHTML(const wchar_t* markup);
  // The body's last child, or empty: what an insertion appends comes after it.
  CComRef<IHTMLDOMNode> BodyLastChild();
  // Takes back an insertion: removes every child of the body after mark (all of them when mark is null).
  // Allocates nothing, so it can undo an edit that ran out of memory.
  int RemoveBodyChildrenAfter(IHTMLDOMNode* mark);
  // removed, when given, receives where the node stood, for Restore.
  int RemoveElementFromPoint(int x, int y, RemovedNode* removed = nullptr);
  int RemoveElementBySourceIndex(int index, RemovedNode* removed = nullptr);
  // Puts a removed node back where it stood; allocates nothing.
  static int Restore(const RemovedNode& removed);

  // text is in codePage (0: the ANSI code page). Both loads fail (0) before the document is touched
  // when memory for the text or the path runs out: the page that was there stays.
  int LoadCode(const char* text, UINT codePage = CP_ACP);
  int LoadFromFile(const char* path);

  // The form's size as the body's width and height attributes. Set writes both or, when memory runs
  // out (ComOutOfMemory), neither.
  int GetBODYCustomWHAttrs(int& width, int& height);
  int SetBODYCustomWHAttrs(int width, int height);
  // The same with strings made ahead: neither allocates. Set writes the defaults.
  int GetBODYCustomWHAttrs(const BodySizeStrings& strings, int& width, int& height);
  int SetBODYDefaultWHAttrs(const BodySizeStrings& strings);

  int IncreaseZIndex(IHTMLElement* element, int step) { return StepZIndex(element, step); }
  int DecreaseZIndex(IHTMLElement* element, int step) { return StepZIndex(element, -step); }

  // "left: L px; top: T px; width: W px; height: H px;" with signed decimal numbers. Running out of
  // memory throws ComOutOfMemory.
  static void FormatPositionStyle(const RECT& rect, CXStringW& style);
  static void AppendNumber(CXStringW& text, int number);

 private:
  int StepZIndex(IHTMLElement* element, int delta);
  int ReadBodySize(BSTR widthName, BSTR heightName, int& width, int& height);
  int WriteBodySize(BSTR widthName, BSTR heightName, BSTR width, BSTR height);
  CComRef<IHTMLDocument2> document_;
};
