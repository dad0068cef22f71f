// Drivers bind a property row to one place in the document: a named property of an element, of its
// document or of its style, an input's value, or an element's inner HTML. Reading fills a VARIANT;
// writing first reads, and writes nothing when the new value equals what is there.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <string>

#include "comkit/ComRef.h"
#include "comkit/ComText.h"

// A named property through IDispatch, converted to the target type on the way in and out.
class CHTMLElementPropDriver {
 public:
  CHTMLElementPropDriver(IHTMLElement* element, const char* name, VARTYPE type);
  virtual ~CHTMLElementPropDriver() = default;

  int GetValue(VARIANT* value);
  int PutValue(const VARIANT& value);

 protected:
  struct DocumentTarget {};
  CHTMLElementPropDriver(DocumentTarget, IHTMLElement* element, const char* name, VARTYPE type);

  CComRef<IDispatch> object_;  // what the property is read from and written to
  std::wstring name_;
  VARTYPE type_;
};

// The same against the element's document.
class CHTMLDocumentPropDriver : public CHTMLElementPropDriver {
 public:
  CHTMLDocumentPropDriver(IHTMLElement* element, const char* name, VARTYPE type)
      : CHTMLElementPropDriver(DocumentTarget{}, element, name, type) {}
};

// A style property: read from the style the element shows (computed), written to its inline style.
// The inline declaration found at binding is what Restore puts back.
class CHTMLElementStylePropDriver {
 public:
  CHTMLElementStylePropDriver(IHTMLElement* element, const char* name, VARTYPE type);
  virtual ~CHTMLElementStylePropDriver() = default;

  int GetValue(VARIANT* value);
  int PutValue(const VARIANT& value);
  // The inline declaration as it was at binding (none: removed).
  int RestoreInline();

 private:
  CComRef<IDispatch> current_;
  CComRef<IDispatch> inline_;
  std::wstring name_;
  VARTYPE type_;
  CVariant initialInline_;
};

// An input's value.
class CHTMLValuePropertyDriver {
 public:
  CHTMLValuePropertyDriver(IHTMLElement* element, const char* name = nullptr, VARTYPE type = VT_BSTR);
  virtual ~CHTMLValuePropertyDriver() = default;

  int GetValue(VARIANT* value);
  int PutValue(const VARIANT& value);

 private:
  CComRef<IHTMLElement> element_;
};

// An element's inner HTML.
class CHTMLInnerHTMLPropertyDriver {
 public:
  CHTMLInnerHTMLPropertyDriver(IHTMLElement* element, const char* name = nullptr, VARTYPE type = VT_BSTR);
  virtual ~CHTMLInnerHTMLPropertyDriver() = default;

  int GetValue(VARIANT* value);
  int PutValue(const VARIANT& value);

 private:
  CComRef<IHTMLElement> element_;
};

namespace property_values {

// Both empty, or of one type and equal by VarCmp.
bool Equal(const VARIANT& a, const VARIANT& b);

}  // namespace property_values
