#include "properties/DrivenProperties.h"

#include <evbus.h>

#include <cstring>
#include <memory>

namespace driven_property {

namespace {

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f'; }

}  // namespace

void ReportRejected(const char* helpText, HWND grid) {
  if (IEvents* events = Get_IEvents()) events->Raise(EVT_INVALID_INPUT, helpText ? helpText : "", 0, 7);
  if (grid) SetFocus(grid);
}

CVariant* Trimmed(const VARIANT& value, CVariant& trimmed) {
  if (FAILED(VariantChangeType(&trimmed.get(), const_cast<VARIANT*>(&value), 0, VT_BSTR)) || trimmed.Type() != VT_BSTR)
    return nullptr;
  const BSTR text = V_BSTR(&trimmed.get());
  int start = 0, end = BstrLength(text);
  while (start < end && IsBlank(text[start])) ++start;
  while (end > start && IsBlank(text[end - 1])) --end;
  if (start == 0 && end == BstrLength(text)) return std::addressof(trimmed);
  const BSTR cut = SysAllocStringLen(text + start, static_cast<UINT>(end - start));
  if (!cut) throw ComOutOfMemory{};
  SysFreeString(text);
  V_BSTR(&trimmed.get()) = cut;
  return std::addressof(trimmed);
}

void CWriteRecord::Start(const VARIANT& read) {
  VariantClear(&last_.get());
  VariantCopy(&last_.get(), const_cast<VARIANT*>(&read));
  wrote_ = false;
}

bool CWriteRecord::Differs(const VARIANT& value) const {
  std::wstring last, now;
  if (!VariantToText(last_.get(), last) || !VariantToText(value, now))
    return !property_values::Equal(last_.get(), value);
  return last != now;
}

void CWriteRecord::Wrote(const VARIANT& value) {
  VariantClear(&last_.get());
  VariantCopy(&last_.get(), const_cast<VARIANT*>(&value));
  wrote_ = true;
}

void CWriteRecord::Restored(const VARIANT& initial) {
  VariantClear(&last_.get());
  VariantCopy(&last_.get(), const_cast<VARIANT*>(&initial));
  wrote_ = false;
}

}  // namespace driven_property
