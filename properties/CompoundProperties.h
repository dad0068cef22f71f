// Property rows that are not typed into the grid: a boolean attribute as a check box, a colour chosen
// from the system colours or the colour dialog, and the button rows that open a dialog for a text
// area's text, a font face or an image file. Like every driven row, each writes only what the user
// changed and puts back only what it wrote.
#pragma once

#include <string>

#include "comkit/VariantText.h"
#include "properties/ColourNames.h"
#include "properties/DrivenProperties.h"
#include "properties/PropertyDialogs.h"

namespace compound_property {

CVariant& AssignFlag(CVariant& value, bool flag);
// Hands the new value to the grid as an editor would (the grid redraws the row and tells the page);
// without a grid the row takes it directly.
void SendValue(CProperty& row, const VARIANT& value);
// The window the row's dialogs belong to: the active window (the sheet).
HWND DialogOwner(const CProperty& row);
// An image's src as a local path for display and for the open-file dialog: unescaped, and a file URL
// made a path.
std::wstring LocalPathOf(const std::wstring& source);
// The open-file dialog's filter from the table's tab-separated text.
std::wstring FileFilter(const std::wstring& tabSeparated);

}  // namespace compound_property

// A boolean attribute ("checked", "readOnly", "disabled").
template <class D>
class CHTMLCheckProperty : public CPropertyCheckButtonItem,
                           public D,
                           public CApplyableProperty,
                           private driven_property::CDrivenState<D> {
 public:
  CHTMLCheckProperty(const wchar_t* displayName, const char* propertyName, IHTMLElement* element)
      : CPropertyCheckButtonItem(displayName), D(element, propertyName, VT_BOOL) {
    if (!D::GetValue(&this->initial_.get())) {
      VariantClear(&this->initial_.get());
      V_VT(&this->initial_.get()) = VT_I2;
      V_I2(&this->initial_.get()) = 0;
    }
    StoreChecked(this->initial_.Type() == VT_BOOL && V_BOOL(&this->initial_.get()) != VARIANT_FALSE);
    CVariant flag;
    this->record_.Start(compound_property::AssignFlag(flag, IsChecked()).get());
  }

  // Only a boolean is a check row's value.
  int SetValue(const VARIANT& value) override {
    if (V_VT(&value) != VT_BOOL) return 0;
    StoreChecked(V_BOOL(&value) != VARIANT_FALSE);
    return 1;
  }

  // A flat check box at the cell's left, as wide as a menu's check mark and as high as the cell.
  void DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) override {
    const COLORREF oldBackground = SetBkColor(dc, BackgroundOf(info));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
    SetBkColor(dc, oldBackground);
    RECT box = {cell.left + 10, cell.top, cell.left + 10 + GetSystemMetrics(SM_CXMENUCHECK), cell.bottom};
    UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
    if (IsChecked()) state |= DFCS_CHECKED;
    if (!IsEnabled()) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
  }

  int Apply() override {
    CVariant flag;
    return this->ApplyThrough(*this, IsEnabled(), compound_property::AssignFlag(flag, IsChecked()).get());
  }
  int Restore() override { return this->RestoreThrough(*this, IsEnabled()); }
  int Edit() override { return 0; }
};

// A colour: one of the system colour names from the list, or any colour text; "<<custom>>" opens the
// colour dialog once the grid's editor is gone.
template <class D>
class CHTMLColorProperty : public CPropertyListItem,
                           public D,
                           public CApplyableProperty,
                           private driven_property::CDrivenState<D> {
 public:
  CHTMLColorProperty(const wchar_t* displayName, const char* propertyName, IHTMLElement* element)
      : CPropertyListItem(displayName), D(element, propertyName, VT_BSTR) {
    LoadTexts(colour_names::kColourList);
    this->ReadThrough(*this);
    Show(TextOfVariant(this->initial_.get()));
  }

  int SetValue(const VARIANT& value) override {
    if (V_VT(&value) == VT_BSTR) {
      const std::wstring text = TextOfVariant(value);
      if (text == colour_names::kCustom) {
        SelectCustom();
        RequestDialog();
        return 1;
      }
      Show(text);
      return 1;
    }
    if (!CPropertyListItem::SetValue(value)) return 0;
    if (Index() == 0) {
      RequestDialog();
    } else {
      AssignText(colour_, Texts()[static_cast<size_t>(Index())]);
    }
    return 1;
  }

  // The colour dialog, starting at the row's colour (black for a text that names none).
  int Edit() override {
    if (!IsEnabled()) return 0;
    COLORREF initial = 0;
    if (!colour_names::ColourOfText(TextOfVariant(colour_.get()), initial)) initial = 0;
    COLORREF chosen = 0;
    if (!RunColourDialog(compound_property::DialogOwner(*this), initial, chosen)) return 0;
    CVariant text;
    compound_property::SendValue(*this, AssignText(text, colour_names::TextOfColour(chosen)).get());
    return 1;
  }

  int Apply() override { return this->ApplyThrough(*this, IsEnabled(), colour_.get()); }
  int Restore() override { return this->RestoreThrough(*this, IsEnabled()); }

  const VARIANT& ColourText() const { return colour_.get(); }

 protected:
  bool TextOf(std::wstring& text) const override {
    text = colour_.Type() == VT_BSTR ? TextOfVariant(colour_.get()) : std::wstring();
    return true;
  }

 private:
  // A list text selects its line; any other text is a custom colour, shown as it is.
  void Show(const std::wstring& text) {
    AssignText(colour_, text);
    CVariant line;
    if (text == colour_names::kCustom || !CPropertyListItem::SetValue(AssignText(line, text).get())) SelectCustom();
  }
  void SelectCustom() {
    CVariant first;
    V_VT(&first.get()) = VT_I4;
    V_I4(&first.get()) = 0;
    CPropertyListItem::SetValue(first.get());
  }
  void RequestDialog() {
    if (Owner() && IsEnabled()) PostMessageW(Owner(), WM_PROP_EDIT, 0, reinterpret_cast<LPARAM>(this));
  }

  CVariant colour_;  // what the row shows and writes
};

// The base of the button rows: a value read through the driver, changed by the row's dialog.
template <class D>
class CHTMLDialogProperty : public CPropertyFileNameItem,
                            public D,
                            public CApplyableProperty,
                            protected driven_property::CDrivenState<D> {
 public:
  CHTMLDialogProperty(const wchar_t* displayName, const char* propertyName, IHTMLElement* element)
      : CPropertyFileNameItem(displayName), D(element, propertyName, VT_BSTR) {
    this->ReadThrough(*this);
    StoreValue(this->initial_.get());
  }

  int Edit() override {
    if (!IsEnabled()) return 0;
    std::wstring text = TextOfVariant(Value());
    if (!RunDialog(text)) return 0;
    CVariant value;
    compound_property::SendValue(*this, AssignText(value, text).get());
    return 1;
  }
  int Apply() override { return this->ApplyThrough(*this, IsEnabled(), Value()); }
  int Restore() override { return this->RestoreThrough(*this, IsEnabled()); }

 protected:
  // The row's dialog over text; true with the new text on OK.
  virtual bool RunDialog(std::wstring& text) = 0;
};

// A text area's text, edited in a dialog of its own.
template <class D>
class CHTMLCodeProperty : public CHTMLDialogProperty<D> {
 public:
  using CHTMLDialogProperty<D>::CHTMLDialogProperty;

 protected:
  bool RunDialog(std::wstring& text) override { return RunCodeDialog(compound_property::DialogOwner(*this), text); }
};

// A font family, chosen by its face in the font dialog.
template <class D>
class CHTMLFontProperty : public CHTMLDialogProperty<D> {
 public:
  using CHTMLDialogProperty<D>::CHTMLDialogProperty;

 protected:
  bool RunDialog(std::wstring& text) override {
    CChooseFontDlg dialog(text);
    if (!dialog.DoModal(compound_property::DialogOwner(*this))) return false;
    text = dialog.Face();
    return true;
  }
};

// An image's source. The value stays the attribute's own text until a file is chosen; the grid and the
// dialog see it as a local path.
template <class D>
class CHTMLFileProperty : public CHTMLDialogProperty<D> {
 public:
  CHTMLFileProperty(const wchar_t* displayName, const char* propertyName, const std::wstring& filter,
                    IHTMLElement* element)
      : CHTMLDialogProperty<D>(displayName, propertyName, element), filter_(compound_property::FileFilter(filter)) {}

 protected:
  bool TextOf(std::wstring& text) const override {
    text = compound_property::LocalPathOf(TextOfVariant(this->Value()));
    const size_t cut = text.find_last_of(L":\\");
    if (cut != std::wstring::npos) text.erase(0, cut + 1);
    return true;
  }
  bool RunDialog(std::wstring& text) override {
    std::wstring chosen;
    if (!RunOpenFileDialog(compound_property::DialogOwner(*this), compound_property::LocalPathOf(text), filter_,
                           chosen))
      return false;
    text = std::move(chosen);
    return true;
  }

 private:
  std::wstring filter_;
};
