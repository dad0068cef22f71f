// The validation decides from the subset table alone, or runs a small NFA directly as a bit set of its
// edges, while a search builds the whole DFA; the table can hold its node sets in two forms. Every way
// must give the same answers and the same failures.
#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "catalogue_patterns.h"
#include "pattern/rexi_compiler.h"
#include "pattern/rexi_errors.h"
#include "pattern/rexi_position_automaton.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_subset_table.h"
#include "pattern_test_support.h"

namespace {

// Random patterns: mostly well formed, from atoms that overlap, nest and repeat, and now and then
// token soup that exercises the compile errors.
class PatternGenerator {
 public:
  explicit PatternGenerator(uint32_t seed) : random_(seed) {}

  std::string Next() { return Pick(5) == 0 ? Soup() : Alternation(0); }

  std::string Text() {
    static const char kAlphabet[] = "abcxyAB09 .-%";
    std::string text;
    for (int n = Pick(9); n > 0; --n) text += kAlphabet[Pick(sizeof kAlphabet - 1)];
    return text;
  }

 private:
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::string Alternation(int depth) {
    std::string pattern = Sequence(depth);
    while (depth < 3 && Pick(4) == 0) pattern.append("|").append(Sequence(depth));
    return pattern;
  }
  std::string Sequence(int depth) {
    static const char* const kAtoms[] = {"a",     "b",    "c",    "x", "[a-c]", "[b-d]", "[^a]", ".",  "[0-9]", "\\x41",
                                         "[A-Z]", "[ab]", "[bc]", "0", "\\.",   "\\ ",   "\\0",  "[]", "[^]",   "A"};
    std::string sequence;
    for (int n = 1 + Pick(3); n > 0; --n) {
      if (depth < 3 && Pick(4) == 0)
        sequence.append("(").append(Alternation(depth + 1)).append(")");
      else
        sequence.append(kAtoms[Pick(std::size(kAtoms))]);
      static const char* const kPostfixes[] = {"", "", "", "", "*", "+", "?", "\\i"};
      sequence += kPostfixes[Pick(std::size(kPostfixes))];
      if (Pick(5) == 0) sequence += " ";
    }
    return sequence;
  }
  std::string Soup() {
    static const char* const kTokens[] = {"a", "b", "(", ")", "|",  "*", "+",  "?",
                                          "[", "]", "-", "^", "\\", "x", "$d", " "};
    std::string soup;
    for (int n = Pick(10); n > 0; --n) soup += kTokens[Pick(std::size(kTokens))];
    return soup;
  }

  std::mt19937 random_;
};

// What the search's full automaton says about whole texts: nothing when the pattern fails to compile.
class SearchVerdict {
 public:
  explicit SearchVerdict(const std::string& pattern) : compiled_(search_.Compile(pattern.c_str()).code == 0) {}

  std::optional<bool> WholeMatch(const std::string& text) {
    if (!compiled_) return std::nullopt;
    const char* position = text.c_str();
    const REXI_MatchResult result = search_.MatchAt(position);
    return result.found && static_cast<size_t>(result.length) == text.size();
  }

 private:
  REXI_Search search_;
  bool compiled_;
};

struct TableOutcome {
  std::string failure;  // the compile message, empty when the table was built
  size_t setCount = 0;
  std::vector<std::vector<uint32_t>> members;
  std::vector<bool> accepting;
  std::vector<std::vector<std::pair<uint32_t, uint32_t>>> steps;

  bool operator==(const TableOutcome&) const = default;
};

// Parses the pattern and builds its subset table, then hands the table to use; the compile failure's
// message when either step throws, else an empty text.
template <class Use>
std::string WithBuiltTable(const std::string& pattern, const REXI_Limits& limits, REXI_NodeSetForm form,
                           REXI_SubsetExtent extent, Use use) {
  REXI_ScratchMemory<kRexiScratchBytes> scratch;
  REXI_Compiler compiler(0, limits, scratch.Resource());
  REXI_SubsetTable table(limits, scratch.Resource(), form, extent);
  try {
    const REXI_NfaNode* start = compiler.ParsePattern(pattern.c_str());
    table.Build(start, compiler.Sets(), compiler.NewWalkStamp(), compiler.Counts());
  } catch (const REXA_Exception& error) {
    return error.Message();
  }
  use(table);
  return {};
}

TableOutcome BuildTable(const std::string& pattern, REXI_NodeSetForm form, const REXI_Limits& limits = {}) {
  TableOutcome outcome;
  outcome.failure =
      WithBuiltTable(pattern, limits, form, REXI_SubsetExtent::Complete, [&](const REXI_SubsetTable& table) {
        outcome.setCount = table.SetCount();
        for (size_t set = 0; set < table.SetCount(); ++set) {
          const std::span<const uint32_t> members = table.Members(set);
          outcome.members.emplace_back(members.begin(), members.end());
          outcome.accepting.push_back(table.Accepting(set));
          outcome.steps.emplace_back();
          for (const REXI_SubsetTable::Step& step : table.StepsOf(set))
            outcome.steps.back().emplace_back(step.cls, step.target);
        }
      });
  return outcome;
}

// What a table built to the given extent says about whole texts, or the compile failure.
struct ExtentOutcome {
  std::string failure;
  std::vector<bool> accepted;  // per text
  bool complete = true;

  bool SameAnswers(const ExtentOutcome& other) const { return failure == other.failure && accepted == other.accepted; }
};

ExtentOutcome ValidateByExtent(const std::string& pattern, const std::vector<std::string>& texts,
                               REXI_SubsetExtent extent, const REXI_Limits& limits = {}) {
  ExtentOutcome outcome;
  outcome.failure = WithBuiltTable(pattern, limits, REXI_NodeSetForm::BySize, extent, [&](REXI_SubsetTable& table) {
    outcome.complete = table.IsComplete();
    for (const std::string& text : texts) outcome.accepted.push_back(table.AcceptsWhole(text.c_str(), text.size()));
  });
  return outcome;
}

// What the direct run of the NFA says about whole texts: nothing when the pattern fails to compile or
// is left to the subset table.
struct PositionOutcome {
  bool compiled = false;
  bool built = false;
  std::vector<bool> accepted;  // per text, when built
};

PositionOutcome RunPositions(const std::string& pattern, const std::vector<std::string>& texts,
                             const REXI_Limits& limits = {}) {
  REXI_ScratchMemory<kRexiScratchBytes> scratch;
  REXI_Compiler compiler(0, limits, scratch.Resource());
  PositionOutcome outcome;
  const REXI_NfaNode* start = nullptr;
  try {
    start = compiler.ParsePattern(pattern.c_str());
  } catch (const REXA_Exception&) {
    return outcome;
  }
  outcome.compiled = true;
  REXI_PositionAutomaton positions;
  outcome.built = positions.Build(start, compiler.Sets(), compiler.NewWalkStamp(), limits, scratch.Resource()) ==
                  REXI_PositionFit::Built;
  if (outcome.built)
    for (const std::string& text : texts) outcome.accepted.push_back(positions.AcceptsWhole(text.c_str(), text.size()));
  return outcome;
}

// (a|b)*a(a|b)^n: its automaton must remember the last n+1 letters.
std::string ExponentialPattern(int n) {
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < n; ++i) pattern += "(a|b)";
  return pattern;
}

// Alternatives of distinct words: more NFA nodes than the bit sets hold.
std::string ManyWords(int count) {
  std::string pattern;
  for (int i = 0; i < count; ++i) pattern.append(i > 0 ? "|w" : "w").append(std::to_string(i)).append("x[0-9]*");
  return pattern;
}

}  // namespace

TEST(RexiValidationPaths, ValidationAgreesWithTheFullAutomatonOnRandomPatterns) {
  PatternGenerator generator(2024);
  int compiled = 0;
  int accepted = 0;
  for (int i = 0; i < 1200; ++i) {
    const std::string pattern = generator.Next();
    SearchVerdict search(pattern);
    for (int t = 0; t < 4; ++t) {
      const std::string text = generator.Text();
      const std::optional<bool> bySearch = search.WholeMatch(text);
      const int expected = bySearch.value_or(false) ? 1 : 0;
      ASSERT_EQ(ValidatePatternText(text.c_str(), pattern.c_str(), REXI_EmptyText::Validated), expected)
          << "pattern \"" << pattern << "\" text \"" << text << "\"";
      compiled += bySearch.has_value();
      accepted += expected;
    }
    const std::optional<bool> emptyBySearch = search.WholeMatch("");
    ASSERT_EQ(ValidatePatternText("", pattern.c_str(), REXI_EmptyText::Validated),
              emptyBySearch.value_or(false) ? 1 : 0)
        << "pattern \"" << pattern << "\"";
  }
  EXPECT_GT(compiled, 2000) << "too few random patterns compiled for the comparison to say much";
  EXPECT_GT(accepted, 100) << "too few random texts were valid for the comparison to say much";
}

TEST(RexiValidationPaths, ValidationAgreesWithTheFullAutomatonOnCataloguePatterns) {
  PatternGenerator generator(7);
  for (const CataloguePattern& entry : kCataloguePatterns) {
    std::vector<std::string> texts{entry.typicalValue, "", "auto", "12px", "1.5em", "x-large", "a b"};
    for (const char* example : entry.helpExamples) texts.push_back(example);
    for (int i = 0; i < 50; ++i) texts.push_back(generator.Text());
    SearchVerdict search(entry.pattern);
    for (const std::string& text : texts)
      ASSERT_EQ(ValidatePatternText(text.c_str(), entry.pattern, REXI_EmptyText::Validated),
                search.WholeMatch(text).value_or(false) ? 1 : 0)
          << entry.stringId << " text \"" << text << "\"";
  }
}

TEST(RexiValidationPaths, ValidationFailsExactlyWhereTheStateBudgetStopsTheSearch) {
  // The budget is crossed between these lengths; the valid text has an 'a' n+1 letters from the end.
  bool sawFailure = false;
  bool sawSuccess = false;
  for (int n = 10; n <= 13; ++n) {
    const std::string pattern = ExponentialPattern(n);
    const std::string text = std::string("ba").append(static_cast<size_t>(n), 'b');
    REXI_Search search;
    const bool compiles = search.Compile(pattern.c_str()).code == 0;
    (compiles ? sawSuccess : sawFailure) = true;
    EXPECT_EQ(ValidatePatternText(text.c_str(), pattern.c_str(), REXI_EmptyText::Validated), compiles ? 1 : 0) << n;
  }
  EXPECT_TRUE(sawFailure);
  EXPECT_TRUE(sawSuccess);
}

TEST(RexiValidationPaths, BothNodeSetFormsBuildTheSameTable) {
  PatternGenerator generator(99);
  std::vector<std::string> patterns{ManyWords(40), ManyWords(120), ExponentialPattern(6), "(a|ab)(c|bcb)(b*)"};
  for (const CataloguePattern& entry : kCataloguePatterns) patterns.push_back(entry.pattern);
  for (int i = 0; i < 800; ++i) patterns.push_back(generator.Next());
  for (const std::string& pattern : patterns) {
    const TableOutcome bySize = BuildTable(pattern, REXI_NodeSetForm::BySize);
    ASSERT_EQ(bySize, BuildTable(pattern, REXI_NodeSetForm::AlwaysList)) << "pattern \"" << pattern << "\"";
  }
}

TEST(RexiValidationPaths, BothNodeSetFormsRunOutOfTheBudgetAlike) {
  for (uint32_t maxStates : {4u, 9u, 30u, 70u}) {
    for (uint64_t maxSteps : {uint64_t{20}, uint64_t{200}, uint64_t{20000000}}) {
      REXI_Limits limits;
      limits.maxDfaStates = maxStates;
      limits.maxSubsetSteps = maxSteps;
      for (const std::string& pattern :
           {ExponentialPattern(4), std::string(kCataloguePatterns[4].pattern), ManyWords(3)}) {
        ASSERT_EQ(BuildTable(pattern, REXI_NodeSetForm::BySize, limits),
                  BuildTable(pattern, REXI_NodeSetForm::AlwaysList, limits))
            << "pattern \"" << pattern << "\" states " << maxStates << " steps " << maxSteps;
      }
    }
  }
}

TEST(RexiValidationPaths, PatternTooLargeForBitSetsStillValidates) {
  const std::string pattern = ManyWords(120);
  EXPECT_TRUE(Accepts(pattern.c_str(), "w119x123"));
  EXPECT_TRUE(Accepts(pattern.c_str(), "w7x"));
  EXPECT_TRUE(Rejects(pattern.c_str(), "w120x"));
  EXPECT_TRUE(Rejects(pattern.c_str(), "w7"));
}

TEST(RexiValidationPaths, SetsMadeOnDemandAnswerAsTheCompleteTable) {
  PatternGenerator generator(31337);
  std::vector<std::string> patterns{
      ManyWords(3),          ManyWords(40), ExponentialPattern(4), ExponentialPattern(9), "(a|ab)(c|bcb)(b*)",
      "[A-Z]\\i+(x|[a-c]*)", "(.*a)*b"};
  for (const CataloguePattern& entry : kCataloguePatterns) patterns.push_back(entry.pattern);
  for (int i = 0; i < 1500; ++i) patterns.push_back(generator.Next());
  int deferred = 0;
  for (const std::string& pattern : patterns) {
    std::vector<std::string> texts{"", "auto", "5px 10px", "1.5em", "x-large", "w2x77", "ababbab", "abcbcbb"};
    for (int t = 0; t < 12; ++t) texts.push_back(generator.Text());
    const ExtentOutcome onDemand = ValidateByExtent(pattern, texts, REXI_SubsetExtent::OnDemand);
    ASSERT_TRUE(onDemand.SameAnswers(ValidateByExtent(pattern, texts, REXI_SubsetExtent::Complete)))
        << "pattern \"" << pattern << "\"";
    deferred += onDemand.complete ? 0 : 1;
  }
  EXPECT_GT(deferred, 1000) << "too few patterns made their sets on demand for the comparison to say much";
}

TEST(RexiValidationPaths, CataloguePatternsMakeTheirSetsOnDemand) {
  for (const CataloguePattern& entry : kCataloguePatterns) {
    const std::vector<std::string> texts{entry.typicalValue};
    const ExtentOutcome outcome = ValidateByExtent(entry.pattern, texts, REXI_SubsetExtent::OnDemand);
    EXPECT_FALSE(outcome.complete) << entry.stringId;
    EXPECT_EQ(outcome.accepted, std::vector<bool>{true}) << entry.stringId;
  }
}

TEST(RexiValidationPaths, SetsMadeOnDemandRunOutOfTheBudgetExactlyAsTheCompleteTable) {
  const std::vector<std::string> texts{"", "ab", "bab", "w1x", "5px 6px", "abababababab"};
  int failures = 0;
  int deferred = 0;
  for (uint32_t maxStates : {4u, 9u, 30u, 70u, 10000u}) {
    for (uint64_t maxSteps : {uint64_t{20}, uint64_t{200}, uint64_t{20000000}}) {
      REXI_Limits limits;
      limits.maxDfaStates = maxStates;
      limits.maxSubsetSteps = maxSteps;
      for (const std::string& pattern : {ExponentialPattern(3), ExponentialPattern(12), ExponentialPattern(13),
                                         std::string(kCataloguePatterns[4].pattern), ManyWords(3), std::string("a*")}) {
        const ExtentOutcome complete = ValidateByExtent(pattern, texts, REXI_SubsetExtent::Complete, limits);
        const ExtentOutcome onDemand = ValidateByExtent(pattern, texts, REXI_SubsetExtent::OnDemand, limits);
        ASSERT_TRUE(onDemand.SameAnswers(complete))
            << "pattern \"" << pattern << "\" states " << maxStates << " steps " << maxSteps;
        failures += complete.failure.empty() ? 0 : 1;
        deferred += onDemand.complete ? 0 : 1;
      }
    }
  }
  EXPECT_GT(failures, 10);
  EXPECT_GT(deferred, 10);
}

TEST(RexiValidationPaths, DirectRunAgreesWithTheFullAutomatonOnRandomAndCataloguePatterns) {
  PatternGenerator generator(4242);
  std::vector<std::string> patterns{ManyWords(2),
                                    ManyWords(6),
                                    ExponentialPattern(3),
                                    ExponentialPattern(8),
                                    "(a|ab)(c|bcb)(b*)",
                                    "[A-Z]\\i+(x|[a-c]*)",
                                    "(.*a)*b",
                                    "(ab)?",
                                    "a?b?",
                                    "xa*y|a",
                                    "[^a]",
                                    "\\x00",
                                    "a\\0",
                                    "[]",
                                    "[^]*",
                                    "((a*)*)*",
                                    "(a|b|c|d|e|f|g|h|i|j|k|l|m|n|o|p|q|r|s|t|u|v|w|x|y|z)+"};
  for (const CataloguePattern& entry : kCataloguePatterns) patterns.push_back(entry.pattern);
  for (int i = 0; i < 2000; ++i) patterns.push_back(generator.Next());
  int built = 0;
  for (const std::string& pattern : patterns) {
    std::vector<std::string> texts{"",        "a",     "ab",      "auto",    "5px 10px", "1.5em",
                                   "x-large", "w2x77", "ababbab", "abcbcbb", "xaay",     std::string("a\0b", 3),
                                   "\xFF\x80"};
    for (int t = 0; t < 12; ++t) texts.push_back(generator.Text());
    const PositionOutcome outcome = RunPositions(pattern, texts);
    if (!outcome.built) continue;
    ++built;
    SearchVerdict search(pattern);
    for (size_t t = 0; t < texts.size(); ++t)
      ASSERT_EQ(outcome.accepted[t], search.WholeMatch(texts[t]).value_or(false))
          << "pattern \"" << pattern << "\" text \"" << texts[t] << "\"";
  }
  EXPECT_GT(built, 1500) << "too few patterns ran directly for the comparison to say much";
}

TEST(RexiValidationPaths, DirectRunIsTakenOnlyWhereTheCompleteTableStaysWithinTheBudget) {
  PatternGenerator generator(555);
  std::vector<std::string> patterns{ExponentialPattern(3),
                                    ExponentialPattern(6),
                                    ExponentialPattern(11),
                                    ExponentialPattern(13),
                                    ManyWords(3),
                                    ManyWords(40),
                                    "a*",
                                    ".*"};
  for (const CataloguePattern& entry : kCataloguePatterns) patterns.push_back(entry.pattern);
  for (int i = 0; i < 200; ++i) patterns.push_back(generator.Next());
  int built = 0;
  int leftToTheTable = 0;
  for (uint32_t maxStates : {4u, 9u, 30u, 70u, 10000u}) {
    for (uint64_t maxSteps : {uint64_t{20}, uint64_t{2000}, uint64_t{20000000}}) {
      REXI_Limits limits;
      limits.maxDfaStates = maxStates;
      limits.maxSubsetSteps = maxSteps;
      for (const std::string& pattern : patterns) {
        const PositionOutcome outcome = RunPositions(pattern, {}, limits);
        if (!outcome.compiled) continue;
        if (!outcome.built) {
          ++leftToTheTable;
          continue;
        }
        ++built;
        ASSERT_EQ(BuildTable(pattern, REXI_NodeSetForm::BySize, limits).failure, "")
            << "pattern \"" << pattern << "\" states " << maxStates << " steps " << maxSteps;
      }
    }
  }
  EXPECT_GT(built, 500);
  EXPECT_GT(leftToTheTable, 500);
}

TEST(RexiValidationPaths, ShortCataloguePatternsRunDirectly) {
  for (const CataloguePattern& entry : kCataloguePatterns) {
    if (std::string(entry.pattern).size() > 30) continue;  // the long ones may be left to the table
    const PositionOutcome outcome = RunPositions(entry.pattern, {entry.typicalValue, ""});
    ASSERT_TRUE(outcome.built) << entry.stringId;
    EXPECT_TRUE(outcome.accepted[0]) << entry.stringId;
    EXPECT_EQ(outcome.accepted[1], std::string(entry.pattern) == ".*") << entry.stringId;
  }
}

TEST(RexiValidationPaths, DirectRunRejectsTheEndOfTextCharacterAndValuesOfNoEdge) {
  const std::vector<std::string> texts{std::string("ab\0", 3), std::string("\0", 1), "a\x01", "ab"};
  const PositionOutcome anything = RunPositions(".*", texts);
  ASSERT_TRUE(anything.built);
  EXPECT_EQ(anything.accepted, (std::vector<bool>{false, false, true, true}));
  const PositionOutcome letters = RunPositions("[a-z]*", texts);
  ASSERT_TRUE(letters.built);
  EXPECT_EQ(letters.accepted, (std::vector<bool>{false, false, false, true}));
}
