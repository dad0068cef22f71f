#include "engine/com/ElementGeometry.h"

#include <mshtml.h>

#include <climits>
#include <unordered_map>

#include "engine/com/ComValues.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/style/StyleObjects.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::TagId;

namespace {

struct Borders {
  LONG left = 0, top = 0, right = 0, bottom = 0;
};

// What the geometry needs from an element's computed style.
struct StyleFacts {
  bool positioned = false;  // position other than static
  bool hasZIndex = false;
  LONG zIndex = 0;
  Borders borders;  // used border widths in pixels
};

class CurrentStyle {
 public:
  explicit CurrentStyle(Element& element) {
    if (FAILED(CreateCurrentStyle(element, &style_))) style_ = nullptr;
  }
  ~CurrentStyle() {
    if (style_) style_->Release();
  }
  CurrentStyle(const CurrentStyle&) = delete;
  CurrentStyle& operator=(const CurrentStyle&) = delete;
  IHTMLCurrentStyle* operator->() const { return style_; }
  IHTMLCurrentStyle* get() const { return style_; }
  explicit operator bool() const { return style_ != nullptr; }

 private:
  IHTMLCurrentStyle* style_ = nullptr;
};

// Reads a text property; empty when it cannot be read.
template <class Getter>
std::u16string ReadText(Getter getter) {
  BSTR value = nullptr;
  std::u16string text;
  if (SUCCEEDED(getter(&value))) text.assign(TextOf(value));
  SysFreeString(value);
  return text;
}

// A border width as the current style reports it ("medium", "2px" ...), in pixels.
LONG WidthInPixels(const std::u16string& text) {
  if (text == u"thin") return 1;
  if (text == u"medium") return 3;
  if (text == u"thick") return 5;
  LONG pixels = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') break;
    pixels = pixels * 10 + (c - u'0');
    if (pixels > 100000) break;
  }
  return pixels;
}

LONG BorderWidth(IHTMLCurrentStyle* style, HRESULT (STDMETHODCALLTYPE IHTMLCurrentStyle::*getStyle)(BSTR*),
                 HRESULT (STDMETHODCALLTYPE IHTMLCurrentStyle::*getWidth)(VARIANT*)) {
  std::u16string borderStyle = ReadText([&](BSTR* p) { return (style->*getStyle)(p); });
  if (borderStyle.empty() || borderStyle == u"none" || borderStyle == u"hidden") return 0;
  VARIANT width;
  VariantInit(&width);
  std::u16string text;
  if (SUCCEEDED((style->*getWidth)(&width))) TextOfVariant(width, text);
  VariantClear(&width);
  return WidthInPixels(text);
}

// Which sides' border widths a query needs (each side costs two reads of the computed style).
enum class BorderSides : uint8_t { None, LeftTop, All };

Borders BordersOf(IHTMLCurrentStyle* s, BorderSides sides) {
  Borders borders;
  if (sides == BorderSides::None) return borders;
  borders.left = BorderWidth(s, &IHTMLCurrentStyle::get_borderLeftStyle, &IHTMLCurrentStyle::get_borderLeftWidth);
  borders.top = BorderWidth(s, &IHTMLCurrentStyle::get_borderTopStyle, &IHTMLCurrentStyle::get_borderTopWidth);
  if (sides == BorderSides::LeftTop) return borders;
  borders.right = BorderWidth(s, &IHTMLCurrentStyle::get_borderRightStyle, &IHTMLCurrentStyle::get_borderRightWidth);
  borders.bottom = BorderWidth(s, &IHTMLCurrentStyle::get_borderBottomStyle, &IHTMLCurrentStyle::get_borderBottomWidth);
  return borders;
}

// The position and z-index always; the border widths of a positioned element (whose children are
// placed inside its borders) on the sides asked for.
StyleFacts FactsOf(Element& element, BorderSides sides) {
  StyleFacts facts;
  CurrentStyle style(element);
  if (!style) return facts;
  std::u16string position = ReadText([&](BSTR* p) { return style->get_position(p); });
  facts.positioned = !position.empty() && position != u"static";
  if (!facts.positioned) return facts;
  VARIANT z;
  VariantInit(&z);
  if (SUCCEEDED(style->get_zIndex(&z)) && IsNumber(z)) facts.hasZIndex = SUCCEEDED(LongOfVariant(z, facts.zIndex));
  VariantClear(&z);
  facts.borders = BordersOf(style.get(), sides);
  return facts;
}

Borders AllBordersOf(Element& element) {
  CurrentStyle style(element);
  return style ? BordersOf(style.get(), BorderSides::All) : Borders{};
}

LONG Inside(LONG size, LONG before, LONG after) { return size - before - after > 0 ? size - before - after : 0; }

}  // namespace

ClientArea ClientAreaOf(CHtmlDocument& document, Element& element) {
  ClientArea area;
  if (&element == element.GetDocument().Body()) {
    // The body fills the document window: its client area is the window's, inside the body's borders.
    Borders borders = AllBordersOf(element);
    area.left = borders.left;
    area.top = borders.top;
    RECT client = {};
    if (HWND view = document.ViewWindow(); view && GetClientRect(view, &client)) {
      area.width = Inside(client.right - client.left, borders.left, borders.right);
      area.height = Inside(client.bottom - client.top, borders.top, borders.bottom);
    }
    return area;
  }
  if (const vellum::engine::layout::Box* box = document.Layout().BoxOf(element)) {
    area.left = box->clientLeft;
    area.top = box->clientTop;
    area.width = box->clientWidth;
    area.height = box->clientHeight;
  }
  return area;
}

Element* OffsetParentOf(Element& element) {
  Element* body = element.GetDocument().Body();
  if (&element == body) return nullptr;
  for (Element* ancestor = element.ParentElement(); ancestor; ancestor = ancestor->ParentElement()) {
    if (ancestor == body) return body;
    if (FactsOf(*ancestor, BorderSides::None).positioned) return ancestor;
  }
  return nullptr;
}

}  // namespace vellum::engine::com
