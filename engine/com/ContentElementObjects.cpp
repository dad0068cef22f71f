// The content elements' objects: the body's size, an image's source, a comment's text.
#include "engine/com/ContentElementObjects.h"

#include "dom/character_data.h"
#include "engine/com/ComValues.h"
#include "engine/com/ElementPropertyAccess.h"
#include "engine/com/FormState.h"
#include "engine/com/SourceUrl.h"

namespace vellum::engine::com {

namespace {

// The body keeps the form's size as its own width and height attributes; reading one it lacks fails.
template <const char16_t* Name>
HRESULT GetBodyAttribute(CBodyElement& body, VARIANT* result) {
  return body.GetAttributeProperty(Name, result);
}
template <const char16_t* Name>
HRESULT PutBodyAttribute(CBodyElement& body, const VARIANT& value) {
  return body.SetAttributeProperty(Name, value);
}
constexpr char16_t kWidth[] = u"width";
constexpr char16_t kHeight[] = u"height";

// A comment's text is its whole markup; written back, the delimiters are taken off again.
std::u16string_view CommentData(std::u16string_view markup) {
  constexpr std::u16string_view kOpen = u"<!--", kClose = u"-->";
  if (markup.size() >= kOpen.size() + kClose.size() && markup.substr(0, kOpen.size()) == kOpen &&
      markup.substr(markup.size() - kClose.size()) == kClose)
    return markup.substr(kOpen.size(), markup.size() - kOpen.size() - kClose.size());
  return markup;
}

using Img = CImgElement;
using C = CCommentElement;

const NamedProperty<CBodyElement> kBodyProperties[] = {
    {L"width", kBodyWidthProperty, GetBodyAttribute<kWidth>, PutBodyAttribute<kWidth>},
    {L"height", kBodyHeightProperty, GetBodyAttribute<kHeight>, PutBodyAttribute<kHeight>},
};

const NamedProperty<CImgElement> kImgProperties[] = {
    {L"src", kSrcProperty, GetText<Img, &Img::get_src>, PutText<Img, &Img::put_src>},
    {L"name", kNameProperty, GetText<Img, &Img::get_name>, PutText<Img, &Img::put_name>},
};

const NamedProperty<CCommentElement> kCommentProperties[] = {
    {L"text", kTextProperty, GetText<C, &C::get_text>, PutText<C, &C::put_text>},
};

}  // namespace

// --- body --------------------------------------------------------------------------------------------

const NamedPropertyTable<CBodyElement>& CBodyElement::Properties() {
  static const NamedPropertyTable<CBodyElement> kTable(kBodyProperties, CElement::ElementProperties());
  return kTable;
}

// --- image -------------------------------------------------------------------------------------------

const NamedPropertyTable<CImgElement>& CImgElement::Properties() {
  static const NamedPropertyTable<CImgElement> kTable(kImgProperties, CElement::ElementProperties());
  return kTable;
}

// The URL it shows, not the src as written.
HRESULT CImgElement::get_src(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(ResolvedSourceUrl(AttributeText(*GetElement(), u"src")), p); });
}

// --- comment -----------------------------------------------------------------------------------------

// Its properties are those every element object has, without the attribute-backed and style ones.
const NamedPropertyTable<CCommentElement>& CCommentElement::Properties() {
  static const NamedPropertyTable<CCommentElement> kTable(kCommentProperties, CElement::Properties());
  return kTable;
}

HRESULT CCommentElement::get_text(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return Guarded([&] { return ReturnString(vellum::engine::AsComment(&GetNode())->Markup(), p); });
}

HRESULT CCommentElement::put_text(BSTR v) {
  return Guarded([&] {
    vellum::engine::AsComment(&GetNode())->SetData(CommentData(TextOf(v)));
    return S_OK;
  });
}

HRESULT CCommentElement::setAttribute(BSTR name, VARIANT value, LONG flags) {
  return IHTMLElementNotImpl::setAttribute(name, value, flags);
}
HRESULT CCommentElement::put_className(BSTR v) { return IHTMLElementNotImpl::put_className(v); }
HRESULT CCommentElement::put_id(BSTR v) { return IHTMLElementNotImpl::put_id(v); }
HRESULT CCommentElement::put_title(BSTR v) { return IHTMLElementNotImpl::put_title(v); }
HRESULT CCommentElement::put_lang(BSTR v) { return IHTMLElementNotImpl::put_lang(v); }
HRESULT CCommentElement::put_innerHTML(BSTR v) { return IHTMLElementNotImpl::put_innerHTML(v); }
HRESULT CCommentElement::put_innerText(BSTR v) { return IHTMLElementNotImpl::put_innerText(v); }
HRESULT CCommentElement::put_outerHTML(BSTR v) { return IHTMLElementNotImpl::put_outerHTML(v); }
HRESULT CCommentElement::insertAdjacentHTML(BSTR where, BSTR html) {
  return IHTMLElementNotImpl::insertAdjacentHTML(where, html);
}
HRESULT CCommentElement::insertAdjacentText(BSTR where, BSTR text) {
  return IHTMLElementNotImpl::insertAdjacentText(where, text);
}

HRESULT CCommentElement::get_style(IHTMLStyle** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return IHTMLElementNotImpl::get_style(p);
}

HRESULT CCommentElement::get_currentStyle(IHTMLCurrentStyle** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return IHTMLElement2NotImpl::get_currentStyle(p);
}

}  // namespace vellum::engine::com
