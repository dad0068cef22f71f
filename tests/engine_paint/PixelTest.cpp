// Exact pixels of simple pages: where backgrounds, borders, text, pictures and control states must
// (and must not) show.
#include <gtest/gtest.h>

#include <string>

#include "PaintTestHost.h"

namespace {

using pt::Rgb;
using pt::System;

constexpr uint32_t kWhite = 0xffffff;
constexpr uint32_t kRed = 0xff0000;
constexpr uint32_t kBlue = 0x0000ff;
constexpr uint32_t kGreen = 0x00ff00;
constexpr uint32_t kSky = 0x64a0e6;    // data/landscape.png, its upper part
constexpr uint32_t kGrass = 0x3ca03c;  // and its lower part

std::wstring Page(const std::wstring& body) {
  return L"<html><body style=\"font-family: Arial; font-size: 13px\">" + body + L"</body></html>";
}

class PixelTest : public pt::HostedTest {
 protected:
  vt::Image Show(const std::wstring& body) {
    EXPECT_TRUE(Host().Load(Page(body)));
    return Host().Capture();
  }
};

TEST_F(PixelTest, BackgroundFillsTheBorderBoxAndNothingAround) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 40px; top: 30px; width: 60px; height: 40px; "
      L"background-color: #ff0000\"></div>");
  EXPECT_EQ(image.At(40, 30), kRed);
  EXPECT_EQ(image.At(99, 69), kRed);
  EXPECT_EQ(pt::CountColour(image, {40, 30, 100, 70}, kRed), 60 * 40);
  EXPECT_EQ(image.At(39, 50), kWhite);
  EXPECT_EQ(image.At(100, 50), kWhite);
  EXPECT_EQ(image.At(70, 29), kWhite);
  EXPECT_EQ(image.At(70, 70), kWhite);
}

TEST_F(PixelTest, BorderShowsItsColourOnTheEdgeAndTheBackgroundInside) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 20px; top: 20px; width: 80px; height: 50px; "
      L"border: 4px solid #0000ff; background-color: #00ff00\"></div>");
  EXPECT_EQ(image.At(20, 40), kBlue);   // left edge, outer pixel
  EXPECT_EQ(image.At(23, 40), kBlue);   // left edge, inner pixel
  EXPECT_EQ(image.At(24, 40), kGreen);  // padding box
  EXPECT_EQ(image.At(60, 20), kBlue);
  EXPECT_EQ(image.At(60, 69), kBlue);  // bottom edge ends at top + height
  EXPECT_EQ(image.At(99, 40), kBlue);
  EXPECT_EQ(image.At(60, 45), kGreen);
  EXPECT_EQ(image.At(60, 70), kWhite);
  EXPECT_EQ(image.At(100, 40), kWhite);
}

TEST_F(PixelTest, DashedBorderLeavesGapsAlongItsEdge) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 20px; top: 20px; width: 120px; height: 40px; "
      L"border: 2px dashed #ff0000\"></div>");
  const int red = pt::CountColour(image, {20, 20, 140, 21}, kRed);
  EXPECT_GT(red, 40);
  EXPECT_LT(red, 100);
}

TEST_F(PixelTest, HigherZIndexPaintsOverALaterElement) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 20px; top: 20px; width: 60px; height: 60px; z-index: 2; "
      L"background-color: #ff0000\"></div>"
      L"<div style=\"position: absolute; left: 50px; top: 50px; width: 60px; height: 60px; z-index: 1; "
      L"background-color: #0000ff\"></div>");
  EXPECT_EQ(image.At(60, 60), kRed);  // overlap: the higher z-index wins over document order
  EXPECT_EQ(image.At(100, 100), kBlue);
}

TEST_F(PixelTest, LaterElementPaintsOverAnEarlierOneWithoutZIndex) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 20px; top: 20px; width: 60px; height: 60px; background-color: "
      L"#ff0000\"></div><div style=\"position: absolute; left: 50px; top: 50px; width: 60px; height: 60px; "
      L"background-color: #0000ff\"></div>");
  EXPECT_EQ(image.At(60, 60), kBlue);
}

TEST_F(PixelTest, ChildPaintsOverItsParent) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 20px; top: 20px; width: 100px; height: 80px; background-color: "
      L"#ff0000\"><div style=\"position: absolute; left: 10px; top: 10px; width: 30px; height: 30px; "
      L"background-color: #0000ff\"></div></div>");
  EXPECT_EQ(image.At(45, 45), kBlue);  // the child sits in its parent's padding box
  EXPECT_EQ(image.At(29, 29), kRed);
  EXPECT_EQ(image.At(100, 90), kRed);
}

TEST_F(PixelTest, TextShowsInItsColourInsideItsBoxOnly) {
  vt::Image image = Show(
      L"<span style=\"position: absolute; left: 30px; top: 30px; color: #00a000; "
      L"font-size: 24px; font-weight: bold\">HEH</span>");
  auto green = [](const vt::Image& picture, RECT area) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
      for (int x = area.left; x < area.right; ++x) count += pt::Near(picture.At(x, y), 0x00a000, 24);
    return count;
  };
  EXPECT_GT(green(image, {30, 30, 100, 60}), 60);
  EXPECT_EQ(green(image, {0, 0, 420, 28}), 0);
  EXPECT_EQ(green(image, {0, 64, 420, 300}), 0);
}

TEST_F(PixelTest, HiddenElementPaintsNothingButItsVisibleChild) {
  vt::Image image = Show(
      L"<div style=\"position: absolute; left: 20px; top: 20px; width: 100px; height: 80px; visibility: hidden; "
      L"background-color: #ff0000\"><div style=\"position: absolute; left: 10px; top: 10px; width: 30px; "
      L"height: 30px; visibility: visible; background-color: #0000ff\"></div></div>");
  EXPECT_EQ(pt::CountColour(image, {0, 0, 420, 300}, kRed), 0);
  EXPECT_EQ(image.At(45, 45), kBlue);
}

TEST_F(PixelTest, ImageShowsTheFilesPixelsFromAPathOrAFileUrl) {
  const std::wstring path = pt::TestSourceFolder() + L"\\data\\landscape.png";
  std::wstring url = L"file:///" + path;
  for (wchar_t& c : url)
    if (c == L'\\') c = L'/';
  vt::Image image = Show(L"<img src=\"" + path +
                         L"\" width=\"48\" height=\"36\" style=\"position: absolute; "
                         L"left: 10px; top: 10px\"><img src=\"" +
                         url +
                         L"\" width=\"48\" height=\"36\" "
                         L"style=\"position: absolute; left: 100px; top: 10px\">");
  EXPECT_EQ(image.At(15, 15), kSky);
  EXPECT_EQ(image.At(15, 40), kGrass);
  EXPECT_EQ(image.At(105, 15), kSky);
  EXPECT_EQ(image.At(105, 40), kGrass);
}

TEST_F(PixelTest, MissingImageShowsAPlaceholderWithARedCross) {
  vt::Image image = Show(
      L"<img src=\"no-such-picture.png\" style=\"position: absolute; left: 10px; top: 10px; "
      L"width: 60px; height: 40px\">");
  int red = 0;
  for (int y = 10; y < 50; ++y)
    for (int x = 10; x < 70; ++x) red += pt::Near(image.At(x, y), 0xd00000, 40);
  EXPECT_GT(red, 5);
  EXPECT_EQ(pt::CountColour(image, {10, 10, 70, 50}, kWhite) < 60 * 40, true);
}

TEST_F(PixelTest, CheckedBoxShowsAMarkThatAnUncheckedOneDoesNot) {
  vt::Image image = Show(
      L"<input type=\"checkbox\" checked style=\"position: absolute; left: 10px; top: 10px\">"
      L"<input type=\"checkbox\" style=\"position: absolute; left: 40px; top: 10px\">");
  const uint32_t mark = System(COLOR_WINDOWTEXT);
  EXPECT_GT(pt::CountColour(image, {13, 13, 20, 20}, mark), 5);
  EXPECT_EQ(pt::CountColour(image, {43, 13, 50, 20}, mark), 0);
}

TEST_F(PixelTest, SelectedOptionOfAListIsHighlightedOnItsRow) {
  vt::Image image = Show(
      L"<select size=\"3\" style=\"position: absolute; left: 10px; top: 10px; width: 100px\">"
      L"<option>One</option><option selected>Two</option><option>Three</option></select>");
  const uint32_t highlight = System(COLOR_HIGHLIGHT);
  const int rowTop = 10 + 2;  // inside the frame, rows 16 pixels tall
  EXPECT_EQ(pt::CountColour(image, {14, rowTop, 90, rowTop + 16}, highlight), 0);
  EXPECT_GT(pt::CountColour(image, {14, rowTop + 16, 90, rowTop + 32}, highlight), 600);
  EXPECT_EQ(pt::CountColour(image, {14, rowTop + 32, 90, rowTop + 48}, highlight), 0);
}

TEST_F(PixelTest, TextBoxHasASunkenFrameAndAWindowColouredInside) {
  vt::Image image = Show(
      L"<input type=\"text\" style=\"position: absolute; left: 10px; top: 10px; width: 100px; "
      L"height: 22px\">");
  EXPECT_EQ(image.At(10, 10), System(COLOR_BTNSHADOW));      // outer edge, top left
  EXPECT_EQ(image.At(109, 31), System(COLOR_BTNHIGHLIGHT));  // outer edge, bottom right
  EXPECT_EQ(image.At(60, 20), System(COLOR_WINDOW));
}

TEST_F(PixelTest, ObjectShowsAPlaceholderBoxWithItsClassIdText) {
  vt::Image image = Show(
      L"<object classid=\"clsid:12345678-0000-0000-0000-000000000000\" style=\"position: "
      L"absolute; left: 10px; top: 10px; width: 150px; height: 60px\"></object>");
  EXPECT_EQ(image.At(10, 10), System(COLOR_BTNSHADOW));
  EXPECT_EQ(image.At(12, 12), System(COLOR_BTNFACE));
  EXPECT_GT(pt::CountColour(image, {11, 11, 159, 69}, System(COLOR_BTNTEXT)), 30);  // the class id's letters
}

}  // namespace
