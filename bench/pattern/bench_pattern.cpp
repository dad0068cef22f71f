// Pattern engine speed: validation (compile + whole match) per call beside std::regex doing the same
// and beside a search's full compile, and search throughput over 64 MB beside the bare table loop that
// is its ceiling.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "catalogue_patterns.h"
#include "pattern/rexi_search.h"
#include "pattern/validate_pattern_text.h"

namespace {

// The same language in ECMAScript: blanks between tokens dropped, an escaped blank is a blank.
std::string ToEcmaScript(const std::string& pattern) {
  std::string out;
  bool inBrackets = false;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '\\' && i + 1 < pattern.size()) {
      const char escaped = pattern[++i];
      if (escaped == ' ')
        out += ' ';
      else
        out += {'\\', escaped};
      continue;
    }
    if (inBrackets) {
      out += c;
      if (c == ']') inBrackets = false;
      continue;
    }
    if (c == ' ') continue;
    if (c == '[') inBrackets = true;
    out += c;
  }
  return out;
}

void BM_ValidateRexi(benchmark::State& state) {
  const CataloguePattern& entry = kCataloguePatterns[state.range(0)];
  state.SetLabel(std::to_string(entry.stringId) + " \"" + entry.typicalValue + "\"");
  for (auto _ : state) {
    const int32_t valid = ValidatePatternText(entry.typicalValue, entry.pattern, REXI_EmptyText::Validated);
    if (valid != 1) state.SkipWithError("typical value rejected");
    benchmark::DoNotOptimize(valid);
  }
}

// For comparison: the search's compile, which goes on to merge states and build their 256-entry rows,
// then one anchored attempt. Validation makes only the node sets its value reaches.
void BM_CompileSearchAndMatch(benchmark::State& state) {
  const CataloguePattern& entry = kCataloguePatterns[state.range(0)];
  state.SetLabel(std::to_string(entry.stringId) + " \"" + entry.typicalValue + "\"");
  for (auto _ : state) {
    REXI_Search search;
    search.Compile(entry.pattern);
    const char* position = entry.typicalValue;
    const REXI_MatchResult result = search.MatchAt(position);
    if (!result.found) state.SkipWithError("typical value rejected");
    benchmark::DoNotOptimize(result);
  }
}

void BM_ValidateStdRegex(benchmark::State& state) {
  const CataloguePattern& entry = kCataloguePatterns[state.range(0)];
  state.SetLabel(std::to_string(entry.stringId) + " \"" + entry.typicalValue + "\"");
  const std::string ecma = ToEcmaScript(entry.pattern);
  const std::string value = entry.typicalValue;
  for (auto _ : state) {
    const std::regex compiled(ecma, std::regex::ECMAScript);
    const bool valid = std::regex_match(value, compiled);
    if (!valid) state.SkipWithError("typical value rejected");
    benchmark::DoNotOptimize(valid);
  }
}

constexpr size_t kBufferSize = 64u << 20;

// Style-sheet-like text: lengths, keywords and words, separated by blanks and semicolons.
const std::string& SearchBuffer() {
  static const std::string kBuffer = [] {
    const char* words[] = {"auto", "100px", "70%", "5.2cm", "width", "height:", "12", "x", ";", "solid", "0.5em"};
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, std::size(words) - 1);
    std::string text;
    text.reserve(kBufferSize + 16);
    while (text.size() < kBufferSize) {
      text += words[pick(random)];
      text += ' ';
    }
    text.resize(kBufferSize);
    return text;
  }();
  return kBuffer;
}

const char* ThroughputPattern(int64_t which) { return which == 0 ? kCataloguePatterns[2].pattern : "[0-9]+(px|em)"; }

void BM_FindThroughput(benchmark::State& state) {
  REXI_Search search;
  search.Compile(ThroughputPattern(state.range(0)));
  const std::string& buffer = SearchBuffer();
  int64_t matches = 0;
  for (auto _ : state) {
    const char* position = buffer.c_str();
    for (;;) {
      const REXI_MatchResult result = search.Find(position);
      if (!result.found || result.atEnd) break;
      ++matches;
      if (result.length == 0) ++position;
    }
    benchmark::DoNotOptimize(position);
  }
  state.SetLabel(ThroughputPattern(state.range(0)));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(buffer.size()));
  state.counters["matches"] =
      benchmark::Counter(static_cast<double>(matches) / static_cast<double>(state.iterations()));
}

// The compiled DFA as a dense table of state indexes: the data layout of the ceiling loop.
std::vector<std::array<uint32_t, 256>> DenseTable(const REXI_DfaState* start) {
  std::map<const REXI_DfaState*, uint32_t> index{{start, 0}};
  std::vector<const REXI_DfaState*> order{start};
  for (size_t i = 0; i < order.size(); ++i)
    for (const REXI_DfaState* link : order[i]->links)
      if (index.emplace(link, static_cast<uint32_t>(order.size())).second) order.push_back(link);
  std::vector<std::array<uint32_t, 256>> table(order.size());
  for (size_t i = 0; i < order.size(); ++i)
    for (int c = 0; c < 256; ++c) table[i][c] = index.at(order[i]->links[c]);
  return table;
}

void BM_BareTableLoop(benchmark::State& state) {
  REXI_Search search;
  search.Compile(ThroughputPattern(state.range(0)));
  const std::vector<std::array<uint32_t, 256>> table = DenseTable(search.StartState());
  const std::string& buffer = SearchBuffer();
  const auto* bytes = reinterpret_cast<const unsigned char*>(buffer.data());
  for (auto _ : state) {
    uint32_t current = 0;
    for (size_t i = 0; i < buffer.size(); ++i) current = table[current][bytes[i]];
    benchmark::DoNotOptimize(current);
  }
  state.SetLabel(ThroughputPattern(state.range(0)));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(buffer.size()));
}

}  // namespace

BENCHMARK(BM_ValidateRexi)->DenseRange(0, std::size(kCataloguePatterns) - 1);
BENCHMARK(BM_ValidateStdRegex)->DenseRange(0, std::size(kCataloguePatterns) - 1);
BENCHMARK(BM_CompileSearchAndMatch)->DenseRange(0, std::size(kCataloguePatterns) - 1);
BENCHMARK(BM_FindThroughput)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareTableLoop)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
