#include "RecordingParent.h"

namespace vt {

namespace {
const wchar_t kClass[] = L"VellumTestRecordingParent";

void RegisterOnce() {
  static bool done = false;
  if (done) return;
  WNDCLASSEXW wc = {sizeof wc};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClass;
  RegisterClassExW(&wc);
  done = true;
}
}  // namespace

RecordingParent::RecordingParent(int width, int height) {
  RegisterOnce();
  hwnd_ = CreateWindowExW(0, kClass, L"host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, width, height,
                          nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingParent::Proc));
}

RecordingParent::~RecordingParent() {
  if (IsWindow(hwnd_)) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

LRESULT CALLBACK RecordingParent::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<RecordingParent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && (msg == WM_NOTIFY || msg == WM_COMMAND)) {
    RecordedMessage r = {};
    r.msg = msg;
    r.wParam = wParam;
    r.posted = !InSendMessage();
    if (msg == WM_NOTIFY) {
      auto* hdr = reinterpret_cast<const NMHDR*>(lParam);
      r.code = hdr->code;
      r.from = hdr->hwndFrom;
      if (hdr->code >= VLMN_ELEMENTINSERTED && hdr->code <= VLMN_MOVED)
        r.notify = *reinterpret_cast<const VLMNOTIFY*>(lParam);
    } else {
      r.code = HIWORD(wParam);
      r.from = reinterpret_cast<HWND>(lParam);
    }
    self->messages_.push_back(r);
    if (msg == WM_NOTIFY && self->onNotify) self->onNotify(r.code);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

std::vector<UINT> RecordingParent::NotifyCodes() const {
  std::vector<UINT> codes;
  for (const auto& m : messages_)
    if (m.msg == WM_NOTIFY) codes.push_back(m.code);
  return codes;
}

int RecordingParent::Count(UINT notifyCode) const {
  int n = 0;
  for (const auto& m : messages_)
    if (m.msg == WM_NOTIFY && m.code == notifyCode) ++n;
  return n;
}

}  // namespace vt
