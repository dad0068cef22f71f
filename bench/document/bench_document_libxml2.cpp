// The comparison for the editor's VLM_GETCODE: libxml2's HTML serializer (htmlDocDumpMemory) on the
// same generated forms, native.
#include <benchmark/benchmark.h>
#include <algorithm>
#include <vector>
#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>

#include "FormSource.h"

namespace {

void BM_HtmlDocDumpMemory(benchmark::State& state) {
  const std::string form = bench_document::GeneratedForm(static_cast<int>(state.range(0)));
  htmlDocPtr doc = htmlReadMemory(form.data(), static_cast<int>(form.size()), nullptr, "windows-1252",
                                  HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
  int bytes = 0;
  for (auto _ : state) {
    xmlChar* text = nullptr;
    htmlDocDumpMemory(doc, &text, &bytes);
    benchmark::DoNotOptimize(text);
    xmlFree(text);
  }
  state.counters["bytes"] = bytes;
  xmlFreeDoc(doc);
}
// Seven repetitions: the median and the best, as the Wine harness reports VLM_GETCODE.
BENCHMARK(BM_HtmlDocDumpMemory)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(0.2)
    ->Repetitions(7)
    ->ReportAggregatesOnly(true)
    ->ComputeStatistics("best", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); });

}  // namespace

BENCHMARK_MAIN();
