// Behaviour the engine guarantees beyond the plain constructions: overlapping character sets keep
// their own targets, loops never re-enter a start that gained alternatives, and every construction
// runs within a budget and reports running out of it as a compile error.
#include <gtest/gtest.h>

#include <string>

#include "pattern_test_support.h"

TEST(RexiOverlappingSets, EachCharacterTakesOnlyTheEdgesOfSetsHoldingIt) {
  const char* pattern = "[a-c]x|[b-d]y";
  for (const char* valid : {"ax", "bx", "cx", "by", "cy", "dy"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"ay", "dx", "ex"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(RexiOverlappingSets, EqualSizedOverlapsStayApart) {
  EXPECT_TRUE(Rejects("[ab]x|[bc]y", "ay"));
  EXPECT_TRUE(Rejects("[ab]x|[bc]y", "cx"));
  EXPECT_TRUE(Accepts("[ab]x|[bc]y", "bx"));
  EXPECT_TRUE(Accepts("[ab]x|[bc]y", "by"));
}

TEST(RexiOverlappingSets, CaseFoldedSetsOverlapCorrectly) {
  EXPECT_TRUE(Accepts("[A-C]\\i1|[a-z]2", "b1"));
  EXPECT_TRUE(Accepts("[A-C]\\i1|[a-z]2", "b2"));
  EXPECT_TRUE(Rejects("[A-C]\\i1|[a-z]2", "z1"));
  EXPECT_TRUE(Rejects("[A-C]\\i1|[a-z]2", "B2"));
}

TEST(RexiLoops, OptionalAfterAStarredPrefixDoesNotAcceptThePrefixAlone) {
  EXPECT_TRUE(Rejects("(a*b)?", "a"));
  EXPECT_TRUE(Accepts("(a*b)?", ""));
  EXPECT_TRUE(Accepts("(a*b)?", "aab"));
}

TEST(RexiLoops, AlternativeOfAStarIsNotReachableAfterAnIteration) {
  EXPECT_TRUE(Rejects("(y*|x)", "yx"));
  EXPECT_TRUE(Rejects("y*|x", "yyx"));
  EXPECT_TRUE(Accepts("y*|x", "yy"));
  EXPECT_TRUE(Accepts("y*|x", "x"));
}

TEST(RexiLoops, StarOfAStarredSequence) {
  EXPECT_TRUE(Rejects("(a*b)*", "a"));
  EXPECT_TRUE(Rejects("(a*b)*", "aba"));
  EXPECT_TRUE(Accepts("(a*b)*", "abaab"));
  EXPECT_TRUE(Accepts("(a*b)*", ""));
}

TEST(RexiLoops, NestedRepetitions) {
  EXPECT_TRUE(Accepts("((ab)+)*", "abab"));
  EXPECT_TRUE(Rejects("((ab)+)*", "aba"));
  EXPECT_TRUE(Accepts("(a+b?)+", "aabab"));
  EXPECT_TRUE(Rejects("(a+b?)+", "baa"));
  EXPECT_TRUE(Accepts("(x?y?)*z", "z"));
  EXPECT_TRUE(Accepts("(x?y?)*z", "yxxz"));
}

namespace {

// (a|b)* a (a|b)^n needs 2^(n+1) states: the text's last n+1 letters must be remembered.
std::string ExponentialPattern(int n) {
  std::string pattern = "(a|b)*a";
  for (int i = 0; i < n; ++i) pattern += "(a|b)";
  return pattern;
}

}  // namespace

TEST(RexiBudget, PatternNeedingTooManyStatesFailsWithCode2) {
  REXI_Search search;
  const REXI_CompileResult result = search.Compile(ExponentialPattern(20).c_str());
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.message, "pattern needs too many automaton states");
  EXPECT_EQ(result.position, 0);
  EXPECT_EQ(search.StartState(), kEndState);
}

TEST(RexiBudget, PatternJustWithinTheStateBudgetCompiles) {
  REXI_Search search;
  ASSERT_EQ(search.Compile(ExponentialPattern(10).c_str()).code, 0);
  EXPECT_LE(search.StateCount(), 10000u);
  EXPECT_TRUE(Accepts(ExponentialPattern(10).c_str(), "bbbabbbbbbbbbb"));
  EXPECT_TRUE(Rejects(ExponentialPattern(10).c_str(), "bbbbbabbbbbbbbb"));
}

TEST(RexiBudget, StateBudgetFailureKeepsThePreviousAutomaton) {
  REXI_Limits limits;
  limits.maxDfaStates = 8;
  REXI_Search search(0, limits);
  ASSERT_EQ(search.Compile("abc").code, 0);
  const REXI_DfaState* before = search.StartState();
  EXPECT_EQ(search.Compile(ExponentialPattern(3).c_str()).code, 2);
  EXPECT_EQ(search.StartState(), before);
  EXPECT_EQ(Outcome(search, "abc", 0, Anchoring::AtStart), Found(3, 3, true));
}

TEST(RexiBudget, DeepNestingFailsAtTheFirstParenthesisTooMany) {
  const std::string pattern = std::string(1000, '(') + "a" + std::string(1000, ')');
  const REXI_CompileResult result = CompileOnce(pattern.c_str());
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.message, "pattern nested too deeply");
  EXPECT_EQ(result.position, REXI_Limits{}.maxNestingDepth);
}

TEST(RexiBudget, NestingUpToTheLimitCompiles) {
  const int depth = REXI_Limits{}.maxNestingDepth;
  const std::string pattern = std::string(depth, '(') + "a" + std::string(depth, ')');
  EXPECT_EQ(CompileOnce(pattern.c_str()).code, 0);
}

TEST(RexiBudget, RepeatedPlusThatDoublesTheAutomatonFailsAsTooLarge) {
  std::string pattern = "[a-z]";
  for (int i = 0; i < 40; ++i) pattern = "(" + pattern + "x)+";
  const REXI_CompileResult result = CompileOnce(pattern.c_str());
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.message, "pattern too large for the automaton budget");
  EXPECT_GT(result.position, 0);
  EXPECT_LE(result.position, static_cast<int32_t>(pattern.size()));
}

TEST(RexiBudget, RepeatedDefinitionUseThatOutgrowsTheBudgetFailsAtTheName) {
  REXI_Limits limits;
  limits.maxNfaNodes = 100;
  REXI_Search search(0, limits);
  ASSERT_EQ(search.AddDefinition("$w", "[a-z]+").code, 0);
  std::string pattern;
  for (int i = 0; i < 60; ++i) pattern += "$w ";
  const REXI_CompileResult result = search.Compile(pattern.c_str());
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.message, "pattern too large for the automaton budget");
  EXPECT_EQ(result.position % 3, 0);  // at one of the "$w"
}

TEST(RexiBudget, LongLiteralCompilesInLinearWork) {
  const std::string pattern(4000, 'a');
  REXI_Search search;
  ASSERT_EQ(search.Compile(pattern.c_str()).code, 0);
  EXPECT_EQ(Outcome(search, pattern.c_str(), 0, Anchoring::AtStart), Found(4000, 4000, true));
}

TEST(RexiBudget, CompiledPatternsKeepNoNfaNodesButDefinitionsDo) {
  REXI_Search search;
  for (int i = 0; i < 100; ++i) ASSERT_EQ(search.Compile("(auto) | ( [0-9]+ )").code, 0);
  EXPECT_EQ(search.RetainedNfaNodes(), 0u);
  ASSERT_EQ(search.AddDefinition("$d", "[0-9]").code, 0);
  const size_t defined = search.RetainedNfaNodes();
  EXPECT_GT(defined, 0u);
  ASSERT_EQ(search.Compile("$d+").code, 0);
  EXPECT_EQ(search.Compile("$d+(").code, 2);
  EXPECT_EQ(search.AddDefinition("$e", "$d(").code, 2);
  EXPECT_EQ(search.RetainedNfaNodes(), defined);
}

TEST(RexiStateMerging, StatesThatBehaveAlikeBecomeOne) {
  REXI_Search search;
  ASSERT_EQ(search.Compile("ac|bc").code, 0);
  const REXI_DfaState* start = search.StartState();
  EXPECT_EQ(start->links[static_cast<uint8_t>('a')], start->links[static_cast<uint8_t>('b')]);
  EXPECT_EQ(search.StateCount(), 4u);  // start, after a or b, after c, its accepting stop state
}

TEST(RexiStateMerging, StatesOfDifferentDefinitionsStayApart) {
  REXI_Search search;
  ASSERT_EQ(search.AddDefinition("$x", "x").code, 0);
  ASSERT_EQ(search.AddDefinition("$y", "y").code, 0);
  ASSERT_EQ(search.Compile("$x|$y").code, 0);
  const REXI_DfaState* start = search.StartState();
  EXPECT_NE(start->links[static_cast<uint8_t>('x')], start->links[static_cast<uint8_t>('y')]);
}

TEST(RexiStateMerging, AStateThatCanOnlyDieStaysApartFromDeadState) {
  // After "a" the attempt has not died yet: it dies at the next character, or gives up at the end.
  EXPECT_EQ(MatchIn("a\\x00|b", "a"), NotFound(1, 1, true));
  EXPECT_EQ(MatchIn("a\\x00|b", "ab"), Found(2, 1, true));
}
