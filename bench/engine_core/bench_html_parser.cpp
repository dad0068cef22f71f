// Parse throughput (MB/s of UTF-8 input, decoding included) on a generated form of 10,000
// absolutely positioned elements and on a 5 MB text-heavy document, with gumbo on the same bytes
// in the same run when it is available. The ratio printed at the end is gumbo time / our time
// (above 0.5 means within 2x of gumbo).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "dom/document.h"
#include "parser/html_parser.h"
#include "encoding/utf.h"

#ifdef VELLUM_BENCH_WITH_GUMBO
#include <gumbo.h>
#endif

namespace {

using namespace vellum::engine;

std::string FormDocument(int elements) {
  std::string html =
      "<!DOCTYPE html>\n<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"
      "<title>Generated form</title><style>body { margin: 0 } .field { font-family: Arial }</style></head>\n"
      "<body width=\"800\" height=\"600\">\n";
  for (int i = 0; i < elements; ++i) {
    std::string n = std::to_string(i);
    std::string pos = "position: absolute; left: " + std::to_string(10 + (i * 37) % 700) +
                      "px; top: " + std::to_string(10 + (i * 13) % 5000) +
                      "px; width: 120px; height: 22px; z-index: " + n;
    switch (i % 8) {
      case 0:
        html += "<span id=\"label" + n + "\" style=\"" + pos + "\">Label &amp; caption " + n + "</span>\n";
        break;
      case 1:
        html += "<input id=\"textbox" + n + "\" type=\"text\" style=\"" + pos + "\" value=\"text " + n + "\">\n";
        break;
      case 2:
        html += "<input id=\"button" + n + "\" type=\"button\" style=\"" + pos + "\" value=\"Press\">\n";
        break;
      case 3:
        html += "<input id=\"check" + n + "\" type=\"checkbox\" style=\"" + pos + "\" checked>\n";
        break;
      case 4:
        html += "<select id=\"list" + n + "\" size=\"3\" style=\"" + pos +
                "\"><option value=\"1\" selected>One</option><option value=\"2\">Two</option></select>\n";
        break;
      case 5:
        html += "<textarea id=\"area" + n + "\" style=\"" + pos + "\">Line one\nLine two</textarea>\n";
        break;
      case 6:
        html += "<fieldset id=\"frame" + n + "\" style=\"" + pos + "\"><legend>Frame " + n + "</legend></fieldset>\n";
        break;
      default:
        html += "<img id=\"image" + n + "\" src=\"pic" + n + ".png\" style=\"" + pos + "\">\n";
        break;
    }
  }
  html += "</body></html>\n";
  return html;
}

std::string TextDocument(size_t bytes) {
  static const char* const kWords[] = {"lorem",  "ipsum", "dolor",  "sit",     "amet",   "consectetur", "adipiscing",
                                       "elit",   "sed",   "do",     "eiusmod", "tempor", "incididunt",  "ut",
                                       "labore", "et",    "dolore", "magna",   "aliqua", "caf\xC3\xA9", "na\xC3\xAFve"};
  std::string html = "<!DOCTYPE html><html><head><title>Text</title></head><body>\n";
  unsigned seed = 12345;
  while (html.size() < bytes) {
    html += "<h2>Section</h2>\n<p>";
    for (int w = 0; w < 120; ++w) {
      seed = seed * 1103515245 + 12345;
      const char* word = kWords[(seed >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
      if (w % 29 == 7)
        html += "<b>" + std::string(word) + "</b> ";
      else if (w % 41 == 3)
        html += "<a href=\"#s" + std::to_string(w) + "\">" + word + "</a> ";
      else if (w % 53 == 5)
        html += std::string(word) + " &amp; ";
      else
        html += std::string(word) + " ";
    }
    html += "</p>\n";
  }
  html += "</body></html>\n";
  return html;
}

const std::string& FormInput() {
  static const std::string kForm = FormDocument(10000);
  return kForm;
}
const std::string& TextInput() {
  static const std::string kText = TextDocument(5 * 1024 * 1024);
  return kText;
}

void ParseWithVellum(benchmark::State& state, const std::string& input) {
  for (auto _ : state) {
    std::u16string text;
    encoding::DecodeUtf8(input, text);
    RefPtr<Document> document = ParseDocument(text);
    benchmark::DoNotOptimize(document.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}

void BM_Vellum_Form(benchmark::State& state) { ParseWithVellum(state, FormInput()); }
void BM_Vellum_Text(benchmark::State& state) { ParseWithVellum(state, TextInput()); }
BENCHMARK(BM_Vellum_Form)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Vellum_Text)->Unit(benchmark::kMillisecond);

#ifdef VELLUM_BENCH_WITH_GUMBO
void ParseWithGumbo(benchmark::State& state, const std::string& input) {
  for (auto _ : state) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, input.data(), input.size());
    benchmark::DoNotOptimize(output);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.size()));
}
void BM_Gumbo_Form(benchmark::State& state) { ParseWithGumbo(state, FormInput()); }
void BM_Gumbo_Text(benchmark::State& state) { ParseWithGumbo(state, TextInput()); }
BENCHMARK(BM_Gumbo_Form)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gumbo_Text)->Unit(benchmark::kMillisecond);
#endif

// Keeps each run's throughput so that the ratios can be printed after the table.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> bytesPerSecond;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      auto it = run.counters.find("bytes_per_second");
      if (it != run.counters.end()) bytesPerSecond[run.benchmark_name()] = it->second;
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  std::printf("inputs: form %.2f MB (10,000 elements), text %.2f MB\n", FormInput().size() / 1048576.0,
              TextInput().size() / 1048576.0);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const char* doc : {"Form", "Text"}) {
    double ours = reporter.bytesPerSecond[std::string("BM_Vellum_") + doc];
    double gumbo = reporter.bytesPerSecond[std::string("BM_Gumbo_") + doc];
    if (ours > 0 && gumbo > 0)
      std::printf("%s: vellum %.1f MB/s, gumbo %.1f MB/s, speed ratio vellum/gumbo %.2f (goal: at least 0.50)\n", doc,
                  ours / 1048576.0, gumbo / 1048576.0, ours / gumbo);
  }
  benchmark::Shutdown();
  return 0;
}
