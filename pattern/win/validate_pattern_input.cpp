#include "validate_pattern_input.h"

#include "pattern/validate_pattern_text.h"
#include "plinthcore.h"

namespace {

// The value as 8-bit text; a value that has no text form counts as empty. False when memory ran out.
bool ValueAsAnsiText(VARIANT& value, CXString& text) {  // value is only read
  VARIANT copy;
  VariantInit(&copy);
  bool converted = true;
  if (SUCCEEDED(VariantCopy(&copy, &value)) && SUCCEEDED(VariantChangeType(&copy, &copy, 0, VT_BSTR)) &&
      copy.vt == VT_BSTR && copy.bstrVal != nullptr)
    converted = text.AssignConverted(copy.bstrVal, static_cast<int>(SysStringLen(copy.bstrVal)), CP_ACP);
  VariantClear(&copy);
  return converted;
}

}  // namespace

int32_t ValidatePatternInput(VARIANT value, const char* pattern, int32_t allowEmpty) {
  try {
    CXString text;
    if (!ValueAsAnsiText(value, text)) return 0;
    text.TrimLeft();
    text.TrimRight();
    const REXI_EmptyText emptyText = allowEmpty == 1 ? REXI_EmptyText::Accepted : REXI_EmptyText::Validated;
    return ValidatePatternText(text.GetString(), static_cast<size_t>(text.GetLength()), pattern, emptyText);
  } catch (...) {
    return 0;  // nothing escapes into the property code; a value that could not be checked is refused
  }
}
