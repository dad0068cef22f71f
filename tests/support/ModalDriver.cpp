#include "ModalDriver.h"

namespace vt {
namespace {

ModalDriver* activeDriver = nullptr;
constexpr DWORD kTimeoutMs = 15000;

struct Search {
  HWND found = nullptr;
};

// The innermost modal window: a visible, enabled dialog of this thread (its owner is disabled while it is up).
BOOL CALLBACK FindModal(HWND window, LPARAM lParam) {
  auto* search = reinterpret_cast<Search*>(lParam);
  if (IsWindowVisible(window) && IsWindowEnabled(window) && ClassOf(window) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

ModalDriver::ModalDriver(std::vector<Step> steps) : steps_(std::move(steps)) {
  activeDriver = this;
  started_ = GetTickCount();
  timer_ = SetTimer(nullptr, 0, 20, &ModalDriver::Tick);
}

ModalDriver::~ModalDriver() {
  if (timer_) KillTimer(nullptr, timer_);
  activeDriver = nullptr;
}

void CALLBACK ModalDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (activeDriver) activeDriver->OnTick();
}

void ModalDriver::OnTick() {
  if (running_) return;
  Search search;
  EnumThreadWindows(GetCurrentThreadId(), FindModal, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  if (GetTickCount() - started_ > kTimeoutMs) {
    // A test that lost its way must not hang the run: every modal window is cancelled.
    timedOut_ = true;
    PostMessageW(search.found, WM_COMMAND, IDCANCEL, 0);
    return;
  }
  if (next_ >= steps_.size()) return;
  running_ = true;
  if (steps_[next_](search.found)) ++next_;
  running_ = false;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[4096] = {};
  GetDlgItemTextW(dialog, id, text, 4096);
  return text;
}

ModalDriver::Step ClickButton(int id) {
  return [id](HWND dialog) {
    const HWND button = GetDlgItem(dialog, id);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    return true;
  };
}

ModalDriver::Step Do(std::function<void(HWND)> f) {
  return [f](HWND window) {
    f(window);
    return true;
  };
}

}  // namespace vt
