// Selecting, moving, resizing and drawing rectangles with real mouse messages at the surface.
#include "SurfaceFixture.h"

namespace st {
namespace {

using Ids = std::vector<std::string>;

TEST_F(Surface, ClicksSelectReplaceAndExtend) {
  Click(30, 20);
  EXPECT_EQ(SelectedIds(), Ids{"a"});
  Click(140, 50);
  EXPECT_EQ(SelectedIds(), Ids{"b"});
  Click(30, 20, MK_SHIFT);
  Click(250, 80, MK_CONTROL);
  EXPECT_EQ(SelectedIds(), (Ids{"b", "a", "c"}));
  EXPECT_EQ(Send(VLM_CANALIGN), 1);
  // Nested and relatively positioned elements are never selected; a plain click there starts a band.
  Click(50, 170);  // the text box inside the fieldset
  EXPECT_TRUE(SelectedIds().empty());
  Click(20, 260);
  EXPECT_TRUE(SelectedIds().empty());
}

TEST_F(Surface, ShiftControlClickMakesASelectedElementPrimary) {
  SelectIds({L"a", L"b", L"c"});
  Click(30, 20, MK_SHIFT | MK_CONTROL);
  EXPECT_EQ(SelectedIds(), (Ids{"b", "c", "a"}));
  CComRef<IHTMLElement> primary(GetSurface()->SelectedElement());
  CBstr id;
  ASSERT_TRUE(primary);
  primary->get_id(id.Out());
  EXPECT_EQ(Narrow(id.get()), "a");
}

TEST_F(Surface, BandOverBareBodySelectsWhatLiesWhollyInside) {
  SelectIds({L"c"});
  Drag({5, 5}, {190, 65});  // holds a and b wholly, c not at all
  EXPECT_EQ(SelectedIds(), (Ids{"a", "b"}));
  EXPECT_EQ(GetSurface()->Mode(), kModeIdle);
  Drag({5, 5}, {120, 65});  // b only partly inside: a alone
  EXPECT_EQ(SelectedIds(), Ids{"a"});
}

TEST_F(Surface, AdditiveBandTogglesTheElementsInside) {
  SelectIds({L"a"});
  Drag({5, 5}, {190, 65}, MK_CONTROL);
  EXPECT_EQ(SelectedIds(), Ids{"b"});
  Drag({5, 5}, {190, 65}, MK_SHIFT);
  EXPECT_EQ(SelectedIds(), Ids{"a"});
}

TEST_F(Surface, PressAndDragSelectsAndMovesInOneGesture) {
  UINT changes = parent_->Count(VLMN_CHANGED);
  // The press selects; the move begins where the mouse is first seen moving with the button held.
  Down(30, 20);
  MoveTo(31, 21);
  MoveTo(45, 35);
  MoveTo(61, 51);
  Up(61, 51);
  EXPECT_EQ(SelectedIds(), Ids{"a"});
  EXPECT_TRUE(SameRect(Box(L"a"), RECT{40, 40, 90, 60}));
  EXPECT_EQ(InlineStyle(L"a", L"left"), L"40px");
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes + 1);
  EXPECT_EQ(Send(VLM_CANUNDO), 1);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Surface, MovingStopsTheWholeSelectionAtTheRightAndBottomEdges) {
  SelectIds({L"a", L"c"});
  RECT client;
  GetClientRect(SurfaceWindow(), &client);
  // Pixel by pixel past the right edge: the block stops with c one pixel inside it.
  Down(30, 20);
  for (int x = 31; x < 30 + client.right; ++x) MoveTo(x, 20);
  Up(30 + client.right, 20);
  const int moved = Box(L"c").right - 300;
  EXPECT_EQ(Box(L"c").right, client.right - 1);
  EXPECT_EQ(Box(L"a").left, 10 + moved);
  Down(30 + moved, 20);
  for (int y = 21; y < 20 + client.bottom; ++y) MoveTo(30 + moved, y);
  Up(30 + moved, 20 + client.bottom);
  EXPECT_EQ(Box(L"c").bottom, client.bottom - 1);
  EXPECT_EQ(Box(L"a").top - 10, Box(L"c").top - 70);  // still one block
  EXPECT_EQ(Box(L"a").left, 10 + moved);
}

TEST_F(Surface, OneHandleResizesEverySelectedElementByTheSameDelta) {
  SelectIds({L"a", L"b"});
  Drag({180, 60}, {200, 70});  // b's bottom-right handle
  EXPECT_TRUE(SameRect(Box(L"a"), RECT{10, 10, 80, 40}));
  EXPECT_TRUE(SameRect(Box(L"b"), RECT{100, 40, 200, 70}));
}

TEST_F(Surface, LockedSurfaceSelectsButNeverMoves) {
  Send(VLM_SETLOCK, 1);
  UINT changes = parent_->Count(VLMN_CHANGED);
  Drag({30, 20}, {80, 60});
  EXPECT_EQ(SelectedIds(), Ids{"a"});
  EXPECT_TRUE(SameRect(Box(L"a"), RECT{10, 10, 60, 30}));
  Drag({30, 20}, {80, 60});
  EXPECT_TRUE(SameRect(Box(L"a"), RECT{10, 10, 60, 30}));
  Key(VK_RIGHT);
  EXPECT_TRUE(SameRect(Box(L"a"), RECT{10, 10, 60, 30}));
  EXPECT_EQ(parent_->Count(VLMN_CHANGED), changes);
}

TEST_F(Surface, TrackRectanglesArePostedForBandsAndBareMoves) {
  // One record serves every post, so each one is read before the next mouse message.
  std::vector<RECT> tracks;
  auto collect = [&] {
    vt::PumpPending();
    for (const auto& m : parent_->Messages())
      if (m.code == VLMN_TRACKRECT) {
        EXPECT_TRUE(m.posted);
        tracks.push_back(m.notify.rcTrack);
      }
    parent_->Clear();
  };
  collect();
  tracks.clear();
  MoveTo(300, 250, 0);
  collect();
  Down(150, 250);
  MoveTo(120, 200);
  collect();
  Up(120, 200);
  collect();
  ASSERT_EQ(tracks.size(), 2u);
  EXPECT_TRUE(SameRect(tracks[0], RECT{300, 250, 300, 250}));
  EXPECT_TRUE(SameRect(tracks[1], RECT{120, 200, 150, 250}));  // normalised
}

TEST_F(Surface, ArmedInsertionInsertsAtTheDrawnRectangleAndDisarms) {
  ASSERT_EQ(Send(VLM_BEGININSERT, VLM_KIND_BUTTON), 1);
  EXPECT_EQ(GetSurface()->Mode(), kModeInsertArmed);
  Drag({300, 250}, {250, 200});
  EXPECT_EQ(GetControl()->InsertKind(), 0u);
  EXPECT_EQ(GetSurface()->Mode(), kModeIdle);
  EXPECT_NE(Body().find("left: 250px; top: 200px; width: 50px; height: 50px;"), std::string::npos) << Body();
}

TEST_F(Surface, ACentredInsertionDisarmsTheSurfaceSoTheNextClickSelects) {
  ASSERT_EQ(Send(VLM_BEGININSERT, VLM_KIND_BUTTON), 1);
  ASSERT_EQ(Send(VLM_INSERTCENTERED, VLM_KIND_BUTTON), 1);
  EXPECT_EQ(GetControl()->InsertKind(), 0u);
  EXPECT_EQ(GetSurface()->Mode(), kModeIdle);
  RECT client;
  GetClientRect(hwnd_, &client);
  Click(client.right / 2, client.bottom / 2);  // on the new button
  ASSERT_EQ(SelectedIds().size(), 1u);
  EXPECT_NE(SelectedIds()[0].find("button"), std::string::npos) << SelectedIds()[0];
}

TEST_F(Surface, ArrowKeysMoveOnePixelAndShiftArrowsResize) {
  SelectIds({L"b"});
  Key(VK_RIGHT);
  EXPECT_TRUE(SameRect(Box(L"b"), RECT{101, 40, 181, 60}));
  Key(VK_UP);
  EXPECT_TRUE(SameRect(Box(L"b"), RECT{101, 39, 181, 59}));
  Key(VK_LEFT, true);  // widens to the left
  EXPECT_TRUE(SameRect(Box(L"b"), RECT{100, 39, 181, 59}));
  Key(VK_DOWN, true);  // the top handle moves down: shorter
  EXPECT_TRUE(SameRect(Box(L"b"), RECT{100, 40, 181, 59}));
}

TEST_F(Surface, DeleteActsOnKeyUpOnly) {
  SelectIds({L"a", L"b"});
  Send(WM_KEYDOWN, VK_DELETE, 1);
  EXPECT_EQ(SelectedIds().size(), 2u);
  Send(WM_KEYUP, VK_DELETE, 0xC0000001);
  EXPECT_TRUE(SelectedIds().empty());
  EXPECT_EQ(Body().find("id=\"a\""), std::string::npos);
  EXPECT_EQ(Body().find("id=\"b\""), std::string::npos);
  EXPECT_NE(Body().find("id=\"c\""), std::string::npos);
}

TEST_F(Surface, ReloadAndModeChangesClearTheSelection) {
  SelectIds({L"a", L"b"});
  ASSERT_TRUE(LoadAndWait(kForm));
  EXPECT_TRUE(SelectedIds().empty());
  SelectIds({L"a"});
  Send(VLM_SETDESIGNMODE, 0);
  Send(VLM_SETDESIGNMODE, 1);
  EXPECT_TRUE(SelectedIds().empty());
}

}  // namespace
}  // namespace st
