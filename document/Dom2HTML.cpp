// The walk over the document's "all" collection, the head's metas and the page's code page.
#include "document/Dom2HTML.h"

#include <climits>
#include <cwchar>

#include "window/Trace.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTMLText.h"
#include "encoding/charset_labels.h"
#include "encoding/meta_prescan.h"
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

}  // namespace

int CDom2HTML::Parse() {
  if (!document_) return 0;
  output_.Clear();
  spans_.clear();
  generatorPresent_ = 0;
  contentTypePresent_ = 0;
  markupEnded_ = false;
  endTagAtOnce_ = false;
  utf8Meta_ = {};
  ownMeta_ = false;
  // A page declared in a character set the system cannot write, or one whose bytes are not ASCII where
  // markup is, is written in UTF-8 and its declarations say so: never a text the reader cannot take back.
  const UINT declared = GetDocumentCodePage();
  redeclareUtf8_ = declared != 0 && !CanWriteIn(declared);
  codePage_ = redeclareUtf8_ ? CP_UTF8 : declared;
  output_.Reset(codePage_);
  auto fail = [this] {
    output_.Clear();
    spans_.clear();
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
  return writer_rules::NeedsEndTagLower(lowerTagName) ? 1 : 0;
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
  // A page this writer wrote already says so: setting the same text again would count as a change.
  CVariant present;
  if (SUCCEEDED(element->getAttribute(contentAttribute.get(), 0, &present)) && present.Type() == VT_BSTR &&
      V_BSTR(&present.get()) && BstrLength(V_BSTR(&present.get())) == wide.GetLength() &&
      wmemcmp(V_BSTR(&present.get()), wide.GetString(), static_cast<size_t>(wide.GetLength())) == 0)
    return 1;
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

bool CDom2HTML::IsOwnMeta(IHTMLDOMNode* meta) {
  CComRef<IHTMLMetaElement> element;
  if (FAILED(meta->QueryInterface(IID_IHTMLMetaElement, element.OutVoid())) || !element) return false;
  CBstr name;
  if (FAILED(element->get_name(name.Out())) || !name.get()) return false;
  dom2html::LowerInPlace(name.get());
  return writer_rules::IsOwnMetaName(name.get());
}

bool CDom2HTML::HasCharsetAttribute(IHTMLDOMNode* meta) {
  CComRef<IHTMLMetaElement> element;
  if (FAILED(meta->QueryInterface(IID_IHTMLMetaElement, element.OutVoid())) || !element) return false;
  CBstr charset;
  return SUCCEEDED(element->get_charset(charset.Out())) && charset.Length() > 0;
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

// The declaration the engine's prescan would find in the written page: the first meta, in document
// order, whose charset attribute or content-type content names a label of the table.
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
  for (long i = 0; i < length; ++i) {
    VARIANT name = IntVariant(i), index = IntVariant(0);
    CComRef<IDispatch> item;
    CComRef<IHTMLMetaElement> meta;
    if (FAILED(metas->item(name, index, item.Out())) || !item ||
        FAILED(item->QueryInterface(IID_IHTMLMetaElement, meta.OutVoid())) || !meta)
      continue;
    if (const UINT codePage = DeclaredCodePage(meta.get())) return codePage;
  }
  return 0;
}

UINT CDom2HTML::DeclaredCodePage(IHTMLMetaElement* meta) {
  namespace encoding = vellum::engine::encoding;
  CBstr charset;
  if (SUCCEEDED(meta->get_charset(charset.Out())) && charset.get()) {
    if (const encoding::CharsetLabel* row = encoding::FindCharsetLabel(AsciiOf(charset))) return row->codePage;
  }
  if (!DeclaresContentType(meta)) return 0;
  CBstr content;
  if (FAILED(meta->get_content(content.Out())) || !content.get()) return 0;
  const std::string ascii = AsciiOf(content);
  const std::optional<std::string_view> label = encoding::ExtractCharsetFromContent(ascii);
  const encoding::CharsetLabel* row = label ? encoding::FindCharsetLabel(*label) : nullptr;
  return row ? row->codePage : 0;
}

// Labels are ASCII: anything else in the text cannot be part of one and stands in as a character no
// label has.
std::string CDom2HTML::AsciiOf(const CBstr& text) {
  std::string ascii;
  ascii.reserve(static_cast<size_t>(text.Length()));
  for (int i = 0; i < text.Length(); ++i) {
    const wchar_t c = text.get()[i];
    ascii.push_back(c < 0x80 ? static_cast<char>(c) : '\x7f');
  }
  return ascii;
}

bool CDom2HTML::CanWriteIn(UINT codePage) {
  namespace encoding = vellum::engine::encoding;
  if (codePage == CP_UTF8) return true;
  bool ascii = false;
  for (const encoding::CharsetLabel& row : encoding::CharsetLabels()) {
    if (row.codePage != codePage) continue;
    ascii = row.family == encoding::CharsetFamily::Ascii;
    break;
  }
  return ascii && CHtmlOutput::KeepsAscii(codePage);
}

int CDom2HTML::BuildContentType(CXString& value) {
  value = "text/html;";
  if (const auto name = vellum::engine::encoding::CharsetLabelOfCodePage(GetACP())) {
    value.Append(" charset=");
    value.Append(name->data(), static_cast<int>(name->size()));
  }
  return 1;
}
