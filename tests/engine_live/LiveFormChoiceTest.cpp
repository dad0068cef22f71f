// Check boxes, radio groups, buttons and selects worked with the mouse and the keyboard.
#include <gtest/gtest.h>

#include "LiveFormFixture.h"
#include "MessagePump.h"

namespace {

using namespace et;
using lt::HeldKey;

const wchar_t kChoicePage[] =
    L"<body>"
    L"<input id=agree type=checkbox style='position:absolute;left:10px;top:10px;width:13px;height:13px'>"
    L"<input id=locked type=checkbox disabled style='position:absolute;left:40px;top:10px;width:13px;height:13px'>"
    L"<label id=agreeLabel for=agree style='position:absolute;left:60px;top:10px;width:60px;height:15px'>Agree</label>"
    L"<form>"
    L"<input id=red type=radio name=colour checked style='position:absolute;left:10px;top:40px;width:13px;height:13px'>"
    L"<input id=green type=radio name=colour style='position:absolute;left:40px;top:40px;width:13px;height:13px'>"
    L"<input id=blue type=radio name=colour style='position:absolute;left:70px;top:40px;width:13px;height:13px'>"
    L"</form>"
    L"<input id=other type=radio name=colour checked "
    L"style='position:absolute;left:100px;top:40px;width:13px;height:13px'>"
    L"<select id=list size=4 style='position:absolute;left:10px;top:70px;width:100px;height:68px'>"
    L"<option>one<option selected>two<option disabled>three<option>four</select>"
    L"<select id=many multiple size=4 style='position:absolute;left:150px;top:70px;width:100px;height:68px'>"
    L"<option>a<option>b<option>c</select>"
    L"<select id=drop style='position:absolute;left:10px;top:150px;width:100px;height:20px'>"
    L"<option>x<option>y<option>z</select>"
    L"<button id=go style='position:absolute;left:150px;top:150px;width:60px;height:22px'>Go</button>"
    L"</body>";

// The middle of the list's rows: a 2-pixel frame, then 16 pixels a row.
int ListRowY(int row) { return 70 + 2 + 16 * row + 8; }

class LiveChoice : public lt::LiveFormTest {
 protected:
  void SetUp() override {
    LiveFormTest::SetUp();
    Show(kChoicePage);
  }
};

TEST_F(LiveChoice, ClickingACheckBoxTogglesChecked) {
  EXPECT_FALSE(Checked(L"agree"));
  Click(15, 15);
  EXPECT_TRUE(Checked(L"agree"));
  Click(15, 15);
  EXPECT_FALSE(Checked(L"agree"));
}

TEST_F(LiveChoice, ACheckBoxChangesOnlyWhenTheButtonIsReleasedOverIt) {
  ButtonDown(15, 15);
  EXPECT_FALSE(Checked(L"agree")) << "changed while held";
  SendMessageW(view_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 250));
  ButtonUp(300, 250);
  EXPECT_FALSE(Checked(L"agree")) << "released elsewhere, yet changed";
}

TEST_F(LiveChoice, SpaceTogglesTheFocusedCheckBoxThroughTheContainer) {
  Click(15, 15);
  EXPECT_EQ(Translate(VK_SPACE), S_OK);
  EXPECT_EQ(Translate(VK_SPACE, WM_KEYUP), S_OK);
  EXPECT_FALSE(Checked(L"agree"));
  Press(VK_SPACE);
  EXPECT_TRUE(Checked(L"agree"));
}

TEST_F(LiveChoice, ADisabledCheckBoxIgnoresClicksAndSpace) {
  Click(45, 15);
  Press(VK_SPACE);
  EXPECT_FALSE(Checked(L"locked"));
}

TEST_F(LiveChoice, ClickingALabelTogglesItsCheckBox) {
  Click(80, 17);
  EXPECT_TRUE(Checked(L"agree"));
}

TEST_F(LiveChoice, ClickingARadioChecksItAndUnchecksTheRestOfItsGroupOnly) {
  Click(45, 45);
  EXPECT_FALSE(Checked(L"red"));
  EXPECT_TRUE(Checked(L"green"));
  EXPECT_FALSE(Checked(L"blue"));
  EXPECT_TRUE(Checked(L"other")) << "a radio outside the form is in another group";
  Click(45, 45);
  EXPECT_TRUE(Checked(L"green")) << "clicking a checked radio leaves it checked";
  Click(75, 45);
  EXPECT_FALSE(Checked(L"green"));
  EXPECT_TRUE(Checked(L"blue"));
}

TEST_F(LiveChoice, ArrowKeysMoveTheCheckAroundARadioGroup) {
  Click(45, 45);
  Press(VK_RIGHT);
  EXPECT_FALSE(Checked(L"green"));
  EXPECT_TRUE(Checked(L"blue"));
  EXPECT_EQ(Translate(VK_DOWN), S_OK);
  EXPECT_TRUE(Checked(L"red")) << "past the last radio the check goes round to the first";
  EXPECT_FALSE(Checked(L"blue"));
  Press(VK_LEFT);
  EXPECT_TRUE(Checked(L"blue"));
  EXPECT_TRUE(Checked(L"other"));
  Press(VK_SPACE);
  EXPECT_TRUE(Checked(L"blue")) << "the arrows moved the focus along with the check";
}

TEST_F(LiveChoice, ClickingARowOfAListSelectsThatOption) {
  EXPECT_EQ(SelectedIndex(L"list"), 1);
  Click(50, ListRowY(3));
  EXPECT_EQ(SelectedIndex(L"list"), 3);
  EXPECT_TRUE(OptionSelected(L"list", 3));
  EXPECT_FALSE(OptionSelected(L"list", 1));
  Click(50, ListRowY(2));  // disabled
  EXPECT_EQ(SelectedIndex(L"list"), 3);
}

TEST_F(LiveChoice, ArrowKeysMoveTheChoiceOfAListPastDisabledOptions) {
  Click(50, ListRowY(1));
  Press(VK_DOWN);
  EXPECT_EQ(SelectedIndex(L"list"), 3);
  Press(VK_DOWN);
  EXPECT_EQ(SelectedIndex(L"list"), 3);
  Press(VK_HOME);
  EXPECT_EQ(SelectedIndex(L"list"), 0);
  EXPECT_EQ(Translate(VK_END), S_OK);
  EXPECT_EQ(SelectedIndex(L"list"), 3);
}

TEST_F(LiveChoice, ControlClickTogglesOptionsOfAMultipleList) {
  Click(200, ListRowY(0));
  Click(200, ListRowY(2), MK_CONTROL);
  EXPECT_TRUE(OptionSelected(L"many", 0));
  EXPECT_FALSE(OptionSelected(L"many", 1));
  EXPECT_TRUE(OptionSelected(L"many", 2));
  Click(200, ListRowY(0), MK_CONTROL);
  EXPECT_FALSE(OptionSelected(L"many", 0));
  EXPECT_EQ(SelectedIndex(L"many"), 2);
  Click(200, ListRowY(1));
  EXPECT_TRUE(OptionSelected(L"many", 1));
  EXPECT_FALSE(OptionSelected(L"many", 2)) << "a plain click chooses one option only";
}

TEST_F(LiveChoice, UpAndDownChangeTheChoiceOfAFocusedDropDown) {
  ASSERT_EQ(SelectedIndex(L"drop"), 0);
  Click(50, 160);
  HWND list = lt::OpenDropDownList();
  ASSERT_NE(list, nullptr);
  SendMessageW(list, WM_KEYDOWN, VK_ESCAPE, 1);
  vt::PumpPending();
  EXPECT_EQ(lt::OpenDropDownList(), nullptr);
  EXPECT_EQ(SelectedIndex(L"drop"), 0) << "Escape chose";
  EXPECT_EQ(Translate(VK_DOWN), S_OK);
  EXPECT_EQ(SelectedIndex(L"drop"), 1);
  Press(VK_DOWN);
  Press(VK_DOWN);
  EXPECT_EQ(SelectedIndex(L"drop"), 2);
  Press(VK_UP);
  EXPECT_EQ(SelectedIndex(L"drop"), 1);
}

TEST_F(LiveChoice, ChoosingInTheOpenedListOfADropDownChangesSelectedIndex) {
  Click(50, 160);
  HWND list = lt::OpenDropDownList();
  ASSERT_NE(list, nullptr);
  RECT listRect = {}, dropRect = {50, 170, 0, 0};
  GetWindowRect(list, &listRect);
  MapWindowPoints(view_, nullptr, reinterpret_cast<POINT*>(&dropRect), 1);
  EXPECT_EQ(listRect.top, dropRect.top) << "the list opens below the control";
  LRESULT rowHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  LPARAM thirdRow = MAKELPARAM(10, static_cast<int>(rowHeight * 2 + rowHeight / 2));
  SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, thirdRow);
  SendMessageW(list, WM_LBUTTONUP, 0, thirdRow);
  vt::PumpPending();
  EXPECT_EQ(SelectedIndex(L"drop"), 2);
  EXPECT_TRUE(OptionSelected(L"drop", 2));
  EXPECT_EQ(lt::OpenDropDownList(), nullptr);
  EXPECT_FALSE(IsWindow(list));
}

TEST_F(LiveChoice, EnterInTheOpenedListChoosesTheRowTheArrowsReached) {
  Click(50, 160);
  HWND list = lt::OpenDropDownList();
  ASSERT_NE(list, nullptr);
  SendMessageW(list, WM_KEYDOWN, VK_DOWN, 1);
  SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
  vt::PumpPending();
  EXPECT_EQ(SelectedIndex(L"drop"), 1);
  EXPECT_EQ(lt::OpenDropDownList(), nullptr);
}

TEST_F(LiveChoice, ClosingTheDocumentClosesAnOpenList) {
  Click(50, 160);
  HWND list = lt::OpenDropDownList();
  ASSERT_NE(list, nullptr);
  QueryAs<IOleObject>(document_)->Close(OLECLOSE_NOSAVE);
  EXPECT_FALSE(IsWindow(list));
}

TEST_F(LiveChoice, AButtonChangesNothingWhenClicked) {
  Click(180, 160);
  EXPECT_FALSE(Checked(L"agree"));
  EXPECT_EQ(SelectedIndex(L"drop"), 0);
  EXPECT_EQ(Translate(VK_SPACE), S_OK) << "the focused button takes Space";
  EXPECT_EQ(Translate(VK_SPACE, WM_KEYUP), S_OK);
}

}  // namespace
