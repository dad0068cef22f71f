// Timed harness (Windows, under Wine): the design surface's drag step (every rectangle asked, trackers
// removed and drawn again) and ApplySelection (styles written, undo snapshot, notification, redraw) with
// 1, 10 and 100 selected elements on a form of 1,000 elements. Prints the figures; it is not a test.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Clock.h"
#include "LabelGrid.h"
#include "MessagePump.h"
#include "RecordingParent.h"
#include "control/Module.h"
#include "control/Vellum.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

constexpr int kColumns = 40, kRows = 25;  // 1,000 labels, 20 x 10 each, on a 1000 x 800 form
constexpr bench_surface::LabelGrid kGrid = {kColumns, 24, 30};

double Now() { return vt::NowSeconds(); }

POINT CellOrigin(int i) { return kGrid.CellOrigin(i); }

std::string Form() { return kGrid.Form(kColumns * kRows, 1000, 800); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void Measure(HWND hwnd, CVellum* control, int selected) {
  CVlmUIWin* surface = control->Surface();
  surface->ClearSelection();
  // Spread the selection over the form: every (1000 / selected)-th element.
  const int stride = kColumns * kRows / selected;
  for (int n = 0; n < selected; ++n) {
    const POINT at = CellOrigin(n * stride);
    surface->SelectElementAt(at.x + 10, at.y + 5, 0, 0);
  }
  surface->Redraw();
  std::vector<double> steps, applies;
  for (int round = 0; round < 5; ++round) {
    if (!surface->BeginMove(500, 400)) {
      printf("  could not begin a move\n");
      return;
    }
    for (int i = 1; i <= 40; ++i) {
      const int x = 500 + (i % 2);  // back and forth by one pixel: every step is allowed
      const double t0 = Now();
      surface->MoveStep(x, 400);
      steps.push_back((Now() - t0) * 1000);
    }
    surface->EndMove(500, 400);
    const double t0 = Now();
    surface->ApplySelection();
    applies.push_back((Now() - t0) * 1000);
  }
  printf("  %3d selected (%zu listed): drag step %.3f ms, ApplySelection %.2f ms (median)\n", selected,
         surface->Selection().size(), Median(steps), Median(applies));
}

// One element nudged with the arrow key again and again, as a user lines it up: what each nudge costs
// and what the undo history holds for the snapshots it took.
void MeasureNudges(HWND hwnd, CVellum* control, int nudges) {
  CVlmUIWin* surface = control->Surface();
  surface->ClearSelection();
  const POINT at = CellOrigin(kColumns * kRows / 2);
  surface->SelectElementAt(at.x + 10, at.y + 5, 0, 0);
  std::vector<double> times;
  for (int i = 0; i < nudges; ++i) {
    const WPARAM key = i % 2 ? VK_LEFT : VK_RIGHT;
    const double t0 = Now();
    SendMessageW(hwnd, WM_KEYDOWN, key, 1);
    SendMessageW(hwnd, WM_KEYUP, key, 0xC0000001);
    times.push_back((Now() - t0) * 1000);
  }
  const CUndoHistory& history = control->UndoHistory();
  printf(
      "  %d nudges of one element: %.2f ms each (median); the history holds %zu bytes for %d snapshots of\n"
      "  %zu bytes in all (%.2f %%)\n",
      nudges, Median(times), history.StoredBytes(), history.Count(), history.TextBytes(),
      history.TextBytes()
          ? 100.0 * static_cast<double>(history.StoredBytes()) / static_cast<double>(history.TextBytes())
          : 0.0);
}

}  // namespace

int main() {
  OleInitialize(nullptr);
  Module_RegisterClass(GetModuleHandleW(nullptr));
  {
    vt::RecordingParent parent(1100, 900);
    HWND hwnd = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent.Hwnd(),
                                reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
    CVellum* control = Module_FindControl(hwnd);
    if (!control) return 1;
    vt::PumpUntil([&] { return control->CompletedLoads() >= 1; }, 10000);
    SendMessageW(hwnd, VLM_SETDESIGNMODE, 1, 0);
    const std::string form = Form();
    SendMessageW(hwnd, VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(form.c_str()));
    vt::PumpUntil([&] { return control->CompletedLoads() >= 2; }, 60000);
    vt::PumpFor(200);
    printf("Design surface on a form of %d elements:\n", kColumns * kRows);
    for (int selected : {1, 10, 100}) Measure(hwnd, control, selected);
    MeasureNudges(hwnd, control, 200);
    DestroyWindow(hwnd);
    vt::PumpPending();
  }
  Module_Shutdown();
  OleUninitialize();
  return 0;
}
