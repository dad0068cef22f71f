// Properties reached by name through IDispatch: one table per class (name, dispatch id, getter,
// setter), looked up without regard to case, and the IDispatch methods that serve it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstddef>

#include "engine/com/ComValues.h"

namespace engine {

template <class Object>
struct NamedProperty {
  const wchar_t* name;
  DISPID id;
  HRESULT (*get)(Object& object, VARIANT* result);      // null: the property cannot be read
  HRESULT (*put)(Object& object, const VARIANT& value);  // null: the property cannot be written
  bool (*applies)(const Object& object) = nullptr;       // null: every object of the class has it
};

bool NamesEqualIgnoringCase(const wchar_t* a, const wchar_t* b);

template <class Object>
class NamedPropertyTable {
 public:
  template <std::size_t N>
  constexpr NamedPropertyTable(const NamedProperty<Object> (&entries)[N]) : entries_(entries), count_(N) {}

  HRESULT FindIds(const Object& object, LPOLESTR* names, UINT count, DISPID* ids) const {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    const NamedProperty<Object>* entry = FindByName(object, names[0]);
    if (!entry) return DISP_E_UNKNOWNNAME;
    ids[0] = entry->id;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // properties take no named arguments
  }

  HRESULT Invoke(Object& object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) const {
    if (result) VariantInit(result);
    const NamedProperty<Object>* entry = FindById(object, id);
    if (!entry) return DISP_E_MEMBERNOTFOUND;
    UINT arguments = params ? params->cArgs : 0;
    return Guarded([&]() -> HRESULT {
      if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        if (!entry->put) return DISP_E_MEMBERNOTFOUND;
        if (arguments < 1 || !params->rgvarg) return DISP_E_BADPARAMCOUNT;
        return entry->put(object, params->rgvarg[0]);
      }
      if (flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) {
        if (!entry->get) return DISP_E_MEMBERNOTFOUND;
        if (arguments != 0) return DISP_E_BADPARAMCOUNT;
        VARIANT discarded;
        VARIANT* out = result ? result : &discarded;
        VariantInit(out);
        HRESULT hr = entry->get(object, out);
        if (!result) VariantClear(&discarded);
        return hr;
      }
      return DISP_E_MEMBERNOTFOUND;
    });
  }

 private:
  const NamedProperty<Object>* FindByName(const Object& object, const wchar_t* name) const {
    for (std::size_t i = 0; i < count_; ++i)
      if (NamesEqualIgnoringCase(entries_[i].name, name) && Applies(entries_[i], object)) return &entries_[i];
    return nullptr;
  }
  const NamedProperty<Object>* FindById(const Object& object, DISPID id) const {
    for (std::size_t i = 0; i < count_; ++i)
      if (entries_[i].id == id && Applies(entries_[i], object)) return &entries_[i];
    return nullptr;
  }
  static bool Applies(const NamedProperty<Object>& entry, const Object& object) {
    return !entry.applies || entry.applies(object);
  }

  const NamedProperty<Object>* entries_;
  std::size_t count_;
};

HRESULT NoTypeInfoCount(UINT* count);
HRESULT NoTypeInfo(ITypeInfo** info);

}  // namespace engine

// The IDispatch methods of a class whose named properties come from `table` (an expression giving
// its NamedPropertyTable). No type information is offered.
#define ENGINE_IDISPATCH_FROM_TABLE(table)                                                               \
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return ::engine::NoTypeInfoCount(count); } \
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {                         \
    return ::engine::NoTypeInfo(info);                                                                   \
  }                                                                                                      \
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override { \
    return (table).FindIds(*this, names, count, ids);                                                   \
  }                                                                                                      \
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, \
                                   EXCEPINFO*, UINT*) override {                                         \
    return (table).Invoke(*this, id, flags, params, result);                                             \
  }
