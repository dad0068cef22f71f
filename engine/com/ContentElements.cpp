// The element object as a meta, style, script, title, comment, body or image element.
#include "dom/character_data.h"
#include "engine/com/ComValues.h"
#include "engine/com/ElementObject.h"
#include "engine/com/FormState.h"
#include "engine/com/SourceUrl.h"
#include "engine/com/style/StyleObjects.h"

namespace engine {

using vellum::engine::Comment;
using vellum::engine::Element;

namespace {

// A comment's text is its whole markup; written back, the delimiters are taken off again.
std::u16string_view CommentData(std::u16string_view markup) {
  constexpr std::u16string_view kOpen = u"<!--", kClose = u"-->";
  if (markup.size() >= kOpen.size() + kClose.size() && markup.substr(0, kOpen.size()) == kOpen &&
      markup.substr(markup.size() - kClose.size()) == kClose)
    return markup.substr(kOpen.size(), markup.size() - kOpen.size() - kClose.size());
  return markup;
}

}  // namespace

// --- text held by the element ------------------------------------------------------------------------

HRESULT CElement::get_text(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Option: return ReturnString(OptionText(*element()), p);
      case ElementObjectKind::Script:
      case ElementObjectKind::Title: return ReturnString(element()->text(), p);
      case ElementObjectKind::Comment: return ReturnString(vellum::engine::asComment(&node())->markup(), p);
      default: return NotForThisTag("get_text");
    }
  });
}

HRESULT CElement::put_text(BSTR v) {
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Option:
        ReplaceChildrenWithText(*element(), TextOf(v));
        return S_OK;
      case ElementObjectKind::Script:
      case ElementObjectKind::Title:
        element()->setText(TextOf(v));
        return S_OK;
      case ElementObjectKind::Comment:
        vellum::engine::asComment(&node())->setData(CommentData(TextOf(v)));
        return S_OK;
      default: return NotForThisTag("put_text");
    }
  });
}

// --- sources -----------------------------------------------------------------------------------------

// An image (or image input) reports the URL it shows; a script its src as written.
HRESULT CElement::get_src(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] {
    switch (kind_) {
      case ElementObjectKind::Img:
      case ElementObjectKind::Input: return ReturnString(ResolvedSourceUrl(AttributeText(*element(), u"src")), p);
      case ElementObjectKind::Script: return GetAttributeText(u"src", p);
      default: return NotForThisTag("get_src");
    }
  });
}

HRESULT CElement::put_src(BSTR v) {
  switch (kind_) {
    case ElementObjectKind::Img:
    case ElementObjectKind::Input:
    case ElementObjectKind::Script: return SetAttributeText(u"src", v);
    default: return NotForThisTag("put_src");
  }
}

HRESULT CElement::get_alt(BSTR* p) { return GetAttributeText(u"alt", p); }
HRESULT CElement::put_alt(BSTR v) { return SetAttributeText(u"alt", v); }

// --- meta --------------------------------------------------------------------------------------------

HRESULT CElement::get_httpEquiv(BSTR* p) { return GetAttributeText(u"http-equiv", p); }
HRESULT CElement::put_httpEquiv(BSTR v) { return SetAttributeText(u"http-equiv", v); }
HRESULT CElement::get_content(BSTR* p) { return GetAttributeText(u"content", p); }
HRESULT CElement::put_content(BSTR v) { return SetAttributeText(u"content", v); }
HRESULT CElement::get_charset(BSTR* p) { return GetAttributeText(u"charset", p); }
HRESULT CElement::put_charset(BSTR v) { return SetAttributeText(u"charset", v); }

// --- style and script --------------------------------------------------------------------------------

HRESULT CElement::get_styleSheet(IHTMLStyleSheet** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return CreateStyleSheet(*element(), p); });
}

HRESULT CElement::get_media(BSTR* p) { return GetAttributeText(u"media", p); }
HRESULT CElement::put_media(BSTR v) { return SetAttributeText(u"media", v); }
HRESULT CElement::get_defer(VARIANT_BOOL* p) { return GetAttributeFlag(u"defer", p); }
HRESULT CElement::put_defer(VARIANT_BOOL v) { return SetAttributeFlag(u"defer", v); }

// --- body --------------------------------------------------------------------------------------------

HRESULT CElement::get_background(BSTR* p) { return GetAttributeText(u"background", p); }
HRESULT CElement::put_background(BSTR v) { return SetAttributeText(u"background", v); }

}  // namespace engine
