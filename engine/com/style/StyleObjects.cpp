#include "engine/com/style/StyleObjects.h"

#include "engine/com/style/CurrentStyle.h"
#include "engine/com/style/InlineStyle.h"
#include "engine/com/style/StyleComSupport.h"
#include "engine/com/style/StyleSheetObject.h"

namespace vellum::engine::com {

namespace {

// Hands a new object (holding its one reference) to the caller.
template <class Object, class Interface>
HRESULT Create(vellum::engine::Element& element, Interface** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return style::GuardedRead([&] {
    *out = new Object(element);
    return S_OK;
  });
}

}  // namespace

HRESULT CreateInlineStyle(vellum::engine::Element& element, IHTMLStyle** out) {
  return Create<style::CInlineStyle>(element, out);
}

HRESULT CreateCurrentStyle(vellum::engine::Element& element, IHTMLCurrentStyle** out) {
  return Create<style::CCurrentStyle>(element, out);
}

HRESULT CreateStyleSheet(vellum::engine::Element& styleElement, IHTMLStyleSheet** out) {
  return Create<style::CStyleSheetObject>(styleElement, out);
}

}  // namespace vellum::engine::com
