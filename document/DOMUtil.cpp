#include "document/DOMUtil.h"

#include <urlmon.h>

#include "window/Trace.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"

namespace {

// Lower-cases an engine string in place, as the system does.
void LowerInPlace(BSTR text) {
  if (text) CharLowerBuffW(text, SysStringLen(text));
}

bool TagIs(IHTMLElement* element, const wchar_t* lowerTag, bool& failed) {
  CBstr tag;
  failed = FAILED(element->get_tagName(tag.out())) || !tag.get();
  if (failed) return false;
  LowerInPlace(tag.get());
  return lstrcmpW(tag.get(), lowerTag) == 0;
}

}  // namespace

BSTR HTMLElementCreateData::BuildHTML() const {
  if (!tagName) return nullptr;
  CXStringW markup;
  bool ok = markup.Append(L"<") && markup.Append(tagName);
  auto attribute = [&](const wchar_t* name, const wchar_t* value) {
    if (value) ok = ok && markup.Append(L" ") && markup.Append(name) && markup.Append(L"=\"") &&
                    markup.Append(value) && markup.Append(L"\"");
  };
  attribute(L"id", id);
  attribute(L"title", title);
  attribute(L"style", style);
  if (attributes) ok = ok && markup.Append(L" ") && markup.Append(attributes);
  if (hasEndTag) {
    ok = ok && markup.Append(L">");
    if (innerHTML) ok = ok && markup.Append(innerHTML);
    ok = ok && markup.Append(L"</") && markup.Append(tagName) && markup.Append(L">");
  } else {
    ok = ok && markup.Append(L" />");
  }
  if (!ok) throw ComOutOfMemory{};
  BSTR result = SysAllocStringLen(markup.GetString(), markup.GetLength());
  if (!result) throw ComOutOfMemory{};
  return result;
}

CComRef<IHTMLElement> CDOMUtil::GetElementFromPoint(int x, int y) {
  CComRef<IHTMLElement> element;
  if (!document_ || FAILED(document_->elementFromPoint(x, y, element.out()))) return {};
  return element;
}

CComRef<IHTMLElement> CDOMUtil::GetElementBySourceIndex(int index) {
  if (!document_) return {};
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document_->get_all(all.out())) || !all) return {};
  long length = 0;
  if (FAILED(all->get_length(&length))) return {};
  for (long i = 0; i < length; ++i) {
    CVariant name, position;
    V_VT(&name) = VT_I4;
    V_I4(&name) = i;
    V_VT(&position) = VT_I4;
    V_I4(&position) = 0;
    CComRef<IDispatch> item;
    if (FAILED(all->item(name.get(), position.get(), item.out())) || !item) continue;
    CComRef<IHTMLElement> element;
    if (FAILED(item->QueryInterface(IID_IHTMLElement, element.outVoid())) || !element) continue;
    long sourceIndex = -1;
    if (FAILED(element->get_sourceIndex(&sourceIndex))) continue;
    if (sourceIndex == index) return element;
  }
  return {};
}

CComRef<IHTMLElement> CDOMUtil::GetBody() {
  CComRef<IHTMLElement> body;
  if (!document_ || FAILED(document_->get_body(body.out()))) return {};
  return body;
}

int CDOMUtil::InsertElement(const HTMLElementCreateData& record) {
  if (!document_) return 0;
  CBstr markup;
  *markup.out() = record.BuildHTML();
  return InsertHTML(markup.get());
}

int CDOMUtil::InsertHTML(const wchar_t* markup) {
  if (!document_ || !markup) return 0;
  CComRef<IHTMLElement> body(GetBody());
  if (!body) return 0;
  CBstr where(L"beforeEnd");
  CBstr text(markup);
  return SUCCEEDED(body->insertAdjacentHTML(where.get(), text.get())) ? 1 : 0;
}

int CDOMUtil::RemoveElementFromPoint(int x, int y) {
  if (!document_) return 0;
  CComRef<IHTMLElement> current(GetElementFromPoint(x, y));
  if (!current) {
    TRACE("DOMUTIL: Can't get element from point");
    return 0;
  }
  bool failed = false;
  if (TagIs(current.get(), L"body", failed)) {
    TRACE("DOMUTIL: Can't remove body element. By design");
    return 0;
  }
  if (failed) {
    TRACE("DOMUTIL: Can't get tag name");
    return 0;
  }
  // Climb to the body's child that holds the point.
  for (;;) {
    CComRef<IHTMLElement> parent;
    if (FAILED(current->get_parentElement(parent.out())) || !parent) {
      TRACE("DOMUTIL: Can't get element parent");
      return 0;
    }
    bool parentIsBody = TagIs(parent.get(), L"body", failed);
    if (failed) {
      TRACE("DOMUTIL: Can't get parent element tag name");
      return 0;
    }
    if (parentIsBody) break;
    current.Reset();
    *current.out() = parent.detach();
  }
  CComRef<IHTMLElement> body(GetBody());
  if (!body) {
    TRACE("DOMUTIL: Can't get body element");
    return 0;
  }
  CComRef<IHTMLDOMNode> bodyNode, node;
  if (FAILED(body->QueryInterface(IID_IHTMLDOMNode, bodyNode.outVoid())) ||
      FAILED(current->QueryInterface(IID_IHTMLDOMNode, node.outVoid()))) {
    TRACE("DOMUTIL: Can't query for IHTMLDOMNode");
    return 0;
  }
  CComRef<IHTMLDOMNode> removed;
  if (FAILED(bodyNode->removeChild(node.get(), removed.out()))) {
    TRACE("DOMUTIL: Can't remove element");
    return 0;
  }
  return 1;
}

int CDOMUtil::RemoveElementBySourceIndex(int index) {
  if (!document_) return 0;
  CComRef<IHTMLElement> element(GetElementBySourceIndex(index));
  if (!element) return 0;
  CComRef<IHTMLElement> parent;
  if (FAILED(element->get_parentElement(parent.out())) || !parent) return 0;
  CComRef<IHTMLDOMNode> parentNode, node, removed;
  if (FAILED(parent->QueryInterface(IID_IHTMLDOMNode, parentNode.outVoid())) ||
      FAILED(element->QueryInterface(IID_IHTMLDOMNode, node.outVoid())))
    return 0;
  return SUCCEEDED(parentNode->removeChild(node.get(), removed.out())) ? 1 : 0;
}

int CDOMUtil::LoadCode(const char* text, UINT codePage) {
  if (!document_ || !text) return 0;
  CComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.out()))) {
    TRACE("CDOMUtil::LoadCode(): Can't create stream");
    return 0;
  }
  CComRef<IPersistStreamInit> persist;
  if (FAILED(document_->QueryInterface(IID_IPersistStreamInit, persist.outVoid())) || !persist) {
    TRACE("CDOMUtil::LoadCode(): Query for IPersistStreamInit failed");
    return 0;
  }
  CXStringW wide;
  const wchar_t* buffer = nullptr;
  if (wide.AssignConverted(text, -1, codePage)) buffer = wide.GetBuffer(wide.GetLength());
  if (!buffer) {
    TRACE("CDOMUtil::LoadCode(): XString::GetBuffer() failed");
    return 0;
  }
  // The whole text, without its terminator: a UTF-16LE stream that the engine recognises as such.
  ULONG bytes = static_cast<ULONG>(wide.GetLength()) * sizeof(wchar_t);
  ULONG written = 0;
  HRESULT hr = bytes ? stream->Write(buffer, bytes, &written) : S_OK;
  wide.ReleaseBuffer(wide.GetLength());
  if (FAILED(hr) || written != bytes) {
    TRACE("CDOMUtil::LoadCode(): Writing to a stream failed");
    return 0;
  }
  LARGE_INTEGER start = {};
  if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) {
    TRACE("CDOMUtil::LoadCOde(): Stream seek failed");
    return 0;
  }
  if (FAILED(persist->InitNew())) {
    TRACE("CDOMUtil::LoadCode(): DOM InitNew() failed");
    return 0;
  }
  if (FAILED(persist->Load(stream.get()))) {
    TRACE("CDOMUtil::LoadCOde(): DOM Load() from stream failed");
    return 0;
  }
  return 1;
}

int CDOMUtil::LoadFromFile(const char* path) {
  if (!document_ || !path) return 0;
  CXStringW widePath(path);
  CComRef<IMoniker> moniker;
  if (FAILED(CreateURLMoniker(nullptr, widePath.GetString(), moniker.out()))) {
    TRACE("CDOMUtil::LoadFromFile() : failed to create url moniker");
    return 0;
  }
  CComRef<IBindCtx> context;
  if (FAILED(CreateBindCtx(0, context.out()))) {
    TRACE("CDOMUtil::LoadFromFile() : failed to create bind context");
    return 0;
  }
  CComRef<IPersistMoniker> persist;
  if (FAILED(document_->QueryInterface(IID_IPersistMoniker, persist.outVoid())) || !persist) {
    TRACE("CDOMUtil::LoadFromFile() : query for IPersistMoniker failed");
    return 0;
  }
  if (FAILED(persist->Load(TRUE, moniker.get(), context.get(), 0))) {
    TRACE("CDOMUtil::LoadFromFile() : Load method failed");
    return 0;
  }
  return 1;
}

int CDOMUtil::GetBODYCustomWHAttrs(int& width, int& height) {
  if (!document_) return 0;
  CComRef<IHTMLElement> body(GetBody());
  if (!body) {
    TRACE("CDOMUtil::GetBODYCustomWHAttrs(): Can't get body element\n");
    return 0;
  }
  auto read = [&](const wchar_t* name, int& out) {
    CBstr attribute(name);
    CVariant value;
    if (FAILED(body->getAttribute(attribute.get(), 0, &value)) || value.vt() == VT_NULL || value.vt() == VT_EMPTY)
      return false;
    CVariant number;
    VariantChangeType(&number, &value.get(), 0, VT_I4);
    out = number.vt() == VT_I4 ? V_I4(&number.get()) : 0;
    return true;
  };
  if (!read(L"width", width)) {
    TRACE("CDOMUtil::GetBODYCustomWHAttrs(): Can't get WIDTH attribute\n");
    return 0;
  }
  if (!read(L"height", height)) {
    TRACE("CDOMUtil::GetBODYCustomWHAttrs(): Can't get HEIGHT attribute\n");
    return 0;
  }
  return 1;
}

int CDOMUtil::SetBODYCustomWHAttrs(int width, int height) {
  if (!document_) return 0;
  CComRef<IHTMLElement> body(GetBody());
  if (!body) {
    TRACE("CDOMUtil::SetBODYCustomWHAttrs(): Can't get body element\n");
    return 0;
  }
  auto write = [&](const wchar_t* name, int number) {
    wchar_t digits[16];
    wsprintfW(digits, L"%d", number);
    CBstr attribute(name);
    CVariant value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = SysAllocString(digits);
    if (!V_BSTR(&value)) throw ComOutOfMemory{};
    return SUCCEEDED(body->setAttribute(attribute.get(), value.get(), 0));
  };
  if (!write(L"width", width)) {
    TRACE("CDOMUtil::SetBODYCustomWHAttrs(): Can't set WIDTH attribute\n");
    return 0;
  }
  if (!write(L"height", height)) {
    TRACE("CDOMUtil::SetBODYCustomWHAttrs(): Can't set HEIGHT attribute\n");
    return 0;
  }
  return 1;
}

int CDOMUtil::StepZIndex(IHTMLElement* element, int delta) {
  if (!document_ || !element) return 0;
  CComRef<IHTMLElement2> element2;
  if (FAILED(element->QueryInterface(IID_IHTMLElement2, element2.outVoid())) || !element2) return 0;
  CComRef<IHTMLCurrentStyle> current;
  if (FAILED(element2->get_currentStyle(current.out())) || !current) return 0;
  CVariant zIndex;
  if (FAILED(current->get_zIndex(&zIndex))) return 0;
  int value = 0;
  if (zIndex.vt() != VT_BSTR) {
    CVariant number;
    if (SUCCEEDED(VariantChangeType(&number, &zIndex.get(), 0, VT_I4))) value = V_I4(&number.get());
  }
  CComRef<IHTMLStyle> style;
  if (FAILED(element->get_style(style.out())) || !style) return 0;
  CVariant result;
  V_VT(&result) = VT_I4;
  V_I4(&result) = value + delta;
  return SUCCEEDED(style->put_zIndex(result.get())) ? 1 : 0;
}

void CDOMUtil::FormatPositionStyle(const RECT& rect, CXStringW& style) {
  style.Append(L"left: ");
  AppendNumber(style, rect.left);
  style.Append(L"px; top: ");
  AppendNumber(style, rect.top);
  style.Append(L"px; width: ");
  AppendNumber(style, rect.right - rect.left);
  style.Append(L"px; height: ");
  AppendNumber(style, rect.bottom - rect.top);
  style.Append(L"px;");
}

void CDOMUtil::AppendNumber(CXStringW& text, int number) {
  wchar_t digits[16];
  wsprintfW(digits, L"%d", number);
  text.Append(digits);
}
