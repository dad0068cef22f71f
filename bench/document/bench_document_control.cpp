// Timed harness (Windows, under Wine): VLM_GETCODE and the full cost of an insertion (template, markup
// into the engine, undo snapshot, notifications), alone and followed by the host's VLM_GETCODE for the
// size and the text, on forms of 100, 1,000 and 10,000 elements. Prints the figures; it is not a test.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "FormSource.h"
#include "Clock.h"
#include "MessagePump.h"
#include "RecordingParent.h"
#include "control/Module.h"
#include "control/Vellum.h"
#include "vellum.h"

namespace {

double Now() { return vt::NowSeconds(); }

struct Figures {
  int elements;
  size_t bytes;
  double firstCallMs;  // the first VLM_GETCODE after the load
  double sizeCallMs;   // VLM_GETCODE with a null buffer (one serialisation)
  double bestSizeCallMs;
  double copyCallMs;        // VLM_GETCODE with a buffer (one serialisation and the copy)
  double insertMs;          // arm, insert at a rectangle (template, engine, snapshot, notifications)
  double insertAndGetMs;    // the same, then VLM_GETCODE for the size and for the text
  double writingsPerRound;  // times the document was written out for one such round
};

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// keepText false drops the kept text before each VLM_GETCODE of the rounds, as the control did before it
// kept one: every call then writes the document.
Figures Measure(HWND parent, int elements, int repetitions, bool keepText) {
  Figures f = {elements, 0, 0, 0, 0, 0, 0, 0, 0};
  HWND hwnd = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, parent,
                              reinterpret_cast<HMENU>(7), GetModuleHandleW(nullptr), nullptr);
  CVellum* control = Module_FindControl(hwnd);
  if (!control) return f;
  vt::PumpUntil([&] { return control->CompletedLoads() >= 1; }, 10000);
  const std::string form = bench_document::GeneratedForm(elements);
  SendMessageW(hwnd, VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(form.c_str()));
  vt::PumpUntil([&] { return control->CompletedLoads() >= 2; }, 60000);

  // The first text after a load also builds what the engine keeps for later reads (style texts): it is
  // reported on its own. The others are timed as Google Benchmark times libxml2: batches of calls
  // lasting about a fifth of a second each, seven of them; the median and the best batch mean.
  std::vector<char> buffer;
  {
    control->ForgetWrittenText();  // the load's snapshot kept its text: this call is to write it
    double t0 = Now();
    f.bytes = static_cast<size_t>(SendMessageW(hwnd, VLM_GETCODE, 0, 0));
    f.firstCallMs = (Now() - t0) * 1000;
  }
  buffer.resize(f.bytes + 1);
  const int callsPerBatch = std::max(5, static_cast<int>(200.0 / std::max(f.firstCallMs, 0.01)));
  std::vector<double> sizeBatches, copyBatches, inserts;
  for (int batch = 0; batch < 7; ++batch) {
    double sizeTime = 0, copyTime = 0;
    for (int call = 0; call < callsPerBatch; ++call) {
      // Each call writes the document: the text kept from the last one is dropped first.
      control->ForgetWrittenText();
      double t0 = Now();
      SendMessageW(hwnd, VLM_GETCODE, 0, 0);
      double t1 = Now();
      control->ForgetWrittenText();
      double t1b = Now();
      SendMessageW(hwnd, VLM_GETCODE, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
      double t2 = Now();
      sizeTime += t1 - t0;
      copyTime += t2 - t1b;
    }
    sizeBatches.push_back(sizeTime * 1000 / callsPerBatch);
    copyBatches.push_back(copyTime * 1000 / callsPerBatch);
  }
  f.sizeCallMs = Median(sizeBatches);
  f.copyCallMs = Median(copyBatches);
  f.bestSizeCallMs = *std::min_element(sizeBatches.begin(), sizeBatches.end());

  for (int r = 0; r < repetitions; ++r) {
    const int top = 10 + (r % 10) * 25;
    double t0 = Now();
    SendMessageW(hwnd, VLM_BEGININSERT, VLM_KIND_TEXTBOX, 0);
    control->InsertElementAt({600, top, 665, top + 20}, 0);
    inserts.push_back((Now() - t0) * 1000);
  }
  f.insertMs = Median(inserts);

  // What a host does after each insertion: the size of the text, then the text.
  std::vector<double> rounds;
  const UINT writtenBefore = control->Serialisations();
  for (int r = 0; r < repetitions; ++r) {
    const int top = 10 + (r % 10) * 25;
    double t0 = Now();
    SendMessageW(hwnd, VLM_BEGININSERT, VLM_KIND_TEXTBOX, 0);
    control->InsertElementAt({680, top, 745, top + 20}, 0);
    if (!keepText) control->ForgetWrittenText();
    const LRESULT size = SendMessageW(hwnd, VLM_GETCODE, 0, 0);
    buffer.resize(static_cast<size_t>(std::max<LRESULT>(size, 0)) + 1);
    if (!keepText) control->ForgetWrittenText();
    SendMessageW(hwnd, VLM_GETCODE, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    rounds.push_back((Now() - t0) * 1000);
  }
  f.insertAndGetMs = Median(rounds);
  f.writingsPerRound = repetitions > 0 ? double(control->Serialisations() - writtenBefore) / repetitions : 0;
  DestroyWindow(hwnd);
  vt::PumpPending();
  return f;
}

}  // namespace

// With an argument "repeat", only the 10,000-element figures are measured, many times over (for a profiler);
// with "unkept", every VLM_GETCODE after an insertion writes the document again (the figures before the
// control kept its last text).
int main(int argc, char** argv) {
  const bool repeat = argc > 1 && std::string(argv[1]) == "repeat";
  const bool keepText = !(argc > 1 && std::string(argv[1]) == "unkept");
  OleInitialize(nullptr);
  Module_RegisterClass(GetModuleHandleW(nullptr));
  {
    vt::RecordingParent parent(800, 600);
    vt::PumpFor(50);
    std::printf("VLM_GETCODE and insertion on a form of N elements (Wine, %s)\n",
#ifdef NDEBUG
                "optimised"
#else
                "unoptimised"
#endif
    );
    std::printf("%8s %12s %10s %18s %10s %18s %14s %24s %10s\n", "N", "bytes", "first ms", "GETCODE size ms", "(best)",
                "GETCODE copy ms", "insertion ms", "insertion+size+text ms", "writings");
    std::vector<Figures> all;
    const std::vector<int> sizes = repeat ? std::vector<int>{10000} : std::vector<int>{100, 1000, 10000};
    for (int n : sizes) {
      Figures f = Measure(parent.Hwnd(), n, repeat ? 51 : n >= 10000 ? 9 : 31, keepText);
      parent.Clear();
      all.push_back(f);
      std::printf("%8d %12zu %10.3f %18.3f %10.3f %18.3f %14.3f %24.3f %10.2f\n", f.elements, f.bytes, f.firstCallMs,
                  f.sizeCallMs, f.bestSizeCallMs, f.copyCallMs, f.insertMs, f.insertAndGetMs, f.writingsPerRound);
    }
    if (all.size() == 3 && all[1].sizeCallMs > 0 && all[1].insertMs > 0)
      std::printf("ratio 10,000 / 1,000: GETCODE %.2f, insertion %.2f (linear growth: about 10)\n",
                  all[2].sizeCallMs / all[1].sizeCallMs, all[2].insertMs / all[1].insertMs);
  }
  Module_Shutdown();
  OleUninitialize();
  return 0;
}
