#include "engine/com/ElementGeometry.h"

#include <mshtml.h>

#include <climits>
#include <unordered_map>

#include "engine/com/ComValues.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/style/StyleObjects.h"

namespace engine {

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
  Borders borders;          // used border widths in pixels
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
  borders.bottom =
      BorderWidth(s, &IHTMLCurrentStyle::get_borderBottomStyle, &IHTMLCurrentStyle::get_borderBottomWidth);
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

bool HasElementChildren(const Node& node) {
  for (const Node* child = node.firstChild(); child; child = child->nextSibling())
    if (child->isElement()) return true;
  return false;
}

LONG Inside(LONG size, LONG before, LONG after) { return size - before - after > 0 ? size - before - after : 0; }

// Controls whose content is drawn by the control itself: a point over them finds the control.
bool DrawsItsOwnContent(const Element& element) {
  return element.is(TagId::Select) || element.is(TagId::Textarea) || element.is(TagId::Object);
}

// Tree order below `root`; the subtree of `skipBelow` (when not null) is left out.
Node* NextBelow(Node* node, const Node* root, const Node* skipBelow) {
  if (node != skipBelow && node->firstChild()) return node->firstChild();
  for (; node && node != root; node = node->parent())
    if (node->nextSibling()) return node->nextSibling();
  return nullptr;
}

}  // namespace

ClientArea ClientAreaOf(CHtmlDocument& document, Element& element) {
  Borders borders = AllBordersOf(element);
  ClientArea area;
  area.left = borders.left;
  area.top = borders.top;
  LONG width = 0, height = 0;
  if (&element == element.document().body()) {
    RECT client = {};
    if (HWND view = document.ViewWindow(); view && GetClientRect(view, &client)) {
      width = client.right - client.left;
      height = client.bottom - client.top;
    }
  } else {
    SimpleBox box = ComputeSimpleBox(element);
    width = box.width;
    height = box.height;
  }
  area.width = Inside(width, borders.left, borders.right);
  area.height = Inside(height, borders.top, borders.bottom);
  return area;
}

Element* OffsetParentOf(Element& element) {
  Element* body = element.document().body();
  if (&element == body) return nullptr;
  for (Element* ancestor = element.parentElement(); ancestor; ancestor = ancestor->parentElement()) {
    if (ancestor == body) return body;
    if (FactsOf(*ancestor, BorderSides::None).positioned) return ancestor;
  }
  return nullptr;
}

// Elements are visited in tree order, so an element's ancestors are placed before it. Reading the
// computed style costs a cascade per property, so it is read only where it matters: for elements
// that hold the point (their z-index) and for those with element children (which may be the offset
// parent or stacking level of what lies below).
Element* ElementAtPoint(vellum::engine::Document& tree, LONG x, LONG y) {
  Element* body = tree.body();
  if (!body) return nullptr;
  struct Placed {
    LONG left = 0, top = 0;   // where the boxes it is the offset parent of start (its padding edge)
    bool offsetParent = false;
    LONG stackZ = 0;          // z-index of the stacking level the element paints in
  };
  std::unordered_map<const Element*, Placed> placed;
  Borders bodyBorders = AllBordersOf(*body);  // the body's box is the window's client area
  placed[body] = Placed{bodyBorders.left, bodyBorders.top, true, 0};
  Element* topmost = body;
  LONG topmostZ = LONG_MIN;
  const Node* skipBelow = nullptr;
  for (Node* node = body->firstChild(); node; node = NextBelow(node, body, skipBelow)) {
    Element* element = vellum::engine::asElement(node);
    if (!element) continue;
    bool container = HasElementChildren(*element);
    if (DrawsItsOwnContent(*element)) {
      skipBelow = element;
      container = false;
    }
    Element* parent = element->parentElement();
    LONG parentZ = placed[parent].stackZ;
    const Element* offsetParent = parent;
    while (!placed[offsetParent].offsetParent) offsetParent = offsetParent->parentElement();
    const Placed origin = placed[offsetParent];
    SimpleBox box = ComputeSimpleBox(*element);
    LONG left = origin.left + box.left, top = origin.top + box.top;
    bool holds = x >= left && x < left + box.width && y >= top && y < top + box.height;
    if (!holds && !container) continue;
    StyleFacts facts = FactsOf(*element, container ? BorderSides::LeftTop : BorderSides::None);
    Placed place{left + facts.borders.left, top + facts.borders.top, facts.positioned,
                 facts.positioned && facts.hasZIndex ? facts.zIndex : parentZ};
    if (container) placed[element] = place;
    if (holds && place.stackZ >= topmostZ) {  // later in tree order paints over
      topmost = element;
      topmostZ = place.stackZ;
    }
  }
  return topmost;
}

}  // namespace engine
