// vellum.dll as a host sees it: loading registers the window class, unloading removes it.
#include <gtest/gtest.h>
#include <windows.h>

#include "vellum.h"

namespace {

class LoadedModule {
 public:
  LoadedModule() : module_(LoadLibraryW(L"vellum.dll")) {}
  ~LoadedModule() { Free(); }
  HMODULE get() const { return module_; }
  void Free() {
    if (module_) FreeLibrary(module_);
    module_ = nullptr;
  }

 private:
  HMODULE module_;
};

TEST(Module, LoadingRegistersTheClassWithItsFields) {
  LoadedModule module;
  ASSERT_NE(module.get(), nullptr);
  WNDCLASSEXW wc = {sizeof wc};
  ASSERT_TRUE(GetClassInfoExW(module.get(), VELLUM_CLASS_NAME_W, &wc));
  EXPECT_EQ(wc.style, 0x400Bu);
  EXPECT_EQ(wc.style, UINT(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_GLOBALCLASS));
  EXPECT_EQ(wc.cbClsExtra, 0);
  EXPECT_EQ(wc.cbWndExtra, 0);
  EXPECT_EQ(wc.hInstance, module.get());
  EXPECT_EQ(wc.hIcon, nullptr);
  EXPECT_EQ(wc.hIconSm, nullptr);
  EXPECT_EQ(wc.lpszMenuName, nullptr);
  EXPECT_EQ(wc.hCursor, LoadCursorW(nullptr, IDC_ARROW));
  EXPECT_EQ(wc.hbrBackground, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  EXPECT_NE(wc.lpfnWndProc, nullptr);
  // A global class is found from any module of the process.
  WNDCLASSEXW fromExe = {sizeof fromExe};
  EXPECT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), VELLUM_CLASS_NAME_W, &fromExe));
}

TEST(Module, ExportsLibMakeDummy) {
  LoadedModule module;
  ASSERT_NE(module.get(), nullptr);
  auto dummy = reinterpret_cast<void(WINAPI*)()>(GetProcAddress(module.get(), "LibMakeDummy"));
  ASSERT_NE(dummy, nullptr);
  dummy();  // does nothing, and returns
}

TEST(Module, UnloadingUnregistersTheClass) {
  LoadedModule module;
  ASSERT_NE(module.get(), nullptr);
  module.Free();
  WNDCLASSEXW wc = {sizeof wc};
  EXPECT_FALSE(GetClassInfoExW(GetModuleHandleW(nullptr), VELLUM_CLASS_NAME_W, &wc));
  LoadedModule again;  // and loading anew registers it anew
  ASSERT_NE(again.get(), nullptr);
  EXPECT_TRUE(GetClassInfoExW(again.get(), VELLUM_CLASS_NAME_W, &wc));
}

TEST(Module, RefusesToLoadWhenTheClassCannotBeRegistered) {
  WNDCLASSEXW squatter = {sizeof squatter};
  squatter.style = CS_GLOBALCLASS;
  squatter.lpfnWndProc = DefWindowProcW;
  squatter.hInstance = GetModuleHandleW(nullptr);
  squatter.lpszClassName = VELLUM_CLASS_NAME_W;
  ASSERT_NE(RegisterClassExW(&squatter), 0);
  HMODULE module = LoadLibraryW(L"vellum.dll");
  EXPECT_EQ(module, nullptr);
  if (module) FreeLibrary(module);
  UnregisterClassW(VELLUM_CLASS_NAME_W, GetModuleHandleW(nullptr));
}

TEST(Module, EachWindowIsTakenOverByItsOwnObject) {
  OleInitialize(nullptr);  // the control creates its document in the host's apartment
  LoadedModule module;
  ASSERT_NE(module.get(), nullptr);
  WNDCLASSEXW wc = {sizeof wc};
  ASSERT_TRUE(GetClassInfoExW(module.get(), VELLUM_CLASS_NAME_W, &wc));
  HWND a = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  HWND b = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  auto procA = GetWindowLongPtrW(a, GWLP_WNDPROC);
  auto procB = GetWindowLongPtrW(b, GWLP_WNDPROC);
  EXPECT_NE(procA, reinterpret_cast<LONG_PTR>(wc.lpfnWndProc));
  EXPECT_NE(procA, procB);  // one thunk per object
  EXPECT_TRUE(DestroyWindow(a));
  EXPECT_TRUE(DestroyWindow(b));
  OleUninitialize();
}

}  // namespace
