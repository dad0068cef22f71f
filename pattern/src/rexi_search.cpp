#include "pattern/rexi_search.h"

#include <string>

#include "pattern/rexi_dfa_builder.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_subset_table.h"

REXI_Base::REXI_Base(char endOfText, const REXI_Limits& limits)
    : endOfText_(static_cast<uint8_t>(endOfText)),
      limits_(limits),
      compiler_(std::make_unique<REXI_Compiler>(static_cast<uint8_t>(endOfText), limits)) {}

REXI_Base::~REXI_Base() = default;

REXI_CompileResult REXI_Base::Compile(const char* pattern) {
  const REXI_NfaArena::Mark mark = compiler_->NodeMark();
  REXI_CompileResult result;
  try {
    const REXI_NfaNode* nfa = compiler_->ParsePattern(pattern != nullptr ? pattern : "");
    REXI_ScratchMemory<kRexiScratchBytes> scratch;
    REXI_SubsetTable subsets(limits_, scratch.Resource());
    subsets.Build(nfa, compiler_->Sets(), compiler_->NewWalkStamp(), compiler_->Counts());
    dfa_ = REXI_DfaBuilder(endOfText_, scratch.Resource()).Build(subsets);
    start_ = dfa_->Start();
  } catch (const REXA_Exception& error) {
    result = {REXI_CompileResult::kPatternError, error.Message(), error.Position()};
  }
  // The pattern's nodes are dead weight once its DFA exists; only definitions keep theirs.
  compiler_->ReleaseNodesSince(mark);
  return result;
}

bool REXI_Base::RunAttempt() {
  attemptStart_ = current_;
  const unsigned char* position = reinterpret_cast<const unsigned char*>(current_);
  const unsigned char* lastAccepting = nullptr;
  const REXI_DfaState* state = start_;
  for (;;) {
    state = state->links[*position++];
    if (state->stop) break;
    if (state->accept) lastAccepting = position;
  }
  --position;  // back to the character that led into the stop state
  if (!state->accept && lastAccepting != nullptr) position = lastAccepting;
  current_ = reinterpret_cast<const char*>(position);
  return state->accept || lastAccepting != nullptr;
}

REXI_MatchResult REXI_Base::Report(bool found, const char*& position) const {
  position = current_;
  REXI_MatchResult result;
  result.found = found;
  result.length = static_cast<int32_t>(current_ - attemptStart_);
  result.atEnd = static_cast<uint8_t>(*current_) == endOfText_;
  return result;
}

REXI_MatchResult REXI_Base::Find(const char*& position) {
  textStart_ = attemptStart_ = current_ = position;
  const REXI_DfaState* const* startLinks = start_->links;
  for (;;) {
    while (startLinks[static_cast<uint8_t>(*current_)] == kDeadState) ++current_;
    const char* attemptStart = current_;
    if (RunAttempt()) return Report(true, position);
    if (static_cast<uint8_t>(*current_) == endOfText_) return Report(false, position);
    current_ = attemptStart + 1;
  }
}

REXI_MatchResult REXI_Base::MatchAt(const char*& position) {
  textStart_ = attemptStart_ = current_ = position;
  const bool found = RunAttempt();
  return Report(found, position);
}

REXI_CompileResult REXI_Search::AddDefinition(const char* identifier, const char* pattern) {
  const int32_t number = definitionCounter_++;
  const std::string name = identifier != nullptr ? identifier : "";
  const std::string text = name + "=" + (pattern != nullptr ? pattern : "");
  const REXI_NfaArena::Mark mark = Compiler().NodeMark();
  try {
    Compiler().ParseDefinition(text.c_str(), number);
    return {};
  } catch (const REXA_Exception& error) {
    Compiler().ReleaseNodesSince(mark);
    const int32_t patternOffset = static_cast<int32_t>(name.size()) + 1;
    if (error.Position() >= patternOffset)
      return {REXI_CompileResult::kPatternError, error.Message(), error.Position() - patternOffset};
    return {REXI_CompileResult::kNameError, error.Message(), error.Position()};
  }
}
