// After an edit on the surface only where marks were and are, and where the page changed, is painted
// again; what the control then shows is what a repaint of all of it shows, pixel for pixel.
#include <random>

#include "ImageCompare.h"
#include "MessagePump.h"
#include "SurfaceFixture.h"
#include "vellum.h"

namespace st {
namespace {

const wchar_t* const kIds[] = {L"a", L"b", L"c", L"fs", L"inner", L"sel", L"lg"};

class RedrawRegion : public Surface {
 protected:
  vt::Image Shown() {
    vt::PumpPending();
    GdiFlush();
    return vt::CaptureWindow(hwnd_);
  }
  // Every pixel painted afresh: the document window keeps what it painted unless the page or the
  // system's colours change.
  vt::Image ShownAfterWholeRepaint() {
    if (HWND document = DocumentWindow()) SendMessageW(document, WM_SYSCOLORCHANGE, 0, 0);
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    return Shown();
  }
  // A point inside the element, where a click selects it.
  POINT Inside(const wchar_t* id) {
    const RECT box = Box(id);
    return {box.left + 3, box.top + 3};
  }
  HWND DocumentWindow() const {
    for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
      if (child != SurfaceWindow() && IsWindowVisible(child)) return child;
    return nullptr;
  }
};

TEST_F(RedrawRegion, RandomEditsShowWhatAWholeRepaintShows) {
  std::mt19937 random(20261207);
  const UINT arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
  for (int round = 0; round < 60; ++round) {
    const wchar_t* id = kIds[random() % std::size(kIds)];
    if (!Element(id)) continue;
    switch (random() % 6) {
      case 0:
        Click(Inside(id).x, Inside(id).y);
        break;
      case 1:
        Click(Inside(id).x, Inside(id).y, MK_SHIFT);
        break;
      case 2:
      case 3:
        Key(arrows[random() % 4], random() % 2 == 0);
        break;
      case 4: {
        const POINT from = Inside(id);
        Drag(from, {from.x + static_cast<int>(random() % 30) - 10, from.y + static_cast<int>(random() % 30) - 10});
        break;
      }
      default:
        Send(random() % 2 ? VLM_ALIGNLEFTS : VLM_ALIGNTOPS);
        break;
    }
    const vt::Image edited = Shown();
    const vt::Image whole = ShownAfterWholeRepaint();
    const vt::ImageDifference difference = vt::CompareImages(edited, whole, 0);
    ASSERT_TRUE(difference.sameSize);
    ASSERT_EQ(difference.differingPixels, 0)
        << "round " << round << ", first at " << difference.first.x << "," << difference.first.y;
  }
}

// A nudge repaints around the element, not the form: what is not repainted keeps a colour drawn over
// the page just before.
TEST_F(RedrawRegion, ANudgeRepaintsLittleOfTheForm) {
  Click(Inside(L"a").x, Inside(L"a").y);
  Shown();
  HWND document = DocumentWindow();
  ASSERT_TRUE(document);
  RECT client;
  GetClientRect(document, &client);
  HDC dc = GetDC(document);
  HBRUSH marker = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &client, marker);
  DeleteObject(marker);
  ReleaseDC(document, dc);
  Key(VK_RIGHT);
  const vt::Image shown = Shown();
  int marked = 0;
  for (uint32_t pixel : shown.pixels) marked += pixel == 0x00ff00;
  EXPECT_GT(marked, static_cast<int>(shown.pixels.size()) / 2);
  EXPECT_EQ(InlineStyle(L"a", L"left"), L"11px");
}

// Paint messages the document window receives while a hook is installed.
int g_documentPaints = 0;
HWND g_documentWindow = nullptr;
LRESULT CALLBACK CountPaints(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && message->hwnd == g_documentWindow && message->message == WM_PAINT) ++g_documentPaints;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A nudge and the release of a drag are one edit each: the form is painted once for them, where the
// selection ends up, not for every step on the way.
TEST_F(RedrawRegion, AnEditOfSeveralStepsPaintsTheFormOnce) {
  Click(Inside(L"a").x, Inside(L"a").y);
  Shown();
  g_documentWindow = DocumentWindow();
  ASSERT_TRUE(g_documentWindow);
  HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountPaints, nullptr, GetCurrentThreadId());
  ASSERT_TRUE(hook);
  g_documentPaints = 0;
  Key(VK_RIGHT);
  vt::PumpPending();
  const int nudgePaints = g_documentPaints;
  const POINT from = Inside(L"a");
  Down(from.x, from.y);
  MoveTo(from.x + 8, from.y + 4);
  vt::PumpPending();
  g_documentPaints = 0;
  Up(from.x + 8, from.y + 4);
  vt::PumpPending();
  const int releasePaints = g_documentPaints;
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(nudgePaints, 1);
  EXPECT_EQ(releasePaints, 1);
  EXPECT_EQ(InlineStyle(L"a", L"left"), L"19px");
  const vt::ImageDifference difference = vt::CompareImages(Shown(), ShownAfterWholeRepaint(), 0);
  EXPECT_EQ(difference.differingPixels, 0);
}

}  // namespace
}  // namespace st
