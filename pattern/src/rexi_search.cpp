#include "pattern/rexi_search.h"

#include <string>

#include "pattern/rexi_dfa_builder.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_subset_table.h"

RexiBase::RexiBase(char endOfText, const RexiLimits& limits)
    : endOfText_(static_cast<uint8_t>(endOfText)),
      limits_(limits),
      compiler_(std::make_unique<RexiCompiler>(static_cast<uint8_t>(endOfText), limits)) {}

RexiBase::~RexiBase() = default;

RexiCompileResult RexiBase::Compile(const char* pattern) {
  const RexiNfaArena::Mark mark = compiler_->NodeMark();
  RexiCompileResult result;
  try {
    const RexiNfaNode* nfa = compiler_->ParsePattern(pattern != nullptr ? pattern : "");
    RexiScratchMemory<kRexiScratchBytes> scratch;
    RexiSubsetTable subsets(limits_, scratch.Resource());
    subsets.Build(nfa, compiler_->Sets(), compiler_->NewWalkStamp(), compiler_->Counts());
    dfa_ = RexiDfaBuilder(endOfText_, scratch.Resource()).Build(subsets);
    start_ = dfa_->Start();
  } catch (const RexaException& error) {
    result = {RexiCompileResult::kPatternError, error.Message(), error.Position()};
  }
  // The pattern's nodes are dead weight once its DFA exists; only definitions keep theirs.
  compiler_->ReleaseNodesSince(mark);
  return result;
}

bool RexiBase::RunAttempt() {
  attemptStart_ = current_;
  const unsigned char* position = reinterpret_cast<const unsigned char*>(current_);
  const unsigned char* lastAccepting = nullptr;
  const RexiDfaState* state = start_;
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

RexiMatchResult RexiBase::Report(bool found, const char*& position) const {
  position = current_;
  RexiMatchResult result;
  result.found = found;
  result.length = static_cast<int32_t>(current_ - attemptStart_);
  result.atEnd = static_cast<uint8_t>(*current_) == endOfText_;
  return result;
}

RexiMatchResult RexiBase::Find(const char*& position) {
  textStart_ = attemptStart_ = current_ = position;
  const RexiDfaState* const* startLinks = start_->links;
  for (;;) {
    while (startLinks[static_cast<uint8_t>(*current_)] == kDeadState) ++current_;
    const char* attemptStart = current_;
    if (RunAttempt()) return Report(true, position);
    if (static_cast<uint8_t>(*current_) == endOfText_) return Report(false, position);
    current_ = attemptStart + 1;
  }
}

RexiMatchResult RexiBase::MatchAt(const char*& position) {
  textStart_ = attemptStart_ = current_ = position;
  const bool found = RunAttempt();
  return Report(found, position);
}

RexiCompileResult RexiSearch::AddDefinition(const char* identifier, const char* pattern) {
  const int32_t number = definitionCounter_++;
  const std::string name = identifier != nullptr ? identifier : "";
  const std::string text = name + "=" + (pattern != nullptr ? pattern : "");
  const RexiNfaArena::Mark mark = Compiler().NodeMark();
  try {
    Compiler().ParseDefinition(text.c_str(), number);
    return {};
  } catch (const RexaException& error) {
    Compiler().ReleaseNodesSince(mark);
    const int32_t patternOffset = static_cast<int32_t>(name.size()) + 1;
    if (error.Position() >= patternOffset)
      return {RexiCompileResult::kPatternError, error.Message(), error.Position() - patternOffset};
    return {RexiCompileResult::kNameError, error.Message(), error.Position()};
  }
}
