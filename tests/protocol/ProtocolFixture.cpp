#include "ProtocolFixture.h"

namespace pt {

std::unique_ptr<vt::RecordingParent> Protocol::parent_;

LONG EngineLiveObjects() {
  HMODULE engine = GetModuleHandleW(L"vellumengine.dll");
  if (!engine) return 0;
  auto count = reinterpret_cast<LONG(WINAPI*)()>(GetProcAddress(engine, "VellumEngine_LiveObjects"));
  return count ? count() : -1;
}

void Protocol::SetUpTestSuite() {
  OleInitialize(nullptr);
  Module_RegisterClass(GetModuleHandleW(nullptr));
  // One visible host for the suite: showing and closing a top-level window is slow under a bare X server.
  parent_ = std::make_unique<vt::RecordingParent>(800, 600);
  vt::PumpFor(50);
}

void Protocol::TearDownTestSuite() {
  parent_.reset();
  Module_Shutdown();
  OleUninitialize();
}

void Protocol::SetUp() { parent_->Clear(); }

void Protocol::TearDown() { DestroyControl(); }

HWND Protocol::CreateControl(int x, int y, int width, int height) {
  hwnd_ = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, x, y, width, height, parent_->Hwnd(),
                          reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
  if (hwnd_) WaitForLoads(1);
  return hwnd_;
}

void Protocol::DestroyControl() {
  if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  hwnd_ = nullptr;
  vt::PumpPending();
}

bool Protocol::WaitForLoads(UINT count, DWORD timeoutMs) {
  return vt::PumpUntil([&] { return GetControl() && GetControl()->CompletedLoads() >= count; }, timeoutMs);
}

SIZE Protocol::ClientSize() const {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  return {rc.right, rc.bottom};
}

}  // namespace pt
