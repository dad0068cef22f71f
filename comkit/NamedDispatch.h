// Properties reached by name through IDispatch: the rules every such property follows, and the table of
// a class's properties (name, dispatch id, getter, setter; a derived class's table falls back to its
// base class's). The style objects follow the same rules with names from the CSS property table.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>
#include <string_view>

namespace comkit {

// ASCII letters compare without regard to case, as script names do; anything else compares exactly.
inline bool NamesEqualIgnoringCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  for (size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}
inline std::u16string_view NameText(const wchar_t* name) {
  return name ? std::u16string_view(reinterpret_cast<const char16_t*>(name)) : std::u16string_view();
}

// These objects describe themselves by name alone: no type information.
inline HRESULT NoTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
inline HRESULT NoTypeInfo(ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

// GetIDsOfNames for one name found by `find` (a DISPID, or DISPID_UNKNOWN): properties take no named
// arguments, so more than one name is refused after the first is answered.
template <class Find>
HRESULT FindDispatchId(LPOLESTR* names, UINT count, DISPID* ids, Find&& find) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
  const DISPID id = find(NameText(names[0]));
  if (id == DISPID_UNKNOWN) return DISP_E_UNKNOWNNAME;
  ids[0] = id;
  return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

// Invoke of a found property: a put takes exactly its value, a get (or a call) nothing. A caller that
// wants no result still has the value made and cleared, so a getter never writes through null.
//   get: HRESULT(VARIANT* result)        put: HRESULT(const VARIANT& value)
// canPut false: the property is read-only.
template <class Get, class Put>
HRESULT InvokeProperty(WORD flags, DISPPARAMS* params, VARIANT* result, bool canPut, Get&& get, Put&& put) {
  const UINT arguments = params ? params->cArgs : 0;
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (!canPut) return DISP_E_MEMBERNOTFOUND;
    if (arguments != 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
    return put(params->rgvarg[0]);
  }
  if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD))) return DISP_E_MEMBERNOTFOUND;
  if (arguments != 0) return DISP_E_BADPARAMCOUNT;
  VARIANT discarded;
  VARIANT* out = result ? result : &discarded;
  VariantInit(out);
  const HRESULT hr = get(out);
  if (!result) VariantClear(&discarded);
  return hr;
}

// One property of a class's table: its name, dispatch id, getter and setter.
template <class Object>
struct NamedProperty {
  const wchar_t* name;
  DISPID id;
  HRESULT (*get)(Object& object, VARIANT* result);       // null: the property cannot be read
  HRESULT (*put)(Object& object, const VARIANT& value);  // null: the property cannot be written
};

template <class Object>
class NamedPropertyTable {
 public:
  template <std::size_t N>
  constexpr NamedPropertyTable(const NamedProperty<Object> (&entries)[N]) : entries_(entries), count_(N) {}

  // Names and ids not among `entries` are looked up in `base`, the table of a base class of Object.
  // The ids of the two must not overlap.
  template <class Base, std::size_t N>
  constexpr NamedPropertyTable(const NamedProperty<Object> (&entries)[N], const NamedPropertyTable<Base>& base)
      : entries_(entries), count_(N), base_{&base, &FindIdIn<Base>, &InvokeIn<Base>} {}

  HRESULT FindIds(LPOLESTR* names, UINT count, DISPID* ids) const {
    return FindDispatchId(names, count, ids, [&](std::u16string_view name) {
      DISPID id = DISPID_UNKNOWN;
      FindId(name, id);
      return id;
    });
  }

  // Not guarded: the class's IDispatch, which knows what its calls may throw, guards the whole call.
  HRESULT Invoke(Object& object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) const {
    if (result) VariantInit(result);
    const NamedProperty<Object>* entry = FindById(id);
    if (!entry)
      return base_.table ? base_.invoke(base_.table, object, id, flags, params, result) : DISP_E_MEMBERNOTFOUND;
    return InvokeProperty(
        flags, params, result, entry->put != nullptr,
        [&](VARIANT* out) { return entry->get ? entry->get(object, out) : DISP_E_MEMBERNOTFOUND; },
        [&](const VARIANT& value) { return entry->put(object, value); });
  }

 private:
  template <class>
  friend class NamedPropertyTable;

  // The base class's table, reached without naming its class here.
  using FindIdFunction = bool (*)(const void* table, std::u16string_view name, DISPID& id);
  using InvokeFunction = HRESULT (*)(const void* table, Object& object, DISPID id, WORD flags, DISPPARAMS* params,
                                     VARIANT* result);
  struct BaseTable {
    const void* table = nullptr;
    FindIdFunction findId = nullptr;
    InvokeFunction invoke = nullptr;
  };

  template <class Base>
  static bool FindIdIn(const void* table, std::u16string_view name, DISPID& id) {
    return static_cast<const NamedPropertyTable<Base>*>(table)->FindId(name, id);
  }
  template <class Base>
  static HRESULT InvokeIn(const void* table, Object& object, DISPID id, WORD flags, DISPPARAMS* params,
                          VARIANT* result) {
    return static_cast<const NamedPropertyTable<Base>*>(table)->Invoke(object, id, flags, params, result);
  }

  bool FindId(std::u16string_view name, DISPID& id) const {
    for (std::size_t i = 0; i < count_; ++i) {
      if (NamesEqualIgnoringCase(NameText(entries_[i].name), name)) {
        id = entries_[i].id;
        return true;
      }
    }
    return base_.table && base_.findId(base_.table, name, id);
  }
  const NamedProperty<Object>* FindById(DISPID id) const {
    for (std::size_t i = 0; i < count_; ++i)
      if (entries_[i].id == id) return &entries_[i];
    return nullptr;
  }

  const NamedProperty<Object>* entries_;
  std::size_t count_;
  BaseTable base_;
};

}  // namespace comkit
