// Compiles fuzzed patterns (optionally after a fuzzed definition) and searches fuzzed texts.
// Input layout: definition NUL pattern NUL text; missing parts are empty.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "pattern/rexi_search.h"
#include "pattern/validate_pattern_text.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// Walks the text with repeated Finds, as a caller looking for every match would.
void FindEveryMatch(REXI_Search& search, const std::string& text) {
  const char* const begin = text.c_str();
  const char* const end = begin + text.size();
  const char* position = begin;
  for (;;) {
    const char* from = position;
    const REXI_MatchResult result = search.Find(position);
    Check(position >= from && position <= end && result.length >= 0 && position - result.length >= from);
    Check(result.atEnd == (position == end));
    if (!result.found || result.atEnd) return;
    if (result.length == 0) ++position;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string parts[3];
  size_t part = 0;
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      if (++part == 3) break;
      continue;
    }
    parts[part] += static_cast<char>(data[i]);
  }
  const std::string& definition = parts[0];
  const std::string& pattern = parts[1];
  const std::string& text = parts[2];

  // Budgets a tenth of the product's: inputs that run into them are common and cheap to reject, so the
  // fuzzer spends its time on many patterns rather than on a few huge automata.
  REXI_Limits limits;
  limits.maxNfaNodes = 2000;
  limits.maxNfaEdges = 20000;
  limits.maxNfaWalkSteps = 2000000;
  limits.maxDfaStates = 1000;
  limits.maxSubsetEntries = 400000;
  limits.maxSubsetSteps = 5000000;
  REXI_Search search(0, limits);
  if (!definition.empty()) {
    const REXI_CompileResult added = search.AddDefinition("$d", definition.c_str());
    Check(added.code >= 0 && added.code <= 2 && added.position >= 0);
  }
  const REXI_CompileResult compiled = search.Compile(pattern.c_str());
  Check(compiled.code == 0 || compiled.code == 2);
  Check(compiled.position >= 0 && compiled.position <= static_cast<int32_t>(pattern.size()));
  if (compiled.code != 0) return 0;

  FindEveryMatch(search, text);

  // The validation's single anchored attempt must decide as a full search from the start would.
  const char* anchored = text.c_str();
  const REXI_MatchResult first = search.MatchAt(anchored);
  const char* searched = text.c_str();
  const REXI_MatchResult found = search.Find(searched);
  const bool wholeByAttempt = first.found && static_cast<size_t>(first.length) == text.size();
  const bool wholeBySearch = found.found && static_cast<size_t>(found.length) == text.size();
  Check(wholeByAttempt == wholeBySearch);
  // The validation compiles with the product's budgets, which this pattern is within.
  if (definition.empty())
    Check(ValidatePatternText(text.c_str(), pattern.c_str(), REXI_EmptyText::Validated) == (wholeByAttempt ? 1 : 0));
  return 0;
}
