// A container for painting tests: a top-level window, a client site that answers the document's
// questions the way the control's site does, and the engine's document in-place active in it.
#pragma once

#include <windows.h>
#include <mshtml.h>
#include <mshtmhst.h>

#include <string>

#include "ContainerSite.h"
#include "EngineTestSupport.h"
#include "WindowCapture.h"

namespace pt {

struct HostOptions {
  DWORD hostFlags = DOCHOSTUIFLAG_NO3DBORDER | DOCHOSTUIFLAG_SCROLL_NO;  // what GetHostInfo answers
  int width = 420;                                                       // of the document window
  int height = 300;
};

class CPaintHost {
 public:
  explicit CPaintHost(const HostOptions& options = HostOptions());
  ~CPaintHost();
  CPaintHost(const CPaintHost&) = delete;
  CPaintHost& operator=(const CPaintHost&) = delete;

  // True when the document was created and went in-place active.
  bool Active() const { return view_ != nullptr; }
  // Loads the page, waits for it to complete and for the view to show it.
  ::testing::AssertionResult Load(const std::wstring& html);
  // Lets pending repaints run, then captures what the document window shows.
  vt::Image Capture();
  // Runs the repaints a change asked for (without forcing one).
  void PumpRepaints();

  HWND View() const { return view_; }
  IHTMLDocument2* Document() const { return document_; }
  et::Ptr<IHTMLElement> Element(const wchar_t* id) const { return et::ElementById(document_, id); }

 private:
  HWND frame_ = nullptr;
  HWND view_ = nullptr;
  IHTMLDocument2* document_ = nullptr;
  CContainerSite* site_ = nullptr;
};

// Tests of one suite share one host, since making and closing a top-level window takes Wine a
// while; each test loads its own page.
class HostedTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  static CPaintHost& Host() { return *host_; }

 private:
  static et::ComScope* com_;
  static CPaintHost* host_;
};

// Pixel helpers: colours are 0x00RRGGBB as vt::Image holds them.
inline uint32_t Rgb(int r, int g, int b) { return (static_cast<uint32_t>(r) << 16) | (g << 8) | b; }
bool Near(uint32_t a, uint32_t b, int tolerance);
// A system colour (GetSysColor) in the same form.
uint32_t System(int index);
// How many pixels of the rectangle have exactly that colour.
int CountColour(const vt::Image& image, RECT area, uint32_t colour);
// The tallest run of the colour down one column of the rectangle (a caret is taller than any letter stem).
int TallestColumnRun(const vt::Image& image, RECT area, uint32_t colour);

// Folder of this test's committed files (reference/, data/), in the platform's form.
std::wstring TestSourceFolder();

}  // namespace pt
