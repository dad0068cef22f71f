// The grid over a real owner-drawn list box on a page that reflects its notifications back, as the
// property sheet's page does: rows added and found, drawn, opened for editing by keys and clicks,
// committed when the selection moves, and their changes reported to the page.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <olectl.h>

#include <memory>
#include <string>
#include <vector>

#include "ImageCompare.h"
#include "GridPage.h"
#include "MessagePump.h"
#include "Variants.h"
#include "comkit/ComText.h"
#include "propgrid/PropertyGrid.h"

namespace {

class PropertyGrid : public ::testing::Test {
 protected:
  // One page for the suite: showing a top-level window costs the virtual display a while.
  static void SetUpTestSuite() {
    page_ = new gt::GridPage(nullptr, RECT{40, 40, 400, 360});
    vt::PumpPending();
  }
  static void TearDownTestSuite() {
    delete page_;
    vt::PumpPending();
  }
  void SetUp() override {
    page_->Clear();
    list_ = CreateWindowExW(
        WS_EX_STATICEDGE, L"LISTBOX", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_OWNERDRAWVARIABLE | LBS_NOINTEGRALHEIGHT, 10,
        10, 300, 240, page_->Hwnd(), reinterpret_cast<HMENU>(1000), nullptr, nullptr);
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    grid_ = std::make_unique<CPropertyGrid>();
    ASSERT_TRUE(grid_->SubclassGrid(list_));
    SendMessageW(list_, WM_SETTINGCHANGE, 0, 0);
    category_ = static_cast<CCategoryProperty*>(grid_->AddItem(std::make_unique<CCategoryProperty>(L"Position")));
    left_ = static_cast<CPropertyEditItem*>(grid_->AddItem(std::make_unique<CPropertyEditItem>(L"Left")));
    CVariant ten;
    ten.get() = vt::TextValue(L"10px");
    left_->SetValue(ten.get());
    static const wchar_t* const kAlign[] = {L"left", L"center", L"right", nullptr};
    auto align = std::make_unique<CPropertyListItem>(L"Align");
    align->LoadTexts(kAlign);
    align_ = static_cast<CPropertyListItem*>(grid_->AddItem(std::move(align)));
    check_ =
        static_cast<CPropertyCheckButtonItem*>(grid_->AddItem(std::make_unique<CPropertyCheckButtonItem>(L"Hidden")));
    SetFocus(list_);
    vt::PumpPending();
  }
  void TearDown() override {
    DestroyWindow(list_);
    grid_.reset();
    vt::PumpPending();
  }

  void Select(int index) {
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SetFocus(list_);
  }
  void Key(UINT key) {
    SendMessageW(GetFocus(), WM_KEYDOWN, key, 0);
    vt::PumpPending();
  }
  int Count(int code) const { return page_->Count(code); }
  POINT CellCentre(int index, bool value) {
    RECT box;
    SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box));
    return {value ? (grid_->Divider() + box.right) / 2 : (box.left + grid_->Divider()) / 2, (box.top + box.bottom) / 2};
  }

  static inline gt::GridPage* page_ = nullptr;
  HWND list_ = nullptr;
  std::unique_ptr<CPropertyGrid> grid_;
  CCategoryProperty* category_ = nullptr;
  CPropertyEditItem* left_ = nullptr;
  CPropertyListItem* align_ = nullptr;
  CPropertyCheckButtonItem* check_ = nullptr;
};

TEST_F(PropertyGrid, RowsAreFoundByIndexAndNoneOutsideThem) {
  EXPECT_EQ(grid_->GetCount(), 4);
  EXPECT_EQ(grid_->GetItem(0), category_);
  EXPECT_EQ(grid_->GetItem(3), check_);
  EXPECT_EQ(grid_->GetItem(4), nullptr);
  EXPECT_EQ(grid_->GetItem(-1), nullptr);
  EXPECT_EQ(left_->Owner(), list_);
}

TEST_F(PropertyGrid, EnterOpensTheEditorAndItsCommitTellsThePage) {
  Select(1);
  Key(VK_RETURN);
  HWND editor = grid_->Editor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(GetFocus(), editor);
  SetWindowTextW(editor, L"25px");
  SendMessageW(editor, WM_KEYDOWN, VK_RETURN, 0);  // the editor gives the focus back: a commit
  vt::PumpPending();
  EXPECT_EQ(grid_->Editor(), nullptr);
  EXPECT_FALSE(IsWindow(editor));
  EXPECT_EQ(left_->ValueText(), L"25px");
  EXPECT_EQ(Count(PGN_VALUECHANGED), 1);
  // An edit committed unchanged tells nothing.
  Key(VK_F2);
  ASSERT_NE(grid_->Editor(), nullptr);
  SendMessageW(grid_->Editor(), WM_KEYDOWN, VK_RETURN, 0);
  vt::PumpPending();
  EXPECT_EQ(Count(PGN_VALUECHANGED), 1);
}

TEST_F(PropertyGrid, TypingOnAnEditRowStartsTheEditorWithThatCharacterAndEscapeCancels) {
  Select(1);
  SendMessageW(list_, WM_CHAR, L'7', 0);
  HWND editor = grid_->Editor();
  ASSERT_NE(editor, nullptr);
  wchar_t text[32] = {};
  GetWindowTextW(editor, text, 32);
  EXPECT_STREQ(text, L"7");
  SendMessageW(editor, WM_KEYDOWN, VK_ESCAPE, 0);
  vt::PumpPending();
  EXPECT_EQ(grid_->Editor(), nullptr);
  EXPECT_EQ(left_->ValueText(), L"10px");
  EXPECT_EQ(Count(PGN_VALUECHANGED), 0);
}

TEST_F(PropertyGrid, MovingTheSelectionCommitsTheOpenEditor) {
  Select(1);
  Key(VK_RETURN);
  ASSERT_NE(grid_->Editor(), nullptr);
  SetWindowTextW(grid_->Editor(), L"40px");
  SetFocus(list_);  // as the arrow key reaches the grid
  vt::PumpPending();
  SendMessageW(list_, WM_KEYDOWN, VK_DOWN, 0);
  vt::PumpPending();
  EXPECT_EQ(grid_->Editor(), nullptr);
  EXPECT_EQ(left_->ValueText(), L"40px");
  EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), 2);
}

TEST_F(PropertyGrid, HomeEndAndThePageKeysMoveTheSelectionAndCommitFirst) {
  const struct {
    UINT key;
    LRESULT selected;
  } walk[] = {{VK_END, 3}, {VK_HOME, 0}, {VK_NEXT, 3}, {VK_PRIOR, 0}, {VK_DOWN, 2}, {VK_UP, 0}};
  for (const auto& step : walk) {
    Select(1);
    Key(VK_RETURN);
    ASSERT_NE(grid_->Editor(), nullptr) << step.key;
    SetWindowTextW(grid_->Editor(), (std::to_wstring(step.key) + L"px").c_str());
    SetFocus(list_);
    vt::PumpPending();
    SendMessageW(list_, WM_KEYDOWN, step.key, 0);
    vt::PumpPending();
    EXPECT_EQ(grid_->Editor(), nullptr) << step.key;
    EXPECT_EQ(left_->ValueText(), std::to_wstring(step.key) + L"px") << step.key;
    EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), step.selected) << step.key;
  }
}

TEST_F(PropertyGrid, SpaceTogglesACheckRowAndADoubleClickStepsAListRow) {
  Select(3);
  ASSERT_EQ(GetFocus(), list_);
  ASSERT_EQ(grid_->GetItem(static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0))), check_);
  Key(VK_SPACE);
  EXPECT_TRUE(check_->IsChecked());
  EXPECT_EQ(Count(PGN_VALUECHANGED), 1);
  const POINT align = CellCentre(2, false);
  SendMessageW(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(align.x, align.y));
  vt::PumpPending();
  EXPECT_EQ(align_->ValueText(), L"center");
  EXPECT_EQ(Count(PGN_VALUECHANGED), 2);
}

TEST_F(PropertyGrid, LeftAndRightFoldACategory) {
  Select(0);
  Key(VK_LEFT);
  EXPECT_EQ(grid_->GetCount(), 1);
  EXPECT_FALSE(category_->IsExpanded());
  Key(VK_LEFT);  // already folded
  EXPECT_EQ(grid_->GetCount(), 1);
  Key(VK_RIGHT);
  EXPECT_EQ(grid_->GetCount(), 4);
  EXPECT_EQ(grid_->GetItem(1), left_);
}

TEST_F(PropertyGrid, AClickOnAValueOpensItsEditorAndALockedRowGetsNone) {
  const POINT value = CellCentre(1, true);
  SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(value.x, value.y));
  SendMessageW(list_, WM_LBUTTONUP, 0, MAKELPARAM(value.x, value.y));
  vt::PumpPending();
  ASSERT_NE(grid_->Editor(), nullptr);
  SendMessageW(grid_->Editor(), WM_KEYDOWN, VK_ESCAPE, 0);
  vt::PumpPending();
  left_->SetEnabled(false);
  Select(1);
  Key(VK_RETURN);
  EXPECT_EQ(grid_->Editor(), nullptr);
}

TEST_F(PropertyGrid, TheDividerFollowsTheMouse) {
  const int before = grid_->Divider();
  const int y = CellCentre(1, false).y;
  SendMessageW(list_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(before, y));
  SendMessageW(list_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(before - 40, y));
  SendMessageW(list_, WM_LBUTTONUP, 0, MAKELPARAM(before - 40, y));
  EXPECT_EQ(grid_->Divider(), before - 40);
}

TEST_F(PropertyGrid, TheSelectedRowAndTheCategoryBandAreDrawnInTheirColours) {
  Select(1);
  UpdateWindow(list_);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = GetDC(list_);
  const POINT name = CellCentre(1, false);
  const POINT band = CellCentre(0, true);
  const COLORREF selected = GetPixel(dc, name.x + 30, CellCentre(1, false).y - 4);
  const COLORREF category = GetPixel(dc, band.x, band.y);
  ReleaseDC(list_, dc);
  EXPECT_EQ(selected, grid_->DrawInfo().selectedBackground);
  EXPECT_EQ(category, grid_->DrawInfo().categoryBackground);
}

TEST_F(PropertyGrid, AValueTooLongForItsCellShowsWholeInATip) {
  CVariant longText;
  longText.get() = vt::TextValue(L"a value far too long to be seen whole in the value column of this grid");
  left_->SetValue(longText.get());
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        wchar_t name[32] = {};
        GetClassNameW(window, name, 32);
        if (lstrcmpiW(name, TOOLTIPS_CLASSW) == 0) *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  auto tipOver = [&](int index) {
    const POINT point = CellCentre(index, true);
    SendMessageW(list_, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    NMTTDISPINFOW request = {};
    request.hdr.hwndFrom = tip;
    request.hdr.code = TTN_GETDISPINFOW;
    SendMessageW(list_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&request));
    return std::wstring(request.lpszText ? request.lpszText : L"");
  };
  EXPECT_EQ(tipOver(1), V_BSTR(&longText.get()));
  EXPECT_EQ(tipOver(2), L"");  // "left" fits
  EXPECT_EQ(tipOver(0), L"");  // a category has no value
}

TEST_F(PropertyGrid, F4OrAltDownOpensTheDropListAndTheWheelCommitsTheEditor) {
  Select(2);
  Key(VK_F4);
  HWND editor = grid_->Editor();
  ASSERT_NE(editor, nullptr);
  HWND list = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (lstrcmpiW(name, L"LISTBOX") == 0 && (GetWindowLongPtrW(window, GWL_STYLE) & WS_POPUP))
          *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&list));
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list));
  SendMessageW(list_, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  vt::PumpPending();
  EXPECT_EQ(grid_->Editor(), nullptr);
  EXPECT_FALSE(IsWindow(editor));
}

TEST_F(PropertyGrid, EnterOnAButtonRowAsksThePageToRunItsDialog) {
  auto* font = grid_->AddItem(std::make_unique<CPropertyFileNameItem>(L"Font"));
  Select(grid_->GetCount() - 1);
  Key(VK_RETURN);
  ASSERT_NE(grid_->Editor(), nullptr);
  HWND button = GetWindow(grid_->Editor(), GW_CHILD);
  ASSERT_NE(button, nullptr);
  SendMessageW(button, BM_CLICK, 0, 0);
  vt::PumpPending();
  EXPECT_EQ(Count(PGN_EDIT), 1);
  EXPECT_NE(font, nullptr);
}

// Rows follow the grid's font, so that they stay crisp at 96, 120 and 144 DPI, whose dialog fonts are
// about 13, 16 and 19 pixels high.
TEST_F(PropertyGrid, RowHeightsFollowTheFont) {
  int previous = 0;
  for (int pixels : {13, 16, 19}) {
    HFONT font = CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma");
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(list_, WM_SETTINGCHANGE, 0, 0);
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    grid_->AddItem(std::make_unique<CPropertyEditItem>(L"row"));
    const int height = static_cast<int>(SendMessageW(list_, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_GE(height, pixels + 2) << pixels;
    EXPECT_GT(height, previous) << pixels;
    previous = height;
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    DeleteObject(font);
  }
}

std::wstring ReferencePath(const wchar_t* name) {
  std::wstring path = L"Z:";
  for (const char* c = PROPGRID_TEST_DIR; *c; ++c) path += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
  return path + L"\\reference\\" + name;
}

// A filled grid as the user sees it: categories open and folded, each kind of row, a locked row and the
// selection. Compared with a reference picture (VELLUM_REFRESH_REFERENCES=1 renders it anew).
TEST_F(PropertyGrid, AFilledGridLooksAsTheReference) {
  SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  auto text = [](const wchar_t* name, const wchar_t* value) {
    auto row = std::make_unique<CPropertyEditItem>(name);
    CVariant v;
    v.get() = vt::TextValue(value);
    row->SetValue(v.get());
    return row;
  };
  grid_->AddItem(std::make_unique<CCategoryProperty>(L"Appearance"));
  static const wchar_t* const kColours[] = {L"black", L"red", L"navy", nullptr};
  auto colour = std::make_unique<CPropertyListItem>(L"Color");
  colour->LoadTexts(kColours);
  colour->ShowText(L"navy");
  grid_->AddItem(std::move(colour));
  grid_->AddItem(text(L"Background", L"#F0F0E0"));
  auto font = std::make_unique<CPropertyFileNameItem>(L"Font");
  CVariant face;
  face.get() = vt::TextValue(L"Tahoma:8");
  font->SetValue(face.get());
  grid_->AddItem(std::move(font));
  auto hidden = std::make_unique<CPropertyCheckButtonItem>(L"Hidden");
  CVariant yes;
  V_VT(&yes.get()) = VT_BOOL;
  V_BOOL(&yes.get()) = VARIANT_TRUE;
  hidden->SetValue(yes.get());
  grid_->AddItem(std::move(hidden));
  grid_->AddItem(std::make_unique<CCategoryProperty>(L"Position"));
  grid_->AddItem(text(L"Left", L"10px"));
  grid_->AddItem(text(L"Top", L"20px"));
  auto locked = text(L"Width", L"120px");
  locked->SetEnabled(false);
  grid_->AddItem(std::move(locked));
  auto* behaviour = static_cast<CCategoryProperty*>(grid_->AddItem(std::make_unique<CCategoryProperty>(L"Behaviour")));
  grid_->AddItem(text(L"Tab index", L"3"));
  behaviour->OnAction(PROP_ACTION_TOGGLE_CATEGORY, 0);
  SendMessageW(list_, LB_SETCURSEL, 7, 0);
  SetFocus(list_);
  RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  vt::PumpFor(100);
  const vt::Image picture = vt::CaptureWindow(list_);
  ASSERT_GT(picture.width, 0);
  const std::string mismatch = vt::CheckAgainstReference(picture, ReferencePath(L"filled-grid.png"), 8, 0.002);
  EXPECT_TRUE(mismatch.empty()) << mismatch;
}

}  // namespace
