#include <gtest/gtest.h>

#include "pattern_test_support.h"

namespace {

::testing::AssertionResult FailsWith(const char* pattern, const std::string& message, int32_t position) {
  const REXI_CompileResult result = CompileOnce(pattern);
  if (result.code == 2 && result.message == message && result.position == position)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "pattern \"" << pattern << "\" gave code " << result.code << " \""
                                       << result.message << "\" at " << result.position;
}

const std::string kCloseExpected = ") expected\r\n  ";
const std::string kAtomExpected = "[,',( or ident expected";

}  // namespace

TEST(RexiCompile, SuccessHasCodeZeroEmptyMessageAndPositionZero) {
  const REXI_CompileResult result = CompileOnce("(auto) | ( [0-9]+ )");
  EXPECT_EQ(result.code, 0);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(result.position, 0);
}

TEST(RexiCompile, CataloguePatternsWithBlanksAndEscapedDotCompile) {
  EXPECT_EQ(CompileOnce("(auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)").code, 0);
  EXPECT_EQ(
      CompileOnce("( (auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)(\\ )*)+").code, 0);
}

TEST(RexiCompile, DollarWithoutNameCompilesAsACharacter) {
  EXPECT_TRUE(Accepts("$", "$"));
  EXPECT_TRUE(Accepts("$1", "$1"));
}

TEST(RexiCompileErrors, EmptyPatternExpectsAnAtomAtZero) { EXPECT_TRUE(FailsWith("", kAtomExpected, 0)); }

TEST(RexiCompileErrors, BlankPatternExpectsAnAtomAtTheEnd) { EXPECT_TRUE(FailsWith("   ", kAtomExpected, 3)); }

TEST(RexiCompileErrors, NullPatternIsTheEmptyPattern) {
  REXI_Search search;
  const REXI_CompileResult result = search.Compile(nullptr);
  EXPECT_EQ(result.code, 2);
  EXPECT_EQ(result.message, kAtomExpected);
}

TEST(RexiCompileErrors, EmptyAlternativesAndEmptyGroupExpectAnAtom) {
  EXPECT_TRUE(FailsWith("a|", kAtomExpected, 2));
  EXPECT_TRUE(FailsWith("|a", kAtomExpected, 0));
  EXPECT_TRUE(FailsWith("()", kAtomExpected, 1));
  EXPECT_TRUE(FailsWith("a||b", kAtomExpected, 2));
  EXPECT_TRUE(FailsWith("*a", kAtomExpected, 0));
}

TEST(RexiCompileErrors, MissingCloseParenthesisAtTheEndOfText) { EXPECT_TRUE(FailsWith("( a", kCloseExpected, 3)); }

TEST(RexiCompileErrors, StrayCloseParenthesisIsUnexpected) {
  EXPECT_TRUE(FailsWith("a)", "unexpected symbol", 1));
  EXPECT_TRUE(FailsWith("a = b", "unexpected symbol", 2));
}

TEST(RexiCompileErrors, SecondPostfixOperatorEndsTheSequence) {
  EXPECT_TRUE(FailsWith("a**", "unexpected symbol", 2));
  EXPECT_TRUE(FailsWith("a*?", "unexpected symbol", 2));
  EXPECT_TRUE(FailsWith("a+\\i", "unexpected symbol", 2));
  EXPECT_TRUE(FailsWith("(a**)", kCloseExpected, 3));
  EXPECT_TRUE(FailsWith("( a * ? )", kCloseExpected, 6));
}

TEST(RexiCompileErrors, UnclosedBracketFailsAtTheBracket) {
  EXPECT_TRUE(FailsWith("[0-9", "closing ] missing", 0));
  EXPECT_TRUE(FailsWith(" [0-9", "closing ] missing", 1));
  EXPECT_TRUE(FailsWith("ab|[a-]", "closing ] missing", 3));
}

TEST(RexiCompileErrors, UnknownNameFailsAtItsDollar) {
  EXPECT_TRUE(FailsWith("$size", "$size not found in name dictionary", 0));
  EXPECT_TRUE(FailsWith("x $unit_2+", "$unit_2 not found in name dictionary", 2));
}

TEST(RexiCompileErrors, FailedCompileKeepsThePreviousAutomaton) {
  REXI_Search search;
  ASSERT_EQ(search.Compile("[0-9]+").code, 0);
  const REXI_DfaState* before = search.StartState();
  EXPECT_EQ(search.Compile("( a").code, 2);
  EXPECT_EQ(search.StartState(), before);
  EXPECT_EQ(Outcome(search, "42", 0, Anchoring::Search), Found(2, 2, true));
}

TEST(RexiCompileErrors, SuccessfulCompileReplacesTheAutomaton) {
  REXI_Search search;
  ASSERT_EQ(search.Compile("a").code, 0);
  ASSERT_EQ(search.Compile("b").code, 0);
  EXPECT_EQ(Outcome(search, "a", 0, Anchoring::Search).found, false);
  EXPECT_EQ(Outcome(search, "b", 0, Anchoring::Search), Found(1, 1, true));
}

TEST(RexiDefinitions, DefinedNameIsUsableAndEachUseIsIndependent) {
  REXI_Search search;
  const REXI_CompileResult added = search.AddDefinition("$digit", "[0-9]");
  EXPECT_EQ(added.code, 0);
  EXPECT_EQ(added.message, "");
  ASSERT_EQ(search.Compile("$digit $digit+").code, 0);
  EXPECT_EQ(Outcome(search, "1", 0, Anchoring::AtStart).found, false);
  EXPECT_EQ(Outcome(search, "123", 0, Anchoring::AtStart), Found(3, 3, true));
}

TEST(RexiDefinitions, DefinitionsMayUseEarlierDefinitionsAndOperators) {
  REXI_Search search;
  ASSERT_EQ(search.AddDefinition("$d", "[0-9]").code, 0);
  ASSERT_EQ(search.AddDefinition("$num", "$d+ (\\.$d+)?").code, 0);
  ASSERT_EQ(search.Compile("$num (px|em)").code, 0);
  EXPECT_EQ(Outcome(search, "1.5em", 0, Anchoring::AtStart), Found(5, 5, true));
  EXPECT_EQ(Outcome(search, "1.em", 0, Anchoring::AtStart).found, false);
}

TEST(RexiDefinitions, LaterDefinitionOfTheSameNameReplacesTheEarlier) {
  REXI_Search search;
  ASSERT_EQ(search.AddDefinition("$w", "x").code, 0);
  ASSERT_EQ(search.AddDefinition("$w", "y").code, 0);
  ASSERT_EQ(search.Compile("$w").code, 0);
  EXPECT_EQ(Outcome(search, "x", 0, Anchoring::AtStart).found, false);
  EXPECT_EQ(Outcome(search, "y", 0, Anchoring::AtStart).found, true);
}

TEST(RexiDefinitions, MissingIdentifierIsCode1AtAnOffsetIntoTheIdentifier) {
  REXI_Search search;
  const REXI_CompileResult result = search.AddDefinition("digit", "[0-9]");
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.message, " expected\r\n  ");
  EXPECT_EQ(result.position, 0);
}

TEST(RexiDefinitions, MissingEqualsInsideTheIdentifierIsCode1) {
  REXI_Search search;
  const REXI_CompileResult result = search.AddDefinition("$a b", "x");  // parsed as "$a b=x"
  EXPECT_EQ(result.code, 1);
  EXPECT_EQ(result.message, "= expected\r\n  ");
  EXPECT_EQ(result.position, 3);
}

TEST(RexiDefinitions, PatternErrorIsCode2AtAnOffsetIntoThePattern) {
  REXI_Search search;
  const REXI_CompileResult trailing = search.AddDefinition("$a", "x|");  // "$a=x|": error at 5
  EXPECT_EQ(trailing.code, 2);
  EXPECT_EQ(trailing.message, kAtomExpected);
  EXPECT_EQ(trailing.position, 2);
  const REXI_CompileResult first = search.AddDefinition("$a", ")");  // error exactly at length + 1
  EXPECT_EQ(first.code, 2);
  EXPECT_EQ(first.position, 0);
  const REXI_CompileResult unknown = search.AddDefinition("$a", "x $b");
  EXPECT_EQ(unknown.code, 2);
  EXPECT_EQ(unknown.message, "$b not found in name dictionary");
  EXPECT_EQ(unknown.position, 2);  // parsed as "$a=x $b": "$b" is at 5, the pattern starts at 3
}

TEST(RexiDefinitions, FailedDefinitionLeavesTheDictionaryAlone) {
  REXI_Search search;
  ASSERT_EQ(search.AddDefinition("$a", "x").code, 0);
  EXPECT_EQ(search.AddDefinition("$a", "(y").code, 2);
  ASSERT_EQ(search.Compile("$a").code, 0);
  EXPECT_EQ(Outcome(search, "x", 0, Anchoring::AtStart).found, true);
}

TEST(RexiDefinitions, DictionaryOutlivesCompiles) {
  REXI_Search search;
  ASSERT_EQ(search.AddDefinition("$a", "x").code, 0);
  ASSERT_EQ(search.Compile("$a y").code, 0);
  ASSERT_EQ(search.Compile("y $a").code, 0);
  EXPECT_EQ(Outcome(search, "yx", 0, Anchoring::AtStart).found, true);
}

TEST(RexiDefinitions, AcceptingStatesCarryTheDefinitionNumberCountedOnEveryCall) {
  REXI_Search search;
  ASSERT_EQ(search.AddDefinition("$x", "x").code, 0);    // number 0
  ASSERT_EQ(search.AddDefinition("$bad", "(").code, 2);  // number 1, spent although it failed
  ASSERT_EQ(search.AddDefinition("$y", "y").code, 0);    // number 2
  ASSERT_EQ(search.Compile("$x | $y | z").code, 0);
  const REXI_DfaState* start = search.StartState();
  EXPECT_EQ(start->links[static_cast<uint8_t>('x')]->number, 0);
  EXPECT_EQ(start->links[static_cast<uint8_t>('y')]->number, 2);
  EXPECT_EQ(start->links[static_cast<uint8_t>('z')]->number, -2);
  EXPECT_TRUE(start->links[static_cast<uint8_t>('x')]->accept);
}
