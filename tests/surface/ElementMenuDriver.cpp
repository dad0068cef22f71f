#include "ElementMenuDriver.h"

namespace st {
namespace {
ElementMenuDriver* activeDriver = nullptr;
}

ElementMenuDriver::ElementMenuDriver(std::vector<UINT> keys) : keys_(std::move(keys)) {
  activeDriver = this;
  hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &ElementMenuDriver::Hook, nullptr, GetCurrentThreadId());
  // A menu that ignores the keys must not hang the test: it is closed after a while.
  timer_ = SetTimer(nullptr, 0, 5000, [](HWND, UINT, UINT_PTR, DWORD) { EndMenu(); });
}

ElementMenuDriver::~ElementMenuDriver() {
  if (hook_) UnhookWindowsHookEx(hook_);
  if (timer_) KillTimer(nullptr, timer_);
  activeDriver = nullptr;
}

int ElementMenuDriver::State(UINT id) const {
  auto it = states_.find(id);
  return it == states_.end() ? -1 : it->second;
}

std::vector<UINT> ElementMenuDriver::Choose(int position) {
  // Arrow keys skip separators; the first press highlights the first item.
  static const bool kSeparator[] = {false, false, false, false, true, false, true, false};
  std::vector<UINT> keys;
  for (int i = 0; i <= position; ++i)
    if (!kSeparator[i]) keys.push_back(VK_DOWN);
  keys.push_back(VK_RETURN);
  return keys;
}

LRESULT CALLBACK ElementMenuDriver::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && activeDriver) activeDriver->Seen(*reinterpret_cast<const CWPSTRUCT*>(lParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ElementMenuDriver::Seen(const CWPSTRUCT& message) {
  if (message.message == WM_INITMENUPOPUP) {
    HMENU menu = reinterpret_cast<HMENU>(message.wParam);
    shown_ = true;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
      const UINT id = GetMenuItemID(menu, i);
      if (id != 0 && id != static_cast<UINT>(-1)) states_[id] = static_cast<int>(GetMenuState(menu, id, MF_BYCOMMAND));
    }
  } else if (message.message == WM_ENTERIDLE && message.wParam == MSGF_MENU && !keysPosted_) {
    keysPosted_ = true;
    HWND menuWindow = reinterpret_cast<HWND>(message.lParam);
    RECT where;
    if (menuWindow && GetWindowRect(menuWindow, &where)) position_ = {where.left, where.top};
    for (UINT key : keys_) {
      PostMessageW(menuWindow, WM_KEYDOWN, key, 0);
      PostMessageW(menuWindow, WM_KEYUP, key, 0xC0000000);
    }
  }
}

}  // namespace st
