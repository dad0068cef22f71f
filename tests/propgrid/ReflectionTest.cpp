// The page's reflection: a control's notification goes back to that control as an OCM_ message, and
// nothing goes to the sheet or any window that is not one of the page's own controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <olectl.h>

#include <vector>

#include "propgrid/Reflection.h"

namespace {

struct Received {
  HWND window;
  UINT message;
};
std::vector<Received>* gReceived = nullptr;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message >= OCM__BASE && gReceived) {
    gReceived->push_back({window, message});
    return 77;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class Reflection : public ::testing::Test {
 protected:
  void SetUp() override {
    gReceived = &received_;
    WNDCLASSW recording = {};
    recording.lpfnWndProc = RecordingProc;
    recording.hInstance = GetModuleHandleW(nullptr);
    recording.lpszClassName = L"ReflectionRecorder";
    RegisterClassW(&recording);
    sheet_ =
        CreateWindowExW(0, L"ReflectionRecorder", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    page_ = CreateWindowExW(0, L"ReflectionRecorder", L"", WS_CHILD, 0, 0, 150, 150, sheet_, reinterpret_cast<HMENU>(1),
                            nullptr, nullptr);
    control_ = CreateWindowExW(0, L"ReflectionRecorder", L"", WS_CHILD, 0, 0, 50, 50, page_,
                               reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    sheetButton_ = CreateWindowExW(0, L"ReflectionRecorder", L"", WS_CHILD, 0, 0, 50, 50, sheet_,
                                   reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
  }
  void TearDown() override {
    DestroyWindow(sheet_);
    gReceived = nullptr;
  }

  bool Reflect(UINT msg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    const bool reflected = ReflectToControl(page_, msg, wParam, lParam, result);
    if (reflected) EXPECT_EQ(result, 77);
    return reflected;
  }

  std::vector<Received> received_;
  HWND sheet_ = nullptr, page_ = nullptr, control_ = nullptr, sheetButton_ = nullptr;
};

TEST_F(Reflection, AControlsNotificationsGoBackToItWithTheReflectedNumber) {
  EXPECT_TRUE(Reflect(WM_COMMAND, MAKEWPARAM(1000, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control_)));
  NMHDR notice = {control_, 1000, static_cast<UINT>(-3003)};
  EXPECT_TRUE(Reflect(WM_NOTIFY, 1000, reinterpret_cast<LPARAM>(&notice)));
  DRAWITEMSTRUCT draw = {};
  draw.CtlType = ODT_LISTBOX;
  draw.CtlID = 1000;
  draw.hwndItem = control_;
  EXPECT_TRUE(Reflect(WM_DRAWITEM, 1000, reinterpret_cast<LPARAM>(&draw)));
  MEASUREITEMSTRUCT measure = {};
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = 1000;
  EXPECT_TRUE(Reflect(WM_MEASUREITEM, 1000, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_TRUE(Reflect(WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(control_)));
  ASSERT_EQ(received_.size(), 5u);
  EXPECT_EQ(received_[0].message, static_cast<UINT>(OCM_COMMAND));
  EXPECT_EQ(received_[1].message, static_cast<UINT>(OCM_NOTIFY));
  EXPECT_EQ(received_[2].message, static_cast<UINT>(OCM_DRAWITEM));
  EXPECT_EQ(received_[3].message, static_cast<UINT>(OCM_MEASUREITEM));
  EXPECT_EQ(received_[4].message, static_cast<UINT>(OCM_VSCROLL));
  for (const Received& r : received_) EXPECT_EQ(r.window, control_);
}

TEST_F(Reflection, NothingGoesToTheSheetItsButtonsTheSelfOrAMenu) {
  NMHDR fromSheet = {sheet_, 0, static_cast<UINT>(-3003)};
  EXPECT_FALSE(Reflect(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&fromSheet)));
  NMHDR fromSheetButton = {sheetButton_, IDOK, static_cast<UINT>(-3003)};
  EXPECT_FALSE(Reflect(WM_NOTIFY, IDOK, reinterpret_cast<LPARAM>(&fromSheetButton)));
  NMHDR fromPage = {page_, 1, static_cast<UINT>(-3003)};
  EXPECT_FALSE(Reflect(WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&fromPage)));
  EXPECT_FALSE(Reflect(WM_COMMAND, MAKEWPARAM(5, 0), 0));  // a menu command
  DRAWITEMSTRUCT menuItem = {};
  menuItem.CtlType = ODT_MENU;
  menuItem.hwndItem = reinterpret_cast<HWND>(control_);
  EXPECT_FALSE(Reflect(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&menuItem)));
  EXPECT_FALSE(Reflect(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(sheetButton_)));
  EXPECT_FALSE(Reflect(WM_SIZE, 0, MAKELPARAM(10, 10)));
  EXPECT_FALSE(Reflect(WM_NOTIFY, 0, 0));
  EXPECT_TRUE(received_.empty());
}

}  // namespace
