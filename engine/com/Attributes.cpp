#include "engine/com/Attributes.h"

#include "engine/com/ComValues.h"

namespace vellum::engine::com {

using vellum::engine::Attribute;
using vellum::engine::Element;

HRESULT CAttributeCollection::Create(Element& element, REFIID riid, void** out) {
  return HandOut(new CAttributeCollection(element), riid, out);
}

CAttributeCollection::~CAttributeCollection() {
  for (size_t i = 0; i < made_ && i < kInPlace; ++i) delete inPlace_[i];
  for (CDomAttribute* attribute : more_) delete attribute;
}

CDomAttribute& CAttributeCollection::AttributeNamed(std::u16string_view name, size_t place) {
  for (size_t i = 0; i < made_; ++i) {
    CDomAttribute* made = i < kInPlace ? inPlace_[i] : more_[i - kInPlace];
    if (made->name_ == name) {
      made->place_ = place;
      return *made;
    }
  }
  if (made_ >= kInPlace) more_.reserve(more_.size() + 1);  // before the object, so a failure loses nothing
  auto* attribute = new CDomAttribute(*this, name, place);
  if (made_ < kInPlace) {
    inPlace_[made_] = attribute;
  } else {
    more_.push_back(attribute);
  }
  ++made_;
  return *attribute;
}

HRESULT CAttributeCollection::get_length(LONG* p) {
  if (!p) return E_POINTER;
  *p = static_cast<LONG>(element_->Attributes().size());
  return S_OK;
}

HRESULT CAttributeCollection::item(VARIANT* name, IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GuardedRead([&]() -> HRESULT {
    const std::vector<Attribute>& attributes = element_->Attributes();
    const Attribute* found = nullptr;
    if (!name || IsMissing(*name)) {
      found = attributes.empty() ? nullptr : &attributes.front();
    } else if (IsNumber(*name)) {
      LONG index = -1;
      HRESULT hr = LongOfVariant(*name, index);
      if (FAILED(hr)) return hr;
      if (index >= 0 && static_cast<size_t>(index) < attributes.size()) found = &attributes[static_cast<size_t>(index)];
    } else {
      std::u16string wanted;
      HRESULT hr = TextOfVariant(*name, wanted);
      if (FAILED(hr)) return hr;
      found = element_->FindAttribute(wanted);
      if (!found) return DISP_E_UNKNOWNNAME;
    }
    if (!found) return E_INVALIDARG;
    const size_t place = static_cast<size_t>(found - attributes.data());
    // Nearly every attribute has no namespace: its name is taken as it stands, without a copy first.
    CDomAttribute& attribute = found->ns == vellum::engine::AttributeNamespace::None
                                   ? AttributeNamed(found->name, place)
                                   : AttributeNamed(found->QualifiedName(), place);
    return attribute.QueryInterface(IID_IDispatch, reinterpret_cast<void**>(p));
  });
}

const NamedPropertyTable<CAttributeCollection>& CAttributeCollection::Properties() {
  static const NamedProperty<CAttributeCollection> kEntries[] = {
      {L"length", 1,
       [](CAttributeCollection& c, VARIANT* r) {
         V_VT(r) = VT_I4;
         return c.get_length(&V_I4(r));
       },
       nullptr},
  };
  static const NamedPropertyTable<CAttributeCollection> kTable(kEntries);
  return kTable;
}

// An element holds each name once (names compare without regard to case), so an attribute of exactly
// this name at the remembered place is the one findAttribute would find.
const Attribute* CDomAttribute::Find() const {
  const std::vector<Attribute>& attributes = GetElement().Attributes();
  if (place_ < attributes.size()) {
    const Attribute& remembered = attributes[place_];
    if (remembered.ns == vellum::engine::AttributeNamespace::None && remembered.name == name_) return &remembered;
  }
  const Attribute* found = GetElement().FindAttribute(name_);
  if (found) place_ = static_cast<size_t>(found - attributes.data());
  return found;
}

HRESULT CDomAttribute::get_nodeName(BSTR* p) {
  if (!p) return E_POINTER;
  return ReturnString(name_, p);
}

HRESULT CDomAttribute::get_nodeValue(VARIANT* p) {
  if (!p) return E_POINTER;
  V_VT(p) = VT_EMPTY;
  const Attribute* attribute = Find();
  return attribute ? ReturnStringVariant(attribute->value, p) : ReturnNullVariant(p);
}

HRESULT CDomAttribute::put_nodeValue(VARIANT v) {
  return Guarded([&] {
    std::u16string value;
    HRESULT hr = TextOfVariant(v, value);
    if (SUCCEEDED(hr)) GetElement().SetAttribute(name_, value);
    return hr;
  });
}

HRESULT CDomAttribute::get_specified(VARIANT_BOOL* p) {
  if (!p) return E_POINTER;
  *p = ToVariantBool(Find() != nullptr);
  return S_OK;
}

const NamedPropertyTable<CDomAttribute>& CDomAttribute::Properties() {
  static const NamedProperty<CDomAttribute> kEntries[] = {
      {L"nodeName", 1,
       [](CDomAttribute& a, VARIANT* r) {
         V_VT(r) = VT_BSTR;
         return a.get_nodeName(&V_BSTR(r));
       },
       nullptr},
      {L"nodeValue", 2, [](CDomAttribute& a, VARIANT* r) { return a.get_nodeValue(r); },
       [](CDomAttribute& a, const VARIANT& v) { return a.put_nodeValue(v); }},
      {L"specified", 3,
       [](CDomAttribute& a, VARIANT* r) {
         V_VT(r) = VT_BOOL;
         return a.get_specified(&V_BOOL(r));
       },
       nullptr},
  };
  static const NamedPropertyTable<CDomAttribute> kTable(kEntries);
  return kTable;
}

}  // namespace vellum::engine::com
