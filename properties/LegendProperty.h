// The Text row of a frame: the text of its legend. The row writes only a changed text; a legend it had
// to insert for that text is the only one it ever removes again.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "properties/ApplyableProperty.h"
#include "propgrid/PropertyRows.h"

class CHTMLLegendProperty : public CPropertyEditItem, public CApplyableProperty {
 public:
  CHTMLLegendProperty(const wchar_t* displayName, IHTMLElement* fieldset);

  int Apply() override;
  int Restore() override;
  int Edit() override { return 0; }

 private:
  // The fieldset's first legend, or null.
  CComRef<IHTMLElement> FindLegend() const;
  bool Write(BSTR text);

  CComRef<IHTMLElement> fieldset_;
  CComRef<IHTMLElement> legend_;  // may be null
  CVariant initial_;              // the legend's text when the sheet opened (empty without one)
  CVariant written_;              // what the legend holds now from this row (initial_ until written)
  bool wrote_ = false;            // the row wrote during this sheet
  bool inserted_ = false;         // the legend is one the row inserted
};
