// Style properties reached by name through IDispatch. The names come from the engine's one table of
// CSS properties (property.h): each property's dispatch id is its place in that table past a base, so
// no property is listed twice. Each style class adds a short table of its own members (cssText ...).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <optional>
#include <span>

#include "comkit/NamedDispatch.h"
#include "css/property.h"
#include "engine/com/style/StyleComSupport.h"

namespace vellum::engine::com::style {

// Dispatch ids of the CSS properties; a class's own members use ids below the base.
inline constexpr DISPID kPropertyDispidBase = 0x40000;

DISPID PropertyDispid(vellum::engine::css::PropertyId id);
std::optional<vellum::engine::css::PropertyId> PropertyOfDispid(DISPID id);

// A member a style class serves by name besides the CSS properties.
template <class Object>
struct StyleMember {
  const wchar_t* name;
  DISPID id;
  HRESULT (*get)(Object& object, VARIANT* result);
  HRESULT (*put)(Object& object, const VARIANT& value);  // null: read-only
};

// The IDispatch of a style class: its members, then every CSS property, which the object serves with
//   HRESULT GetProperty(css::PropertyId, VARIANT* result);
//   HRESULT PutProperty(css::PropertyId, const VARIANT& value);
template <class Object>
class StyleDispatch {
 public:
  constexpr StyleDispatch() = default;  // the CSS properties alone
  template <size_t N>
  constexpr StyleDispatch(const StyleMember<Object> (&members)[N]) : members_(members) {}

  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
    return comkit::FindDispatchId(names, count, ids, [&](std::u16string_view name) -> DISPID {
      for (const StyleMember<Object>& member : members_)
        if (NamesEqualIgnoringCase(name, TextOfName(member.name))) return member.id;
      const std::optional<vellum::engine::css::PropertyId> property = vellum::engine::css::FindProperty(name);
      return property ? PropertyDispid(*property) : DISPID_UNKNOWN;
    });
  }

  HRESULT Invoke(Object& object, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result) const {
    const StyleMember<Object>* member = FindMember(id);
    const std::optional<vellum::engine::css::PropertyId> property = PropertyOfDispid(id);
    if (!member && !property) return DISP_E_MEMBERNOTFOUND;
    return comkit::InvokeProperty(
        flags, params, result, !member || member->put,
        [&](VARIANT* out) { return member ? member->get(object, out) : object.GetProperty(*property, out); },
        [&](const VARIANT& value) {
          return member ? member->put(object, value) : object.PutProperty(*property, value);
        });
  }

 private:
  const StyleMember<Object>* FindMember(DISPID id) const {
    for (const StyleMember<Object>& member : members_)
      if (member.id == id) return &member;
    return nullptr;
  }

  std::span<const StyleMember<Object>> members_;
};

}  // namespace vellum::engine::com::style

// The IDispatch methods of a style class whose static `kDispatch` is its StyleDispatch.
#define ENGINE_STYLE_DISPATCH_METHODS                                                                                 \
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return ::comkit::NoTypeInfoCount(count); }       \
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override { return ::comkit::NoTypeInfo(info); } \
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {          \
    return ::vellum::engine::com::style::Guarded([&] { return kDispatch.GetIDsOfNames(names, count, ids); });         \
  }                                                                                                                   \
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,          \
                                   EXCEPINFO*, UINT*) override {                                                      \
    return ::vellum::engine::com::style::Guarded([&] { return kDispatch.Invoke(*this, id, flags, params, result); }); \
  }
