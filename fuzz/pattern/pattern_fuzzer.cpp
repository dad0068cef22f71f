// Compiles fuzzed patterns (optionally after a fuzzed definition) and searches fuzzed texts.
// Input layout: definition NUL pattern NUL text; missing parts are empty.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "pattern/rexi_compiler.h"
#include "pattern/rexi_errors.h"
#include "pattern/rexi_position_automaton.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_search.h"
#include "pattern/rexi_subset_table.h"
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

// The subset table of the pattern with its node sets in the given form: the sets, where each goes,
// and the failure if the budget ran out (the sets are then left out).
std::string TableOf(const std::string& pattern, const REXI_Limits& limits, REXI_NodeSetForm form) {
  REXI_ScratchMemory<kRexiScratchBytes> scratch;
  REXI_Compiler compiler(0, limits, scratch.Resource());
  REXI_SubsetTable table(limits, scratch.Resource(), form);
  try {
    table.Build(compiler.ParsePattern(pattern.c_str()), compiler.Sets(), compiler.NewWalkStamp(), compiler.Counts());
  } catch (const REXA_Exception& error) {
    return error.Message();
  }
  std::string description;
  for (size_t set = 0; set < table.SetCount(); ++set) {
    description += table.Accepting(set) ? "A" : "N";
    for (uint32_t member : table.Members(set)) description += std::to_string(member) + ",";
    for (const REXI_SubsetTable::Step& step : table.StepsOf(set))
      description += ";" + std::to_string(step.cls) + ">" + std::to_string(step.target);
    description += "\n";
  }
  return description;
}

// Whether the table built to the given extent matches the whole text ("1" or "0"), or the failure.
std::string WholeMatchOf(const std::string& pattern, const std::string& text, const REXI_Limits& limits,
                         REXI_SubsetExtent extent) {
  REXI_ScratchMemory<kRexiScratchBytes> scratch;
  REXI_Compiler compiler(0, limits, scratch.Resource());
  REXI_SubsetTable table(limits, scratch.Resource(), REXI_NodeSetForm::BySize, extent);
  try {
    table.Build(compiler.ParsePattern(pattern.c_str()), compiler.Sets(), compiler.NewWalkStamp(), compiler.Counts());
  } catch (const REXA_Exception& error) {
    return error.Message();
  }
  return table.AcceptsWhole(text.c_str(), text.size()) ? "1" : "0";
}

// Whether the direct run of the NFA matches the whole text ("1" or "0"), or "" when the pattern is
// left to the subset table; "compile error" when it does not compile.
std::string DirectRunOf(const std::string& pattern, const std::string& text, const REXI_Limits& limits) {
  REXI_ScratchMemory<kRexiScratchBytes> scratch;
  REXI_Compiler compiler(0, limits, scratch.Resource());
  const REXI_NfaNode* start = nullptr;
  try {
    start = compiler.ParsePattern(pattern.c_str());
  } catch (const REXA_Exception&) {
    return "compile error";
  }
  REXI_PositionAutomaton positions;
  if (positions.Build(start, compiler.Sets(), compiler.NewWalkStamp(), limits, scratch.Resource()) !=
      REXI_PositionFit::Built)
    return "";
  return positions.AcceptsWhole(text.c_str(), text.size()) ? "1" : "0";
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
  // Sets made as the text meets them answer, and run out of the budget, as the complete table does.
  if (definition.empty()) {
    const std::string complete = WholeMatchOf(pattern, text, limits, REXI_SubsetExtent::Complete);
    Check(WholeMatchOf(pattern, text, limits, REXI_SubsetExtent::OnDemand) == complete);
    // The direct run is taken only where the complete table stays within the budget, and agrees with it.
    const std::string direct = DirectRunOf(pattern, text, limits);
    if (direct != "" && direct != "compile error") Check(direct == complete);
    if (direct == "compile error") Check(compiled.code != 0);
  }
  if (compiled.code != 0) return 0;

  // Node sets held as bit sets or as lists make the same table.
  if (definition.empty())
    Check(TableOf(pattern, limits, REXI_NodeSetForm::BySize) == TableOf(pattern, limits, REXI_NodeSetForm::AlwaysList));

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
