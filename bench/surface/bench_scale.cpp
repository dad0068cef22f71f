// Timed harness (Windows, under Wine): the user's edits on large forms, each timed end to end as a host
// sees it (the message or gesture, the undo snapshot, the notifications, and every window of the control
// painted again), side by side at 1,000, 3,000 and 10,000 elements, with the load of the form and a drag
// of the form's frame. Prints medians in milliseconds; it is not a test.
//
// The baseline column is the same run in a child process with VELLUM_FULL_RELAYOUT set, where the
// engine keeps no styles, every change lays out and repaints the whole page and every undo or redo reads
// its snapshot back whole.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
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

constexpr int kColumns = 50;  // labels per row, 20 x 10 each on a 24 x 14 grid
constexpr bench_surface::LabelGrid kGrid = {kColumns, 24, 14};

double Now() { return vt::NowSeconds(); }

POINT CellOrigin(int i) { return kGrid.CellOrigin(i); }

std::string Form(int elements) {
  const int rows = (elements + kColumns - 1) / kColumns;
  return kGrid.Form(elements, 1220, rows * 14 + 10);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The edit, then every window of the control painted: what the user waits for.
double Timed(HWND control, const std::function<void()>& edit) {
  const double t0 = Now();
  edit();
  RedrawWindow(control, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  vt::PumpPending();
  return (Now() - t0) * 1000;
}

// count elements spread over the form, starting at the cell first (each round its own: a deleted
// element leaves its cell empty).
void Select(CVlmUIWin* surface, int count, int total, int first) {
  surface->ClearSelection();
  const int stride = std::max(1, total / count);
  for (int n = 0; n < count; ++n) {
    const POINT at = CellOrigin((first + n * stride) % total);
    surface->SelectElementAt(at.x + 10, at.y + 5, 0, 0);
  }
}

using Figures = std::vector<std::pair<std::string, double>>;

Figures Measure(HWND parent, int elements) {
  Figures figures;
  HWND hwnd = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent,
                              reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
  CVellum* control = Module_FindControl(hwnd);
  if (!control) return figures;
  vt::PumpUntil([&] { return control->CompletedLoads() >= 1; }, 10000);
  SendMessageW(hwnd, VLM_SETDESIGNMODE, 1, 0);
  const std::string form = Form(elements);
  const double loadStart = Now();
  SendMessageW(hwnd, VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(form.c_str()));
  vt::PumpUntil([&] { return control->CompletedLoads() >= 2; }, 120000);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const double loadMs = (Now() - loadStart) * 1000;
  CVlmUIWin* surface = control->Surface();
  if (!surface) return figures;
  const int rounds = elements > 5000 ? 3 : 7;
  auto key = [&](WPARAM vk) {
    SendMessageW(hwnd, WM_KEYDOWN, vk, 1);
    SendMessageW(hwnd, WM_KEYUP, vk, 0xC0000001);
  };
  // Each round selects from its own first cell; first cells far from those earlier edits moved. What
  // leads up to the edit (a drag's press and moves) is shown before the edit is timed.
  auto run = [&](const char* name, int selected, const std::function<void(int)>& edit, int base = 0,
                 const std::function<void(int)>& before = nullptr) {
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
      if (selected > 0) Select(surface, selected, elements, base + 2 * round);
      if (before) {
        before(round);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        vt::PumpPending();
      }
      times.push_back(Timed(hwnd, [&] { edit(round); }));
    }
    figures.emplace_back(name, Median(times));
  };
  figures.emplace_back("load until painted", loadMs);
  run("nudge 1 (arrow key)", 1, [&](int round) { key(round % 2 ? VK_LEFT : VK_RIGHT); });
  run("nudge 100", 100, [&](int round) { key(round % 2 ? VK_LEFT : VK_RIGHT); });
  // The release of the mouse button ends the drag: the elements are written and the snapshot taken.
  auto press = [&](int round) {
    surface->BeginMove(600, 300);
    surface->MoveStep(600 + (round % 2 ? -3 : 3), 300);
  };
  auto release = [&](int round) {
    SendMessageW(surface->GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(600 + (round % 2 ? -3 : 3), 300));
  };
  run("finish a drag of 1", 1, release, 0, press);
  run("finish a drag of 100", 100, release, 0, press);
  run("align lefts of 100", 100, [&](int) { SendMessageW(hwnd, VLM_ALIGNLEFTS, 0, 0); });
  run("insert a label (centred)", 0, [&](int) {
    SendMessageW(hwnd, VLM_BEGININSERT, VLM_KIND_LABEL, 0);
    SendMessageW(hwnd, VLM_INSERTCENTERED, VLM_KIND_LABEL, 0);
  });
  run(
      "delete one", 1, [&](int) { SendMessageW(hwnd, VLM_DELETESELECTION, 0, 0); }, elements / 2 + 17);
  // Undo and redo of a one-element move: a step that reads its snapshot back completes through the
  // message loop.
  std::vector<double> undos, redos;
  auto step = [&](UINT message) {
    const UINT steps = control->CompletedHistorySteps();
    return Timed(hwnd, [&] {
      SendMessageW(hwnd, message, 0, 0);
      vt::PumpUntil([&] { return control->CompletedHistorySteps() > steps; }, 60000);
    });
  };
  for (int round = 0; round < rounds; ++round) {
    Select(surface, 1, elements, elements / 2 + 41 + 2 * round);
    key(VK_RIGHT);
    undos.push_back(step(VLM_UNDO));
    redos.push_back(step(VLM_REDO));
  }
  figures.emplace_back("undo of a one-element move", Median(undos));
  figures.emplace_back("redo of it", Median(redos));
  // The form's frame dragged: each size is a snapshot of its own. Up to 3,000 elements the drag goes
  // through 200 sizes, and what the history holds for their snapshots is told beside their texts.
  std::vector<double> sizes;
  RECT box;
  GetWindowRect(hwnd, &box);
  const int width = box.right - box.left, height = box.bottom - box.top;
  const CUndoHistory& history = control->UndoHistory();
  const std::size_t heldBefore = history.StoredBytes(), textBefore = history.TextBytes();
  const int frameSizes = elements > 5000 ? 40 : 200;
  for (int step = 1; step <= frameSizes; ++step)
    sizes.push_back(
        Timed(hwnd, [&] { SetWindowPos(hwnd, nullptr, 0, 0, width + step, height, SWP_NOMOVE | SWP_NOZORDER); }));
  figures.emplace_back("frame drag, each size", Median(sizes));
  figures.emplace_back("frame drag: sizes", frameSizes);
  figures.emplace_back("frame drag: bytes held", static_cast<double>(history.StoredBytes()) - static_cast<double>(heldBefore));
  figures.emplace_back("frame drag: bytes of text", static_cast<double>(history.TextBytes()) - static_cast<double>(textBefore));
  figures.emplace_back("history: snapshots", history.Count());
  figures.emplace_back("history: bytes held", static_cast<double>(history.StoredBytes()));
  figures.emplace_back("history: bytes of text", static_cast<double>(history.TextBytes()));
  DestroyWindow(hwnd);
  vt::PumpPending();
  return figures;
}

constexpr const char* kChildSwitch = "--figures";

// The baseline: this program again, with the engine told to keep no styles, printing bare figures.
Figures MeasureBaseline(int elements) {
  Figures figures;
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" " + kChildSwitch + " " + std::to_string(elements);
  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return figures;
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = writeEnd;
  startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION process = {};
  SetEnvironmentVariableA("VELLUM_FULL_RELAYOUT", "1");
  const BOOL started =
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
  SetEnvironmentVariableA("VELLUM_FULL_RELAYOUT", nullptr);
  CloseHandle(writeEnd);
  std::string output;
  char chunk[4096];
  DWORD got = 0;
  while (started && ReadFile(readEnd, chunk, sizeof(chunk), &got, nullptr) && got > 0) output.append(chunk, got);
  CloseHandle(readEnd);
  if (!started) return figures;
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  // One "name<TAB>value" line per figure.
  for (std::size_t at = 0; at < output.size();) {
    std::size_t end = output.find('\n', at);
    if (end == std::string::npos) end = output.size();
    const std::string line = output.substr(at, end - at);
    if (const std::size_t tab = line.find('\t'); tab != std::string::npos)
      figures.emplace_back(line.substr(0, tab), atof(line.c_str() + tab + 1));
    at = end + 1;
  }
  return figures;
}

double FigureOf(const Figures& figures, const std::string& name) {
  for (const auto& [key, value] : figures)
    if (key == name) return value;
  return 0;
}

}  // namespace

// Element counts may be given on the command line (bench_scale 3000); by default 1,000, 3,000 and 10,000.
int main(int argc, char** argv) {
  const bool child = argc > 1 && std::string(argv[1]) == kChildSwitch;
  std::vector<int> counts;
  for (int i = child ? 2 : 1; i < argc; ++i)
    if (const int n = atoi(argv[i]); n > 0) counts.push_back(n);
  if (counts.empty()) counts = {1000, 3000, 10000};
  std::vector<std::pair<int, Figures>> baseline;
  if (!child)
    for (int elements : counts) baseline.emplace_back(elements, MeasureBaseline(elements));
  OleInitialize(nullptr);
  Module_RegisterClass(GetModuleHandleW(nullptr));
  {
    vt::RecordingParent parent(1300, 1000);
    if (!child)
      printf("End-to-end edits on large forms (Wine), medians in ms; baseline: each change laid out and painted whole\n");
    for (std::size_t n = 0; n < counts.size(); ++n) {
      const Figures figures = Measure(parent.Hwnd(), counts[n]);
      if (child) {
        for (const auto& [name, value] : figures) printf("%s\t%.3f\n", name.c_str(), value);
        continue;
      }
      printf("\n%d elements %25s %9s %9s\n", counts[n], "", "baseline", "now");
      for (const auto& [name, value] : figures) {
        const double before = FigureOf(baseline[n].second, name);
        if (name.rfind("history", 0) == 0 || name.rfind("frame drag:", 0) == 0)
          printf("  %-34s %9.0f %9.0f\n", name.c_str(), before, value);
        else
          printf("  %-34s %9.1f %9.1f\n", name.c_str(), before, value);
      }
    }
  }
  fflush(stdout);
  Module_Shutdown();
  OleUninitialize();
  return 0;
}
