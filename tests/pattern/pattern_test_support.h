#pragma once
// Assertions over the pattern engine that report the caller's line and the pattern involved.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "pattern/rexi_search.h"
#include "pattern/validate_pattern_text.h"

// Whole-text validation as property editing applies it; the empty text is left to the pattern.
inline ::testing::AssertionResult Accepts(const char* pattern, const char* text) {
  if (ValidatePatternText(text, pattern, REXI_EmptyText::Validated) == 1) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pattern \"" << pattern << "\" rejects \"" << text << "\"";
}

inline ::testing::AssertionResult Rejects(const char* pattern, const char* text) {
  if (ValidatePatternText(text, pattern, REXI_EmptyText::Validated) == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pattern \"" << pattern << "\" accepts \"" << text << "\"";
}

// A Find or MatchAt outcome as offsets into the text.
struct MatchOutcome {
  bool found = false;
  int end = 0;  // returned position
  int length = 0;
  bool atEnd = false;

  bool operator==(const MatchOutcome&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const MatchOutcome& m) {
    return out << "{found " << m.found << ", end " << m.end << ", length " << m.length << ", atEnd " << m.atEnd << "}";
  }
};

enum class Anchoring { Search, AtStart };

inline MatchOutcome Outcome(REXI_Base& engine, const char* text, int from, Anchoring anchoring) {
  const char* position = text + from;
  const REXI_MatchResult result = anchoring == Anchoring::Search ? engine.Find(position) : engine.MatchAt(position);
  return {result.found, static_cast<int>(position - text), result.length, result.atEnd};
}

// Compiles the pattern (failing the test if it does not) and runs one Find or MatchAt from offset 0.
inline MatchOutcome MatchIn(const char* pattern, const char* text, Anchoring anchoring = Anchoring::Search) {
  REXI_Search search;
  const REXI_CompileResult compiled = search.Compile(pattern);
  EXPECT_EQ(compiled.code, 0) << "pattern \"" << pattern << "\": " << compiled.message;
  return Outcome(search, text, 0, anchoring);
}

inline REXI_CompileResult CompileOnce(const char* pattern) {
  REXI_Search search;
  return search.Compile(pattern);
}

inline MatchOutcome Found(int end, int length, bool atEnd) { return {true, end, length, atEnd}; }
inline MatchOutcome NotFound(int end, int length, bool atEnd) { return {false, end, length, atEnd}; }
