#include "properties/LegendProperty.h"

#include "properties/CompoundProperties.h"

CHTMLLegendProperty::CHTMLLegendProperty(const wchar_t* displayName, IHTMLElement* fieldset)
    : CPropertyEditItem(displayName), fieldset_(CComRef<IHTMLElement>::Share(fieldset)) {
  legend_ = FindLegend();
  CBstr text;
  if (legend_) legend_->get_innerText(text.Out());
  AssignText(initial_, std::wstring(text.get() ? text.get() : L"", text.Length()));
  VariantCopy(&written_.get(), &initial_.get());
  StoreValue(initial_.get());
}

CComRef<IHTMLElement> CHTMLLegendProperty::FindLegend() const {
  CComRef<IHTMLElement> legend;
  CComRef<IDispatch> all;
  CComRef<IHTMLElementCollection> descendants;
  if (!fieldset_ || FAILED(fieldset_->get_all(all.Out())) || !all ||
      FAILED(all->QueryInterface(IID_IHTMLElementCollection, descendants.OutVoid())) || !descendants)
    return legend;
  CVariant name;
  AssignText(name, L"legend");
  CComRef<IDispatch> found;
  CComRef<IHTMLElementCollection> legends;
  long count = 0;
  if (FAILED(descendants->tags(name.get(), found.Out())) || !found ||
      FAILED(found->QueryInterface(IID_IHTMLElementCollection, legends.OutVoid())) || !legends ||
      FAILED(legends->get_length(&count)) || count <= 0)
    return legend;
  VARIANT first;
  VariantInit(&first);
  V_VT(&first) = VT_I4;
  V_I4(&first) = 0;
  CComRef<IDispatch> item;
  if (SUCCEEDED(legends->item(first, first, item.Out())) && item)
    item->QueryInterface(IID_IHTMLElement, legend.OutVoid());
  return legend;
}

bool CHTMLLegendProperty::Write(BSTR text) { return legend_ && SUCCEEDED(legend_->put_innerText(text)); }

int CHTMLLegendProperty::Apply() {
  if (!IsEnabled()) return 1;
  const std::wstring text = TextOfVariant(Value());
  if (text == TextOfVariant(written_.get())) return 1;
  if (!legend_) legend_ = FindLegend();
  if (!legend_) {
    // A frame without a legend gets one for its first text.
    CBstr where(L"afterBegin"), markup(L"<LEGEND></LEGEND>");
    if (!fieldset_ || FAILED(fieldset_->insertAdjacentHTML(where.get(), markup.get()))) return 0;
    legend_ = FindLegend();
    if (!legend_) return 0;
    inserted_ = true;
  }
  CBstr written(text.c_str());
  if (!Write(written.get())) return 0;
  AssignText(written_, text);
  wrote_ = true;
  return 1;
}

int CHTMLLegendProperty::Restore() {
  if (!IsEnabled() || !wrote_) return 1;
  if (inserted_) {
    CComRef<IHTMLDOMNode> node;
    CComRef<IHTMLDOMNode> removed;
    if (!legend_ || FAILED(legend_->QueryInterface(IID_IHTMLDOMNode, node.OutVoid())) || !node ||
        FAILED(node->removeNode(VARIANT_TRUE, removed.Out())))
      return 0;
    legend_ = CComRef<IHTMLElement>();
    inserted_ = false;
  } else {
    CBstr text(TextOfVariant(initial_.get()).c_str());
    if (!Write(text.get())) return 0;
  }
  VariantClear(&written_.get());
  VariantCopy(&written_.get(), &initial_.get());
  wrote_ = false;
  return 1;
}
