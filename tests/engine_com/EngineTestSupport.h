// Driving the engine through COM exactly as the control does.
#pragma once

#include <windows.h>
#include <mshtml.h>
#include <ocidl.h>

#include <cstdint>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace et {

// Marker the tests put into out-parameters to catch those an engine call leaves unwritten.
template <class T>
T* Unwritten() {
  return reinterpret_cast<T*>(static_cast<uintptr_t>(0xdeadbeef));
}

// A counted interface pointer for test code.
template <class T>
class Ptr {
 public:
  Ptr() = default;
  explicit Ptr(T* adopted) : p_(adopted) {}
  Ptr(const Ptr& other) : p_(other.p_) {
    if (p_) p_->AddRef();
  }
  Ptr(Ptr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  Ptr& operator=(Ptr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~Ptr() { reset(); }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // For out-parameters: releases what is held first.
  T** Out() {
    reset();
    return &p_;
  }
  void** OutVoid() { return reinterpret_cast<void**>(Out()); }
  // The same object asked for another interface (empty when it has none).
  template <class U>
  Ptr<U> As() const {
    Ptr<U> other;
    if (p_) p_->QueryInterface(__uuidof(U), other.OutVoid());
    return other;
  }

 private:
  T* p_ = nullptr;
};

// The object asked for another interface (empty when it has none); the caller keeps its own reference.
template <class U>
Ptr<U> QueryAs(IUnknown* object) {
  Ptr<U> other;
  if (object) object->QueryInterface(__uuidof(U), other.OutVoid());
  return other;
}

// A BSTR argument, or a BSTR that an engine call returns (freed here either way).
class Bstr {
 public:
  Bstr() = default;
  Bstr(const wchar_t* text) : b_(SysAllocString(text)) {}
  Bstr(const std::wstring& text) : b_(SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { Free(); }
  operator BSTR() const { return b_; }
  BSTR* Out() {
    Free();
    b_ = Unwritten<OLECHAR>();
    return &b_;
  }
  bool IsUnwritten() const { return b_ == Unwritten<OLECHAR>(); }
  bool Null() const { return b_ == nullptr; }
  std::wstring Str() const {
    if (IsUnwritten()) return L"<unwritten>";
    return b_ ? std::wstring(b_, SysStringLen(b_)) : std::wstring();
  }

 private:
  void Free() {
    if (!IsUnwritten()) SysFreeString(b_);
    b_ = nullptr;
  }
  BSTR b_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&v_); }
  Variant(const Variant&) = delete;
  Variant(Variant&& other) noexcept : v_(other.v_) { VariantInit(&other.v_); }
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&v_); }
  static Variant Long(LONG value);
  static Variant Text(const wchar_t* text);
  static Variant Bool(bool value);
  static Variant Short(SHORT value);
  static Variant Object(IUnknown* object);  // VT_DISPATCH when it has IDispatch
  VARIANT* Out() {
    VariantClear(&v_);
    V_VT(&v_) = VT_ERROR;  // not something an engine call answers
    V_ERROR(&v_) = static_cast<SCODE>(0xdeadbeef);
    return &v_;
  }
  const VARIANT& get() const { return v_; }
  VARTYPE Type() const { return V_VT(&v_); }
  std::wstring Text() const { return Type() == VT_BSTR ? std::wstring(V_BSTR(&v_), SysStringLen(V_BSTR(&v_))) : L"?"; }
  operator VARIANT() const { return v_; }  // a shallow copy for by-value arguments

 private:
  VARIANT v_;
};

// COM for the test thread, and the engine's live-object count.
class ComScope {
 public:
  ComScope() { OleInitialize(nullptr); }
  ~ComScope() { OleUninitialize(); }
};
LONG EngineLiveObjects();

IHTMLDocument2* CreateDocument();

// Loads text into the document through IPersistStreamInit (InitNew + Load of a memory stream).
HRESULT LoadBytes(IHTMLDocument2* document, const std::string& bytes);
HRESULT LoadUtf16(IHTMLDocument2* document, const std::wstring& text);

// Records every OnChanged of the document's property-notify connection point.
class ReadyStateSink final : public IPropertyNotifySink {
 public:
  explicit ReadyStateSink(IHTMLDocument2* document);
  ~ReadyStateSink();
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
  ULONG STDMETHODCALLTYPE Release() override { return --refs_; }
  HRESULT STDMETHODCALLTYPE OnChanged(DISPID id) override;
  HRESULT STDMETHODCALLTYPE OnRequestEdit(DISPID) override { return S_OK; }

  void Disconnect();
  std::vector<LONG> states;  // the ready state read at each OnChanged(DISPID_READYSTATE)
  int Completions() const;
  LONG Refs() const { return refs_; }

 private:
  LONG refs_ = 0;
  IHTMLDocument2* document_;
  IConnectionPoint* point_ = nullptr;
  DWORD cookie_ = 0;
};

LONG ReadyState(IHTMLDocument2* document);

// Loads UTF-16 text and pumps messages until the document completes.
::testing::AssertionResult LoadAndWait(IHTMLDocument2* document, const std::wstring& html);
::testing::AssertionResult LoadBytesAndWait(IHTMLDocument2* document, const std::string& bytes);

// Looking things up in a loaded document (empty when absent).
Ptr<IHTMLElement> Body(IHTMLDocument2* document);
Ptr<IHTMLElement> ElementById(IHTMLDocument2* document, const wchar_t* id);
Ptr<IHTMLElementCollection> All(IHTMLDocument2* document);
Ptr<IHTMLElement> ItemAt(IHTMLElementCollection* collection, LONG index);
LONG Length(IHTMLElementCollection* collection);
std::wstring TagName(IHTMLElement* element);
std::wstring OuterHtml(IHTMLElement* element);
std::wstring InnerText(IHTMLElement* element);
// Text that an interface method returns as a BSTR ("<failed>" when the call fails).
template <class Object>
std::wstring TextOf(Object* object, HRESULT (STDMETHODCALLTYPE Object::*get)(BSTR*)) {
  Bstr text;
  return object && SUCCEEDED((object->*get)(text.Out())) ? text.Str() : L"<failed>";
}

// Named properties through IDispatch, exactly as the property sheet reaches them.
HRESULT GetProperty(IUnknown* object, const wchar_t* name, VARIANT* value);
HRESULT PutProperty(IUnknown* object, const wchar_t* name, const VARIANT& value);

// A test that owns one document and checks, after releasing it, that the engine holds no objects.
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Loads html into the document and gives the element with id (empty when there is none).
  Ptr<IHTMLElement> Load(const std::wstring& html, const wchar_t* id) {
    EXPECT_TRUE(LoadAndWait(document_, html));
    return ElementById(document_, id);
  }
  IHTMLDocument2* document_ = nullptr;
  ComScope com_;
};
// Pumps until the document reports complete.
bool WaitComplete(IHTMLDocument2* document, DWORD timeoutMs = 5000);

}  // namespace et
