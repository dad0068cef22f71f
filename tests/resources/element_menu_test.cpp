// The Element menu: one popup whose items, order, separators and initial states the surface relies on
// when it enables the z-order commands and dispatches the chosen id.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resource_module.h"

namespace vellum::test {
namespace {

constexpr int kElementMenuId = 101;

enum class InitialState { Enabled, Grayed };

struct ExpectedItem {
  UINT id;              // 0 for a separator
  const wchar_t* text;  // null for a separator
  InitialState state;
};

constexpr ExpectedItem kExpectedItems[] = {
    {40004, L"Increase Z-Index", InitialState::Grayed},
    {40006, L"Increase Z-Index by 10", InitialState::Grayed},
    {40005, L"Decrease Z-Index", InitialState::Grayed},
    {40007, L"Decrease Z-Index by 10", InitialState::Grayed},
    {0, nullptr, InitialState::Enabled},
    {40001, L"Properties", InitialState::Enabled},
    {0, nullptr, InitialState::Enabled},
    {40002, L"Delete", InitialState::Enabled},
};

struct MenuItem {
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU submenu = nullptr;
  std::wstring text;
};

MenuItem ReadItem(HMENU menu, UINT position) {
  wchar_t text[256] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
  info.dwTypeData = text;
  info.cch = 255;
  MenuItem item;
  if (!GetMenuItemInfoW(menu, position, TRUE, &info)) {
    ADD_FAILURE() << "item at position " << position << " cannot be read";
    return item;
  }
  item.type = info.fType;
  item.state = info.fState;
  item.id = info.wID;
  item.submenu = info.hSubMenu;
  item.text = text;
  return item;
}

class ElementMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(ResourceModule(), nullptr) << "module with the resources not found";
    menu_ = LoadMenuW(ResourceModule(), MAKEINTRESOURCEW(kElementMenuId));
    ASSERT_NE(menu_, nullptr);
  }
  void TearDown() override {
    if (menu_) DestroyMenu(menu_);
  }
  HMENU menu_ = nullptr;
};

TEST_F(ElementMenu, HoldsOnlyThePopupNamedElementMenu) {
  ASSERT_EQ(GetMenuItemCount(menu_), 1);
  const MenuItem popup = ReadItem(menu_, 0);
  EXPECT_EQ(popup.text, L"Element menu");
  EXPECT_NE(popup.submenu, nullptr);
}

TEST_F(ElementMenu, PopupListsTheCommandsInOrderWithTheirInitialStates) {
  HMENU popup = GetSubMenu(menu_, 0);
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetMenuItemCount(popup), static_cast<int>(std::size(kExpectedItems)));
  for (UINT position = 0; position < std::size(kExpectedItems); ++position) {
    const ExpectedItem& expected = kExpectedItems[position];
    const MenuItem item = ReadItem(popup, position);
    SCOPED_TRACE(testing::Message() << "position " << position + 1);
    EXPECT_EQ(item.submenu, nullptr);
    EXPECT_EQ(item.state & (MFS_CHECKED | MFS_DEFAULT | MFS_HILITE), 0u);
    if (!expected.text) {
      EXPECT_TRUE(item.type & MFT_SEPARATOR);
      continue;
    }
    EXPECT_FALSE(item.type & MFT_SEPARATOR);
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(item.text, expected.text);
    if (expected.state == InitialState::Grayed) {
      EXPECT_TRUE(item.state & MF_GRAYED);
    } else {
      EXPECT_EQ(item.state & (MF_GRAYED | MF_DISABLED), 0u);
    }
  }
}

// The surface grays, enables and dispatches the items by command id, not by position.
TEST_F(ElementMenu, EveryCommandIsFoundByItsId) {
  HMENU popup = GetSubMenu(menu_, 0);
  ASSERT_NE(popup, nullptr);
  for (const ExpectedItem& expected : kExpectedItems) {
    if (!expected.text) continue;
    wchar_t text[64] = {};
    EXPECT_GT(GetMenuStringW(popup, expected.id, text, 64, MF_BYCOMMAND), 0) << expected.id;
    EXPECT_STREQ(text, expected.text);
  }
}

}  // namespace
}  // namespace vellum::test
