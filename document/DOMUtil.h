// CDOMUtil: the thin layer through which the editor reads and changes the hosted document. One is
// made on the stack for each operation, bound to the editor's document.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <plinthcore.h>

#include <utility>

#include "comkit/ComRef.h"

// The description of an element to create; BuildHTML turns it into markup. Owns none of its strings.
struct HTMLElementCreateData {
  HTMLElementCreateData() = default;
  virtual ~HTMLElementCreateData() = default;
  // A newly allocated engine string with the markup (the caller frees it), or null without a tag.
  virtual BSTR BuildHTML() const;

  const wchar_t* tagName = nullptr;    // required
  const wchar_t* id = nullptr;         // id attribute, or null
  const wchar_t* title = nullptr;      // title attribute, or null
  const wchar_t* style = nullptr;      // inline style, or null
  const wchar_t* attributes = nullptr; // further attribute text, written unchanged
  const wchar_t* innerHTML = nullptr;  // markup between the tags
  int hasEndTag = 1;                   // 0: closed as " />"
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
  CComRef<IHTMLElement> GetBody();

  int InsertElement(const HTMLElementCreateData& record);
  int InsertHTML(const wchar_t* markup);
  int RemoveElementFromPoint(int x, int y);
  int RemoveElementBySourceIndex(int index);

  // text is in codePage (0: the ANSI code page).
  int LoadCode(const char* text, UINT codePage = CP_ACP);
  int LoadFromFile(const char* path);

  int GetBODYCustomWHAttrs(int& width, int& height);
  int SetBODYCustomWHAttrs(int width, int height);

  int IncreaseZIndex(IHTMLElement* element, int step) { return StepZIndex(element, step); }
  int DecreaseZIndex(IHTMLElement* element, int step) { return StepZIndex(element, -step); }

  // "left: L px; top: T px; width: W px; height: H px;" with signed decimal numbers.
  static void FormatPositionStyle(const RECT& rect, CXStringW& style);
  static void AppendNumber(CXStringW& text, int number);

 private:
  int StepZIndex(IHTMLElement* element, int delta);
  CComRef<IHTMLDocument2> document_;
};
