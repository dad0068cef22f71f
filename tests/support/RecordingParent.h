// A top-level window that stands in for the host: it records what its children tell it.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "vellum.h"

namespace vt {

struct RecordedMessage {
  UINT msg;  // WM_NOTIFY or WM_COMMAND
  WPARAM wParam;
  UINT code;         // NMHDR.code for WM_NOTIFY, HIWORD(wParam) for WM_COMMAND
  HWND from;         // NMHDR.hwndFrom or the command's lParam
  VLMNOTIFY notify;  // a copy of the record for the control's notifications (zeroed otherwise)
  bool posted;       // the message came through the queue (InSendMessage was false)
};

class RecordingParent {
 public:
  RecordingParent(int width = 800, int height = 600);
  ~RecordingParent();
  HWND Hwnd() const { return hwnd_; }

  const std::vector<RecordedMessage>& Messages() const { return messages_; }
  void Clear() { messages_.clear(); }
  // Notification codes in order of arrival.
  std::vector<UINT> NotifyCodes() const;
  int Count(UINT notifyCode) const;

  // Runs, as a host's handler does, after each notification is recorded (inside the control's call when
  // the notification was sent). The host may do anything there: destroy the control, load, undo...
  std::function<void(UINT code)> onNotify;

 private:
  static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
  HWND hwnd_ = nullptr;
  std::vector<RecordedMessage> messages_;
};

}  // namespace vt
