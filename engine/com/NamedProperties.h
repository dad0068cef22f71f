// The engine's objects serve their named properties from a toolkit table; their IDispatch guards each
// call, so that nothing a property throws reaches the caller and the views see a change.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "comkit/NamedDispatch.h"
#include "engine/com/ComValues.h"

namespace vellum::engine::com {

using comkit::NamedProperty;
using comkit::NamedPropertyTable;
using comkit::NoTypeInfo;
using comkit::NoTypeInfoCount;

}  // namespace vellum::engine::com

// The IDispatch methods of a class whose named properties come from `table` (an expression giving
// its NamedPropertyTable). No type information is offered.
#define ENGINE_IDISPATCH_FROM_TABLE(table)                                                                            \
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return ::comkit::NoTypeInfoCount(count); }       \
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override { return ::comkit::NoTypeInfo(info); } \
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {          \
    return (table).FindIds(names, count, ids);                                                                        \
  }                                                                                                                   \
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,          \
                                   EXCEPINFO*, UINT*) override {                                                      \
    return ::vellum::engine::com::Guarded([&] { return (table).Invoke(*this, id, flags, params, result); });          \
  }
