#include "engine/com/view/LiveFormClipboard.h"

#include <cstring>

namespace vellum::engine::com {

namespace {

// Opens the clipboard for the scope.
class CClipboardScope {
 public:
  explicit CClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~CClipboardScope() {
    if (open_) CloseClipboard();
  }
  CClipboardScope(const CClipboardScope&) = delete;
  CClipboardScope& operator=(const CClipboardScope&) = delete;
  bool Open() const { return open_; }

 private:
  bool open_;
};

}  // namespace

std::optional<std::u16string> ReadClipboardText(HWND owner) {
  CClipboardScope clipboard(owner);
  if (!clipboard.Open()) return std::nullopt;
  HANDLE data = GetClipboardData(CF_UNICODETEXT);
  if (!data) return std::nullopt;
  const auto* text = static_cast<const char16_t*>(GlobalLock(data));
  if (!text) return std::nullopt;
  // The text ends at its terminator or at the end of the block, whichever comes first.
  std::size_t limit = GlobalSize(data) / sizeof(char16_t), length = 0;
  while (length < limit && text[length]) ++length;
  std::u16string result(text, length);
  GlobalUnlock(data);
  return result;
}

bool WriteClipboardText(HWND owner, std::u16string_view text) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
  if (!block) return false;
  auto* target = static_cast<char16_t*>(GlobalLock(block));
  if (!target) {
    GlobalFree(block);
    return false;
  }
  std::memcpy(target, text.data(), text.size() * sizeof(char16_t));
  target[text.size()] = u'\0';
  GlobalUnlock(block);
  CClipboardScope clipboard(owner);
  if (!clipboard.Open() || !EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, block)) {
    GlobalFree(block);
    return false;
  }
  return true;  // the clipboard owns the block now
}

}  // namespace vellum::engine::com
