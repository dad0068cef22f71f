// The common shape of the control's document site objects.
//
// A site object has no life of its own: it belongs to one control, and every IUnknown call made on any
// of its interfaces goes to the control's identity. So the engine reaches every site interface from any
// other, and the control's window, not the engine's references, decides when the object dies (the
// control deletes it in its destructor).
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <plinthcore.h>

#include "hosting/SiteOwner.h"

// A declined request for an object or a text leaves the out-pointer empty, never stale.
template <class T>
inline HRESULT DeclineWithNull(T** out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

template <class... Interfaces>
class CSiteObject : public Interfaces..., public CHeapObject {
 public:
  explicit CSiteObject(ISiteOwner* owner) : owner_(owner) {}
  CSiteObject(const CSiteObject&) = delete;
  CSiteObject& operator=(const CSiteObject&) = delete;

  ISiteOwner* Owner() const { return owner_; }

  // Whether riid is one of this object's interfaces (the control's query table asks before creating it).
  static bool Serves(REFIID riid) { return (IsEqualIID(riid, __uuidof(Interfaces)) || ...); }

  // The object's own lookup: only its own interfaces, never IUnknown (that is the identity's answer).
  HRESULT Lookup(REFIID riid, void** out) {
    IUnknown* found = nullptr;
    ((!found && IsEqualIID(riid, __uuidof(Interfaces)) ? (found = static_cast<Interfaces*>(this), true) : false), ...);
    return HandOut(found, out);
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_FAIL;
    *out = nullptr;
    if (!owner_) return E_FAIL;
    return owner_->Identity()->QueryInterface(riid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_ ? owner_->Identity()->AddRef() : 0; }
  ULONG STDMETHODCALLTYPE Release() override { return owner_ ? owner_->Identity()->Release() : 0; }

 protected:
  ~CSiteObject() = default;

  // The owner's window while it exists, else null.
  HWND OwnerWindow() const {
    HWND hwnd = owner_ ? owner_->ControlWindow() : nullptr;
    return hwnd && IsWindow(hwnd) ? hwnd : nullptr;
  }

  // Ends a lookup: a found interface is handed out with a reference; a missing result pointer or owner
  // fails, as the control's own query does.
  HRESULT HandOut(IUnknown* found, void** out) {
    if (!out) return E_FAIL;
    *out = nullptr;
    if (!owner_) return E_FAIL;
    if (!found) return E_NOINTERFACE;
    found->AddRef();
    *out = found;
    return S_OK;
  }

  ISiteOwner* const owner_;  // the control this object serves; null only for an orphan made by a test
};
