// Tab and Shift+Tab through the page's controls, and what TranslateAccelerator answers the container.
#include <gtest/gtest.h>

#include "LiveFormFixture.h"

namespace {

using namespace et;
using lt::HeldKey;

const wchar_t kTabPage[] =
    L"<body>"
    L"<input id=first value=1 style='position:absolute;left:10px;top:10px;width:100px;height:20px'>"
    L"<input id=hid type=hidden value=h>"
    L"<input id=off disabled value=off style='position:absolute;left:10px;top:40px;width:100px;height:20px'>"
    L"<input id=skipped tabindex=-1 value=s style='position:absolute;left:10px;top:70px;width:100px;height:20px'>"
    L"<div style='display:none'><input id=unseen value=n></div>"
    L"<input id=box type=checkbox style='position:absolute;left:10px;top:100px;width:13px;height:13px'>"
    L"<select id=drop style='position:absolute;left:10px;top:130px;width:100px;height:20px'>"
    L"<option>a<option>b</select>"
    L"<textarea id=notes style='position:absolute;left:10px;top:160px;width:100px;height:30px'></textarea>"
    L"<input id=last value=L style='position:absolute;left:10px;top:200px;width:100px;height:20px'>"
    L"</body>";

class LiveTab : public lt::LiveFormTest {
 protected:
  void SetUp() override {
    LiveFormTest::SetUp();
    Show(kTabPage);
  }
  // Every control keeps its state apart from the one changed: a way to see which control has the focus.
  void ExpectUntouched(const wchar_t* except) {
    const wchar_t* texts[][2] = {{L"first", L"1"}, {L"off", L"off"}, {L"skipped", L"s"}, {L"unseen", L"n"},
                                 {L"notes", L""},  {L"last", L"L"},  {L"hid", L"h"}};
    for (auto& [id, text] : texts)
      if (lstrcmpW(id, except) != 0) EXPECT_EQ(Value(id), text) << id;
    if (lstrcmpW(except, L"box") != 0) EXPECT_FALSE(Checked(L"box"));
    if (lstrcmpW(except, L"drop") != 0) EXPECT_EQ(SelectedIndex(L"drop"), 0);
  }
};

TEST_F(LiveTab, TabMovesTheFocusThroughTheControlsInDocumentOrder) {
  EXPECT_EQ(Tab(), S_OK);
  Type(L"x");  // Tab selected the box's text: typing replaces it
  EXPECT_EQ(Value(L"first"), L"x");
  EXPECT_EQ(Tab(), S_OK);  // hidden, disabled, tabindex=-1 and undisplayed controls are passed over
  Press(VK_SPACE);
  EXPECT_TRUE(Checked(L"box"));
  EXPECT_EQ(Tab(), S_OK);
  Press(VK_DOWN);
  EXPECT_EQ(SelectedIndex(L"drop"), 1);
  EXPECT_EQ(Tab(), S_OK);
  Type(L"n");
  EXPECT_EQ(Value(L"notes"), L"n");
  EXPECT_EQ(Tab(), S_OK);
  Type(L"z");
  EXPECT_EQ(Value(L"last"), L"z");
}

TEST_F(LiveTab, TabPastTheLastControlLeavesThePageAndTheNextTabStartsAtTheFirst) {
  Click(50, 210);
  EXPECT_EQ(Tab(), S_FALSE) << "the container moves the focus on";
  Type(L"q");
  Press(VK_SPACE);
  ExpectUntouched(L"");
  EXPECT_EQ(Tab(), S_OK);
  Type(L"y");
  EXPECT_EQ(Value(L"first"), L"y");
}

TEST_F(LiveTab, ShiftTabMovesBackwardAndLeavesBeforeTheFirstControl) {
  HeldKey shift(VK_SHIFT);
  EXPECT_EQ(Tab(), S_OK);
  Type(L"z");
  EXPECT_EQ(Value(L"last"), L"z");
  EXPECT_EQ(Tab(), S_OK);
  Type(L"n");
  EXPECT_EQ(Value(L"notes"), L"n");
  Click(50, 20);
  EXPECT_EQ(Tab(), S_FALSE);
  Type(L"q");
  EXPECT_EQ(Value(L"first"), L"1");
}

TEST_F(LiveTab, TabFromAControlOutsideTheTabOrderGoesToTheNextInDocumentOrder) {
  Click(50, 80);
  Type(L"!");
  EXPECT_EQ(Value(L"skipped"), L"s!") << "a negative tabindex still takes a click";
  EXPECT_EQ(Tab(), S_OK);
  Press(VK_SPACE);
  EXPECT_TRUE(Checked(L"box"));
}

TEST_F(LiveTab, KeysTheFocusedControlTakesAnswerSOkOthersSFalse) {
  EXPECT_EQ(Translate('A'), S_FALSE) << "nothing focused";
  EXPECT_EQ(Translate(VK_LEFT), S_FALSE) << "nothing focused";
  Click(50, 20);
  EXPECT_EQ(Translate('A'), S_FALSE) << "a letter arrives as a character";
  EXPECT_EQ(Translate('A', WM_CHAR), S_FALSE);
  EXPECT_EQ(Translate(VK_LEFT), S_OK);
  EXPECT_EQ(Translate(VK_END), S_OK);
  EXPECT_EQ(Translate(VK_BACK), S_OK);
  EXPECT_EQ(Value(L"first"), L"");
  EXPECT_EQ(Translate(VK_ESCAPE), S_FALSE);
  EXPECT_EQ(Translate(VK_F1), S_FALSE);
  {
    HeldKey control(VK_CONTROL);
    EXPECT_EQ(Translate(VK_TAB), S_FALSE) << "Ctrl+Tab is the container's";
  }
}

TEST_F(LiveTab, KeysForAnotherWindowAreNotTheViewsToTranslate) {
  Click(50, 20);
  EXPECT_EQ(Translate(VK_TAB, WM_KEYDOWN, parent_.Hwnd()), S_FALSE);
  EXPECT_EQ(Translate(VK_BACK, WM_KEYDOWN, parent_.Hwnd()), S_FALSE);
  EXPECT_EQ(Value(L"first"), L"1");
  Type(L"!");
  EXPECT_EQ(Value(L"first"), L"1!") << "the focus stayed where it was";
}

TEST_F(LiveTab, TranslateAcceleratorRefusesAMissingMessage) {
  EXPECT_EQ(QueryAs<IOleInPlaceActiveObject>(document_)->TranslateAccelerator(nullptr), E_INVALIDARG);
}

class LiveTabOtherPages : public lt::LiveFormTest {};

TEST_F(LiveTabOtherPages, ARadioGroupIsOneTabStopAtItsCheckedRadio) {
  Show(
      L"<body><input id=before><input id=a type=radio name=g><input id=b type=radio name=g checked>"
      L"<input id=c type=radio name=g><input id=after></body>");
  EXPECT_EQ(Tab(), S_OK);
  EXPECT_EQ(Tab(), S_OK);
  Press(VK_RIGHT);  // from b: the check moves on to c
  EXPECT_TRUE(Checked(L"c"));
  EXPECT_EQ(Tab(), S_OK);
  Type(L"x");
  EXPECT_EQ(Value(L"after"), L"x");
  HeldKey shift(VK_SHIFT);
  EXPECT_EQ(Tab(), S_OK);
  Press(VK_LEFT);
  EXPECT_TRUE(Checked(L"b")) << "Shift+Tab went back to the group's checked radio";
}

TEST_F(LiveTabOtherPages, ControlsOfADisabledFieldsetAreSkippedButNotThoseInItsLegend) {
  Show(
      L"<body><fieldset disabled><legend><input id=inLegend></legend><input id=inside></fieldset>"
      L"<input id=after></body>");
  EXPECT_EQ(Tab(), S_OK);
  Type(L"1");
  EXPECT_EQ(Tab(), S_OK);
  Type(L"2");
  EXPECT_EQ(Value(L"inLegend"), L"1");
  EXPECT_EQ(Value(L"inside"), L"");
  EXPECT_EQ(Value(L"after"), L"2");
}

class LiveTabWithoutControls : public lt::LiveFormTest {};

TEST_F(LiveTabWithoutControls, TabWithNothingFocusableAnswersSFalse) {
  Show(
      L"<body><p>text</p><input type=hidden><input disabled style='position:absolute;left:0;top:0'>"
      L"<div style='display:none'><input></div></body>");
  EXPECT_EQ(Tab(), S_FALSE);
  HeldKey shift(VK_SHIFT);
  EXPECT_EQ(Tab(), S_FALSE);
}

TEST_F(LiveTabWithoutControls, TranslateAcceleratorWithoutAViewAnswersSFalse) {
  ASSERT_TRUE(LoadAndWait(document_, L"<body><input></body>"));
  MSG msg = {};
  msg.hwnd = parent_.Hwnd();
  msg.message = WM_KEYDOWN;
  msg.wParam = VK_TAB;
  EXPECT_EQ(QueryAs<IOleInPlaceActiveObject>(document_)->TranslateAccelerator(&msg), S_FALSE);
}

}  // namespace
