#include "DocumentFixture.h"

#include <ocidl.h>

#include "MessagePump.h"
#include "document/DOMUtil.h"
#include "document/Dom2HTML.h"

namespace dt {

EngineDocument::EngineDocument() {
  CoCreateInstance(CLSID_HTMLDocument, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, IID_IHTMLDocument2,
                   document_.OutVoid());
}

EngineDocument::~EngineDocument() = default;

bool EngineDocument::Load(const char* text) {
  if (!document_ || !CDOMUtil(Shared()).LoadCode(text)) return false;
  return WaitUntilComplete();
}

bool EngineDocument::LoadWide(const std::wstring& text) {
  if (!document_) return false;
  CComRef<IStream> stream;
  CComRef<IPersistStreamInit> persist;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out())) ||
      FAILED(document_->QueryInterface(IID_IPersistStreamInit, persist.OutVoid())))
    return false;
  const unsigned char bom[] = {0xFF, 0xFE};
  stream->Write(bom, sizeof bom, nullptr);
  stream->Write(text.data(), static_cast<ULONG>(text.size() * sizeof(wchar_t)), nullptr);
  LARGE_INTEGER start = {};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
  if (FAILED(persist->InitNew()) || FAILED(persist->Load(stream.get()))) return false;
  return WaitUntilComplete();
}

bool EngineDocument::WaitUntilComplete(DWORD timeoutMs) {
  return vt::PumpUntil(
      [&] {
        DISPPARAMS none = {};
        CVariant state;
        if (FAILED(document_->Invoke(DISPID_READYSTATE, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                                     &state, nullptr, nullptr)))
          return false;
        return state.Type() == VT_I4 && V_I4(&state.get()) == READYSTATE_COMPLETE;
      },
      timeoutMs);
}

namespace {

std::string Written(CComRef<IHTMLDocument2> document, bool lentTexts) {
  CDom2HTML writer(std::move(document));
  if (!lentTexts) writer.ReadCopiesOnly();
  if (!writer.Parse()) return "<failed>";
  return std::string(writer.GetHTML().GetString(), static_cast<size_t>(writer.GetHTML().GetLength()));
}

}  // namespace

// Every writer test also holds the texts the engine lends against the standard properties' copies.
std::string EngineDocument::Serialize() {
  const std::string lent = Written(Shared(), true);
  EXPECT_EQ(Written(Shared(), false), lent) << "the lent texts and the standard properties disagree";
  return lent;
}

IHTMLElement* EngineDocument::FirstElement(const wchar_t* tag) {
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document_->get_all(all.Out())) || !all) return nullptr;
  CVariant name;
  V_VT(&name) = VT_BSTR;
  V_BSTR(&name) = SysAllocString(tag);
  CComRef<IDispatch> tagsDispatch;
  CComRef<IHTMLElementCollection> tags;
  if (FAILED(all->tags(name.get(), tagsDispatch.Out())) || !tagsDispatch ||
      FAILED(tagsDispatch->QueryInterface(IID_IHTMLElementCollection, tags.OutVoid())))
    return nullptr;
  CVariant index, zero;
  V_VT(&index) = VT_I4;
  V_I4(&index) = 0;
  V_VT(&zero) = VT_I4;
  V_I4(&zero) = 0;
  CComRef<IDispatch> item;
  IHTMLElement* element = nullptr;
  if (FAILED(tags->item(index.get(), zero.get(), item.Out())) || !item) return nullptr;
  item->QueryInterface(IID_IHTMLElement, reinterpret_cast<void**>(&element));
  return element;
}

void Document::SetUpTestSuite() {
  static bool initialised = false;
  if (!initialised) OleInitialize(nullptr);
  initialised = true;
}

std::string Encode(const std::wstring& text, UINT codePage) {
  int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0)
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

}  // namespace dt
