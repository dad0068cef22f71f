// A counted reference to a COM interface. Constructing from a raw pointer takes over a reference the
// caller already holds (what a query or a factory hands out); Share adds one. Copies add a reference,
// moves hand it on, and the last holder releases it: no AddRef/Release pairs written out by hand.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

template <class T>
class CComRef {
 public:
  CComRef() = default;
  explicit CComRef(T* p) : p_(p) {}  // takes over a reference
  static CComRef Share(T* p) {
    if (p) p->AddRef();
    return CComRef(p);
  }
  CComRef(const CComRef& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  CComRef(CComRef&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  CComRef& operator=(CComRef other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~CComRef() { Reset(); }

  // Drops the reference held and takes over p's (null: holds nothing).
  void Reset(T* p = nullptr) {
    T* old = std::exchange(p_, p);
    if (old) old->Release();
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T& operator*() const { return *p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For calls that hand out a reference through an out-parameter.
  T** Out() {
    Reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  T* Detach() { return std::exchange(p_, nullptr); }

  // Another interface of the same object; empty when the object does not offer it.
  template <class Other>
  CComRef<Other> As() const {
    CComRef<Other> other;
    if (p_) p_->QueryInterface(__uuidof(Other), other.OutVoid());
    return other;
  }
  // Hands one more reference to a caller's out-parameter.
  HRESULT CopyTo(T** out) const {
    if (!out) return E_POINTER;
    if (p_) p_->AddRef();
    *out = p_;
    return S_OK;
  }

 private:
  T* p_ = nullptr;
};
