#include "PaintTestHost.h"

#include <cstdlib>

#include "MessagePump.h"

namespace pt {

CPaintHost::CPaintHost(const HostOptions& options) {
  frame_ = CreateContainerFrame(options.width, options.height);
  document_ = et::CreateDocument();
  if (!frame_ || !document_) return;
  site_ = new CContainerSite(frame_, options.hostFlags);
  view_ = ActivateInFrame(document_, *site_, frame_);
}

CPaintHost::~CPaintHost() {
  if (document_) {
    Deactivate(document_);
    document_->Release();
  }
  if (frame_) DestroyWindow(frame_);
  delete site_;
  vt::PumpPending();
}

::testing::AssertionResult CPaintHost::Load(const std::wstring& html) {
  if (!Active()) return ::testing::AssertionFailure() << "the document did not go in-place active";
  ::testing::AssertionResult loaded = et::LoadAndWait(document_, html);
  if (!loaded) return loaded;
  PumpRepaints();
  return ::testing::AssertionSuccess();
}

void CPaintHost::PumpRepaints() {
  vt::PumpPending();
  if (view_) UpdateWindow(view_);
  vt::PumpPending();
}

vt::Image CPaintHost::Capture() {
  PumpRepaints();
  GdiFlush();
  return vt::CaptureWindow(view_);
}

et::ComScope* HostedTest::com_ = nullptr;
CPaintHost* HostedTest::host_ = nullptr;

void HostedTest::SetUpTestSuite() {
  com_ = new et::ComScope;
  host_ = new CPaintHost;
}

void HostedTest::TearDownTestSuite() {
  delete host_;
  host_ = nullptr;
  delete com_;
  com_ = nullptr;
}

bool Near(uint32_t a, uint32_t b, int tolerance) {
  for (int shift : {0, 8, 16}) {
    int delta = static_cast<int>((a >> shift) & 0xff) - static_cast<int>((b >> shift) & 0xff);
    if (delta > tolerance || delta < -tolerance) return false;
  }
  return true;
}

int CountColour(const vt::Image& image, RECT area, uint32_t colour) {
  int count = 0;
  for (int y = std::max<LONG>(0, area.top); y < std::min<LONG>(image.height, area.bottom); ++y)
    for (int x = std::max<LONG>(0, area.left); x < std::min<LONG>(image.width, area.right); ++x)
      count += image.At(x, y) == colour;
  return count;
}

uint32_t System(int index) {
  const COLORREF c = GetSysColor(index);
  return Rgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

int TallestColumnRun(const vt::Image& image, RECT area, uint32_t colour) {
  int tallest = 0;
  for (int x = area.left; x < area.right; ++x) {
    int run = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      run = image.At(x, y) == colour ? run + 1 : 0;
      tallest = std::max(tallest, run);
    }
  }
  return tallest;
}

std::wstring TestSourceFolder() {
  std::string folder = ENGINE_PAINT_SOURCE_DIR;
  std::wstring wide(folder.begin(), folder.end());
  // A Unix path from a cross build reaches the same files through Wine's drive for the root.
  if (!wide.empty() && wide[0] == L'/') wide = L"Z:" + wide;
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  return wide;
}

}  // namespace pt
