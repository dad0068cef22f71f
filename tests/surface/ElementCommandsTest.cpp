// The Element menu, deleting, the clipboard and the alignment family, driven as a user and a host do.
#include <windows.h>

#include <commctrl.h>

#include "ElementMenuDriver.h"
#include "ModalDriver.h"
#include "SurfaceFixture.h"
#include "TraceRecorder.h"
#include "resource_ids.h"

namespace st {
namespace {

using Ids = std::vector<std::string>;

constexpr int kDecreaseBy10 = 3, kProperties = 5, kDelete = 7;  // positions in the menu

// Right-clicks at the surface point with the driver working the menu.
void RightClick(HWND surface, int x, int y) { SendMessageW(surface, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y)); }

std::string ClipboardAnsi() {
  std::string text = "<none>";
  if (!OpenClipboard(nullptr)) return "<not open>";
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool PutAnsiOnClipboard(const std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
  GlobalUnlock(memory);
  bool put = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  return put;
}

int Occurrences(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

TEST_F(Surface, MenuItemStatesFollowTheTargetAndTheLock) {
  {
    ElementMenuDriver menu(ElementMenuDriver::Dismiss());
    RightClick(SurfaceWindow(), 240, 140);  // the drop-down choice
    ASSERT_TRUE(menu.Shown());
    for (UINT id : {IDM_INCREASE_ZINDEX, IDM_INCREASE_ZINDEX_BY_10, IDM_DECREASE_ZINDEX, IDM_DECREASE_ZINDEX_BY_10})
      EXPECT_TRUE(menu.Grayed(id)) << id;
    EXPECT_FALSE(menu.Grayed(IDM_PROPERTIES));
    EXPECT_FALSE(menu.Grayed(IDM_DELETE));
    POINT expected = {240, 140};
    ClientToScreen(SurfaceWindow(), &expected);
    EXPECT_EQ(menu.Position().x, expected.x);
  }
  {
    ElementMenuDriver menu(ElementMenuDriver::Dismiss());
    RightClick(SurfaceWindow(), 30, 20);  // a label
    for (UINT id : {IDM_INCREASE_ZINDEX, IDM_INCREASE_ZINDEX_BY_10, IDM_DECREASE_ZINDEX, IDM_DECREASE_ZINDEX_BY_10})
      EXPECT_FALSE(menu.Grayed(id)) << id;
  }
  Send(VLM_SETLOCK, 1);
  {
    ElementMenuDriver menu(ElementMenuDriver::Dismiss());
    RightClick(SurfaceWindow(), 30, 20);
    EXPECT_TRUE(menu.Grayed(IDM_INCREASE_ZINDEX));
    EXPECT_TRUE(menu.Grayed(IDM_DELETE));
    EXPECT_FALSE(menu.Grayed(IDM_PROPERTIES));
  }
  // The menu comes up only when the surface is idle.
  Send(VLM_SETLOCK, 0);
  Send(VLM_BEGININSERT, VLM_KIND_LABEL);
  ElementMenuDriver menu(ElementMenuDriver::Dismiss());
  RightClick(SurfaceWindow(), 30, 20);
  EXPECT_FALSE(menu.Shown());
}

TEST_F(Surface, DecreaseZIndexByTenIsAnUndoableChange) {
  const int snapshots = History().Count();
  const int changes = parent_->Count(VLMN_CHANGED);
  {
    ElementMenuDriver menu(ElementMenuDriver::Choose(kDecreaseBy10));
    RightClick(SurfaceWindow(), 30, 20);
  }
  EXPECT_NE(
      Body().find(
          "id=\"a\" style=\"left: 10px; top: 10px; width: 50px; height: 20px; position: absolute; z-index: -10\""),
      std::string::npos)
      << Body();
  EXPECT_EQ(History().Count(), snapshots + 1);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes + 1);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Body().find("z-index"), std::string::npos);
}

TEST_F(Surface, DeleteFromTheMenuRemovesTheTopLevelElementAndDeselectsIt) {
  SelectIds({L"a", L"fs"});
  {
    ElementMenuDriver menu(ElementMenuDriver::Choose(kDelete));
    RightClick(SurfaceWindow(), 50, 170);  // the text box inside the fieldset: the fieldset goes
  }
  EXPECT_EQ(LastError(), 0u);
  EXPECT_EQ(SelectedIds(), Ids{"a"});
  EXPECT_EQ(Body().find("fieldset"), std::string::npos);
  EXPECT_NE(Body().find("id=\"a\""), std::string::npos);
}

TEST_F(Surface, DeleteOverTheBareBodyLeavesTheHistoryAlone) {
  SelectIds({L"a"});
  Key(VK_RIGHT);  // one edit, so that the history has something to lose
  const int snapshots = History().Count(), index = History().Index();
  const int changes = parent_->Count(VLMN_CHANGED);
  vt::TraceRecorder trace;
  {
    ElementMenuDriver menu(ElementMenuDriver::Choose(kDelete));
    RightClick(SurfaceWindow(), 350, 200);
  }
  EXPECT_EQ(LastError(), static_cast<DWORD>(VLM_ERR_ELEMENT));
  EXPECT_EQ(History().Count(), snapshots);
  EXPECT_EQ(History().Index(), index);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes);
  EXPECT_TRUE(trace.Saw("DOMUTIL: Can't remove body element. By design"));
}

TEST_F(Surface, PropertiesFromTheMenuWorksWhileLocked) {
  Send(VLM_SETLOCK, 1);
  std::wstring caption;
  bool setEnabled = true;
  vt::ModalDriver sheet({vt::Do([&](HWND window) {
                           wchar_t text[64] = {};
                           GetWindowTextW(window, text, 64);
                           caption = text;
                           SendMessageW(window, PSM_SETCURSEL, 1, 0);  // the Custom page
                         }),
                         vt::Do([&](HWND window) {
                           const HWND page = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
                           setEnabled = IsWindowEnabled(GetDlgItem(page, 1016));
                           PostMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0);
                         })});
  ElementMenuDriver menu(ElementMenuDriver::Choose(kProperties));
  RightClick(SurfaceWindow(), 30, 20);
  EXPECT_TRUE(menu.Shown());
  EXPECT_TRUE(sheet.Finished());
  EXPECT_EQ(caption, L"Element properties");
  EXPECT_FALSE(setEnabled);  // the sheet opened in its locked form
}

TEST_F(Surface, CopyPutsEachMarkupFollowedByALineFeedInSelectionOrder) {
  SelectIds({L"b", L"a"});
  ASSERT_EQ(Send(VLM_COPY), 1);
  std::string expected;
  for (const wchar_t* id : {L"b", L"a"}) {
    CComRef<IHTMLElement> element(Element(id));
    CBstr outer;
    element->get_outerHTML(outer.Out());
    expected += Narrow(outer.get()) + "\n";
  }
  EXPECT_EQ(ClipboardAnsi(), expected);
  EXPECT_NE(expected.find("left: 100px"), std::string::npos);
  Send(VLM_SETLOCK, 1);
  EXPECT_EQ(Send(VLM_COPY), 1);  // copying changes nothing in the document
  EXPECT_EQ(Send(VLM_CANPASTE), 0);
}

TEST_F(Surface, PasteAfterCopyPutsDuplicatesOverTheOriginals) {
  SelectIds({L"a", L"b"});
  ASSERT_EQ(Send(VLM_COPY), 1);
  const int changes = parent_->Count(VLMN_CHANGED);
  const std::string before = Body();
  ASSERT_EQ(Send(VLM_CANPASTE), 1);
  ASSERT_EQ(Send(VLM_PASTE), 1);
  const std::string after = Body();
  EXPECT_EQ(Occurrences(after, "id=\"a\" style=\"left: 10px; top: 10px; width: 50px; height: 20px;"), 2) << after;
  EXPECT_EQ(Occurrences(after, "id=\"b\""), 2);
  EXPECT_EQ(SelectedIds(), (Ids{"a", "b"}));  // the pasted ones are not selected
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes + 1);
  ASSERT_TRUE(StepAndWait(VLM_UNDO));
  EXPECT_EQ(Body(), before);
  ASSERT_TRUE(StepAndWait(VLM_REDO));  // the paste comes back
  EXPECT_EQ(Body(), after);
}

TEST_F(Surface, APasteThatAddsNothingLeavesTheHistoryAsItWas) {
  ASSERT_TRUE(PutAnsiOnClipboard("</span></div>"));  // stray end tags: the parser adds no node
  const std::string before = Body();
  const int snapshots = History().Count(), index = History().Index();
  const int changes = parent_->Count(VLMN_CHANGED);
  EXPECT_EQ(Send(VLM_PASTE), 1);
  EXPECT_EQ(Body(), before);
  EXPECT_EQ(History().Count(), snapshots);
  EXPECT_EQ(History().Index(), index);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes);
}

TEST_F(Surface, CutCopiesThenDeletes) {
  SelectIds({L"c"});
  ASSERT_EQ(Send(VLM_CANCUT), 1);
  ASSERT_EQ(Send(VLM_CUT), 1);
  EXPECT_NE(ClipboardAnsi().find("id=\"c\""), std::string::npos);
  EXPECT_EQ(Body().find("id=\"c\""), std::string::npos);
  EXPECT_TRUE(SelectedIds().empty());
  EXPECT_EQ(Send(VLM_CUT), 0);  // nothing selected: nothing to copy
}

TEST_F(Surface, TextOutsideTheAnsiCodePageSurvivesCopyAndPaste) {
  ASSERT_TRUE(LoadAndWait(
      "<html><body><span id=\"u\" style=\"position: absolute; left: 10px; top: 10px; width: 50px; height: 20px;\">"
      "&#x436;&#x20AC;</span></body></html>"));
  SelectIds({L"u"});
  ASSERT_EQ(Send(VLM_COPY), 1);
  ASSERT_EQ(Send(VLM_PASTE), 1);
  CComRef<IHTMLElement> body;
  GetControl()->Document()->get_body(body.Out());
  CBstr inner;
  body->get_innerHTML(inner.Out());
  std::wstring text = inner.get();
  EXPECT_EQ(std::count(text.begin(), text.end(), L'\x436'), 2) << Narrow(inner.get());
}

TEST_F(Surface, GarbageOnTheClipboardIsHandedToTheEngineAsMarkupAndNothingBreaks) {
  ASSERT_TRUE(
      PutAnsiOnClipboard(std::string("<<<>>\x01\x7f<div <p></table></body></html><span") + std::string(5000, '<')));
  EXPECT_EQ(Send(VLM_PASTE), 1);
  EXPECT_NE(Body().find("id=\"a\""), std::string::npos);
  ASSERT_TRUE(PutAnsiOnClipboard(
      "<span id=\"z\" style=\"position: absolute; left: 300px; top: 250px; width: 20px; height: 20px;\">z</span>"));
  EXPECT_EQ(Send(VLM_PASTE), 1);
  EXPECT_EQ(Box(L"z").left, 300);
}

TEST_F(Surface, AlignRightsLinesEveryElementUpWithThePrimaryOne) {
  // Widths 50, 80 and 100; the reference (last selected) is c, whose right edge is 300.
  SelectIds({L"a", L"b", L"c"});
  const int changes = parent_->Count(VLMN_CHANGED);
  ASSERT_EQ(Send(VLM_ALIGNRIGHTS), 1);
  EXPECT_EQ(Box(L"a").left, 250);
  EXPECT_EQ(Box(L"b").left, 220);
  EXPECT_EQ(Box(L"c").left, 200);
  EXPECT_EQ(Box(L"b").top, 40);
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes + 1);
  EXPECT_EQ(Send(VLM_CANUNDO), 1);
}

TEST_F(Surface, TheAlignmentFamily) {
  SelectIds({L"b", L"c", L"a"});  // reference a: 10,10 - 60,30
  ASSERT_EQ(Send(VLM_ALIGNLEFTS), 1);
  EXPECT_EQ(Box(L"c").left, 10);
  EXPECT_EQ(Box(L"c").right, 110);
  ASSERT_EQ(Send(VLM_ALIGNBOTTOMS), 1);
  EXPECT_EQ(Box(L"b").bottom, 30);
  ASSERT_EQ(Send(VLM_ALIGNTOPS), 1);
  EXPECT_EQ(Box(L"b").top, 10);
  ASSERT_EQ(Send(VLM_SAMEWIDTH), 1);
  EXPECT_EQ(Box(L"c").right - Box(L"c").left, 50);
  SelectIds({L"a"});
  Click(150, 190, MK_SHIFT);  // the fieldset (its middle holds the nested text box), 150 x 80
  ASSERT_EQ(Send(VLM_SAMESIZE), 1);
  EXPECT_EQ(Box(L"a").right - Box(L"a").left, 150);
  EXPECT_EQ(Box(L"a").bottom - Box(L"a").top, 80);
}

TEST_F(Surface, AlignmentNeedsTwoElementsAndNoLock) {
  SelectIds({L"a"});
  EXPECT_EQ(GetSurface()->AlignRights(), 0);
  EXPECT_EQ(Send(VLM_ALIGNRIGHTS), 0);
  SelectIds({L"a", L"b"});
  Send(VLM_SETLOCK, 1);
  EXPECT_EQ(GetSurface()->AlignLefts(), 0);
  EXPECT_EQ(Box(L"a").left, 10);
}

TEST_F(Surface, DeleteSelectionRemovesEveryElementAndTakesASnapshot) {
  SelectIds({L"c", L"a"});
  const int snapshots = History().Count();
  ASSERT_EQ(Send(VLM_DELETESELECTION), 1);
  EXPECT_TRUE(SelectedIds().empty());
  EXPECT_EQ(Body().find("id=\"a\""), std::string::npos);
  EXPECT_EQ(Body().find("id=\"c\""), std::string::npos);
  EXPECT_EQ(History().Count(), snapshots + 1);
}

}  // namespace
}  // namespace st
