// QueryInterface driven by the list of interfaces an object implements, and the IUnknown methods of an
// object with one reference count for all its interfaces.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace comkit {

// An interface that the object inherits along more than one path, reached through Path.
template <class Interface, class Path>
struct Via {};

template <class Entry>
struct InterfaceEntry {
  using Interface = Entry;
  template <class Object>
  static void* Cast(Object* self) {
    return static_cast<Entry*>(self);
  }
};
template <class Target, class Path>
struct InterfaceEntry<Via<Target, Path>> {
  using Interface = Target;
  template <class Object>
  static void* Cast(Object* self) {
    return static_cast<Target*>(static_cast<Path*>(self));
  }
};

// Answers riid with the first of the listed interfaces that matches (IUnknown: the first listed).
// An entry is an interface, or Via<Interface, Path> for one inherited along several paths.
template <class First, class... Rest, class Object>
HRESULT QueryInterfaceOf(Object* self, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (IsEqualIID(riid, IID_IUnknown)) {
    *out = static_cast<IUnknown*>(static_cast<First*>(self));
  } else if (IsEqualIID(riid, __uuidof(First))) {
    *out = static_cast<First*>(self);
  } else {
    ((!*out && IsEqualIID(riid, __uuidof(typename InterfaceEntry<Rest>::Interface))
          ? (*out = InterfaceEntry<Rest>::Cast(self), true)
          : false),
     ...);
  }
  if (!*out) return E_NOINTERFACE;
  static_cast<IUnknown*>(*out)->AddRef();
  return S_OK;
}

}  // namespace comkit

// The IUnknown methods of an object with one reference count for all its interfaces. The object
// defines `HRESULT QueryInterfaceImpl(REFIID, void**)` (usually with QueryInterfaceOf) and holds
// `LONG refs_`; the last Release deletes it.
#define COMKIT_IUNKNOWN_METHODS                                                                                        \
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override { return QueryInterfaceImpl(riid, out); } \
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++refs_); }                                    \
  ULONG STDMETHODCALLTYPE Release() override {                                                                         \
    LONG left = --refs_;                                                                                               \
    if (left == 0) delete this;                                                                                        \
    return static_cast<ULONG>(left);                                                                                   \
  }
