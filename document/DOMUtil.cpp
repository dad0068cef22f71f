#include "document/DOMUtil.h"

#include <urlmon.h>

#include "engine/DocumentLimits.h"
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
  failed = FAILED(element->get_tagName(tag.Out())) || !tag.get();
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
    if (value)
      ok = ok && markup.Append(L" ") && markup.Append(name) && markup.Append(L"=\"") && markup.Append(value) &&
           markup.Append(L"\"");
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
  if (comkit::AllocationFaultDue() || !ok) throw ComOutOfMemory{};
  BSTR result = comkit::AllocStringLen(markup.GetString(), static_cast<UINT>(markup.GetLength()));
  if (!result) throw ComOutOfMemory{};
  return result;
}

bool BodySizeStrings::Prepare(int defaultWidthPixels, int defaultHeightPixels) {
  if (Ready()) return true;
  wchar_t width[16], height[16];
  wsprintfW(width, L"%d", defaultWidthPixels);
  wsprintfW(height, L"%d", defaultHeightPixels);
  BSTR made[] = {comkit::AllocString(L"width"), comkit::AllocString(L"height"), comkit::AllocString(width),
                 comkit::AllocString(height)};
  for (BSTR text : made) {
    if (text) continue;
    for (BSTR other : made) SysFreeString(other);
    return false;
  }
  *widthName.Out() = made[0];
  *heightName.Out() = made[1];
  *defaultWidth.Out() = made[2];
  *defaultHeight.Out() = made[3];
  return true;
}

CComRef<IHTMLElement> CDOMUtil::GetElementFromPoint(int x, int y) {
  CComRef<IHTMLElement> element;
  if (!document_ || FAILED(document_->elementFromPoint(x, y, element.Out()))) return {};
  return element;
}

CComRef<IHTMLElement> CDOMUtil::ItemOfAll(IHTMLElementCollection* all, long place) {
  CVariant name, position;
  V_VT(&name) = VT_I4;
  V_I4(&name) = place;
  V_VT(&position) = VT_I4;
  V_I4(&position) = 0;
  CComRef<IDispatch> item;
  CComRef<IHTMLElement> element;
  if (!all || FAILED(all->item(name.get(), position.get(), item.Out())) || !item ||
      FAILED(item->QueryInterface(IID_IHTMLElement, element.OutVoid())))
    return {};
  return element;
}

CComRef<IHTMLElement> CDOMUtil::GetElementBySourceIndex(int index) {
  if (!document_) return {};
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document_->get_all(all.Out())) || !all) return {};
  long length = 0;
  if (FAILED(all->get_length(&length))) return {};
  for (long i = 0; i < length; ++i) {
    CComRef<IHTMLElement> element = ItemOfAll(all.get(), i);
    if (!element) continue;
    long sourceIndex = -1;
    if (FAILED(element->get_sourceIndex(&sourceIndex))) continue;
    if (sourceIndex == index) return element;
  }
  return {};
}

CComRef<IHTMLElement> CDOMUtil::GetBody() {
  CComRef<IHTMLElement> body;
  if (!document_ || FAILED(document_->get_body(body.Out()))) return {};
  return body;
}

int CDOMUtil::InsertElement(const HTMLElementCreateData& record) {
  if (!document_) return 0;
  CBstr markup;
  *markup.Out() = record.BuildHTML();
  return InsertHTML(markup.get());
}

int CDOMUtil::InsertHTML(const wchar_t* markup) {
  if (!document_ || !markup) return 0;
  CBstr where(L"beforeEnd");
  CBstr text(markup);
  CComRef<IHTMLElement> body(GetBody());
  if (!body) return 0;
  return SUCCEEDED(body->insertAdjacentHTML(where.get(), text.get())) ? 1 : 0;
}

namespace {

IHTMLDOMNode* BodyNode(IHTMLElement* body) {
  IHTMLDOMNode* node = nullptr;
  if (!body || FAILED(body->QueryInterface(IID_IHTMLDOMNode, reinterpret_cast<void**>(&node)))) return nullptr;
  return node;
}

// COM identity: two interface pointers of one node need not be equal.
bool SameObject(IUnknown* a, IUnknown* b) {
  if (!a || !b) return a == b;
  CComRef<IUnknown> first, second;
  if (FAILED(a->QueryInterface(IID_IUnknown, first.OutVoid())) ||
      FAILED(b->QueryInterface(IID_IUnknown, second.OutVoid())))
    return false;
  return first.get() == second.get();
}

// Fills removed with node, its parent and its next sibling.
bool RecordPlace(IHTMLDOMNode* parent, IHTMLDOMNode* node, RemovedNode* removed) {
  if (!removed) return true;
  CComRef<IHTMLDOMNode> next;
  if (FAILED(node->get_nextSibling(next.Out()))) return false;
  removed->parent = CComRef<IHTMLDOMNode>::Share(parent);
  removed->node = CComRef<IHTMLDOMNode>::Share(node);
  removed->next = std::move(next);
  return true;
}

}  // namespace

CComRef<IHTMLDOMNode> CDOMUtil::BodyLastChild() {
  CComRef<IHTMLElement> body(GetBody());
  CComRef<IHTMLDOMNode> node(BodyNode(body.get()));
  CComRef<IHTMLDOMNode> last;
  if (!node || FAILED(node->get_lastChild(last.Out()))) return {};
  return last;
}

int CDOMUtil::RemoveBodyChildrenAfter(IHTMLDOMNode* mark) {
  CComRef<IHTMLElement> body(GetBody());
  CComRef<IHTMLDOMNode> node(BodyNode(body.get()));
  if (!node) return 0;
  for (;;) {
    CComRef<IHTMLDOMNode> last;
    if (FAILED(node->get_lastChild(last.Out()))) return 0;
    if (!last || SameObject(last.get(), mark)) return 1;
    CComRef<IHTMLDOMNode> removed;
    if (FAILED(node->removeChild(last.get(), removed.Out()))) return 0;
  }
}

int CDOMUtil::Restore(const RemovedNode& removed) {
  if (!removed.parent || !removed.node) return 0;
  VARIANT before;
  VariantInit(&before);
  if (removed.next) {
    V_VT(&before) = VT_UNKNOWN;
    V_UNKNOWN(&before) = removed.next.get();
  } else {
    V_VT(&before) = VT_NULL;
  }
  CComRef<IHTMLDOMNode> inserted;
  return SUCCEEDED(removed.parent->insertBefore(removed.node.get(), before, inserted.Out())) ? 1 : 0;
}

int CDOMUtil::RemoveElementFromPoint(int x, int y, RemovedNode* removed) {
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
    if (FAILED(current->get_parentElement(parent.Out())) || !parent) {
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
    *current.Out() = parent.Detach();
  }
  CComRef<IHTMLElement> body(GetBody());
  if (!body) {
    TRACE("DOMUTIL: Can't get body element");
    return 0;
  }
  CComRef<IHTMLDOMNode> bodyNode, node;
  if (FAILED(body->QueryInterface(IID_IHTMLDOMNode, bodyNode.OutVoid())) ||
      FAILED(current->QueryInterface(IID_IHTMLDOMNode, node.OutVoid()))) {
    TRACE("DOMUTIL: Can't query for IHTMLDOMNode");
    return 0;
  }
  if (!RecordPlace(bodyNode.get(), node.get(), removed)) return 0;
  CComRef<IHTMLDOMNode> taken;
  if (FAILED(bodyNode->removeChild(node.get(), taken.Out()))) {
    TRACE("DOMUTIL: Can't remove element");
    return 0;
  }
  return 1;
}

int CDOMUtil::RemoveElementBySourceIndex(int index, RemovedNode* removed) {
  if (!document_) return 0;
  CComRef<IHTMLElement> element(GetElementBySourceIndex(index));
  if (!element) return 0;
  CComRef<IHTMLElement> parent;
  if (FAILED(element->get_parentElement(parent.Out())) || !parent) return 0;
  CComRef<IHTMLDOMNode> parentNode, node, taken;
  if (FAILED(parent->QueryInterface(IID_IHTMLDOMNode, parentNode.OutVoid())) ||
      FAILED(element->QueryInterface(IID_IHTMLDOMNode, node.OutVoid())))
    return 0;
  if (!RecordPlace(parentNode.get(), node.get(), removed)) return 0;
  return SUCCEEDED(parentNode->removeChild(node.get(), taken.Out())) ? 1 : 0;
}

int CDOMUtil::LoadCode(const char* text, UINT codePage) {
  if (!document_ || !text) return 0;
  CComRef<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Out()))) {
    TRACE("CDOMUtil::LoadCode(): Can't create stream");
    return 0;
  }
  CComRef<IPersistStreamInit> persist;
  if (FAILED(document_->QueryInterface(IID_IPersistStreamInit, persist.OutVoid())) || !persist) {
    TRACE("CDOMUtil::LoadCode(): Query for IPersistStreamInit failed");
    return 0;
  }
  CXStringW wide;
  const wchar_t* buffer = nullptr;
  if (!comkit::AllocationFaultDue() && wide.AssignConverted(text, -1, codePage))
    buffer = wide.GetBuffer(wide.GetLength());
  if (!buffer) {
    TRACE("CDOMUtil::LoadCode(): XString::GetBuffer() failed");
    return 0;
  }
  // A text the engine would refuse is refused here, before the page there is cleared for it.
  if ((static_cast<size_t>(wide.GetLength()) + 1) * sizeof(wchar_t) > kEngineMaxDocumentBytes) {
    wide.ReleaseBuffer(wide.GetLength());
    TRACE("CDOMUtil::LoadCode(): text too large for the engine");
    return 0;
  }
  // The whole text, without its terminator, as UTF-16LE behind its byte-order mark: marked, it is read as
  // UTF-16 whatever its first character (a non-breaking space, a UTF-8 mark read as ANSI) looks like.
  static const BYTE kByteOrderMark[] = {0xFF, 0xFE};
  ULONG bytes = static_cast<ULONG>(wide.GetLength()) * sizeof(wchar_t);
  ULONG written = 0, markWritten = 0;
  HRESULT hr = stream->Write(kByteOrderMark, sizeof kByteOrderMark, &markWritten);
  if (SUCCEEDED(hr) && bytes) hr = stream->Write(buffer, bytes, &written);
  wide.ReleaseBuffer(wide.GetLength());
  if (FAILED(hr) || markWritten != sizeof kByteOrderMark || written != bytes) {
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
  CXStringW widePath;
  if (comkit::AllocationFaultDue() || !widePath.AssignConverted(path)) {
    TRACE("CDOMUtil::LoadFromFile() : no memory for the path");
    return 0;
  }
  CComRef<IMoniker> moniker;
  if (FAILED(CreateURLMoniker(nullptr, widePath.GetString(), moniker.Out()))) {
    TRACE("CDOMUtil::LoadFromFile() : failed to create url moniker");
    return 0;
  }
  CComRef<IBindCtx> context;
  if (FAILED(CreateBindCtx(0, context.Out()))) {
    TRACE("CDOMUtil::LoadFromFile() : failed to create bind context");
    return 0;
  }
  CComRef<IPersistMoniker> persist;
  if (FAILED(document_->QueryInterface(IID_IPersistMoniker, persist.OutVoid())) || !persist) {
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
  CBstr widthName(L"width");
  CBstr heightName(L"height");
  return ReadBodySize(widthName.get(), heightName.get(), width, height);
}

int CDOMUtil::GetBODYCustomWHAttrs(const BodySizeStrings& strings, int& width, int& height) {
  if (!document_ || !strings.Ready()) return 0;
  return ReadBodySize(strings.widthName.get(), strings.heightName.get(), width, height);
}

int CDOMUtil::ReadBodySize(BSTR widthName, BSTR heightName, int& width, int& height) {
  CComRef<IHTMLElement> body(GetBody());
  if (!body) {
    TRACE("CDOMUtil::GetBODYCustomWHAttrs(): Can't get body element\n");
    return 0;
  }
  auto read = [&](BSTR name, int& out) {
    CVariant value;
    if (FAILED(body->getAttribute(name, 0, &value)) || value.Type() == VT_NULL || value.Type() == VT_EMPTY)
      return false;
    CVariant number;
    VariantChangeType(&number, &value.get(), 0, VT_I4);
    out = number.Type() == VT_I4 ? V_I4(&number.get()) : 0;
    return true;
  };
  if (!read(widthName, width)) {
    TRACE("CDOMUtil::GetBODYCustomWHAttrs(): Can't get WIDTH attribute\n");
    return 0;
  }
  if (!read(heightName, height)) {
    TRACE("CDOMUtil::GetBODYCustomWHAttrs(): Can't get HEIGHT attribute\n");
    return 0;
  }
  return 1;
}

int CDOMUtil::SetBODYCustomWHAttrs(int width, int height) {
  if (!document_) return 0;
  // Every string is made before the first attribute is written: the body gets both or neither.
  wchar_t widthDigits[16], heightDigits[16];
  wsprintfW(widthDigits, L"%d", width);
  wsprintfW(heightDigits, L"%d", height);
  CBstr widthName(L"width");
  CBstr heightName(L"height");
  CBstr widthValue(widthDigits);
  CBstr heightValue(heightDigits);
  return WriteBodySize(widthName.get(), heightName.get(), widthValue.get(), heightValue.get());
}

int CDOMUtil::SetBODYDefaultWHAttrs(const BodySizeStrings& strings) {
  if (!document_ || !strings.Ready()) return 0;
  return WriteBodySize(strings.widthName.get(), strings.heightName.get(), strings.defaultWidth.get(),
                       strings.defaultHeight.get());
}

int CDOMUtil::WriteBodySize(BSTR widthName, BSTR heightName, BSTR width, BSTR height) {
  CComRef<IHTMLElement> body(GetBody());
  if (!body) {
    TRACE("CDOMUtil::SetBODYCustomWHAttrs(): Can't get body element\n");
    return 0;
  }
  // The value is lent, not copied: the caller's string outlives the call.
  auto write = [&](BSTR name, BSTR text) {
    VARIANT value;
    V_VT(&value) = VT_BSTR;
    V_BSTR(&value) = text;
    return SUCCEEDED(body->setAttribute(name, value, 0));
  };
  if (!write(widthName, width)) {
    TRACE("CDOMUtil::SetBODYCustomWHAttrs(): Can't set WIDTH attribute\n");
    return 0;
  }
  if (!write(heightName, height)) {
    TRACE("CDOMUtil::SetBODYCustomWHAttrs(): Can't set HEIGHT attribute\n");
    return 0;
  }
  return 1;
}

int CDOMUtil::StepZIndex(IHTMLElement* element, int delta) {
  if (!document_ || !element) return 0;
  CComRef<IHTMLElement2> element2;
  if (FAILED(element->QueryInterface(IID_IHTMLElement2, element2.OutVoid())) || !element2) return 0;
  CComRef<IHTMLCurrentStyle> current;
  if (FAILED(element2->get_currentStyle(current.Out())) || !current) return 0;
  CVariant zIndex;
  if (FAILED(current->get_zIndex(&zIndex))) return 0;
  int value = 0;
  if (zIndex.Type() != VT_BSTR) {
    CVariant number;
    if (SUCCEEDED(VariantChangeType(&number, &zIndex.get(), 0, VT_I4))) value = V_I4(&number.get());
  }
  CComRef<IHTMLStyle> style;
  if (FAILED(element->get_style(style.Out())) || !style) return 0;
  CVariant result;
  V_VT(&result) = VT_I4;
  V_I4(&result) = value + delta;
  return SUCCEEDED(style->put_zIndex(result.get())) ? 1 : 0;
}

void CDOMUtil::FormatPositionStyle(const RECT& rect, CXStringW& style) {
  auto text = [&](const wchar_t* piece) {
    if (comkit::AllocationFaultDue() || !style.Append(piece)) throw ComOutOfMemory{};
  };
  text(L"left: ");
  AppendNumber(style, rect.left);
  text(L"px; top: ");
  AppendNumber(style, rect.top);
  text(L"px; width: ");
  AppendNumber(style, rect.right - rect.left);
  text(L"px; height: ");
  AppendNumber(style, rect.bottom - rect.top);
  text(L"px;");
}

void CDOMUtil::AppendNumber(CXStringW& text, int number) {
  wchar_t digits[16];
  wsprintfW(digits, L"%d", number);
  if (comkit::AllocationFaultDue() || !text.Append(digits)) throw ComOutOfMemory{};
}
