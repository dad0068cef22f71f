// A control driven the way a host drives it: a visible parent that records WM_NOTIFY, messages sent to
// the control window, and a pumped message loop. The control's internals are linked in so that the
// tests can read lastError, which no message returns.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "MessagePump.h"
#include "RecordingParent.h"
#include "control/Module.h"
#include "control/Vellum.h"
#include "vellum.h"

namespace pt {

LONG EngineLiveObjects();

class Protocol : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  // Creates the control as a child of the recording parent and waits for its first load to complete.
  HWND CreateControl(int x = 10, int y = 10, int width = 100, int height = 100);
  void DestroyControl();
  bool WaitForLoads(UINT count, DWORD timeoutMs = 5000);

  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) { return SendMessageW(hwnd_, msg, wParam, lParam); }
  DWORD LastError() const { return GetControl()->lastError; }
  CVellum* GetControl() const { return Module_FindControl(hwnd_); }
  SIZE ClientSize() const;

  static std::unique_ptr<vt::RecordingParent> parent_;
  HWND hwnd_ = nullptr;
};

}  // namespace pt
