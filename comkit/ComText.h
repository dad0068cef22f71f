// Engine strings (BSTR) and variants owned for one scope. A string the engine needs that cannot be
// allocated throws the out-of-memory status, as every engine string allocation of the control does; the
// operation that called catches it and fails with its own result.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include "comkit/AllocationFaults.h"

struct ComOutOfMemory {
  HRESULT hr = E_OUTOFMEMORY;
};

// The length in units of a BSTR (0 for null): SysStringLen's answer, read from the length prefix in
// place instead of by a call per string.
inline int BstrLength(BSTR text) {
  return text ? static_cast<int>(reinterpret_cast<const UINT*>(text)[-1] / sizeof(OLECHAR)) : 0;
}

class CBstr {
 public:
  CBstr() = default;
  explicit CBstr(const wchar_t* text) : bstr_(text ? comkit::AllocString(text) : nullptr) {
    if (text && !bstr_) throw ComOutOfMemory{};
  }
  CBstr(const CBstr&) = delete;
  CBstr& operator=(const CBstr&) = delete;
  ~CBstr() {
    if (bstr_) SysFreeString(bstr_);
  }

  BSTR get() const { return bstr_; }
  BSTR* Out() {
    if (bstr_) SysFreeString(bstr_);
    bstr_ = nullptr;
    return &bstr_;
  }
  BSTR Detach() {
    BSTR b = bstr_;
    bstr_ = nullptr;
    return b;
  }
  int Length() const { return BstrLength(bstr_); }

 private:
  BSTR bstr_ = nullptr;
};

// A VARIANT cleared when the scope ends.
class CVariant {
 public:
  CVariant() { V_VT(&v_) = VT_EMPTY; }
  CVariant(const CVariant&) = delete;
  CVariant& operator=(const CVariant&) = delete;
  // A string (what the writer nearly always holds) is freed directly; VariantClear would only pass it on.
  ~CVariant() {
    if (V_VT(&v_) == VT_BSTR) {
      if (V_BSTR(&v_)) SysFreeString(V_BSTR(&v_));
    } else if (V_VT(&v_) != VT_EMPTY) {
      VariantClear(&v_);
    }
  }
  VARIANT* operator&() { return &v_; }
  VARIANT& get() { return v_; }
  const VARIANT& get() const { return v_; }
  VARTYPE Type() const { return V_VT(&v_); }

 private:
  VARIANT v_;
};
