// An element's attributes: the engine's specified attributes in its order, then the normalised inline
// style, then an input's current state.
#include "control/Trace.h"
#include "document/ComText.h"
#include "document/Dom2HTML.h"
#include "document/Dom2HTMLText.h"

namespace {

// Attributes of an input written from its current state rather than from its markup: a stale value
// attribute written first would win on reload over the value the user sees.
bool IsInputStateAttribute(BSTR lowerName) {
  return dom2html::Equals(lowerName, L"checked") || dom2html::Equals(lowerName, L"disabled") ||
         dom2html::Equals(lowerName, L"readonly") || dom2html::Equals(lowerName, L"value");
}

}  // namespace

int CDom2HTML::AppendNodeAttributes(IHTMLDOMNode* node, bool isInput) {
  CComRef<IDispatch> attributesDispatch;
  CComRef<IHTMLAttributeCollection> attributes;
  if (FAILED(node->get_attributes(attributesDispatch.out())) || !attributesDispatch ||
      FAILED(attributesDispatch->QueryInterface(IID_IHTMLAttributeCollection, attributes.outVoid())) ||
      !attributes) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get node attributes collection\n");
    return 0;
  }
  long length = 0;
  if (FAILED(attributes->get_length(&length))) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get attributes collection length\n");
    return 0;
  }
  bool hasStyle = false;
  for (long i = 0; i < length; ++i) {
    VARIANT index = dom2html::IntVariant(i);
    CComRef<IDispatch> item;
    if (FAILED(attributes->item(&index, item.out())) || !item) {
      TRACE("CDom2HTML::AppendNodeAttributes(): Can't get attribute\n");
      return 0;
    }
    CComRef<IHTMLDOMAttribute> attribute;
    VARIANT_BOOL specified = VARIANT_FALSE;
    if (FAILED(item->QueryInterface(IID_IHTMLDOMAttribute, attribute.outVoid())) || !attribute ||
        FAILED(attribute->get_specified(&specified))) {
      TRACE("CDom2HTML::AppendNodeAttributes(): Check for attribute existence failed\n");
      return 0;
    }
    if (!specified) continue;
    CBstr name;
    if (FAILED(attribute->get_nodeName(name.out()))) {
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
    output_.Ascii(" ");
    output_.Wide(name.get(), name.length());
    output_.Ascii("=\"");
    CVariant converted;
    const VARIANT* text = &value.get();
    if (value.vt() != VT_BSTR) text = dom2html::VariantText(value.get(), converted) ? &converted.get() : nullptr;
    if (text && V_BSTR(text))
      output_.Wide(V_BSTR(text), BstrLength(V_BSTR(text)), HtmlEscape::Attribute);
    output_.Ascii("\"");
  }
  if (hasStyle && !AppendStyle(node)) return 0;
  if (isInput) AppendInputState(node);
  return 1;
}

// The engine's normalised form of the inline style, lower-cased whole.
int CDom2HTML::AppendStyle(IHTMLDOMNode* node) {
  CComRef<IHTMLElement> element;
  if (FAILED(node->QueryInterface(IID_IHTMLElement, element.outVoid())) || !element) {
    TRACE("CDom2HTML::AppendNodeAttributes(): query for IHTMLElement failed\n");
    return 0;
  }
  CComRef<IHTMLStyle> style;
  if (FAILED(element->get_style(style.out())) || !style) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get element style\n");
    return 0;
  }
  CBstr text;
  if (FAILED(style->get_cssText(text.out()))) {
    TRACE("CDom2HTML::AppendNodeAttributes(): Can't get style text\n");
    return 0;
  }
  dom2html::LowerInPlace(text.get());
  if (text.length() == 0) return 1;
  output_.Ascii(" style=\"");
  output_.Wide(text.get(), text.length(), HtmlEscape::Attribute);
  output_.Ascii("\"");
  return 1;
}

int CDom2HTML::AppendInputState(IHTMLDOMNode* node) {
  CComRef<IHTMLInputElement> input;
  if (FAILED(node->QueryInterface(IID_IHTMLInputElement, input.outVoid())) || !input) return 1;
  CBstr value;
  if (SUCCEEDED(input->get_value(value.out())) && value.length() > 0) {
    output_.Ascii(" value=\"");
    output_.Wide(value.get(), value.length(), HtmlEscape::Attribute);
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
