// What the live form's state looks like: the caret in the focused text box and a button held down.
// The state is reached the way a user reaches it, with the mouse on the document window.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "PaintTestHost.h"

namespace {

using pt::Rgb;
using pt::System;
using pt::TallestColumnRun;

const wchar_t kForm[] =
    L"<html><body><input id=\"text\" type=\"text\" value=\"abc\" style=\"position: absolute; left: 20px; "
    L"top: 20px; width: 150px; height: 22px\"><input id=\"button\" type=\"button\" value=\"Press\" "
    L"style=\"position: absolute; left: 20px; top: 60px; width: 90px; height: 24px\"></body></html>";

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

class FocusPaintTest : public pt::HostedTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Host().Load(kForm)); }
};

TEST_F(FocusPaintTest, ClickedTextBoxShowsACaret) {
  const RECT inside = {23, 23, 167, 39};
  const uint32_t ink = System(COLOR_WINDOWTEXT);
  const int before = TallestColumnRun(Host().Capture(), inside, ink);
  SendMessageW(Host().View(), WM_LBUTTONDOWN, MK_LBUTTON, At(150, 30));
  SendMessageW(Host().View(), WM_LBUTTONUP, 0, At(150, 30));
  const int after = TallestColumnRun(Host().Capture(), inside, ink);
  EXPECT_LT(before, 12) << "letters alone are shorter than a caret";
  EXPECT_GE(after, 12) << "no caret after a click into the text box";
}

TEST_F(FocusPaintTest, ButtonHeldDownLooksPushedUntilReleased) {
  const vt::Image up = Host().Capture();
  SendMessageW(Host().View(), WM_LBUTTONDOWN, MK_LBUTTON, At(60, 70));
  const vt::Image down = Host().Capture();
  SendMessageW(Host().View(), WM_LBUTTONUP, 0, At(60, 70));
  const vt::Image released = Host().Capture();
  EXPECT_NE(down.At(21, 61), up.At(21, 61)) << "the pushed button keeps its raised edge";
  EXPECT_EQ(released.At(21, 61), up.At(21, 61));
}

}  // namespace
