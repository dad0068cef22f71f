// An element's attributes: the engine's specified attributes in its order, then the normalised inline
// style, then an input's current state.
#include <iterator>

#include "window/Trace.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/Dom2HTML.h"
#include "document/Dom2HTMLText.h"
#include "document/StyleTextCase.h"

namespace {

// Attributes of an input written from its current state rather than from its markup: a stale value
// attribute written first would win on reload over the value the user sees.
bool IsInputStateAttribute(const wchar_t* lowerName) {
  return dom2html::Equals(lowerName, L"checked") || dom2html::Equals(lowerName, L"disabled") ||
         dom2html::Equals(lowerName, L"readonly") || dom2html::Equals(lowerName, L"value");
}

}  // namespace

int CDom2HTML::AppendNodeAttributes(IHTMLDOMNode* node, IMarkupView* view, bool isInput) {
  bool hasStyle = false;
  if (!view || !AppendLentAttributes(*view, isInput, hasStyle)) {
    hasStyle = false;
    if (!AppendCollectionAttributes(node, isInput, hasStyle)) return 0;
  }
  if (hasStyle && !AppendStyle(node, view)) return 0;
  if (isInput) AppendInputState(node);
  return 1;
}

// The attributes as the engine lends them; false (and nothing written) when it cannot lend one of them,
// for the collection to be read instead.
bool CDom2HTML::AppendLentAttributes(IMarkupView& view, bool isInput, bool& hasStyle) {
  UINT count = 0;
  if (view.GetAttributeCount(&count) != S_OK) return false;
  const int mark = output_.Mark();
  for (UINT i = 0; i < count; ++i) {
    const wchar_t* name = nullptr;
    const wchar_t* value = nullptr;
    UINT nameLength = 0, valueLength = 0;
    if (view.LendAttribute(i, &name, &nameLength, &value, &valueLength) != S_OK) {
      output_.RewindTo(mark);
      hasStyle = false;
      return false;
    }
    lowered_.assign(name ? name : L"", nameLength);
    dom2html::LowerInPlace(lowered_.data(), static_cast<int>(nameLength));
    if (dom2html::Equals(lowered_.c_str(), L"style")) {
      hasStyle = true;
      continue;
    }
    if (isInput && IsInputStateAttribute(lowered_.c_str())) continue;
    WriteAttribute(lowered_.data(), static_cast<int>(nameLength), value, static_cast<int>(valueLength));
  }
  return true;
}

int CDom2HTML::AppendCollectionAttributes(IHTMLDOMNode* node, bool isInput, bool& hasStyle) {
  CComRef<IDispatch> attributesDispatch;
  CComRef<IHTMLAttributeCollection> attributes;
  if (FAILED(node->get_attributes(attributesDispatch.Out())) || !attributesDispatch ||
      FAILED(attributesDispatch->QueryInterface(IID_IHTMLAttributeCollection, attributes.OutVoid())) || !attributes) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get node attributes collection\n");
    return 0;
  }
  long length = 0;
  if (FAILED(attributes->get_length(&length))) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get attributes collection length\n");
    return 0;
  }
  for (long i = 0; i < length; ++i) {
    VARIANT index = dom2html::IntVariant(i);
    CComRef<IDispatch> item;
    if (FAILED(attributes->item(&index, item.Out())) || !item) {
      TRACE("CDom2HTML::AppendNodeAttributes(): Can't get attribute\n");
      return 0;
    }
    CComRef<IHTMLDOMAttribute> attribute;
    VARIANT_BOOL specified = VARIANT_FALSE;
    if (FAILED(item->QueryInterface(IID_IHTMLDOMAttribute, attribute.OutVoid())) || !attribute ||
        FAILED(attribute->get_specified(&specified))) {
      TRACE("CDom2HTML::AppendNodeAttributes(): Check for attribute existence failed\n");
      return 0;
    }
    if (!specified) continue;
    CBstr name;
    if (FAILED(attribute->get_nodeName(name.Out()))) {
      TRACE("CDom2HTML::AppendNodeAttributes(): Can't get attribute name\n");
      return 0;
    }
    dom2html::LowerInPlace(name.get());
    if (dom2html::Equals(name.get(), L"style")) {
      hasStyle = true;
      continue;
    }
    // Written from the input's state below; its markup value is never needed.
    if (isInput && IsInputStateAttribute(name.get())) continue;
    CVariant value;
    if (FAILED(attribute->get_nodeValue(&value))) {
      TRACE("CDom2HTML::AppendNodeAttributes(): Can't get attribute value\n");
      return 0;
    }
    CVariant converted;
    const VARIANT* text = &value.get();
    if (value.Type() != VT_BSTR) text = dom2html::VariantText(value.get(), converted) ? &converted.get() : nullptr;
    const BSTR valueText = text ? V_BSTR(text) : nullptr;
    WriteAttribute(name.get(), name.Length(), valueText, BstrLength(valueText));
  }
  return 1;
}

void CDom2HTML::WriteAttribute(const wchar_t* lowerName, int nameLength, const wchar_t* value, int valueLength) {
  // The declarations of a page written in UTF-8 in place of its own character set say so.
  static constexpr wchar_t kUtf8[] = L"utf-8";
  static constexpr wchar_t kUtf8Content[] = L"text/html; charset=utf-8";
  if (utf8Meta_.charset && dom2html::Equals(lowerName, L"charset")) {
    value = kUtf8;
    valueLength = static_cast<int>(std::size(kUtf8) - 1);
  } else if (utf8Meta_.content && dom2html::Equals(lowerName, L"content")) {
    value = kUtf8Content;
    valueLength = static_cast<int>(std::size(kUtf8Content) - 1);
  }
  if (ownMeta_ && dom2html::Equals(lowerName, L"name")) {
    output_.Ascii(" NAME=\"");
  } else if (ownMeta_ && dom2html::Equals(lowerName, L"content")) {
    output_.Ascii(" CONTENT=\"");
  } else {
    output_.Ascii(" ");
    output_.Wide(lowerName, nameLength);
    output_.Ascii("=\"");
  }
  if (value) output_.Wide(value, valueLength, HtmlEscape::Attribute);
  output_.Ascii("\"");
}

// The engine's normalised form of the inline style, lower-cased whole.
int CDom2HTML::AppendStyle(IHTMLDOMNode* node, IMarkupView* view) {
  const wchar_t* lent = nullptr;
  UINT lentLength = 0;
  if (view && view->LendStyleText(&lent, &lentLength) == S_OK) {
    lowered_.assign(lent ? lent : L"", lentLength);
    dom2html::LowerStyleInPlace(lowered_.data(), static_cast<int>(lentLength));
    WriteStyle(lowered_.data(), static_cast<int>(lentLength));
    return 1;
  }
  CComRef<IHTMLElement> element;
  if (FAILED(node->QueryInterface(IID_IHTMLElement, element.OutVoid())) || !element) {
    TRACE("CDom2HTML::AppendNodeAttributes(): query for IHTMLElement failed\n");
    return 0;
  }
  CComRef<IHTMLStyle> style;
  if (FAILED(element->get_style(style.Out())) || !style) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get element style\n");
    return 0;
  }
  CBstr text;
  if (FAILED(style->get_cssText(text.Out()))) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get style text\n");
    return 0;
  }
  dom2html::LowerStyleInPlace(text.get(), text.Length());
  WriteStyle(text.get(), text.Length());
  return 1;
}

void CDom2HTML::WriteStyle(const wchar_t* text, int length) {
  if (length == 0) return;
  output_.Ascii(" style=\"");
  output_.Wide(text, length, HtmlEscape::Attribute);
  output_.Ascii("\"");
}

int CDom2HTML::AppendInputState(IHTMLDOMNode* node) {
  CComRef<IHTMLInputElement> input;
  if (FAILED(node->QueryInterface(IID_IHTMLInputElement, input.OutVoid())) || !input) return 1;
  CBstr value;
  if (SUCCEEDED(input->get_value(value.Out())) && value.Length() > 0) {
    output_.Ascii(" value=\"");
    output_.Wide(value.get(), value.Length(), HtmlEscape::Attribute);
    output_.Ascii("\"");
  }
  VARIANT_BOOL flag = VARIANT_FALSE;
  if (SUCCEEDED(input->get_checked(&flag)) && flag) output_.Ascii(" checked");
  flag = VARIANT_FALSE;
  if (SUCCEEDED(input->get_disabled(&flag)) && flag) output_.Ascii(" disabled");
  flag = VARIANT_FALSE;
  if (SUCCEEDED(input->get_readOnly(&flag)) && flag) output_.Ascii(" readonly");
  return 1;
}
