// Typing into the page's text boxes and text areas with the keyboard messages a user produces.
#include <gtest/gtest.h>

#include "LiveFormFixture.h"
#include "MessagePump.h"

namespace {

using namespace et;
using lt::HeldKey;

const wchar_t kTextPage[] =
    L"<body>"
    L"<input id=name value=ab style='position:absolute;left:10px;top:10px;width:200px;height:20px'>"
    L"<input id=code maxlength=3 style='position:absolute;left:10px;top:40px;width:200px;height:20px'>"
    L"<input id=fixed readonly value=keep style='position:absolute;left:10px;top:70px;width:200px;height:20px'>"
    L"<input id=secret type=password style='position:absolute;left:10px;top:100px;width:200px;height:20px'>"
    L"<textarea id=notes style='position:absolute;left:10px;top:130px;width:200px;height:60px'></textarea>"
    L"<input id=off disabled value=off style='position:absolute;left:10px;top:200px;width:200px;height:20px'>"
    L"</body>";

// Points inside the controls: at the right end of a box's text, and at its left edge.
constexpr int kEndX = 200, kStartX = 12;
constexpr int kNameY = 20, kCodeY = 50, kFixedY = 80, kSecretY = 110, kNotesY = 140, kOffY = 210;

class LiveText : public lt::LiveFormTest {
 protected:
  void SetUp() override {
    LiveFormTest::SetUp();
    Show(kTextPage);
  }
};

TEST_F(LiveText, TypingIntoAClickedTextBoxInsertsAtTheCaretAndChangesItsValue) {
  Click(kEndX, kNameY);
  Type(L"cd");
  EXPECT_EQ(Value(L"name"), L"abcd");
  Click(kStartX, kNameY);
  Type(L"z");
  EXPECT_EQ(Value(L"name"), L"zabcd");
}

TEST_F(LiveText, BackspaceRemovesTheCharacterBeforeTheCaretAndItsCharacterIsIgnored) {
  Click(kEndX, kNameY);
  Press(VK_BACK);
  EXPECT_EQ(Value(L"name"), L"a");
  Type(L"\b");  // what TranslateMessage makes of the key: already handled as the key
  EXPECT_EQ(Value(L"name"), L"a");
  Press(VK_BACK);
  Press(VK_BACK);
  EXPECT_EQ(Value(L"name"), L"");
}

TEST_F(LiveText, ArrowsHomeEndAndDeleteEditWhereTheCaretIs) {
  Click(kEndX, kNameY);
  Press(VK_HOME);
  Press(VK_DELETE);
  EXPECT_EQ(Value(L"name"), L"b");
  Press(VK_END);
  Type(L"!");
  Press(VK_LEFT);
  Type(L"?");
  EXPECT_EQ(Value(L"name"), L"b?!");
  Press(VK_RIGHT);
  Press(VK_RIGHT);  // already at the end
  Type(L".");
  EXPECT_EQ(Value(L"name"), L"b?!.");
}

TEST_F(LiveText, ShiftArrowsSelectAndTypingReplacesTheSelection) {
  Click(kEndX, kNameY);
  Type(L"cd");
  {
    HeldKey shift(VK_SHIFT);
    Press(VK_LEFT);
    Press(VK_LEFT);
  }
  Type(L"x");
  EXPECT_EQ(Value(L"name"), L"abx");
  {
    HeldKey shift(VK_SHIFT);
    Press(VK_HOME);
  }
  Press(VK_DELETE);
  EXPECT_EQ(Value(L"name"), L"");
}

TEST_F(LiveText, MaxLengthStopsTypingButNotDeleting) {
  Click(kEndX, kCodeY);
  Type(L"abcdef");
  EXPECT_EQ(Value(L"code"), L"abc");
  Press(VK_BACK);
  Type(L"yz");
  EXPECT_EQ(Value(L"code"), L"aby");
}

TEST_F(LiveText, ReadOnlyAndDisabledBoxesKeepTheirValue) {
  Click(kEndX, kFixedY);
  Type(L"x");
  Press(VK_BACK);
  Press(VK_DELETE);
  EXPECT_EQ(Value(L"fixed"), L"keep");
  Click(kEndX, kOffY);
  Type(L"x");
  Press(VK_BACK);
  EXPECT_EQ(Value(L"off"), L"off");
}

TEST_F(LiveText, APasswordBoxTakesTypingLikeATextBox) {
  Click(kEndX, kSecretY);
  Type(L"pw");
  EXPECT_EQ(Value(L"secret"), L"pw");
}

TEST_F(LiveText, EnterInATextAreaInsertsALineBreakWhileAOneLineBoxLeavesIt) {
  Click(kEndX, kNotesY);
  Type(L"a");
  EXPECT_EQ(Translate(VK_RETURN), S_OK);
  Type(L"\r");  // the character of the key the text area took
  Type(L"b");
  EXPECT_EQ(Value(L"notes"), L"a\r\nb");
  Press(VK_UP);
  Type(L"^");
  EXPECT_EQ(Value(L"notes"), L"a^\r\nb");
  Click(kEndX, kNameY);
  EXPECT_EQ(Translate(VK_RETURN), S_FALSE);
  Type(L"\r");
  EXPECT_EQ(Value(L"name"), L"ab");
}

TEST_F(LiveText, TypingContinuesFromAValueTheObjectModelSet) {
  Ptr<IHTMLInputElement> name = ElementById(document_, L"name").As<IHTMLInputElement>();
  ASSERT_HRESULT_SUCCEEDED(name->put_value(Bstr(L"xyz")));
  Click(kEndX, kNameY);
  Type(L"!");
  EXPECT_EQ(Value(L"name"), L"xyz!");
  ASSERT_HRESULT_SUCCEEDED(name->put_value(Bstr(L"")));
  Type(L"q");  // the caret was past the end of the shorter value
  EXPECT_EQ(Value(L"name"), L"q");
}

TEST_F(LiveText, AClickBesideTheControlsEndsTyping) {
  Click(kEndX, kNameY);
  Click(350, 280);
  Type(L"q");
  Press(VK_BACK);
  EXPECT_EQ(Value(L"name"), L"ab");
}

TEST_F(LiveText, ALongValueScrollsSoThatALeftClickLandsOnTheFirstCharacterShown) {
  Click(kEndX, kNameY);
  Type(std::wstring(80, L'x'));
  Click(kStartX, kNameY);
  Type(L"Z");
  std::wstring value = Value(L"name");
  ASSERT_EQ(value.size(), 83u);
  EXPECT_NE(value.find(L'Z'), 0u) << "the box did not scroll to keep the caret in sight";
}

TEST_F(LiveText, CutCopyAndPasteMoveTextThroughTheClipboardButNeverAPassword) {
  auto shortcut = [&](UINT key) {
    HeldKey control(VK_CONTROL);
    Press(key);
  };
  Click(kEndX, kSecretY);
  Type(L"pw");
  shortcut('A');
  shortcut('C');
  shortcut('X');
  EXPECT_EQ(Value(L"secret"), L"pw");
  Click(kEndX, kNameY);
  shortcut('A');
  shortcut('C');
  Click(kEndX, kCodeY);
  shortcut('V');
  EXPECT_EQ(Value(L"code"), L"ab");
  Click(kEndX, kNameY);
  shortcut('A');
  shortcut('X');
  EXPECT_EQ(Value(L"name"), L"");
  Click(kEndX, kSecretY);
  shortcut('V');
  EXPECT_EQ(Value(L"secret"), L"pwab");
  Click(kEndX, kFixedY);
  shortcut('V');
  EXPECT_EQ(Value(L"fixed"), L"keep");
}

TEST_F(LiveText, AContainerMessageLoopDeliversTypedLettersThatTranslateAcceleratorDeclines) {
  Click(kEndX, kNameY);
  SetFocus(view_);
  UINT scan = MapVirtualKeyW('Q', MAPVK_VK_TO_VSC);
  PostMessageW(view_, WM_KEYDOWN, 'Q', 1 | (scan << 16));
  PostMessageW(view_, WM_KEYUP, 'Q', 0xC0000001 | (scan << 16));
  Ptr<IOleInPlaceActiveObject> active = QueryAs<IOleInPlaceActiveObject>(document_);
  std::vector<HRESULT> answers;
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
      HRESULT answer = active->TranslateAccelerator(&msg);
      answers.push_back(answer);
      if (answer == S_OK) continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  EXPECT_EQ(answers, std::vector<HRESULT>({S_FALSE, S_FALSE}));
  EXPECT_EQ(Value(L"name"), L"abq");
}

}  // namespace
