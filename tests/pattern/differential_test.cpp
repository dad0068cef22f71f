// The engine against two references on random texts: std::regex for whole-text validation, and a
// direct simulation of the NFA (node sets, no DFA, no character classes) for Find and MatchAt.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "catalogue_patterns.h"
#include "pattern/rexi_compiler.h"
#include "pattern_test_support.h"

namespace {

// Patterns that read the same in ECMAScript once the blanks between tokens are removed. Whole-text
// validation needs no exclusions: it is decided by the attempt at the first character, whose longest
// match covers the text exactly when the text is in the language; the give-up rules of the search
// only affect where later, shorter matches are found.
std::vector<std::string> SharedSyntaxPatterns() {
  std::vector<std::string> patterns;
  for (const CataloguePattern& entry : kCataloguePatterns) patterns.push_back(entry.pattern);
  for (const char* extra : {"a?b?",
                            "a?b",
                            "xa*y|a",
                            "(ab)?",
                            "(a*b)?",
                            "y*|x",
                            "(a*b)*",
                            "[a-c]x|[b-d]y",
                            "[ab]x|[bc]y",
                            "((a|b)*c)+x?",
                            "(a|ab)(c|bcb)(b*)",
                            "[^a]b*",
                            "(a+|b)*",
                            "((ab)*|c)+",
                            "a(b|c)*x|a?y",
                            "(x?y?)*z",
                            "[0-9]+(\\.[0-9]+)?",
                            "(a|b)*a(a|b)(a|b)",
                            "((ab)+)*",
                            "(a+b?)+",
                            "a|abc",
                            "(ab|a)(bc|c)?",
                            "[A-Za-z_][A-Za-z_0-9]*(\\ [A-Za-z_][A-Za-z_0-9]*)*",
                            "[ a-c]+ x",
                            "(((a)))*b",
                            "(a?)*(b?)+c"})
    patterns.push_back(extra);
  return patterns;
}

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
    if (c == ' ' || c == '\t') continue;
    if (c == '[') inBrackets = true;
    out += c;
  }
  return out;
}

const std::vector<std::string> kPieces = {"a",     "b",  "c", "x",    "y",  "z",  "0",  "5",    "9",
                                          ".",     "%",  " ", "auto", "px", "em", "cm", "thin", "medium",
                                          "small", "x-", "-", "_",    "A",  "Z",  "ab"};

// Texts made of common pieces and, half of the time, of the characters the pattern names.
std::vector<std::string> RandomTexts(const std::string& pattern, uint32_t seed, int count) {
  std::vector<std::string> own;
  for (char c : pattern)
    if (c != '\\' && c != '(' && c != ')' && c != '|' && c != '*' && c != '+' && c != '?' && c != '[' && c != ']')
      own.emplace_back(1, c);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> pieceCount(0, 6);
  std::uniform_int_distribution<size_t> piece(0, kPieces.size() - 1);
  std::uniform_int_distribution<size_t> ownPiece(0, own.size() - 1);
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) {
    std::string text;
    for (int n = pieceCount(random); n > 0; --n) text += random() % 2 ? own[ownPiece(random)] : kPieces[piece(random)];
    texts.push_back(text);
  }
  return texts;
}

bool WholeMatch(REXI_Search& search, const std::string& text) {
  const char* position = text.c_str();
  const REXI_MatchResult result = search.MatchAt(position);
  return result.found && static_cast<size_t>(result.length) == text.size();
}

bool WholeMatchBySearch(REXI_Search& search, const std::string& text) {
  const char* position = text.c_str();
  const REXI_MatchResult result = search.Find(position);
  return result.found && static_cast<size_t>(result.length) == text.size();
}

// Attempts and searches simulated on the NFA's node sets.
class NfaReference {
 public:
  explicit NfaReference(const char* pattern) : compiler_(0, REXI_Limits{}), start_(compiler_.ParsePattern(pattern)) {}

  MatchOutcome MatchAt(const std::string& text, size_t from) const {
    const auto [found, end] = Attempt(text, from);
    return {found, static_cast<int>(end), static_cast<int>(end - from), text.c_str()[end] == 0};
  }

  MatchOutcome Find(const std::string& text) const {
    const char* chars = text.c_str();
    size_t position = 0;
    for (;;) {
      while (StartCannotBegin(static_cast<uint8_t>(chars[position]))) ++position;
      const size_t attemptStart = position;
      const auto [found, end] = Attempt(text, attemptStart);
      const bool atEnd = chars[end] == 0;
      if (found || atEnd) return {found, static_cast<int>(end), static_cast<int>(end - attemptStart), atEnd};
      position = attemptStart + 1;
    }
  }

 private:
  using Nodes = std::set<const REXI_NfaNode*>;

  Nodes Step(const Nodes& from, uint8_t c) const {
    Nodes to;
    if (c == 0) return to;
    for (const REXI_NfaNode* node : from)
      for (const REXI_NfaEdge& edge : node->Edges())
        if (compiler_.SetOf(edge).Contains(c)) to.insert(edge.target);
    return to;
  }
  static bool Accepting(const Nodes& nodes) {
    for (const REXI_NfaNode* node : nodes)
      if (node->final) return true;
    return false;
  }
  bool StartCannotBegin(uint8_t c) const { return c != 0 && !start_->final && Step({start_}, c).empty(); }

  std::pair<bool, size_t> Attempt(const std::string& text, size_t from) const {
    const char* chars = text.c_str();
    Nodes current{start_};
    std::optional<size_t> lastAccepting;
    for (size_t position = from;; ++position) {
      const Nodes next = Step(current, static_cast<uint8_t>(chars[position]));
      if (next.empty()) {
        if (Accepting(current)) return {true, position};
        if (lastAccepting) return {true, *lastAccepting};
        return {false, position};
      }
      current = next;
      if (Accepting(current)) lastAccepting = position + 1;
    }
  }

  REXI_Compiler compiler_;
  const REXI_NfaNode* start_;
};

}  // namespace

TEST(RexiDifferential, WholeTextValidationAgreesWithStdRegex) {
  uint32_t seed = 1;
  for (const std::string& pattern : SharedSyntaxPatterns()) {
    SCOPED_TRACE("pattern " + pattern + "  ecmascript " + ToEcmaScript(pattern));
    const std::regex reference(ToEcmaScript(pattern), std::regex::ECMAScript);
    REXI_Search search;
    ASSERT_EQ(search.Compile(pattern.c_str()).code, 0);
    int accepted = 0;
    const std::vector<std::string> texts = RandomTexts(pattern, seed++, 1500);
    for (size_t i = 0; i < texts.size(); ++i) {
      const std::string& text = texts[i];
      const bool expected = std::regex_match(text, reference);
      ASSERT_EQ(WholeMatch(search, text), expected) << "text \"" << text << "\"";
      if (i < 100) {
        ASSERT_EQ(ValidatePatternText(text.c_str(), pattern.c_str(), REXI_EmptyText::Validated), expected ? 1 : 0)
            << "text \"" << text << "\"";
      }
      accepted += expected;
    }
    EXPECT_GT(accepted, 0) << "no random text was valid; the comparison says little";
  }
}

TEST(RexiDifferential, OneAnchoredAttemptDecidesLikeTheFullSearch) {
  uint32_t seed = 100;
  for (const std::string& pattern : SharedSyntaxPatterns()) {
    SCOPED_TRACE("pattern " + pattern);
    REXI_Search search;
    ASSERT_EQ(search.Compile(pattern.c_str()).code, 0);
    for (const std::string& text : RandomTexts(pattern, seed++, 500))
      ASSERT_EQ(WholeMatch(search, text), WholeMatchBySearch(search, text)) << "text \"" << text << "\"";
  }
}

TEST(RexiDifferential, FindAndMatchAtAgreeWithTheNfaSimulation) {
  std::vector<std::string> patterns = SharedSyntaxPatterns();
  for (const char* caseFolded : {"([A-Z]\\i)+x", "((AB|c)\\i)*", "(a|B)\\i(b\\i)?"}) patterns.push_back(caseFolded);
  uint32_t seed = 1000;
  for (const std::string& pattern : patterns) {
    SCOPED_TRACE("pattern " + pattern);
    const NfaReference reference(pattern.c_str());
    REXI_Search search;
    ASSERT_EQ(search.Compile(pattern.c_str()).code, 0);
    for (const std::string& text : RandomTexts(pattern, seed++, 300)) {
      ASSERT_EQ(Outcome(search, text.c_str(), 0, Anchoring::Search), reference.Find(text)) << "text \"" << text << "\"";
      for (size_t from = 0; from <= text.size(); ++from)
        ASSERT_EQ(Outcome(search, text.c_str(), static_cast<int>(from), Anchoring::AtStart),
                  reference.MatchAt(text, from))
            << "text \"" << text << "\" from " << from;
    }
  }
}
