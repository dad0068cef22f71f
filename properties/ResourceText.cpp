#include "properties/ResourceText.h"

#include "window/ModuleInstance.h"

std::wstring ResourceString(UINT id) {
  // With no buffer, LoadStringW lends the text in place: no length limit and no copy to size.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(Module_Instance(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return std::wstring();
  return std::wstring(text, static_cast<size_t>(length));
}

std::string ResourceStringA(UINT id) {
  const std::wstring wide = ResourceString(id);
  if (wide.empty()) return std::string();
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(), size, nullptr, nullptr);
  return text;
}
