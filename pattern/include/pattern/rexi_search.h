#pragma once
// The compiled pattern and its matcher. Texts end with the end-of-text character (0 in this system):
// the automaton never moves on it, so every attempt stops there at the latest.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "pattern/rexi_compiler.h"
#include "pattern/rexi_dfa.h"
#include "pattern/rexi_errors.h"
#include "pattern/rexi_limits.h"

struct REXI_MatchResult {
  bool found = false;  // a match was found
  int32_t length = 0;  // returned position minus the start of the match (or of the failed attempt)
  bool atEnd = false;  // the character at the returned position is the end-of-text character
};

class REXI_Base {
 public:
  explicit REXI_Base(char endOfText = 0, const REXI_Limits& limits = REXI_Limits{});
  virtual ~REXI_Base();
  REXI_Base(const REXI_Base&) = delete;
  REXI_Base& operator=(const REXI_Base&) = delete;

  // Parses the pattern and builds its DFA. On failure the automaton compiled before stays in place.
  REXI_CompileResult Compile(const char* pattern);

  // Searches from position for the first start at which a longest-match attempt succeeds; gives up
  // when an attempt fails at the end of the text. position moves to the end of the match (or to where
  // the search gave up).
  REXI_MatchResult Find(const char*& position);
  // One longest-match attempt anchored at position.
  REXI_MatchResult MatchAt(const char*& position);

  const REXI_DfaState* StartState() const { return start_; }
  size_t StateCount() const { return dfa_ ? dfa_->StateCount() : 0; }
  // NFA nodes the compiler still holds: those of the name dictionary.
  size_t RetainedNfaNodes() const { return compiler_->NodeCount(); }

 protected:
  REXI_Compiler& Compiler() { return *compiler_; }

 private:
  bool RunAttempt();
  REXI_MatchResult Report(bool found, const char*& position) const;

  const uint8_t endOfText_;
  const REXI_Limits limits_;
  const char* textStart_ = nullptr;     // where the search began
  const char* attemptStart_ = nullptr;  // where the current attempt began
  const char* current_ = nullptr;       // reading position
  std::unique_ptr<REXI_Compiler> compiler_;
  std::unique_ptr<REXI_Dfa> dfa_;
  const REXI_DfaState* start_ = kEndState;  // nothing matches before the first successful compile
};

class REXI_Search : public REXI_Base {
 public:
  using REXI_Base::REXI_Base;

  // Parses identifier "=" pattern and stores it in the name dictionary under the next definition
  // number. An error in the identifier part has code 1 and an offset into the identifier; an error in
  // the pattern has code 2 and an offset into the pattern.
  REXI_CompileResult AddDefinition(const char* identifier, const char* pattern);

 private:
  int32_t definitionCounter_ = 0;
};
