#include "pattern/validate_pattern_text.h"

#include <cstring>

#include "pattern/rexi_compiler.h"
#include "pattern/rexi_errors.h"
#include "pattern/rexi_position_automaton.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_subset_table.h"

// The pattern is compiled as a search compiles it, with the same budgets and so the same failures, as
// far as its subset table. That table alone decides whether the whole text is in the pattern's
// language, which is exactly when the search's longest match from the first character covers the
// text (a match found at a later start is always shorter). Merging the sets into states and spreading
// them over 256-entry rows pays off only over long searches, so a validation skips both. A small NFA
// is run directly, its edges as the bits of a word; a larger one makes only the sets its text reaches,
// unless the budget could run out. Everything built stays in scratch memory on the stack.
int32_t ValidatePatternText(const char* trimmedText, size_t length, const char* pattern, REXI_EmptyText emptyText) {
  if (trimmedText == nullptr) {
    trimmedText = "";
    length = 0;
  }
  if (length == 0 && emptyText == REXI_EmptyText::Accepted) return 1;
  const REXI_Limits limits;
  REXI_ScratchMemory<kRexiScratchBytes> scratch;
  REXI_Compiler compiler(0, limits, scratch.Resource());
  const REXI_NfaNode* nfa = nullptr;
  try {
    nfa = compiler.ParsePattern(pattern != nullptr ? pattern : "");
  } catch (const REXA_Exception&) {
    return 0;
  }
  {
    REXI_PositionAutomaton positions;
    if (positions.Build(nfa, compiler.Sets(), compiler.NewWalkStamp(), limits, scratch.Resource()) ==
        REXI_PositionFit::Built)
      return positions.AcceptsWhole(trimmedText, length) ? 1 : 0;
  }
  REXI_SubsetTable subsets(limits, scratch.Resource(), REXI_NodeSetForm::BySize, REXI_SubsetExtent::OnDemand);
  try {
    subsets.Build(nfa, compiler.Sets(), compiler.NewWalkStamp(), compiler.Counts());
  } catch (const REXA_Exception&) {
    return 0;
  }
  return subsets.AcceptsWhole(trimmedText, length) ? 1 : 0;
}

int32_t ValidatePatternText(const char* trimmedText, const char* pattern, REXI_EmptyText emptyText) {
  return ValidatePatternText(trimmedText, trimmedText != nullptr ? std::strlen(trimmedText) : 0, pattern, emptyText);
}
