// What the user sees: three selected elements over the live page, the primary one with its own handle
// colour, inside the control's design-mode frame. Compared with a reference image kept beside the test
// (tests/surface/refresh_reference.sh renders it anew).
#include "ImageCompare.h"
#include "SurfaceFixture.h"
#include "surface/VLMConfig.h"

namespace st {
namespace {

std::wstring ReferencePath(const wchar_t* name) {
  std::wstring path = L"Z:";
  for (const char* c = SURFACE_TEST_DIR; *c; ++c) path += static_cast<wchar_t>(*c == '/' ? '\\' : *c);
  return path + L"\\reference\\" + name;
}

TEST_F(Surface, ThreeSelectedElementsOverTheLivePage) {
  SelectIds({L"a", L"b", L"c"});
  GetSurface()->Redraw();
  vt::PumpFor(100);
  const vt::Image picture = vt::CaptureWindow(hwnd_);
  ASSERT_GT(picture.width, 0);
  // The primary element's bottom-right handle carries the primary colour, the others the secondary one.
  POINT origin = {0, 0};
  MapWindowPoints(SurfaceWindow(), hwnd_, &origin, 1);
  RECT window, client;
  GetWindowRect(hwnd_, &window);
  POINT clientOrigin = {0, 0};
  ClientToScreen(hwnd_, &clientOrigin);
  const int dx = clientOrigin.x - window.left + origin.x, dy = clientOrigin.y - window.top + origin.y;
  GetClientRect(hwnd_, &client);
  auto pixel = [&](int x, int y) {
    const COLORREF c = picture.At(x + dx, y + dy);  // 0x00RRGGBB
    return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF);
  };
  EXPECT_EQ(pixel(300, 90), VLMConfig()->PrimaryHandleColour());
  EXPECT_EQ(pixel(60, 30), VLMConfig()->SecondaryHandleColour());
  EXPECT_EQ(pixel(180, 60), VLMConfig()->SecondaryHandleColour());
  const std::string mismatch = vt::CheckAgainstReference(picture, ReferencePath(L"three-selected.png"), 8, 0.002);
  EXPECT_TRUE(mismatch.empty()) << mismatch;
}

}  // namespace
}  // namespace st
