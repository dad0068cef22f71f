// Helpers for the style object tests: parsed pages, owned BSTRs and VARIANTs, property access by
// name through IDispatch as the property sheet does it, and the live-object count of the objects
// compiled into this test.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <gtest/gtest.h>

#include <string>

#include "dom/document.h"

namespace st {

LONG LiveObjects();  // style objects of this test alive now

// A page parsed by the engine's parser.
class Page {
 public:
  explicit Page(const std::wstring& html);
  vellum::engine::Document& GetDocument() const { return *document_; }
  // The element with that id (the body when there is none, after a test failure).
  vellum::engine::Element& ById(const std::wstring& id) const;
  // The element's style attribute; "(none)" when it has none.
  std::wstring StyleAttribute(const std::wstring& id) const;

 private:
  vellum::engine::RefPtr<vellum::engine::Document> document_;
};

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::wstring& text) : value_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  ~Bstr() { SysFreeString(value_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR* Out() {
    SysFreeString(value_);
    value_ = reinterpret_cast<BSTR>(0xdeadbeef);
    return &value_;
  }
  operator BSTR() const { return value_; }
  std::wstring Text() const { return value_ ? std::wstring(value_, SysStringLen(value_)) : std::wstring(); }
  bool IsNull() const { return value_ == nullptr; }

 private:
  BSTR value_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  explicit Variant(const std::wstring& text);
  explicit Variant(LONG number);
  static Variant Double(double number);
  static Variant Short(SHORT number);
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  // Marks the variant with a value no callee leaves there, to catch outputs left unwritten.
  VARIANT* Out();
  VARIANT& get() { return value_; }
  VARTYPE Type() const { return V_VT(&value_); }
  std::wstring Text() const;  // the BSTR, or "<vt N>" for any other type
  LONG Number() const { return V_VT(&value_) == VT_I4 ? V_I4(&value_) : -99999; }

 private:
  VARIANT value_;
};

// Reads and writes a property by name through IDispatch (GetIDsOfNames + Invoke).
HRESULT GetByName(IUnknown* object, const std::wstring& name, Variant& result);
HRESULT PutByName(IUnknown* object, const std::wstring& name, Variant& value);
// The property converted to text, or "<error hr>".
std::wstring TextByName(IUnknown* object, const std::wstring& name);

// Names the property sheet reads from the current style and writes to the inline style.
extern const wchar_t* const kSheetStyleProperties[23];

}  // namespace st
