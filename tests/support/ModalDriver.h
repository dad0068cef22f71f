// Drives modal windows (a property sheet, the dialogs over it, the common dialogs) from inside their
// own modal loops, as a user would: a thread timer finds the innermost modal window of the thread and
// hands it to the next step. A step answers true when it has done its part. Steps only post what would
// open another modal window, so that the next step finds that window on a later tick.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace vt {

class ModalDriver {
 public:
  using Step = std::function<bool(HWND window)>;
  explicit ModalDriver(std::vector<Step> steps);
  ~ModalDriver();
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Every step ran (a driver that had to close windows after its time ran out has not).
  bool Finished() const { return next_ == steps_.size() && !timedOut_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void OnTick();

  std::vector<Step> steps_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
  DWORD started_ = 0;
  bool running_ = false;
  bool timedOut_ = false;
};

// A window's class name.
std::wstring ClassOf(HWND window);
// The text of a dialog item.
std::wstring ItemText(HWND dialog, int id);
// Posts a click of a dialog's button (OK, Cancel or any other command id).
ModalDriver::Step ClickButton(int id);
// Runs f on the window and is done.
ModalDriver::Step Do(std::function<void(HWND)> f);

}  // namespace vt
