// The button and list editors: the focus always on their button, Escape there keeps the value, the
// button runs the row's dialog, the arrow drops the list at its height, and Enter or a click in the list
// takes a text.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "GridPage.h"
#include "MessagePump.h"
#include "comkit/ComText.h"
#include "propgrid/PropertyDropWindow.h"
#include "propgrid/PropertyRows.h"

namespace {

struct Seen {
  std::vector<UINT> ends;
};
Seen* gSeen = nullptr;
WNDPROC gListProc = nullptr;

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PROP_UPDATE || message == WM_PROP_CANCEL) {
    gSeen->ends.push_back(message);
    return 0;
  }
  return CallWindowProcW(gListProc, window, message, wParam, lParam);
}

// The editor's drop list: a pop-up list box of this thread (its owner is the editor's top-level window).
HWND DropListOf(HWND editor) {
  struct Search {
    HWND owner;
    HWND found;
  } search = {GetAncestor(editor, GA_ROOT), nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM context) -> BOOL {
        auto* search = reinterpret_cast<Search*>(context);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpiW(name, L"LISTBOX") == 0 && GetWindow(window, GW_OWNER) == search->owner) search->found = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

class PropertyDropWindow : public ::testing::Test {
 protected:
  // One page for the suite: showing a top-level window costs the virtual display a while.
  static void SetUpTestSuite() {
    page_ = new gt::GridPage(nullptr, RECT{50, 50, 350, 300});
    grid_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE, 0, 0, 250, 200,
                            page_->Hwnd(), reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    SendMessageW(grid_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    gListProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(grid_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GridProc)));
    vt::PumpPending();
  }
  static void TearDownTestSuite() {
    delete page_;
    vt::PumpPending();
  }
  void SetUp() override {
    gSeen = &seen_;
    page_->Clear();
    SetFocus(grid_);
    vt::PumpPending();
  }
  void TearDown() override {
    vt::PumpPending();
    gSeen = nullptr;
  }
  static std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
  }
  CPropertyListItem* ListRow(int options) {
    static std::vector<std::wstring> names;
    static std::vector<const wchar_t*> table;
    names.clear();
    table.clear();
    for (int i = 0; i < options; ++i) names.push_back(L"option " + std::to_wstring(i));
    for (const auto& name : names) table.push_back(name.c_str());
    table.push_back(nullptr);
    list_ = std::make_unique<CPropertyListItem>(L"list");
    list_->SetOwner(grid_);
    list_->LoadTexts(table.data());
    return list_.get();
  }

  Seen seen_;
  static inline gt::GridPage* page_ = nullptr;
  static inline HWND grid_ = nullptr;
  std::unique_ptr<CPropertyListItem> list_;
  const RECT cell_ = {100, 20, 240, 40};
};

TEST_F(PropertyDropWindow, TheFocusRestsOnTheButtonAndClicksInTheTextDoNothing) {
  CPropertyFileNameItem row(L"src");
  row.SetOwner(grid_);
  CVariant path;
  V_VT(&path.get()) = VT_BSTR;
  V_BSTR(&path.get()) = SysAllocString(L"C:\\images\\logo.png");
  row.SetValue(path.get());
  HWND editor = row.CreateEditor(grid_, cell_);
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(TextOf(editor), L"logo.png");
  HWND button = GetWindow(editor, GW_CHILD);
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(GetWindowLongPtrW(button, GWL_STYLE) & 0xFFFF000F,
            static_cast<LONG_PTR>(WS_CHILD | WS_VISIBLE | BS_OWNERDRAW));
  EXPECT_EQ(GetWindowLongPtrW(editor, GWL_STYLE) & WS_BORDER, 0);
  SetFocus(editor);
  EXPECT_EQ(GetFocus(), button);
  SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetFocus(), button);
  EXPECT_EQ(SendMessageW(editor, EM_GETSEL, 0, 0), 0);
  // The button runs the row's dialog through the page.
  SendMessageW(button, BM_CLICK, 0, 0);
  vt::PumpPending();
  EXPECT_EQ(page_->Count(PGN_EDIT), 1);
  // Escape on the button keeps the value: an update, not a cancel.
  SendMessageW(button, WM_KEYDOWN, VK_ESCAPE, 0);
  vt::PumpPending();
  EXPECT_EQ(seen_.ends, (std::vector<UINT>{WM_PROP_UPDATE}));
  DestroyWindow(editor);
}

TEST_F(PropertyDropWindow, TheArrowDropsTheListUnderTheEditAtItsHeight) {
  for (int options : {3, 20}) {
    CPropertyListItem* row = ListRow(options);
    HWND editor = row->CreateEditor(grid_, cell_);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(TextOf(editor), L"option 0");
    // The row's open action presses the arrow.
    row->OnAction(PROP_ACTION_OPEN, 0);
    vt::PumpPending();
    HWND list = DropListOf(editor);
    ASSERT_NE(list, nullptr) << options;
    EXPECT_TRUE(IsWindowVisible(list));
    const int rowHeight = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int expected = options * rowHeight + 2 * GetSystemMetrics(SM_CYBORDER);
    RECT box, edit;
    GetWindowRect(list, &box);
    GetWindowRect(editor, &edit);
    EXPECT_EQ(box.bottom - box.top, expected > 140 ? 140 : expected) << options;
    EXPECT_EQ(box.left, edit.left);
    EXPECT_EQ(box.top, edit.bottom);
    EXPECT_EQ(box.right - box.left, edit.right - edit.left);
    if (options == 3) EXPECT_EQ(expected, 3 * rowHeight + 2);
    DestroyWindow(editor);
    EXPECT_FALSE(IsWindow(list));
  }
}

TEST_F(PropertyDropWindow, EnterOrAClickInTheListTakesATextAndEscapeCancels) {
  CPropertyListItem* row = ListRow(3);
  HWND editor = row->CreateEditor(grid_, cell_);
  row->OnAction(PROP_ACTION_OPEN, 0);
  HWND list = DropListOf(editor);
  ASSERT_NE(list, nullptr);
  SetFocus(list);
  SendMessageW(list, LB_SETCURSEL, 2, 0);
  SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  vt::PumpPending();
  EXPECT_EQ(TextOf(editor), L"option 2");
  EXPECT_EQ(GetFocus(), grid_);
  EXPECT_FALSE(IsWindowVisible(list));
  EXPECT_EQ(seen_.ends, (std::vector<UINT>{WM_PROP_UPDATE}));
  EXPECT_EQ(row->UpdateFromEditor(editor), 1);
  EXPECT_EQ(row->Index(), 2);

  // Enter with nothing selected only moves the focus.
  SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SendMessageW(list, WM_KEYDOWN, VK_RETURN, 0);
  vt::PumpPending();
  EXPECT_EQ(seen_.ends.size(), 1u);

  // Releasing the mouse over a row commits that row's text.
  SendMessageW(list, LB_SETCURSEL, 1, 0);
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  vt::PumpPending();
  EXPECT_EQ(seen_.ends.size(), 2u);
  EXPECT_EQ(TextOf(editor), L"option 1");

  SendMessageW(list, WM_KEYDOWN, VK_ESCAPE, 0);
  vt::PumpPending();
  EXPECT_EQ(seen_.ends.back(), static_cast<UINT>(WM_PROP_CANCEL));
  DestroyWindow(editor);
}

}  // namespace
