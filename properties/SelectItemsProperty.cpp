#include "properties/SelectItemsProperty.h"

#include "comkit/ComText.h"
#include "properties/CompoundProperties.h"
#include "properties/ResourceText.h"
#include "resource_ids.h"
#include "window/Trace.h"

namespace {

std::wstring WideOf(BSTR text) { return std::wstring(text ? text : L"", BstrLength(text)); }

}  // namespace

bool operator==(const SelectOption& a, const SelectOption& b) { return a.name == b.name && a.value == b.value; }

CHTMLSelectItemsProperty::CHTMLSelectItemsProperty(const wchar_t* displayName, IHTMLElement* select)
    : CPropertyFileNameItem(displayName), element_(CComRef<IHTMLElement>::Share(select)) {
  CVariant shown;
  StoreValue(AssignText(shown, ResourceString(IDS_SELECT_ITEMS_VALUE)).get());
  LoadOptions();
}

void CHTMLSelectItemsProperty::LoadOptions() {
  current_.clear();
  initial_.clear();
  written_.clear();
  CComRef<IHTMLSelectElement> select;
  if (!element_ || FAILED(element_->QueryInterface(IID_IHTMLSelectElement, select.OutVoid())) || !select) {
    TRACE("CHTMLSelectItemsProperty::LoadOptions(): Failed to get IHTMLSelectElement interface\n");
    return;
  }
  long length = 0;
  if (FAILED(select->get_length(&length))) {
    TRACE("CHTMLSelectItemsProperty::LoadOptions(): Failed to get options collection length\n");
    return;
  }
  for (long i = 0; i < length; ++i) {
    VARIANT index;
    VariantInit(&index);
    V_VT(&index) = VT_I4;
    V_I4(&index) = i;
    CComRef<IDispatch> item;
    if (FAILED(select->item(index, index, item.Out())) || !item) {
      TRACE("CHTMLSelectItemsProperty::LoadOptions(): Can't get options dispatch\n");
      continue;
    }
    CComRef<IHTMLOptionElement> option;
    if (FAILED(item->QueryInterface(IID_IHTMLOptionElement, option.OutVoid())) || !option) {
      TRACE("CHTMLSelectItemsProperty::LoadOptions(): Can't get IHTMLOptionElement interface\n");
      continue;
    }
    CBstr name, value;
    if (FAILED(option->get_text(name.Out()))) {
      TRACE("CHTMLSelectItemsProperty::LoadOptions(): Can't get option name\n");
      continue;
    }
    if (FAILED(option->get_value(value.Out()))) {
      TRACE("CHTMLSelectItemsProperty::LoadOptions(): Can't get option value\n");
      continue;
    }
    current_.push_back({WideOf(name.get()), WideOf(value.get())});
  }
  initial_ = current_;
  written_ = current_;
}

int CHTMLSelectItemsProperty::Edit() {
  if (!IsEnabled()) return 0;
  std::vector<SelectOption> before = current_;
  CSelOptionsDlg dialog(current_);
  if (dialog.Run(compound_property::DialogOwner(*this)) != IDOK) {
    current_ = std::move(before);
    return 0;
  }
  compound_property::SendValue(*this, Value());
  return 1;
}

int CHTMLSelectItemsProperty::Apply() {
  if (!IsEnabled() || current_ == written_) return 1;
  if (!SaveOptions(current_)) return 0;
  written_ = current_;
  rebuilt_ = true;
  return 1;
}

int CHTMLSelectItemsProperty::Restore() {
  if (!IsEnabled() || !rebuilt_) return 1;
  if (!SaveOptions(initial_)) return 0;
  written_ = initial_;
  rebuilt_ = false;
  return 1;
}

int CHTMLSelectItemsProperty::SaveOptions(const std::vector<SelectOption>& list) {
  CComRef<IDispatch> documentDispatch;
  if (!element_ || FAILED(element_->get_document(documentDispatch.Out())) || !documentDispatch) {
    TRACE("CHTMLSelectItemsProperty::SaveOptions(): Can't get HTMLDocument dispatch\n");
    return 0;
  }
  CComRef<IHTMLDocument2> document;
  if (FAILED(documentDispatch->QueryInterface(IID_IHTMLDocument2, document.OutVoid())) || !document) {
    TRACE("CHTMLSelectItemsProperty::SaveOptions(): Can't get IHTMLDocument2 interface\n");
    return 0;
  }
  CComRef<IHTMLWindow2> window;
  if (FAILED(document->get_parentWindow(window.Out())) || !window) {
    TRACE("CHTMLSelectItemsProperty::SaveOptions(): Can't get IHTMLWindow2 interface\n");
    return 0;
  }
  CComRef<IHTMLOptionElementFactory> factory;
  if (FAILED(window->get_Option(factory.Out())) || !factory) {
    TRACE("CHTMLSelectItemsProperty::SaveOptions(): Can't get IHTMLOptionElementFactory interface\n");
    return 0;
  }
  CComRef<IHTMLSelectElement> select;
  if (FAILED(element_->QueryInterface(IID_IHTMLSelectElement, select.OutVoid())) || !select) {
    TRACE("CHTMLSelectItemsProperty::SaveOptions(): Can't get IHTMLSelectElement interface\n");
    return 0;
  }
  ClearSelect();
  for (const SelectOption& pair : list) {
    CVariant name, value, unselected, notSelected;
    AssignText(name, pair.name);
    AssignText(value, pair.value);
    V_VT(&unselected.get()) = VT_I2;
    V_I2(&unselected.get()) = 0;
    V_VT(&notSelected.get()) = VT_I2;
    V_I2(&notSelected.get()) = 0;
    CComRef<IHTMLOptionElement> option;
    if (FAILED(factory->create(name.get(), value.get(), unselected.get(), notSelected.get(), option.Out())) ||
        !option) {
      TRACE("CHTMLSelectItemsProperty::SaveOptions(): Failed to create new option\n");
      continue;
    }
    CComRef<IHTMLElement> optionElement;
    if (FAILED(option->QueryInterface(IID_IHTMLElement, optionElement.OutVoid())) || !optionElement) {
      TRACE("CHTMLSelectItemsProperty::SaveOptions(): Failed to get IHTMLElement from new option\n");
      continue;
    }
    VARIANT atEnd;
    VariantInit(&atEnd);
    V_VT(&atEnd) = VT_I4;
    V_I4(&atEnd) = -1;
    if (FAILED(select->add(optionElement.get(), atEnd))) {
      TRACE("CHTMLSelectItemsProperty::SaveOptions(): Failed to add option to the select\n");
      continue;
    }
  }
  return 1;
}

int CHTMLSelectItemsProperty::ClearSelect() {
  CComRef<IHTMLSelectElement> select;
  if (!element_ || FAILED(element_->QueryInterface(IID_IHTMLSelectElement, select.OutVoid())) || !select) {
    TRACE("CHTMLSelectItemsProperty::ClearSelect(): Failed to get IHTMLSelectElement interface\n");
    return 0;
  }
  long length = 0;
  if (FAILED(select->get_length(&length))) {
    TRACE("CHTMLSelectItemsProperty::ClearSelect(): Failed to get options collection length\n");
    return 0;
  }
  for (long i = 0; i < length; ++i) select->remove(0);
  return 1;
}
