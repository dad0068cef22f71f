#include "engine/com/Win32CodePageConverter.h"

#include <windows.h>

#include <climits>

namespace vellum::engine::com {

bool CWin32CodePageConverter::Decode(vellum::engine::encoding::CodePage codePage, std::string_view bytes,
                                     std::u16string& out) const {
  if (bytes.empty()) return IsValidCodePage(codePage) != FALSE;
  if (bytes.size() > INT_MAX) return false;
  int n = static_cast<int>(bytes.size());
  int needed = MultiByteToWideChar(codePage, 0, bytes.data(), n, nullptr, 0);
  if (needed <= 0) return false;
  size_t start = out.size();
  out.resize(start + static_cast<size_t>(needed));
  int written = MultiByteToWideChar(codePage, 0, bytes.data(), n, reinterpret_cast<wchar_t*>(&out[start]), needed);
  if (written <= 0) {
    out.resize(start);
    return false;
  }
  out.resize(start + static_cast<size_t>(written));
  return true;
}

vellum::engine::encoding::CodePage CWin32CodePageConverter::AnsiCodePage() const { return GetACP(); }

}  // namespace vellum::engine::com
