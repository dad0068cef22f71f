// The grid's rows on their own: a real owner-drawn list box stands in for the grid, and a small window
// procedure does what the grid does with the rows' messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Variants.h"
#include "comkit/ComText.h"
#include "propgrid/PropertyRows.h"

namespace {

// Counts the notifications and messages the rows send, and applies WM_PROP_SETVALUE and the category
// messages as the grid does.
struct GridSpy {
  int setValues = 0;
  int edits = 0;
  CProperty* lastEdited = nullptr;
  UINT_PTR lastEditId = 0;
};
GridSpy* gSpy = nullptr;
WNDPROC gListProc = nullptr;

int RowIndexOf(HWND list, CProperty* row) {
  const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    if (reinterpret_cast<CProperty*>(SendMessageW(list, LB_GETITEMDATA, i, 0)) == row) return i;
  return -1;
}

LRESULT CALLBACK GridProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* row = reinterpret_cast<CProperty*>(lParam);
  switch (message) {
    case WM_PROP_SETVALUE:
      ++gSpy->setValues;
      return row->SetValue(*reinterpret_cast<VARIANT*>(wParam));
    case WM_PROP_EXPAND:
      return static_cast<CCategoryProperty*>(row)->Expand(RowIndexOf(window, row));
    case WM_PROP_COLLAPSE:
      return static_cast<CCategoryProperty*>(row)->Collapse(RowIndexOf(window, row));
    default:
      return CallWindowProcW(gListProc, window, message, wParam, lParam);
  }
}

LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    auto* notice = reinterpret_cast<NMPROPERTYGRID*>(lParam);
    if (static_cast<int>(notice->hdr.code) == PGN_EDIT) {
      ++gSpy->edits;
      gSpy->lastEdited = notice->item;
      gSpy->lastEditId = notice->hdr.idFrom;
    }
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

class PropertyRows : public ::testing::Test {
 protected:
  void SetUp() override {
    gSpy = &spy_;
    WNDCLASSW parentClass = {};
    parentClass.lpfnWndProc = ParentProc;
    parentClass.hInstance = GetModuleHandleW(nullptr);
    parentClass.lpszClassName = L"PropertyRowsParent";
    RegisterClassW(&parentClass);
    parent_ = CreateWindowExW(0, L"PropertyRowsParent", L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    grid_ = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWVARIABLE | LBS_NOTIFY, 0, 0, 200,
                            200, parent_, reinterpret_cast<HMENU>(1000), GetModuleHandleW(nullptr), nullptr);
    gListProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(grid_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GridProc)));
  }
  void TearDown() override {
    // The rows in the list are the test's: the list must not own them.
    DestroyWindow(parent_);
    gSpy = nullptr;
  }

  // Adds a row to the list as the grid does.
  template <class Row>
  Row* Add(std::unique_ptr<Row> row) {
    Row* raw = row.get();
    raw->SetOwner(grid_);
    const LRESULT index = SendMessageW(grid_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(raw));
    SendMessageW(grid_, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(raw));
    owned_.push_back(std::move(row));
    return raw;
  }
  std::vector<std::wstring> Names() {
    std::vector<std::wstring> names;
    const int count = static_cast<int>(SendMessageW(grid_, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
      names.push_back(reinterpret_cast<CProperty*>(SendMessageW(grid_, LB_GETITEMDATA, i, 0))->Name());
    return names;
  }

  GridSpy spy_;
  HWND parent_ = nullptr;
  HWND grid_ = nullptr;
  std::vector<std::unique_ptr<CProperty>> owned_;
};

TEST_F(PropertyRows, CollapseTakesTheRowsUpToTheNextCategoryAndExpandPutsThemBackInOrder) {
  auto* first = Add(std::make_unique<CCategoryProperty>(L"Appearance"));
  Add(std::make_unique<CPropertyEditItem>(L"a1"));
  Add(std::make_unique<CPropertyEditItem>(L"a2"));
  auto* second = Add(std::make_unique<CCategoryProperty>(L"Position"));
  Add(std::make_unique<CPropertyEditItem>(L"p1"));
  Add(std::make_unique<CPropertyEditItem>(L"p2"));
  Add(std::make_unique<CPropertyEditItem>(L"p3"));
  // The rows move into the categories while collapsed: the test no longer owns them then.
  for (auto& row : owned_)
    if (row->GetKind() != PROP_KIND_CATEGORY) row.release();

  first->OnAction(PROP_ACTION_ACTIVATE, 0);
  EXPECT_FALSE(first->IsExpanded());
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Appearance", L"Position", L"p1", L"p2", L"p3"}));
  // The last category's rows run to the end of the grid.
  second->OnAction(PROP_ACTION_TOGGLE_CATEGORY, 0);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Appearance", L"Position"}));
  EXPECT_EQ(second->HeldCount(), 3u);
  // A locked sheet still opens and closes categories.
  first->SetEnabled(false);
  first->OnAction(PROP_ACTION_ACTIVATE, 0);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Appearance", L"a1", L"a2", L"Position"}));
  second->OnAction(PROP_ACTION_ACTIVATE, 0);
  EXPECT_EQ(Names(), (std::vector<std::wstring>{L"Appearance", L"a1", L"a2", L"Position", L"p1", L"p2", L"p3"}));
  EXPECT_TRUE(first->IsExpanded() && second->IsExpanded());
  // Give the rows back to the test to destroy.
  for (int i = static_cast<int>(SendMessageW(grid_, LB_GETCOUNT, 0, 0)) - 1; i >= 0; --i) {
    auto* row = reinterpret_cast<CProperty*>(SendMessageW(grid_, LB_GETITEMDATA, i, 0));
    if (row->GetKind() != PROP_KIND_CATEGORY) owned_.emplace_back(row);
  }
}

TEST_F(PropertyRows, AListRowCyclesItsTextsKeepsAForeignTextAndClampsIndexes) {
  static const wchar_t* const kTexts[] = {L"left", L"center", L"right", nullptr};
  auto* row = Add(std::make_unique<CPropertyListItem>(L"align"));
  row->LoadTexts(kTexts);
  EXPECT_EQ(row->Index(), 0);
  row->ShowText(L"justify");
  EXPECT_TRUE(row->HasForeignText());
  EXPECT_EQ(row->ValueText(), L"justify");
  CVariant unknown;
  unknown.get() = vt::TextValue(L"middle");
  EXPECT_EQ(row->SetValue(unknown.get()), 0);
  EXPECT_EQ(row->ValueText(), L"justify");  // a text not in the list leaves the row as it was
  // The main action steps from the foreign text to the first text, then through the list and around.
  std::vector<std::wstring> seen;
  for (int i = 0; i < 4; ++i) {
    row->OnAction(PROP_ACTION_ACTIVATE, 0);
    seen.push_back(row->ValueText());
  }
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"left", L"center", L"right", L"left"}));
  EXPECT_EQ(spy_.setValues, 4);
  CVariant negative;
  negative.get() = vt::NumberValue(-5);
  EXPECT_EQ(row->SetValue(negative.get()), 1);
  EXPECT_EQ(row->Index(), 0);
  CVariant right;
  right.get() = vt::TextValue(L"right");
  EXPECT_EQ(row->SetValue(right.get()), 1);
  EXPECT_EQ(row->Index(), 2);
  // A disabled row takes no action.
  row->SetEnabled(false);
  row->OnAction(PROP_ACTION_ACTIVATE, 0);
  EXPECT_EQ(row->Index(), 2);
}

TEST_F(PropertyRows, EditRowsTakeTheEditorsTextInTheValuesTypeAndCheckRowsToggle) {
  auto* edit = Add(std::make_unique<CPropertyEditItem>(L"width"));
  CVariant width;
  width.get() = vt::NumberValue(10);
  edit->SetValue(width.get());
  HWND editor = CreateWindowExW(0, L"EDIT", L"42", WS_CHILD, 0, 0, 50, 20, grid_, nullptr, nullptr, nullptr);
  EXPECT_EQ(edit->UpdateFromEditor(editor), 1);
  EXPECT_EQ(V_VT(&edit->Value()), VT_I4);
  EXPECT_EQ(V_I4(&edit->Value()), 42);
  SetWindowTextW(editor, L"forty");
  EXPECT_EQ(edit->UpdateFromEditor(editor), 0);  // not a number: the row keeps its value
  EXPECT_EQ(V_I4(&edit->Value()), 42);
  edit->SetEnabled(false);
  SetWindowTextW(editor, L"7");
  EXPECT_EQ(edit->UpdateFromEditor(editor), 0);
  DestroyWindow(editor);

  auto* check = Add(std::make_unique<CPropertyCheckButtonItem>(L"disabled"));
  check->OnAction(PROP_ACTION_TOGGLE_CHECK, 0);
  EXPECT_TRUE(check->IsChecked());
  check->OnAction(PROP_ACTION_OPEN, 0);
  EXPECT_FALSE(check->IsChecked());
  check->OnAction(PROP_ACTION_BROWSE, 0);  // not one of its actions
  EXPECT_FALSE(check->IsChecked());
}

TEST_F(PropertyRows, AButtonRowShowsTheLastPartOfItsPathAndAsksTheParentToEdit) {
  auto* row = Add(std::make_unique<CPropertyFileNameItem>(L"src"));
  CVariant path;
  path.get() = vt::TextValue(L"C:\\forms\\images\\logo.png");
  row->SetValue(path.get());
  EXPECT_EQ(row->ValueText(), L"logo.png");
  CVariant font;
  font.get() = vt::TextValue(L"Arial:12");
  row->SetValue(font.get());
  EXPECT_EQ(row->ValueText(), L"12");
  for (int action : {PROP_ACTION_ACTIVATE, PROP_ACTION_BROWSE, PROP_ACTION_OPEN, PROP_ACTION_FOCUS_EDITOR})
    row->OnAction(action, 0);
  EXPECT_EQ(spy_.edits, 3);
  EXPECT_EQ(spy_.lastEdited, row);
  EXPECT_EQ(spy_.lastEditId, 1000u);
  // The editor's text (the file name only) never becomes the value.
  HWND editor = CreateWindowExW(0, L"EDIT", L"other.png", WS_CHILD, 0, 0, 50, 20, grid_, nullptr, nullptr, nullptr);
  EXPECT_EQ(row->UpdateFromEditor(editor), 0);
  EXPECT_EQ(row->ValueText(), L"12");
  DestroyWindow(editor);
}

TEST_F(PropertyRows, ValueTextsOfAnyLengthComeWholeAndAShortBufferGetsNothing) {
  auto* row = Add(std::make_unique<CPropertyEditItem>(L"value"));
  const std::wstring longText(5000, L'x');
  CVariant value;
  value.get() = vt::TextValue(longText.c_str());
  row->SetValue(value.get());
  EXPECT_EQ(row->ValueText(), longText);
  wchar_t small[16] = L"unchanged";
  EXPECT_EQ(row->GetValueText(small, 16), 0);
  EXPECT_STREQ(small, L"unchanged");
}

// Names and values drawn in the record's colours: selected, disabled and category rows.
TEST_F(PropertyRows, RowsDrawInTheColoursOfTheirState) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  PropertyDrawInfo info = {};
  info.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  info.categoryFont = info.font;
  info.text = RGB(0, 0, 0);
  info.background = RGB(255, 255, 255);
  info.selectedText = RGB(255, 255, 255);
  info.selectedBackground = RGB(0, 0, 128);
  info.categoryBackground = RGB(212, 208, 200);
  info.disabledText = RGB(128, 128, 128);
  const RECT cell = {0, 0, 100, 20};
  CPropertyEditItem row(L"");
  CCategoryProperty category(L"");

  info.state = PROP_DRAW_SELECTED;
  row.DrawName(dc, cell, info);
  EXPECT_EQ(GetPixel(dc, 50, 10), RGB(0, 0, 128));
  info.state = 0;
  row.DrawName(dc, cell, info);
  EXPECT_EQ(GetPixel(dc, 50, 10), RGB(255, 255, 255));
  category.DrawName(dc, cell, info);
  EXPECT_EQ(GetPixel(dc, 50, 10), RGB(212, 208, 200));
  category.DrawValue(dc, cell, info);
  EXPECT_EQ(GetPixel(dc, 50, 10), RGB(212, 208, 200));

  // A disabled name is drawn in the disabled colour.
  CPropertyEditItem named(L"WWWWWWWW");
  named.SetEnabled(false);
  named.DrawName(dc, cell, info);
  bool disabledInk = false, blackInk = false;
  for (int x = 0; x < 100; ++x)
    for (int y = 0; y < 20; ++y) {
      const COLORREF pixel = GetPixel(dc, x, y);
      disabledInk |= pixel == RGB(128, 128, 128);
      blackInk |= pixel == RGB(0, 0, 0);
    }
  EXPECT_TRUE(disabledInk);
  EXPECT_FALSE(blackInk);

  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
