#include "engine/com/view/TextTransform.h"

#include <windows.h>

namespace vellum::engine::com {

using vellum::engine::layout::TextCase;

std::wstring TransformedText(std::u16string_view text, TextCase textCase) {
  std::wstring shown(text.begin(), text.end());
  if (shown.empty()) return shown;
  switch (textCase) {
    case TextCase::Upper:
      CharUpperBuffW(shown.data(), static_cast<DWORD>(shown.size()));
      break;
    case TextCase::Lower:
      CharLowerBuffW(shown.data(), static_cast<DWORD>(shown.size()));
      break;
    case TextCase::Capitalize:
      for (std::size_t i = 0; i < shown.size(); ++i)
        if (i == 0 || shown[i - 1] == L' ') CharUpperBuffW(&shown[i], 1);
      break;
    case TextCase::AsWritten:
      break;
  }
  return shown;
}

}  // namespace vellum::engine::com
