// Lists and text areas with more rows than room: the keyboard keeps the choice or the caret in
// sight, the wheel and the scroll bar's arrows scroll, and clicks land on the rows shown.
#include <gtest/gtest.h>

#include <string>

#include "ScrollPage.h"
#include "LiveFormFixture.h"
#include "MessagePump.h"

namespace {

using namespace et;

constexpr int kListLeft = 10, kListTop = 10, kListWidth = 120;
constexpr int kAreaLeft = 10, kAreaTop = 100, kAreaWidth = 200;

using et::ControlLineHeight;
using et::ScrollPage;

// The middle of a visible row of the list, and of a visible line of the text area.
int ListRowY(int row) { return kListTop + 2 + 16 * row + 8; }
int AreaLineY(int line) { return kAreaTop + 3 + ControlLineHeight() * line + ControlLineHeight() / 2; }
// Inside the list's rows, left of its scroll bar; past the end of a text area line, left of its bar.
constexpr int kListRowX = kListLeft + 30;
constexpr int kAreaTextX = kAreaLeft + 150;

class LiveScroll : public lt::LiveFormTest {
 protected:
  void SetUp() override {
    LiveFormTest::SetUp();
    Show(ScrollPage());
  }

  // The wheel turned by `delta` with the mouse at view coordinates (the message carries screen ones).
  LRESULT Wheel(int x, int y, int delta) {
    POINT point = {x, y};
    ClientToScreen(view_, &point);
    return SendMessageW(view_, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(point.x, point.y));
  }

  // The middle of the list's scroll bar arrows.
  POINT ListArrow(UINT which) {
    const int side = GetSystemMetrics(SM_CXVSCROLL);
    const int right = kListLeft + kListWidth - GetSystemMetrics(SM_CXEDGE);
    const int inner = GetSystemMetrics(SM_CYEDGE);
    const int y = which == SB_LINEUP ? kListTop + inner + side / 2 : kListTop + 68 - inner - side / 2;
    return {right - side / 2, y};
  }

  void TypeLines(int count) {
    for (int i = 1; i <= count; ++i) {
      if (i > 1) Press(VK_RETURN);
      Type(L"line" + std::to_wstring(i));
    }
  }
};

TEST_F(LiveScroll, DownArrowPastTheLastRowShownScrollsSoAClickOnTheTopRowPicksTheNextOption) {
  Click(kListRowX, ListRowY(0));
  ASSERT_EQ(SelectedIndex(L"long"), 0);
  for (int i = 0; i < 4; ++i) Press(VK_DOWN);
  ASSERT_EQ(SelectedIndex(L"long"), 4);
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 1) << "the list did not scroll by one row";
  Click(kListRowX, ListRowY(3));
  EXPECT_EQ(SelectedIndex(L"long"), 4);
}

TEST_F(LiveScroll, EndHomeAndPageKeysKeepTheChosenOptionInSight) {
  Click(kListRowX, ListRowY(0));
  Press(VK_END);
  ASSERT_EQ(SelectedIndex(L"long"), 9);
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 6) << "the last four options are not the ones shown";
  Press(VK_HOME);
  Click(kListRowX, ListRowY(3));
  EXPECT_EQ(SelectedIndex(L"long"), 3);
  Press(VK_HOME);
  EXPECT_EQ(Translate(VK_NEXT), S_OK);
  EXPECT_EQ(SelectedIndex(L"long"), 3) << "Page Down moves to the last row shown";
  Press(VK_NEXT);
  EXPECT_EQ(SelectedIndex(L"long"), 6);
  Click(kListRowX, ListRowY(3));
  EXPECT_EQ(SelectedIndex(L"long"), 6);
  Press(VK_PRIOR);
  EXPECT_EQ(SelectedIndex(L"long"), 3);
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 3) << "Page Up scrolled the choice to the top row";
}

TEST_F(LiveScroll, TheWheelOverAListScrollsItThreeRowsANotchWithinItsEnds) {
  EXPECT_EQ(Wheel(kListRowX, ListRowY(1), -WHEEL_DELTA), 0);
  EXPECT_EQ(SelectedIndex(L"long"), -1) << "the wheel chose an option";
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 3);
  Wheel(kListRowX, ListRowY(1), WHEEL_DELTA);
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 0);
  Wheel(kListRowX, ListRowY(1), -10 * WHEEL_DELTA);
  Click(kListRowX, ListRowY(3));
  EXPECT_EQ(SelectedIndex(L"long"), 9) << "scrolled past the last option";
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 6);
}

TEST_F(LiveScroll, TheScrollBarArrowsOfAListScrollItWithoutChoosing) {
  const POINT down = ListArrow(SB_LINEDOWN), up = ListArrow(SB_LINEUP);
  Click(down.x, down.y);
  Click(down.x, down.y);
  EXPECT_EQ(SelectedIndex(L"long"), -1) << "a click on the bar chose an option";
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 2);
  Click(up.x, up.y);
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 1);
}

TEST_F(LiveScroll, EachListKeepsItsOwnScrollPositionAcrossFocusChanges) {
  Click(kListRowX, ListRowY(0));
  Press(VK_END);
  Click(kAreaTextX, AreaLineY(0));  // the focus leaves the list
  Click(kListRowX, ListRowY(1));
  EXPECT_EQ(SelectedIndex(L"long"), 7);
}

TEST_F(LiveScroll, TypingPastTheLastLineShownKeepsTheCaretLineInSight) {
  Click(kAreaTextX, AreaLineY(0));
  TypeLines(6);
  // Lines 4 to 6 are shown: a click at the end of the top one puts the caret after "line4".
  Click(kAreaTextX, AreaLineY(0));
  Type(L"X");
  EXPECT_EQ(Value(L"notes"), L"line1\r\nline2\r\nline3\r\nline4X\r\nline5\r\nline6");
  Click(kAreaTextX, AreaLineY(2));
  Type(L"Y");
  EXPECT_EQ(Value(L"notes"), L"line1\r\nline2\r\nline3\r\nline4X\r\nline5\r\nline6Y");
}

TEST_F(LiveScroll, MovingTheCaretAboveTheFirstLineShownScrollsBack) {
  Click(kAreaTextX, AreaLineY(0));
  TypeLines(6);
  for (int i = 0; i < 4; ++i) Press(VK_UP);  // onto line 2, above the lines shown
  Click(kAreaTextX, AreaLineY(0));
  Type(L"X");
  EXPECT_EQ(Value(L"notes"), L"line1\r\nline2X\r\nline3\r\nline4\r\nline5\r\nline6");
}

TEST_F(LiveScroll, TheWheelAndTheScrollBarArrowsScrollATextArea) {
  Click(kAreaTextX, AreaLineY(0));
  TypeLines(6);
  Wheel(kAreaTextX, AreaLineY(1), WHEEL_DELTA);  // back to the top
  Click(kAreaTextX, AreaLineY(0));
  Type(L"A");
  EXPECT_EQ(Value(L"notes").substr(0, 6), L"line1A");
  const int side = GetSystemMetrics(SM_CXVSCROLL);
  const int barX = kAreaLeft + kAreaWidth - GetSystemMetrics(SM_CXEDGE) - side / 2;
  const int downY = kAreaTop + 3 * ControlLineHeight() + 6 - GetSystemMetrics(SM_CYEDGE) - 2;
  Click(barX, downY);  // one line down: line 2 on top
  Click(kAreaTextX, AreaLineY(0));
  Type(L"B");
  EXPECT_EQ(Value(L"notes"), L"line1A\r\nline2B\r\nline3\r\nline4\r\nline5\r\nline6");
}

TEST_F(LiveScroll, TheWheelOverNothingScrollableIsLeftToTheContainer) {
  POINT point = {300, 250};
  ClientToScreen(view_, &point);
  // Not taken by the page: the default procedure passes it on to the parent, which answers 0 too,
  // so the check is that no control scrolled.
  SendMessageW(view_, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(point.x, point.y));
  Click(kListRowX, ListRowY(0));
  EXPECT_EQ(SelectedIndex(L"long"), 0);
}

}  // namespace
