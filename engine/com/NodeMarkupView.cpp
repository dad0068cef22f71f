// The texts a node object lends through IMarkupView: the engine's own strings, in place.
#include "css/inline_style.h"
#include "dom/character_data.h"
#include "dom/element.h"
#include "engine/com/ComValues.h"
#include "engine/com/NodeObject.h"

namespace vellum::engine::com {

using vellum::engine::Attribute;
using vellum::engine::Element;
namespace css = vellum::engine::css;

namespace {

// BSTR and UTF-16 text are the same code units.
HRESULT Lend(std::u16string_view text, const wchar_t** out, UINT* length) {
  *out = reinterpret_cast<const wchar_t*>(text.data());
  *length = static_cast<UINT>(text.size());
  return S_OK;
}

HRESULT LendNothing(const wchar_t** out, UINT* length) {
  *out = nullptr;
  *length = 0;
  return S_FALSE;
}

}  // namespace

HRESULT CNodeObject::LendNodeName(const wchar_t** text, UINT* length) {
  if (!text || !length) return E_POINTER;
  const Element* element = vellum::engine::AsElement(node_.get());
  // A known tag's name is the table's own text; any other name (an unknown tag, an adjusted foreign
  // name) would have to be upper-cased into a copy.
  if (!element || element->LocalName().data() != vellum::engine::TagName(element->GetTagId()).data())
    return LendNothing(text, length);
  return Lend(vellum::engine::UpperTagName(element->GetTagId()), text, length);
}

HRESULT CNodeObject::LendNodeValue(const wchar_t** text, UINT* length) {
  if (!text || !length) return E_POINTER;
  const auto* data = vellum::engine::AsCharacterData(node_.get());
  return data ? Lend(data->Data(), text, length) : LendNothing(text, length);
}

HRESULT CNodeObject::GetAttributeCount(UINT* count) {
  if (!count) return E_POINTER;
  const Element* element = vellum::engine::AsElement(node_.get());
  *count = element ? static_cast<UINT>(element->Attributes().size()) : 0;
  return S_OK;
}

HRESULT CNodeObject::LendAttribute(UINT index, const wchar_t** name, UINT* nameLength, const wchar_t** value,
                                   UINT* valueLength) {
  if (!name || !nameLength || !value || !valueLength) return E_POINTER;
  LendNothing(value, valueLength);
  const Element* element = vellum::engine::AsElement(node_.get());
  if (!element || index >= element->Attributes().size()) {
    LendNothing(name, nameLength);
    return E_INVALIDARG;
  }
  const Attribute& attribute = element->Attributes()[index];
  // A namespaced attribute's object reports its qualified name, which exists only as a copy.
  if (attribute.ns != vellum::engine::AttributeNamespace::None) return LendNothing(name, nameLength);
  Lend(attribute.name, name, nameLength);
  return Lend(attribute.value, value, valueLength);
}

HRESULT CNodeObject::LendStyleText(const wchar_t** text, UINT* length) {
  if (!text || !length) return E_POINTER;
  LendNothing(text, length);
  const Element* element = vellum::engine::AsElement(node_.get());
  if (!element) return S_OK;
  // The first reading parses the style attribute and keeps the result with the element.
  return GuardedRead([&] {
    const css::ParsedInlineStyle* parsed = css::InlineStyleOf(*element);
    return parsed ? Lend(parsed->CssText(), text, length) : S_OK;
  });
}

}  // namespace vellum::engine::com
