// The view repaints by itself after the page changes, never erases its background on its own (the
// double buffer covers every pixel, so nothing flickers), and honours the container's border flag.
#include <gtest/gtest.h>

#include <string>

#include "PaintTestHost.h"

namespace {

using pt::Rgb;
using pt::System;

constexpr uint32_t kRed = 0xff0000;
constexpr uint32_t kBlue = 0x0000ff;
constexpr uint32_t kGreen = 0x00ff00;

const wchar_t kRedBox[] =
    L"<html><body><div id=\"box\" style=\"position: absolute; left: 20px; top: 20px; width: 60px; height: 40px; "
    L"background-color: #ff0000\"></div>"
    L"<input id=\"check\" type=\"checkbox\" style=\"position: absolute; left: 120px; top: 20px\">"
    L"<input id=\"text\" type=\"text\" style=\"position: absolute; left: 160px; top: 20px; width: 120px; "
    L"height: 22px\"></body></html>";

class RepaintTest : public pt::HostedTest {
 protected:
  void SetUp() override { ASSERT_TRUE(host_.Load(kRedBox)); }
  pt::CPaintHost& host_ = Host();
};

TEST_F(RepaintTest, EraseBackgroundLeavesTheWindowAsItIs) {
  HDC dc = GetDC(host_.View());
  RECT client;
  GetClientRect(host_.View(), &client);
  HBRUSH green = CreateSolidBrush(RGB(0, 255, 0));
  FillRect(dc, &client, green);
  DeleteObject(green);
  EXPECT_NE(SendMessageW(host_.View(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
  ReleaseDC(host_.View(), dc);
  GdiFlush();
  vt::Image image = vt::CaptureWindow(host_.View());
  EXPECT_EQ(image.At(200, 150), kGreen) << "erasing painted over the window";
}

TEST_F(RepaintTest, RepaintOfAPartShowsThePageThere) {
  RECT part = {30, 30, 60, 50};
  RedrawWindow(host_.View(), &part, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  vt::Image image = host_.Capture();
  EXPECT_EQ(image.At(40, 40), kRed);
}

TEST_F(RepaintTest, StyleChangeThroughTheObjectModelRepaintsTheView) {
  et::Ptr<IHTMLElement> box = host_.Element(L"box");
  ASSERT_TRUE(box);
  et::Ptr<IHTMLStyle> style;
  ASSERT_EQ(box->get_style(style.Out()), S_OK);
  ASSERT_EQ(host_.Capture().At(40, 40), kRed);
  et::Variant blue = et::Variant::Text(L"#0000ff");
  ASSERT_EQ(style->put_backgroundColor(blue), S_OK);
  EXPECT_EQ(host_.Capture().At(40, 40), kBlue);
  ASSERT_EQ(style->put_top(et::Variant::Text(L"100px")), S_OK);
  vt::Image moved = host_.Capture();
  EXPECT_EQ(moved.At(40, 40), System(COLOR_WINDOW));
  EXPECT_EQ(moved.At(40, 120), kBlue);
}

TEST_F(RepaintTest, CheckedChangeThroughTheObjectModelRepaintsTheView) {
  et::Ptr<IHTMLInputElement> check = host_.Element(L"check").As<IHTMLInputElement>();
  ASSERT_TRUE(check);
  const uint32_t mark = System(COLOR_WINDOWTEXT);
  ASSERT_EQ(pt::CountColour(host_.Capture(), {123, 23, 130, 30}, mark), 0);
  ASSERT_EQ(check->put_checked(VARIANT_TRUE), S_OK);
  EXPECT_GT(pt::CountColour(host_.Capture(), {123, 23, 130, 30}, mark), 5);
}

TEST_F(RepaintTest, ValueChangeThroughTheObjectModelShowsTheNewText) {
  et::Ptr<IHTMLInputElement> text = host_.Element(L"text").As<IHTMLInputElement>();
  ASSERT_TRUE(text);
  const uint32_t ink = System(COLOR_WINDOWTEXT);
  ASSERT_EQ(pt::CountColour(host_.Capture(), {163, 23, 277, 39}, ink), 0);
  ASSERT_EQ(text->put_value(et::Bstr(L"WWWW")), S_OK);
  EXPECT_GT(pt::CountColour(host_.Capture(), {163, 23, 277, 39}, ink), 10);
}

TEST_F(RepaintTest, LoadingAnotherPageRepaintsTheView) {
  ASSERT_TRUE(host_.Load(L"<html><body style=\"background-color: #0000ff\"></body></html>"));
  vt::Image image = host_.Capture();
  EXPECT_EQ(image.At(40, 40), kBlue);
  EXPECT_EQ(image.At(400, 280), kBlue);
}

TEST(ViewBorder, WithoutTheNo3DBorderFlagTheViewShowsASunkenEdge) {
  et::ComScope com;
  pt::HostOptions options;
  options.hostFlags = 0;
  pt::CPaintHost host(options);
  ASSERT_TRUE(host.Load(L"<html><body style=\"background-color: #ff0000\"></body></html>"));
  vt::Image image = host.Capture();
  EXPECT_EQ(image.At(0, 0), System(COLOR_BTNSHADOW));
  EXPECT_EQ(image.At(419, 299), System(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(image.At(200, 150), kRed);
}

TEST(ViewBorder, WithTheNo3DBorderFlagThePageReachesTheEdge) {
  et::ComScope com;
  pt::CPaintHost host;  // asks for no 3D border
  ASSERT_TRUE(host.Load(L"<html><body style=\"background-color: #ff0000\"></body></html>"));
  vt::Image image = host.Capture();
  EXPECT_EQ(image.At(0, 0), kRed);
  EXPECT_EQ(image.At(419, 299), kRed);
}

}  // namespace
