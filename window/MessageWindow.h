// Base of every window object of the product: binds a window to its object once, routes each message
// to the object's message map and keeps the object alive until the window's outermost message returns.
#pragma once

#include <windows.h>

#include "window/WindowThunk.h"

class CMessageWindow {
 public:
  CMessageWindow() = default;
  CMessageWindow(const CMessageWindow&) = delete;
  CMessageWindow& operator=(const CMessageWindow&) = delete;
  virtual ~CMessageWindow() = default;

  HWND GetHwnd() const { return hwnd_; }

  // Subclasses hwnd: from now on its messages go to ProcessMessage, and unhandled ones to chainTo, or,
  // when chainTo is null, to the procedure the window had. False when the thunk cannot be made.
  bool Attach(HWND hwnd, WNDPROC chainTo = nullptr);

  // A call into the object from outside its own messages (another window's message, a host's
  // notification handler on the way) counts like a message of its own: a window destroyed meanwhile
  // lets the object go only once the last hold and message have returned. Use CWindowHold.
  void Hold() { ++depth_; }
  void Unhold();

 protected:
  // The message map. `handled` starts true; a handler that wants default processing clears it.
  virtual LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) = 0;
  // Runs once WM_NCDESTROY and every message around it have returned; the object may delete itself.
  virtual void OnFinalMessage() {}
  // The procedure the window had before it was attached (DefWindowProcW for a fresh class window).
  LRESULT CallPreviousProc(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK ThunkProc(HWND self, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;             // the attached window
  WNDPROC previousProc_ = nullptr;  // what the window ran before us
  CWindowThunk thunk_;              // the window's procedure while attached
  int depth_ = 0;                   // messages of this window now on the stack
  bool finalPending_ = false;       // WM_NCDESTROY seen; OnFinalMessage when depth_ returns to 0
};

// Holds a window object (which may be null) for the length of a scope.
class CWindowHold {
 public:
  explicit CWindowHold(CMessageWindow* window) : window_(window) {
    if (window_) window_->Hold();
  }
  CWindowHold(const CWindowHold&) = delete;
  CWindowHold& operator=(const CWindowHold&) = delete;
  ~CWindowHold() {
    if (window_) window_->Unhold();
  }

 private:
  CMessageWindow* window_;
};
