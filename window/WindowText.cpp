#include "window/WindowText.h"

bool WindowText(HWND window, std::wstring& text) {
  text.clear();
  const int length = GetWindowTextLengthW(window);
  std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
  SetLastError(0);
  const int copied = GetWindowTextW(window, buffer.data(), length + 1);
  if (copied == 0 && GetLastError() != 0) return false;
  buffer.resize(static_cast<size_t>(copied));
  text = std::move(buffer);
  return true;
}

std::wstring DialogItemText(HWND dialog, int id) {
  std::wstring text;
  WindowText(GetDlgItem(dialog, id), text);
  return text;
}
