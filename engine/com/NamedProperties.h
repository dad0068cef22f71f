// Properties reached by name through IDispatch: one table per class (name, dispatch id, getter,
// setter), looked up without regard to case, and the IDispatch methods that serve it. A derived
// class's table may fall back to its base class's table, so that each class lists only what it adds.
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
};

bool NamesEqualIgnoringCase(const wchar_t* a, const wchar_t* b);

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
    if (!names || !ids || count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    if (!FindId(names[0], ids[0])) return DISP_E_UNKNOWNNAME;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;  // properties take no named arguments
  }

  HRESULT Invoke(Object& object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) const {
    if (result) VariantInit(result);
    const NamedProperty<Object>* entry = FindById(id);
    if (!entry)
      return base_.table ? base_.invoke(base_.table, object, id, flags, params, result) : DISP_E_MEMBERNOTFOUND;
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
  template <class>
  friend class NamedPropertyTable;

  // The base class's table, reached without naming its class here.
  struct BaseTable {
    const void* table = nullptr;
    bool (*findId)(const void* table, const wchar_t* name, DISPID& id) = nullptr;
    HRESULT (*invoke)(const void* table, Object& object, DISPID id, WORD flags, DISPPARAMS* params,
                      VARIANT* result) = nullptr;
  };
  template <class Base>
  static bool FindIdIn(const void* table, const wchar_t* name, DISPID& id) {
    return static_cast<const NamedPropertyTable<Base>*>(table)->FindId(name, id);
  }
  template <class Base>
  static HRESULT InvokeIn(const void* table, Object& object, DISPID id, WORD flags, DISPPARAMS* params,
                          VARIANT* result) {
    return static_cast<const NamedPropertyTable<Base>*>(table)->Invoke(object, id, flags, params, result);
  }

  bool FindId(const wchar_t* name, DISPID& id) const {
    for (std::size_t i = 0; i < count_; ++i) {
      if (NamesEqualIgnoringCase(entries_[i].name, name)) {
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
    return (table).FindIds(names, count, ids);                                                           \
  }                                                                                                      \
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, \
                                   EXCEPINFO*, UINT*) override {                                         \
    return (table).Invoke(*this, id, flags, params, result);                                             \
  }
