// Rows bound to the document through a driver: a text row checked against a pattern, a row choosing
// one of a list of texts, and the category that holds them. Each remembers what it last wrote (at
// first, what it read), so that it writes only what the user changed and puts back only what it wrote.
#pragma once

#include <string>

#include "comkit/ComText.h"
#include "comkit/VariantText.h"
#include "properties/ApplyableProperty.h"
#include "validate_pattern_input.h"
#include "properties/PropertyDrivers.h"
#include "propgrid/PropertyRows.h"

namespace driven_property {

// The text shown for a value that cannot be read.
inline constexpr wchar_t kUnreadable[] = L"Can't get property";

// Reads through the driver, or gives the unreadable text.
template <class D>
void ReadInitial(D& driver, CVariant& value) {
  if (driver.GetValue(&value.get())) return;
  AssignText(value, kUnreadable);
}

// Puts back what was there before the sheet: a style row its inline declaration, others the value read.
template <class D>
int PutBack(D& driver, const VARIANT& initial) {
  if constexpr (requires { driver.RestoreInline(); })
    return driver.RestoreInline();
  else
    return driver.PutValue(initial);
}

// The report of rejected input to the host, and the focus back on the grid.
void ReportRejected(const char* helpText, HWND grid);

// The text trimmed of blanks at both ends.
CVariant* Trimmed(const VARIANT& value, CVariant& trimmed);

// What a row wrote and whether it wrote during this sheet.
class CWriteRecord {
 public:
  void Start(const VARIANT& read);
  // Whether value differs from the last value written (at first, the value read).
  bool Differs(const VARIANT& value) const;
  void Wrote(const VARIANT& value);
  void Restored(const VARIANT& initial);
  bool WroteAny() const { return wrote_; }

 private:
  CVariant last_;
  bool wrote_ = false;
};

// What a driven row keeps besides its value: what it read at binding (for Restore) and what it wrote.
template <class D>
class CDrivenState {
 protected:
  void ReadThrough(D& driver) {
    ReadInitial(driver, initial_);
    record_.Start(initial_.get());
  }
  // Apply: writes value unless it is what the row last wrote (at first, what it read).
  int ApplyThrough(D& driver, bool enabled, const VARIANT& value) {
    if (!enabled || !record_.Differs(value)) return 1;
    if (!driver.PutValue(value)) return 0;
    record_.Wrote(value);
    return 1;
  }
  // Restore: puts back what was there, only where the row wrote.
  int RestoreThrough(D& driver, bool enabled) {
    if (!enabled || !record_.WroteAny()) return 1;
    if (!PutBack(driver, initial_.get())) return 0;
    record_.Restored(initial_.get());
    return 1;
  }

  CVariant initial_;
  CWriteRecord record_;
};

}  // namespace driven_property

class CHTMLPropCategory : public CCategoryProperty, public CApplyableProperty {
 public:
  using CCategoryProperty::CCategoryProperty;
  int Apply() override { return 1; }
  int Restore() override { return 1; }
  int Edit() override { return 0; }
};

// A text row: a typed value is taken only when its pattern matches it whole.
template <class D>
class CHTMLSimpleProperty : public CPropertyEditItem,
                            public D,
                            public CApplyableProperty,
                            private driven_property::CDrivenState<D> {
 public:
  CHTMLSimpleProperty(const wchar_t* displayName, const char* propertyName, const char* pattern, const char* helpText,
                      int allowEmpty, IHTMLElement* element, VARTYPE type = VT_BSTR)
      : CPropertyEditItem(displayName),
        D(element, propertyName, type),
        pattern_(pattern ? pattern : ".*"),
        helpText_(helpText ? helpText : ""),
        allowEmpty_(allowEmpty) {
    this->ReadThrough(*this);
    StoreValue(this->initial_.get());  // unchecked: a stored value its pattern refuses is shown as it is
  }

  // The validating setter: the commit of an edit.
  int SetValue(const VARIANT& value) override {
    if (!ValidatePatternInput(value, pattern_.c_str(), allowEmpty_)) {
      driven_property::ReportRejected(helpText_.c_str(), Owner());
      return 0;
    }
    // A pattern that says what a value is (anything but ".*") stores it as it means it: trimmed.
    CVariant trimmed;
    const VARIANT* stored = &value;
    if (pattern_ != ".*" && driven_property::Trimmed(value, trimmed)) stored = &trimmed.get();
    return StoreValue(*stored) ? 1 : 0;
  }

  int Apply() override { return this->ApplyThrough(*this, IsEnabled(), Value()); }
  int Restore() override { return this->RestoreThrough(*this, IsEnabled()); }
  int Edit() override { return 0; }

  const VARIANT& InitialValue() const { return this->initial_.get(); }

 private:
  std::string pattern_;
  std::string helpText_;
  int allowEmpty_;
};

// A row choosing one of its texts. A text read that is none of them stays shown and is never written.
template <class D>
class CHTMLListProperty : public CPropertyListItem,
                          public D,
                          public CApplyableProperty,
                          private driven_property::CDrivenState<D> {
 public:
  CHTMLListProperty(const wchar_t* displayName, const char* propertyName, const wchar_t* const* texts,
                    IHTMLElement* element)
      : CPropertyListItem(displayName), D(element, propertyName, VT_BSTR) {
    this->ReadThrough(*this);
    LoadTexts(texts);
    std::wstring text;
    if (VariantToText(this->initial_.get(), text)) ShowText(text.c_str());
  }

  int Apply() override {
    if (!IsEnabled() || HasForeignText()) return 1;
    CVariant text;
    V_VT(&text.get()) = VT_BSTR;
    V_BSTR(&text.get()) = SysAllocString(ValueText().c_str());
    if (!V_BSTR(&text.get())) throw ComOutOfMemory{};
    return this->ApplyThrough(*this, true, text.get());
  }
  int Restore() override { return this->RestoreThrough(*this, IsEnabled()); }
  int Edit() override { return 0; }
};
