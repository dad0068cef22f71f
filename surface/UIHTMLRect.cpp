#include "surface/UIHTMLRect.h"

#include <cwctype>
#include <utility>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"

namespace {

// Lower-cased equality with an ASCII name; a null text equals nothing.
bool NameIs(BSTR text, const wchar_t* name) {
  if (!text) return false;
  const wchar_t* p = text;
  for (; *p && *name; ++p, ++name)
    if (static_cast<wchar_t>(std::towlower(*p)) != *name) return false;
  return *p == 0 && *name == 0;
}

// "120px" as the value of a style property, made ahead of the write.
void PixelsValue(long value, CVariant& out) {
  wchar_t text[24];
  wsprintfW(text, L"%ldpx", value);
  BSTR pixels = comkit::AllocString(text);
  if (!pixels) throw ComOutOfMemory{};
  V_VT(&out) = VT_BSTR;
  V_BSTR(&out) = pixels;
}

}  // namespace

CUIHTMLRect::CUIHTMLRect(CComRef<IHTMLElement> element) : element_(std::move(element)) {
  state = UpdateFromElement() ? kStateFresh : kStateFixed;
}

CUIHTMLRect::~CUIHTMLRect() = default;

long CUIHTMLRect::SourceIndex() const {
  long index = -1;
  if (!element_ || FAILED(element_->get_sourceIndex(&index))) return -1;
  return index;
}

int CUIHTMLRect::UpdateFromElement() {
  if (!element_) return 0;
  CComRef<IHTMLElement2> element2;
  if (FAILED(element_->QueryInterface(IID_IHTMLElement2, element2.OutVoid())) || !element2) return 0;
  CComRef<IHTMLCurrentStyle> current;
  if (FAILED(element2->get_currentStyle(current.Out())) || !current) return 0;
  CBstr position;
  if (FAILED(current->get_position(position.Out())) || !NameIs(position.get(), L"absolute")) return 0;
  // Only children of the body move: a legend or a control inside a fieldset goes with its fieldset.
  CComRef<IHTMLElement> parent;
  if (FAILED(element_->get_parentElement(parent.Out())) || !parent) return 0;
  CBstr parentTag;
  if (FAILED(parent->get_tagName(parentTag.Out())) || !NameIs(parentTag.get(), L"body")) return 0;
  long top = 0, left = 0, width = 0, height = 0;
  if (FAILED(element_->get_offsetTop(&top)) || FAILED(element_->get_offsetLeft(&left)) ||
      FAILED(element_->get_offsetWidth(&width)) || FAILED(element_->get_offsetHeight(&height)))
    return 0;
  rect = {left, top, left + width, top + height};
  return 1;
}

int CUIHTMLRect::ApplyToElement() {
  if (state == kStateFixed || !element_) return 0;
  StyleValues values;
  PrepareStyle(values);
  return WriteStyle(values);
}

void CUIHTMLRect::PrepareStyle(StyleValues& values) const {
  PixelsValue(rect.top, values.top);
  PixelsValue(rect.left, values.left);
  PixelsValue(rect.right - rect.left, values.width);
  PixelsValue(rect.bottom - rect.top, values.height);
}

int CUIHTMLRect::WriteStyle(const StyleValues& values) {
  if (state == kStateFixed || !element_) return 0;
  CComRef<IHTMLStyle> style;
  bool written = SUCCEEDED(element_->get_style(style.Out())) && style;
  written = written && SUCCEEDED(style->put_top(values.top.get()));
  written = written && SUCCEEDED(style->put_left(values.left.get()));
  written = written && SUCCEEDED(style->put_width(values.width.get()));
  written = written && SUCCEEDED(style->put_height(values.height.get()));
  if (written) return 1;
  // Whatever was written stays; the rectangle shows what the element now is.
  UpdateFromElement();
  return 0;
}

BSTR CUIHTMLRect::TakeStyleText() const {
  CComRef<IHTMLStyle> style;
  BSTR text = nullptr;
  if (!element_ || FAILED(element_->get_style(style.Out())) || !style || FAILED(style->get_cssText(&text)))
    return nullptr;
  return text;
}

void CUIHTMLRect::RestoreStyleText(BSTR text) {
  CComRef<IHTMLStyle> style;
  if (element_ && SUCCEEDED(element_->get_style(style.Out())) && style) style->put_cssText(text);
  UpdateFromElement();
}

void CUIHTMLRect::Draw(HDC dc, int mode) {
  switch (mode) {
    case kStatePrimary:
      DrawPrimary(dc);
      break;
    case kStateSecondary:
      DrawSecondary(dc);
      break;
    case kStateTracker:
      DrawTracker(dc);
      break;
    default:
      return;
  }
  if (state != kStateFixed) state = mode;
}

int CUIHTMLRect::CanMoveTo(int x, int y, const RECT& bounds) const {
  if (!Dragging()) return 0;
  const POINT topLeft = {rect.left + x - anchor.x, rect.top + y - anchor.y};
  const POINT bottomRight = {rect.right + x - anchor.x, rect.bottom + y - anchor.y};
  return PtInRect(&bounds, topLeft) && PtInRect(&bounds, bottomRight) ? 1 : 0;
}

void CUIHTMLRect::MoveTo(int x, int y) {
  if (!Dragging()) return;
  OffsetRect(&rect, x - anchor.x, y - anchor.y);
  anchor = {x, y};
}

bool CUIHTMLRect::ResizedRect(int x, int y, int code, RECT& out) const {
  const int dx = x - anchor.x, dy = y - anchor.y;
  out = rect;
  switch (code) {
    case kHitTopLeft:
      out.left += dx;
      out.top += dy;
      break;
    case kHitTop:
      out.top += dy;
      break;
    case kHitTopRight:
      out.top += dy;
      out.right += dx;
      break;
    case kHitLeft:
      out.left += dx;
      break;
    case kHitRight:
      out.right += dx;
      break;
    case kHitBottomLeft:
      out.left += dx;
      out.bottom += dy;
      break;
    case kHitBottom:
      out.bottom += dy;
      break;
    case kHitBottomRight:
      out.right += dx;
      out.bottom += dy;
      break;
    default:
      return false;
  }
  return true;
}

int CUIHTMLRect::CanResizeTo(int x, int y, int code, const RECT& bounds) const {
  RECT next;
  if (!Dragging() || !ResizedRect(x, y, code, next)) return 0;
  // No minimum size: an empty or inverted rectangle is fine while both corners stay inside.
  const POINT topLeft = {next.left, next.top}, bottomRight = {next.right, next.bottom};
  return PtInRect(&bounds, topLeft) && PtInRect(&bounds, bottomRight) ? 1 : 0;
}

void CUIHTMLRect::ResizeTo(int x, int y, int code) {
  RECT next;
  if (!Dragging() || !ResizedRect(x, y, code, next)) return;
  rect = next;
  anchor = {x, y};
}
