// The element object: its styles and the geometry of the simple box model.
#include "engine/com/ComValues.h"
#include "engine/com/ElementGeometry.h"
#include "engine/com/ElementObject.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"
#include "engine/com/style/StyleObjects.h"

namespace engine {

using vellum::engine::Element;

namespace {

// One number of the element's box; a comment has none.
template <class Field>
HRESULT ReturnBoxField(Element* element, LONG* p, Field field) {
  if (!p) return E_POINTER;
  *p = 0;
  if (!element) return S_OK;
  return Guarded([&] {
    *p = field(ComputeSimpleBox(*element));
    return S_OK;
  });
}

template <class Field>
HRESULT ReturnClientField(CHtmlDocument& document, Element* element, LONG* p, Field field) {
  if (!p) return E_POINTER;
  *p = 0;
  if (!element) return S_OK;
  return Guarded([&] {
    *p = field(ClientAreaOf(document, *element));
    return S_OK;
  });
}

}  // namespace

HRESULT CElement::get_style(IHTMLStyle** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = element();
  if (!e) return NotForThisTag("get_style");
  return Guarded([&] { return CreateInlineStyle(*e, p); });
}

HRESULT CElement::get_currentStyle(IHTMLCurrentStyle** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = element();
  if (!e) return NotForThisTag("get_currentStyle");
  return Guarded([&] { return CreateCurrentStyle(*e, p); });
}

HRESULT CElement::get_offsetLeft(LONG* p) {
  return ReturnBoxField(element(), p, [](const SimpleBox& box) { return box.left; });
}
HRESULT CElement::get_offsetTop(LONG* p) {
  return ReturnBoxField(element(), p, [](const SimpleBox& box) { return box.top; });
}
HRESULT CElement::get_offsetWidth(LONG* p) {
  return ReturnBoxField(element(), p, [](const SimpleBox& box) { return box.width; });
}
HRESULT CElement::get_offsetHeight(LONG* p) {
  return ReturnBoxField(element(), p, [](const SimpleBox& box) { return box.height; });
}

HRESULT CElement::get_offsetParent(IHTMLElement** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = element();
  if (!e) return S_OK;
  return Guarded([&] { return WrapNodeAs(document(), OffsetParentOf(*e), p); });
}

HRESULT CElement::get_clientLeft(LONG* p) {
  return ReturnClientField(document(), element(), p, [](const ClientArea& area) { return area.left; });
}
HRESULT CElement::get_clientTop(LONG* p) {
  return ReturnClientField(document(), element(), p, [](const ClientArea& area) { return area.top; });
}
HRESULT CElement::get_clientWidth(LONG* p) {
  return ReturnClientField(document(), element(), p, [](const ClientArea& area) { return area.width; });
}
HRESULT CElement::get_clientHeight(LONG* p) {
  return ReturnClientField(document(), element(), p, [](const ClientArea& area) { return area.height; });
}

// An image's or input's width and height are those of its box; setting them writes the attribute.
HRESULT CElement::get_width(LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  if (kind_ != ElementKind::Img && kind_ != ElementKind::Input) return NotForThisTag("get_width");
  return get_offsetWidth(p);
}
HRESULT CElement::get_height(LONG* p) {
  if (!p) return E_POINTER;
  *p = 0;
  if (kind_ != ElementKind::Img && kind_ != ElementKind::Input) return NotForThisTag("get_height");
  return get_offsetHeight(p);
}
HRESULT CElement::put_width(LONG v) {
  if (kind_ != ElementKind::Img && kind_ != ElementKind::Input) return NotForThisTag("put_width");
  return SetAttributeNumber(u"width", v);
}
HRESULT CElement::put_height(LONG v) {
  if (kind_ != ElementKind::Img && kind_ != ElementKind::Input) return NotForThisTag("put_height");
  return SetAttributeNumber(u"height", v);
}

}  // namespace engine
