// Lists and text areas scrolled by the keyboard show what the keys reached: the chosen option on a
// row in sight with the scroll bar's thumb following, the caret on the line typed last.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScrollPage.h"
#include "PaintTestHost.h"

namespace {

using pt::Rgb;
using pt::System;
using pt::TallestColumnRun;

constexpr int kListLeft = 10, kListTop = 10, kListWidth = 120, kListHeight = 68;  // four 16-pixel rows
constexpr int kAreaLeft = 10, kAreaTop = 100, kAreaWidth = 200;

using et::ControlLineHeight;
using et::ScrollPage;

// A visible row of the list, inside its frame and left of its scroll bar.
RECT ListRow(int row) {
  const int top = kListTop + 2 + 16 * row;
  return {kListLeft + 3, top + 1, kListLeft + kListWidth - 2 - GetSystemMetrics(SM_CXVSCROLL) - 1, top + 15};
}

class ScrollPaintTest : public pt::HostedTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Host().Load(ScrollPage())); }

  void Click(int x, int y) {
    SendMessageW(Host().View(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(Host().View(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  void Press(UINT key) {
    SendMessageW(Host().View(), WM_KEYDOWN, key, 1);
    SendMessageW(Host().View(), WM_KEYUP, key, 0xC0000001);
  }

  // The upper or lower end of the list's scroll bar track, kept off the thumb's edges.
  enum class TrackEnd { Upper, Lower };
  static RECT TrackPart(TrackEnd end) {
    const int side = GetSystemMetrics(SM_CXVSCROLL);
    const int right = kListLeft + kListWidth - GetSystemMetrics(SM_CXEDGE);
    const int top = kListTop + GetSystemMetrics(SM_CYEDGE) + side;
    const int bottom = kListTop + kListHeight - GetSystemMetrics(SM_CYEDGE) - side;
    if (end == TrackEnd::Upper) return {right - side + 3, top + 3, right - 3, top + side - 3};
    return {right - side + 3, bottom - side + 3, right - 3, bottom - 3};
  }
};

TEST_F(ScrollPaintTest, DownArrowPastTheLastRowShowsTheChosenOptionOnTheBottomRow) {
  const uint32_t highlight = System(COLOR_HIGHLIGHT);
  Click(kListLeft + 30, kListTop + 10);
  for (int i = 0; i < 4; ++i) Press(VK_DOWN);
  const vt::Image image = Host().Capture();
  EXPECT_GT(pt::CountColour(image, ListRow(3), highlight), 100) << "the chosen option is not on the bottom row";
  for (int row = 0; row < 3; ++row) EXPECT_EQ(pt::CountColour(image, ListRow(row), highlight), 0) << "row " << row;
}

TEST_F(ScrollPaintTest, TheThumbMovesDownTheTrackAsTheListScrollsToItsEnd) {
  const uint32_t checker = System(COLOR_BTNHIGHLIGHT);
  const vt::Image top = Host().Capture();
  Click(kListLeft + 30, kListTop + 10);
  Press(VK_END);
  const vt::Image end = Host().Capture();
  EXPECT_EQ(pt::CountColour(top, TrackPart(TrackEnd::Upper), checker), 0) << "no thumb at the top at first";
  EXPECT_GT(pt::CountColour(top, TrackPart(TrackEnd::Lower), checker), 0);
  EXPECT_GT(pt::CountColour(end, TrackPart(TrackEnd::Upper), checker), 0) << "the thumb stayed at the top";
  EXPECT_EQ(pt::CountColour(end, TrackPart(TrackEnd::Lower), checker), 0) << "no thumb at the bottom";
}

TEST_F(ScrollPaintTest, TypingSixLinesIntoAThreeLineTextAreaKeepsTheCaretShown) {
  const int lineHeight = ControlLineHeight();
  Click(kAreaLeft + 20, kAreaTop + 5);
  for (int i = 1; i <= 6; ++i) {
    if (i > 1) Press(VK_RETURN);
    for (wchar_t c : L"line" + std::to_wstring(i)) SendMessageW(Host().View(), WM_CHAR, c, 1);
  }
  const RECT text = {kAreaLeft + 3, kAreaTop + 3, kAreaLeft + kAreaWidth - 2 - GetSystemMetrics(SM_CXVSCROLL),
                     kAreaTop + 3 + 3 * lineHeight};
  EXPECT_GE(TallestColumnRun(Host().Capture(), text, System(COLOR_WINDOWTEXT)), lineHeight)
      << "no caret in the text area";
}

}  // namespace
