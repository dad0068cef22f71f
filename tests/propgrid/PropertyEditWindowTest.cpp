// The text editor of an edit row, driven by real keys, focus changes and pumped messages: Enter and
// focus loss commit, Escape cancels, Ctrl+Enter breaks the line, and the grid hears of it by a posted
// message.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "MessagePump.h"
#include "comkit/ComText.h"
#include "propgrid/PropertyEditWindow.h"
#include "propgrid/PropertyRows.h"

namespace {

struct EditorEnd {
  UINT message;
  HWND editor;
};
std::vector<EditorEnd>* gEnds = nullptr;
HWND gDestroyOnChange = nullptr;
WNDPROC gListProc = nullptr;

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PROP_UPDATE || message == WM_PROP_CANCEL) {
    gEnds->push_back({message, reinterpret_cast<HWND>(lParam)});
    return 0;
  }
  // A grid that tears the editor down inside the editor's own message.
  if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE && gDestroyOnChange) {
    DestroyWindow(gDestroyOnChange);
    gDestroyOnChange = nullptr;
    return 0;
  }
  return CallWindowProcW(gListProc, window, message, wParam, lParam);
}

class PropertyEditWindow : public ::testing::Test {
 protected:
  // One window for the suite: showing a top-level window costs the virtual display a while.
  static void SetUpTestSuite() {
    top_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                           nullptr, nullptr);
    grid_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, 0, 0, 250, 150, top_,
                            nullptr, nullptr, nullptr);
    font_ = CreateFontW(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    SendMessageW(grid_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    gListProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(grid_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GridProc)));
    SetForegroundWindow(top_);
    vt::PumpPending();
  }
  static void TearDownTestSuite() {
    DestroyWindow(top_);
    DeleteObject(font_);
    vt::PumpPending();
  }
  void SetUp() override {
    gEnds = &ends_;
    SetFocus(grid_);
    vt::PumpPending();
    ends_.clear();
  }
  void TearDown() override {
    if (row_ && row_->Editor() && IsWindow(row_->Editor())) DestroyWindow(row_->Editor());
    vt::PumpPending();
    gEnds = nullptr;
    gDestroyOnChange = nullptr;
  }

  HWND Editor(const wchar_t* text, VARTYPE type = VT_BSTR) {
    row_ = std::make_unique<CPropertyEditItem>(L"row");
    CVariant value;
    if (type == VT_BSTR) {
      V_VT(&value.get()) = VT_BSTR;
      V_BSTR(&value.get()) = SysAllocString(text);
    } else {
      V_VT(&value.get()) = VT_I4;
      V_I4(&value.get()) = _wtoi(text);
      VariantChangeType(&value.get(), &value.get(), 0, type);
    }
    row_->SetValue(value.get());
    const RECT cell = {100, 20, 240, 40};
    HWND editor = row_->CreateEditor(grid_, cell);
    if (editor) SetFocus(editor);
    vt::PumpPending();
    return editor;
  }
  static std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
  }
  void Key(HWND editor, UINT key, bool control = false) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(editor, WM_KEYDOWN, key, 0);
    if (key == VK_RETURN || key == VK_ESCAPE) SendMessageW(editor, WM_CHAR, key, 0);
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
    vt::PumpPending();
  }

  std::vector<EditorEnd> ends_;
  std::unique_ptr<CPropertyEditItem> row_;
  static inline HWND top_ = nullptr, grid_ = nullptr;
  static inline HFONT font_ = nullptr;
};

TEST_F(PropertyEditWindow, SitsOverTheCellInTheGridsFontWithoutBorderOrTabStop) {
  HWND editor = Editor(L"12px");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(TextOf(editor), L"12px");
  const LONG_PTR style = GetWindowLongPtrW(editor, GWL_STYLE);
  EXPECT_EQ(style & 0xFFFF00FF, static_cast<LONG_PTR>(CPropertyEditWindow::kStyle & 0xFFFF00FF));
  EXPECT_EQ(style & (WS_BORDER | WS_TABSTOP | ES_NUMBER), 0);
  EXPECT_EQ(GetWindowLongPtrW(editor, GWL_EXSTYLE) & ~WS_EX_NOPARENTNOTIFY, 0);
  RECT box;
  GetWindowRect(editor, &box);
  MapWindowPoints(nullptr, grid_, reinterpret_cast<POINT*>(&box), 2);
  EXPECT_EQ(box.left, 100);
  EXPECT_EQ(box.top, 21);
  EXPECT_EQ(box.bottom, 39);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0)), font_);
  const LRESULT margins = SendMessageW(editor, EM_GETMARGINS, 0, 0);
  EXPECT_EQ(LOWORD(margins), 2);
  EXPECT_EQ(HIWORD(margins), 0);
  EXPECT_EQ(SendMessageW(editor, WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS, DLGC_WANTALLKEYS);
}

TEST_F(PropertyEditWindow, EnterCommitsThroughTheLossOfFocusAndCtrlEnterBreaksTheLine) {
  HWND editor = Editor(L"a");
  Key(editor, VK_RETURN, true);
  EXPECT_EQ(GetFocus(), editor);
  EXPECT_TRUE(ends_.empty());
  EXPECT_NE(TextOf(editor).find(L"\r\n"), std::wstring::npos);
  Key(editor, VK_RETURN);
  EXPECT_EQ(GetFocus(), grid_);
  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0].message, static_cast<UINT>(WM_PROP_UPDATE));
  EXPECT_EQ(ends_[0].editor, editor);
}

TEST_F(PropertyEditWindow, EscapeThenAnyLossOfFocusCancelsAndIsNeverTyped) {
  HWND editor = Editor(L"keep");
  Key(editor, VK_ESCAPE);
  EXPECT_EQ(TextOf(editor), L"keep");
  EXPECT_EQ(GetFocus(), grid_);
  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0].message, static_cast<UINT>(WM_PROP_CANCEL));
  // A new focus period starts uncancelled: a click elsewhere then commits.
  SetFocus(editor);
  SetFocus(grid_);
  vt::PumpPending();
  ASSERT_EQ(ends_.size(), 2u);
  EXPECT_EQ(ends_[1].message, static_cast<UINT>(WM_PROP_UPDATE));
}

TEST_F(PropertyEditWindow, AnUnsignedValueTakesDigitsOnly) {
  HWND editor = Editor(L"5", VT_UI4);
  EXPECT_EQ(GetWindowLongPtrW(editor, GWL_STYLE) & ES_NUMBER, ES_NUMBER);
  SendMessageW(editor, EM_SETSEL, 1, 1);
  SendMessageW(editor, WM_CHAR, L'x', 0);
  SendMessageW(editor, WM_CHAR, L'7', 0);
  EXPECT_EQ(TextOf(editor), L"57");
}

TEST_F(PropertyEditWindow, AnEditorTornDownInsideItsOwnMessageGoesQuietly) {
  HWND editor = Editor(L"a");
  gDestroyOnChange = editor;
  SendMessageW(editor, WM_CHAR, L'b', 0);
  vt::PumpPending();
  EXPECT_FALSE(IsWindow(editor));
}

TEST_F(PropertyEditWindow, ADisabledRowGetsNoEditor) {
  row_ = std::make_unique<CPropertyEditItem>(L"row");
  row_->SetEnabled(false);
  EXPECT_EQ(row_->CreateEditor(grid_, RECT{0, 0, 50, 20}), nullptr);
}

}  // namespace
