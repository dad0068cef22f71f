// The element object: its styles and the geometry of the simple box model.
#include "engine/com/ComValues.h"
#include "engine/com/ElementGeometry.h"
#include "engine/com/ElementObject.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"
#include "engine/com/style/StyleObjects.h"

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

// One number of the element's box in the document's layout; an element without a box (a comment, a
// detached element, one inside a control) reports 0.
template <class Field>
HRESULT ReturnBoxField(CHtmlDocument& document, Element* element, LONG* p, Field field) {
  if (!p) return E_POINTER;
  *p = 0;
  if (!element) return S_OK;
  return Guarded([&] {
    if (const vellum::engine::layout::Box* box = document.Layout().BoxOf(*element)) *p = field(*box);
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
  Element& e = *GetElement();
  return GuardedRead([&] { return CreateInlineStyle(e, p); });
}

HRESULT CElement::get_currentStyle(IHTMLCurrentStyle** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element& e = *GetElement();
  return Guarded([&] { return CreateCurrentStyle(e, p); });
}

using vellum::engine::layout::Box;

HRESULT CElement::get_offsetLeft(LONG* p) {
  return ReturnBoxField(GetDocument(), GetElement(), p, [](const Box& box) { return box.offsetLeft; });
}
HRESULT CElement::get_offsetTop(LONG* p) {
  return ReturnBoxField(GetDocument(), GetElement(), p, [](const Box& box) { return box.offsetTop; });
}
HRESULT CElement::get_offsetWidth(LONG* p) {
  return ReturnBoxField(GetDocument(), GetElement(), p, [](const Box& box) { return box.border.width; });
}
HRESULT CElement::get_offsetHeight(LONG* p) {
  return ReturnBoxField(GetDocument(), GetElement(), p, [](const Box& box) { return box.border.height; });
}

HRESULT CElement::get_offsetParent(IHTMLElement** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  Element* e = GetElement();
  if (!e) return S_OK;
  return Guarded([&] {
    const Box* box = GetDocument().Layout().BoxOf(*e);
    return WrapNodeAs(GetDocument(), box ? box->offsetParent : OffsetParentOf(*e), p);
  });
}

HRESULT CElement::get_clientLeft(LONG* p) {
  return ReturnClientField(GetDocument(), GetElement(), p, [](const ClientArea& area) { return area.left; });
}
HRESULT CElement::get_clientTop(LONG* p) {
  return ReturnClientField(GetDocument(), GetElement(), p, [](const ClientArea& area) { return area.top; });
}
HRESULT CElement::get_clientWidth(LONG* p) {
  return ReturnClientField(GetDocument(), GetElement(), p, [](const ClientArea& area) { return area.width; });
}
HRESULT CElement::get_clientHeight(LONG* p) {
  return ReturnClientField(GetDocument(), GetElement(), p, [](const ClientArea& area) { return area.height; });
}

}  // namespace vellum::engine::com
