#include "properties/CompoundProperties.h"

#include <shlwapi.h>

namespace compound_property {

CVariant& AssignFlag(CVariant& value, bool flag) {
  VariantClear(&value.get());
  V_VT(&value.get()) = VT_BOOL;
  V_BOOL(&value.get()) = flag ? VARIANT_TRUE : VARIANT_FALSE;
  return value;
}

void SendValue(CProperty& row, const VARIANT& value) {
  if (row.Owner() && IsWindow(row.Owner())) {
    SendMessageW(row.Owner(), WM_PROP_SETVALUE, reinterpret_cast<WPARAM>(&value), reinterpret_cast<LPARAM>(&row));
  } else {
    row.SetValue(value);
  }
}

HWND DialogOwner(const CProperty& row) {
  if (HWND active = GetActiveWindow()) return active;
  return row.Owner() ? GetAncestor(row.Owner(), GA_ROOT) : nullptr;
}

std::wstring LocalPathOf(const std::wstring& source) {
  if (source.empty()) return source;
  std::wstring text = source;
  text.push_back(L'\0');
  if (FAILED(UrlUnescapeW(text.data(), nullptr, nullptr, URL_UNESCAPE_INPLACE))) return source;
  text.resize(wcslen(text.c_str()));
  if (!UrlIsFileUrlW(text.c_str())) return text;
  std::wstring path(text.size() + MAX_PATH, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (FAILED(PathCreateFromUrlW(text.c_str(), path.data(), &length, 0))) return text;
  path.resize(wcslen(path.c_str()));
  return path;
}

std::wstring FileFilter(const std::wstring& tabSeparated) {
  std::wstring filter = tabSeparated;
  for (wchar_t& c : filter)
    if (c == L'\t') c = L'\0';
  // The list ends in an empty text: two zeros in a row.
  filter.push_back(L'\0');
  return filter;
}

}  // namespace compound_property
