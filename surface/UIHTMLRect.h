// A selection rectangle bound to one element of the page: reads the element's box, decides whether it
// may be moved at all, follows the mouse during a move or a resize and writes the result back into
// the element's inline style.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "surface/UIRect.h"

// How a rectangle was last drawn, or why it is never drawn.
enum UIRectState : int {
  kStatePrimary = 0,    // primary selection look
  kStateSecondary = 1,  // secondary selection look
  kStateTracker = 2,    // inverting drag feedback
  kStateFresh = 3,      // movable, not drawn yet
  kStateFixed = 4,      // the element cannot be moved or sized
};

class CUIHTMLRect : public CUIRect {
 public:
  // element may be empty: the rectangle is then fixed.
  explicit CUIHTMLRect(CComRef<IHTMLElement> element);
  ~CUIHTMLRect() override;
  CUIHTMLRect(const CUIHTMLRect&) = delete;
  CUIHTMLRect& operator=(const CUIHTMLRect&) = delete;

  CComRef<IHTMLElement> GetElement() const { return element_; }
  // The element's live source index, or -1 when it cannot be read.
  long SourceIndex() const;

  // Reads the element's box; 0 (rect unchanged) when the element is not a movable child of the body.
  int UpdateFromElement();
  // Writes rect into the element's inline style; 0 when fixed, or when a write failed (rect re-read).
  // Running out of memory throws ComOutOfMemory before anything is written.
  int ApplyToElement();

  // The same in two steps, for writing a whole selection or nothing: the pixel values of rect are made
  // first (running out of memory throws ComOutOfMemory then), and written later without allocating.
  struct StyleValues {
    CVariant top, left, width, height;
  };
  void PrepareStyle(StyleValues& values) const;
  int WriteStyle(const StyleValues& values);

  // The element's inline style text as the engine hands it out (null when it has none or cannot tell),
  // and putting such a text back: an edit that fails after writing takes its writes back with them.
  BSTR TakeStyleText() const;
  void RestoreStyleText(BSTR text);

  // mode 0 primary, 1 secondary, 2 tracker; the state follows unless the rectangle is fixed.
  void Draw(HDC dc, int mode);

  void SetAnchor(int x, int y) { anchor = {x, y}; }
  int CanMoveTo(int x, int y, const RECT& bounds) const;
  void MoveTo(int x, int y);
  int CanResizeTo(int x, int y, int code, const RECT& bounds) const;
  void ResizeTo(int x, int y, int code);

  int state = kStateFixed;  // UIRectState
  POINT anchor = {-1, -1};  // where the last drag step ended; (-1, -1) before any drag

 private:
  bool Dragging() const { return anchor.x != -1 || anchor.y != -1; }
  // rect as a resize by code to (x, y) would leave it; false for codes without a handle.
  bool ResizedRect(int x, int y, int code, RECT& out) const;

  CComRef<IHTMLElement> element_;
};
