// The walk over the document's "all" collection, the head's metas and the page's code page.
#include "document/Dom2HTML.h"

#include <climits>

#include "window/Trace.h"
#include "document/Charsets.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTMLText.h"
#include "resource_ids.h"

using dom2html::IntVariant;

namespace {

const char kModuleAnchor = 0;

// About what a saved form takes per element (its line, attributes and style), to size the text once.
constexpr long kBytesPerElementHint = 112;

// The module this code is linked into: its string table holds the generator text.
HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&kModuleAnchor), &module);
  return module;
}

const wchar_t* const kWithoutEndTag[] = {L"meta",  L"link", L"input", L"img", L"br",       L"frame", L"area",
                                         L"param", L"col",  L"links", L"hr",  L"basefont", L"base",  L"#comment"};

}  // namespace

int CDom2HTML::Parse() {
  if (!document_) return 0;
  output_.Clear();
  generatorPresent_ = 0;
  contentTypePresent_ = 0;
  codePage_ = GetDocumentCodePage();
  output_.Reset(codePage_);
  auto fail = [this] {
    output_.Clear();
    return 0;
  };
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document_->get_all(all.Out())) || !all) {
    TRACE("CDom2HTML::Parse(): Can't get all collection\n");
    return fail();
  }
  long length = 0;
  if (FAILED(all->get_length(&length))) {
    TRACE("CDom2HTML::Parse(): Can't get all collection length\n");
    return fail();
  }
  if (length > 0 && length < INT_MAX / kBytesPerElementHint) output_.Reserve(length * kBytesPerElementHint);
  // Each call writes a whole subtree and reports the source index of the last element in it, so the walk
  // goes on behind that subtree: every top-level node is written once, with its descendants.
  for (long i = 0; i < length;) {
    VARIANT name = IntVariant(i), index = IntVariant(0);
    CComRef<IDispatch> item;
    if (FAILED(all->item(name, index, item.Out())) || !item) {
      TRACE("CDom2HTML::Parse(): Can't get element from all collection\n");
      return fail();
    }
    CComRef<IHTMLDOMNode> node;
    if (FAILED(item->QueryInterface(IID_IHTMLDOMNode, node.OutVoid())) || !node) {
      TRACE("CDom2HTML::Parse(): query for IHTMLDOMNode failed\n");
      ++i;
      continue;
    }
    long last = i;
    if (!ParseElement(node.get(), 0, last)) {
      TRACE("CDom2HTML::Parse(): parsing failed\n");
      return fail();
    }
    // An engine that reports no usable source index still moves the walk forward.
    i = last + 1 > i ? last + 1 : i + 1;
  }
  if (output_.Failed()) return fail();
  return 1;
}

int CDom2HTML::NeedsEndTag(const wchar_t* tagName) {
  if (!tagName) return 1;
  CBstr lower(tagName);
  dom2html::LowerInPlace(lower.get());
  return NeedsEndTagLower(lower.get());
}

int CDom2HTML::NeedsEndTagLower(const wchar_t* lowerTagName) {
  // Most tags of a form (span, select, option, textarea, div...) start with a letter none of the list
  // starts with, and are settled without a comparison.
  switch (lowerTagName ? lowerTagName[0] : 0) {
    case L'm':
    case L'l':
    case L'i':
    case L'b':
    case L'f':
    case L'a':
    case L'p':
    case L'c':
    case L'h':
    case L'#':
      break;
    default:
      return 1;
  }
  for (const wchar_t* tag : kWithoutEndTag)
    if (dom2html::Equals(lowerTagName, tag)) return 0;
  return 1;
}

// --- metas ----------------------------------------------------------------------------------------------

// The resource never changes while the module is loaded: it is read once, not for every text.
const CXString& CDom2HTML::GeneratorText() {
  static const CXString kGenerator = [] {
    CXString text;
    text.LoadFromStringTable(OwnModule(), IDS_GENERATOR);
    return text;
  }();
  return kGenerator;
}

int CDom2HTML::PatchMetaGenerator(IHTMLDOMNode* meta) {
  CComRef<IHTMLElement> element;
  if (FAILED(meta->QueryInterface(IID_IHTMLElement, element.OutVoid())) || !element) {
    TRACE("CDom2HTML::PatchMetaGenerator(): query to IHTMLElement failed\n");
    return 0;
  }
  CBstr nameAttribute(L"name");
  CVariant name;
  if (FAILED(element->getAttribute(nameAttribute.get(), 0, &name))) return 0;
  CVariant text;
  if (!dom2html::VariantText(name.get(), text)) return 1;
  dom2html::LowerInPlace(V_BSTR(&text.get()));
  if (!dom2html::Equals(V_BSTR(&text.get()), L"generator")) return 1;
  CXStringW wide;
  if (comkit::AllocationFaultDue() || !wide.AssignConverted(GeneratorText().GetString())) throw ComOutOfMemory{};
  CBstr contentAttribute(L"content");
  CVariant content;
  V_VT(&content) = VT_BSTR;
  V_BSTR(&content) = comkit::AllocStringLen(wide.GetString(), static_cast<UINT>(wide.GetLength()));
  if (!V_BSTR(&content)) throw ComOutOfMemory{};
  if (FAILED(element->setAttribute(contentAttribute.get(), content.get(), 0))) {
    TRACE("CDom2HTML::PatchMetaGenerator(): can't patch generator string\n");
    return 0;
  }
  return 1;
}

bool CDom2HTML::IsContentTypeMeta(IHTMLDOMNode* meta) {
  CComRef<IHTMLMetaElement> element;
  if (FAILED(meta->QueryInterface(IID_IHTMLMetaElement, element.OutVoid())) || !element) return false;
  return DeclaresContentType(element.get());
}

// The editor writes name="Content-Type"; pages from elsewhere say http-equiv="Content-Type". Either
// declares the page's character set, which is then the one the page is written in.
bool CDom2HTML::DeclaresContentType(IHTMLMetaElement* meta) {
  CBstr name;
  if (SUCCEEDED(meta->get_name(name.Out())) && name.get()) {
    dom2html::LowerInPlace(name.get());
    if (dom2html::Equals(name.get(), L"content-type")) return true;
  }
  CBstr httpEquiv;
  if (FAILED(meta->get_httpEquiv(httpEquiv.Out())) || !httpEquiv.get()) return false;
  dom2html::LowerInPlace(httpEquiv.get());
  return dom2html::Equals(httpEquiv.get(), L"content-type");
}

void CDom2HTML::WriteGeneratorMeta(int level) {
  output_.Indent(level);
  output_.Ascii("<META NAME=\"Generator\" CONTENT=\"");
  output_.Ascii(GeneratorText().GetString(), GeneratorText().GetLength());
  output_.Ascii("\">\n");
}

void CDom2HTML::WriteContentTypeMeta(int level) {
  CXString content;
  BuildContentType(content);
  output_.Indent(level);
  output_.Ascii("<META NAME=\"Content-Type\" CONTENT=\"");
  output_.Ascii(content.GetString(), content.GetLength());
  output_.Ascii("\">\n");
}

// --- character set ----------------------------------------------------------------------------------------

UINT CDom2HTML::GetDocumentCodePage() {
  if (!document_) return 0;
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document_->get_all(all.Out())) || !all) return 0;
  CVariant tagName;
  V_VT(&tagName) = VT_BSTR;
  V_BSTR(&tagName) = comkit::AllocString(L"Meta");
  if (!V_BSTR(&tagName)) throw ComOutOfMemory{};
  CComRef<IDispatch> metasDispatch;
  CComRef<IHTMLElementCollection> metas;
  if (FAILED(all->tags(tagName.get(), metasDispatch.Out())) || !metasDispatch ||
      FAILED(metasDispatch->QueryInterface(IID_IHTMLElementCollection, metas.OutVoid())) || !metas)
    return 0;
  long length = 0;
  if (FAILED(metas->get_length(&length))) return 0;
  CBstr content;
  bool found = false;
  for (long i = 0; i < length && !found; ++i) {
    VARIANT name = IntVariant(i), index = IntVariant(0);
    CComRef<IDispatch> item;
    CComRef<IHTMLMetaElement> meta;
    if (FAILED(metas->item(name, index, item.Out())) || !item ||
        FAILED(item->QueryInterface(IID_IHTMLMetaElement, meta.OutVoid())) || !meta)
      continue;
    if (!DeclaresContentType(meta.get())) continue;
    found = SUCCEEDED(meta->get_content(content.Out()));
  }
  if (!found) return 0;
  CXString ansi;
  if (comkit::AllocationFaultDue() || !ansi.AssignConverted(content.get(), content.Length())) throw ComOutOfMemory{};
  ansi.MakeLower();
  return Charset_CodePageOfContent(ansi.GetString());
}

int CDom2HTML::BuildContentType(CXString& value) {
  value = "text/html;";
  if (const char* name = Charset_NameOfCodePage(GetACP())) {
    value.Append(" charset=");
    value.Append(name);
  }
  return 1;
}
