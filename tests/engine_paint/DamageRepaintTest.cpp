// After an edit the view repaints only where the page changed; what it then shows must be what a
// repaint of the whole view shows, pixel for pixel, whatever the edits were.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "ImageCompare.h"
#include "PaintTestHost.h"

namespace {

const wchar_t kPage[] =
    L"<html><head><style>.big { font-size: 26px; font-style: italic } #f span { color: #0000ff }</style></head>"
    L"<body>"
    L"<div id=e0 style='position: absolute; left: 10px; top: 10px; width: 90px; height: 40px; "
    L"background-color: #ffcc00'>stacked words</div>"
    L"<div id=e1 style='position: absolute; left: 40px; top: 30px; width: 80px; height: 50px; z-index: 2; "
    L"background-color: #88ddff; border: 2px solid #aa0000'>over it</div>"
    L"<span id=e2 class=big style='position: absolute; left: 200px; top: 20px; width: 30px; height: 8px'>"
    L"overflowing text</span>"
    L"<fieldset id=e3 style='position: absolute; left: 20px; top: 120px; width: 200px; height: 90px'>"
    L"<legend id=e4>Group</legend><span id=e5 style='position: absolute; left: 10px; top: 40px'>inside</span>"
    L"</fieldset>"
    L"<input id=e6 type=checkbox style='position: absolute; left: 260px; top: 130px; width: 6px; height: 6px'>"
    L"<select id=e7 size=3 style='position: absolute; left: 300px; top: 120px; width: 100px'>"
    L"<option>one</option><option>two</option></select>"
    L"<textarea id=e8 style='position: absolute; left: 420px; top: 120px; width: 120px; height: 60px'>text area"
    L"</textarea>"
    L"<input id=e9 type=button value=Press style='position: absolute; left: 260px; top: 220px'>"
    L"<form id=f><span id=e10 style='position: absolute; left: 350px; top: 250px'>in a form</span></form>"
    L"<p id=e11>flow text at the top of the page that wraps</p>"
    L"</body></html>";

constexpr int kElements = 12;

class DamageRepaintTest : public pt::HostedTest {
 protected:
  pt::CPaintHost& host_ = Host();

  et::Ptr<IHTMLElement> Pick(std::mt19937& random) {
    for (int tries = 0; tries < 50; ++tries) {
      const std::wstring id = L"e" + std::to_wstring(random() % (kElements + 4));
      if (et::Ptr<IHTMLElement> element = host_.Element(id.c_str())) return element;
    }
    return host_.Element(L"e11");
  }

  void SetStyle(IHTMLElement* element, const wchar_t* css) {
    et::Ptr<IHTMLStyle> style;
    ASSERT_EQ(element->get_style(style.Out()), S_OK);
    et::Bstr text(css);
    EXPECT_EQ(style->put_cssText(text), S_OK);
  }

  // One edit of the kinds a designer makes, chosen at random.
  void Edit(std::mt19937& random, int round) {
    static const wchar_t* const kStyles[] = {
        L"position: absolute; left: 30px; top: 60px; width: 90px; height: 40px; background-color: #33cc33",
        L"position: absolute; left: 210px; top: 24px; width: 30px; height: 8px",
        L"position: absolute; left: 5px; top: 200px; z-index: 5; background-color: #ff00ff; border: 3px dashed",
        L"position: absolute; left: 280px; top: 140px; font-size: 30px; color: #008800",
        L"display: none",
        L""};
    et::Ptr<IHTMLElement> element = Pick(random);
    switch (random() % 8) {
      case 7: {  // the window changes size, as when the control's frame is dragged
        RECT client;
        GetClientRect(host_.View(), &client);
        const int width = 360 + static_cast<int>(random() % 61), height = 240 + static_cast<int>(random() % 61);
        SetWindowPos(host_.View(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        break;
      }
      case 0:
      case 1:
        SetStyle(element.get(), kStyles[random() % std::size(kStyles)]);
        break;
      case 2: {
        et::Bstr text(round % 2 ? L"new words that run long" : L"x");
        element->put_innerText(text);
        break;
      }
      case 3: {
        et::Bstr name(random() % 2 ? L"className" : L"value");
        et::Variant value = et::Variant::Text(random() % 2 ? L"big" : L"changed");
        element->setAttribute(name, value, 0);
        break;
      }
      case 4: {
        const std::wstring html = L"<span id=e" + std::to_wstring(kElements + random() % 4) +
                                  L" style='position: absolute; left: " + std::to_wstring(random() % 500) +
                                  L"px; top: " + std::to_wstring(random() % 300) + L"px'>added</span>";
        et::Bstr where(L"beforeEnd"), markup(html.c_str());
        element->insertAdjacentHTML(where, markup);
        break;
      }
      case 5: {
        et::Ptr<IHTMLDOMNode> node = element.As<IHTMLDOMNode>();
        et::Ptr<IHTMLDOMNode> removed;
        if (node) node->removeNode(VARIANT_TRUE, removed.Out());
        break;
      }
      default: {  // moved to the end of another element: it now paints over what it did not
        et::Ptr<IHTMLDOMNode> node = element.As<IHTMLDOMNode>();
        et::Ptr<IHTMLDOMNode> parent = Pick(random).As<IHTMLDOMNode>();
        et::Ptr<IHTMLDOMNode> moved;
        if (node && parent) parent->appendChild(node.get(), moved.Out());
        break;
      }
    }
  }
};

TEST_F(DamageRepaintTest, RandomEditsShowWhatAWholeRepaintShows) {
  std::mt19937 random(7122026);
  RECT original;
  GetClientRect(host_.View(), &original);
  struct Restore {
    HWND view;
    RECT size;
    ~Restore() {
      SetWindowPos(view, nullptr, 0, 0, size.right, size.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
  } restore{host_.View(), original};
  for (int page = 0; page < 4; ++page) {
    ASSERT_TRUE(host_.Load(kPage));
    for (int round = 0; round < 30; ++round) {
      Edit(random, round);
      const vt::Image damaged = host_.Capture();
      // Asked by the window system to show all of it again, the view copies what did not change.
      RedrawWindow(host_.View(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      const vt::Image copied = host_.Capture();
      // A change of the system's colours paints every pixel afresh.
      SendMessageW(host_.View(), WM_SYSCOLORCHANGE, 0, 0);
      RedrawWindow(host_.View(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
      const vt::Image whole = host_.Capture();
      for (const vt::Image* shown : {&damaged, &copied}) {
        const vt::ImageDifference difference = vt::CompareImages(*shown, whole, 0);
        ASSERT_TRUE(difference.sameSize);
        ASSERT_EQ(difference.differingPixels, 0) << (shown == &damaged ? "damaged" : "copied") << ": page " << page
                                                 << " round " << round << ", first at " << difference.first.x << ","
                                                 << difference.first.y;
      }
    }
  }
}

// The repaint after a nudge covers where the element was and where it is, not the page: what the view
// does not repaint keeps a colour drawn over it just before.
TEST_F(DamageRepaintTest, ANudgeRepaintsLittleOfTheView) {
  ASSERT_TRUE(host_.Load(kPage));
  host_.Capture();
  et::Ptr<IHTMLElement> box = host_.Element(L"e0");
  ASSERT_TRUE(box);
  SetStyle(box.get(),
           L"position: absolute; left: 12px; top: 10px; width: 90px; height: 40px; "
           L"background-color: #ffcc00");
  RECT client = {};
  GetClientRect(host_.View(), &client);
  HDC dc = GetDC(host_.View());
  HBRUSH marker = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &client, marker);
  DeleteObject(marker);
  ReleaseDC(host_.View(), dc);
  const vt::Image image = host_.Capture();
  RECT repainted = {image.width, image.height, 0, 0};
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x)
      if (image.At(x, y) != 0x00ff00) {
        repainted.left = std::min<LONG>(repainted.left, x);
        repainted.top = std::min<LONG>(repainted.top, y);
        repainted.right = std::max<LONG>(repainted.right, x + 1);
        repainted.bottom = std::max<LONG>(repainted.bottom, y + 1);
      }
  EXPECT_LE(repainted.left, 10);
  EXPECT_GE(repainted.right, 102);
  EXPECT_LT((repainted.right - repainted.left) * (repainted.bottom - repainted.top),
            (client.right - client.left) * (client.bottom - client.top) / 4)
      << "repainted " << repainted.left << "," << repainted.top << " to " << repainted.right << "," << repainted.bottom;
}

}  // namespace
