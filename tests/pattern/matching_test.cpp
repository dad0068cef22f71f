#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "pattern_test_support.h"

// --- Whole-text validation ------------------------------------------------------------------------

TEST(RexiValidation, AutoOrNumber) {
  const char* pattern = "(auto) | ( [0-9]+ )";
  for (const char* valid : {"auto", "5", "12"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"auto5", "x", "", " 5", "aut"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(RexiValidation, DigitsMustCoverTheWholeText) {
  EXPECT_TRUE(Accepts("[0-9]+", "007"));
  EXPECT_TRUE(Rejects("[0-9]+", "7a"));  // the match is one character long
  EXPECT_TRUE(Rejects("[0-9]+", "a7"));  // the match starts at the second character
}

TEST(RexiValidation, Identifier) {
  const char* pattern = "([A-Za-z_][A-Za-z_0-9]*)";
  for (const char* valid : {"button1", "_label10", "selItems", "_"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"1button", "sel Items", "a-b"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(RexiValidation, BorderWidthAcceptsTheEmptyTextByItself) {
  const char* pattern =
      "( (medium|thin|thick) ?) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )? )";
  for (const char* valid : {"thin", "100px", "0.1cm", ""}) EXPECT_TRUE(Accepts(pattern, valid));
  EXPECT_EQ(ValidatePatternText("", pattern, REXI_EmptyText::Validated), 1);
}

TEST(RexiValidation, LengthWithUnits) {
  const char* pattern = "(auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)";
  for (const char* valid : {"100px", "70%", "5.2cm", "auto", "7"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"5.", ".5", "10 px", "", "autopx"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(RexiValidation, SequenceBindsTighterThanAlternation) {
  const char* pattern = "( (auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)(\\ )*)+";
  for (const char* valid : {"5px 6px", "5px auto", "auto5px", "auto", "1 2 3 "}) EXPECT_TRUE(Accepts(pattern, valid));
  EXPECT_TRUE(Rejects(pattern, "auto 5px"));  // the blanks belong to the numeric alternative only
}

TEST(RexiValidation, DotStarAcceptsEveryText) {
  std::string everyByte;
  for (int c = 255; c >= 1; --c) everyByte += static_cast<char>(c);
  for (const std::string& text : {std::string(), std::string("x"), everyByte}) EXPECT_TRUE(Accepts(".*", text.c_str()));
}

TEST(RexiValidation, EmptyTextIsValidWhenAllowedWhateverThePattern) {
  EXPECT_EQ(ValidatePatternText("", "[0-9]+", REXI_EmptyText::Accepted), 1);
  EXPECT_EQ(ValidatePatternText("", "[0-9]+", REXI_EmptyText::Validated), 0);
  EXPECT_EQ(ValidatePatternText(nullptr, "[0-9]+", REXI_EmptyText::Accepted), 1);
  EXPECT_EQ(ValidatePatternText("", "(", REXI_EmptyText::Accepted), 1);
}

TEST(RexiValidation, PatternThatDoesNotCompileRejectsEverything) {
  EXPECT_EQ(ValidatePatternText("a", "(a", REXI_EmptyText::Accepted), 0);
  EXPECT_EQ(ValidatePatternText("", "", REXI_EmptyText::Validated), 0);
}

TEST(RexiValidation, OptionalPiecesMatchTheEmptyText) {
  EXPECT_TRUE(Accepts("a?b?", ""));
  EXPECT_TRUE(Rejects("a?b", ""));
  EXPECT_TRUE(Accepts("a?b", "b"));
}

TEST(RexiValidation, HexEscapesNameLetters) {
  EXPECT_TRUE(Accepts("\\x41", "A"));
  EXPECT_TRUE(Accepts("\\x4a", "J"));
  EXPECT_TRUE(Accepts("\\x4A", "J"));
  EXPECT_TRUE(Rejects("\\x41", "a"));
}

TEST(RexiValidation, ComplementHoldsEveryValueButTheLetterAndNul) {
  for (int c = 1; c < 256; ++c) {
    const char text[2] = {static_cast<char>(c), 0};
    if (c == 'a')
      EXPECT_TRUE(Rejects("[^a]", text));
    else
      EXPECT_TRUE(Accepts("[^a]", text)) << c;
  }
}

TEST(RexiValidation, CaseOperatorAddsSmallLettersOnly) {
  EXPECT_TRUE(Accepts("([A-Z]\\i)+", "AbC"));
  EXPECT_TRUE(Rejects("[a-z]\\i", "A"));
  EXPECT_TRUE(Accepts("(AUTO)\\i", "auto"));
  EXPECT_TRUE(Accepts("(AUTO)\\i", "AuTo"));
  EXPECT_TRUE(Rejects("(AUTO)\\i", "AUTOauto"));
  EXPECT_TRUE(Accepts("[0-9A]\\i", "a"));
  EXPECT_TRUE(Rejects("[0-9A]\\i", "b"));
}

TEST(RexiValidation, NulCannotBeMatched) {
  EXPECT_TRUE(Rejects("a\\x00", "a"));
  EXPECT_TRUE(Rejects("a\\0", "a"));
  EXPECT_TRUE(Rejects("a\\0", "a0"));  // the "0" belongs to the escape
  EXPECT_TRUE(Accepts("a\\x00?", "a"));
}

TEST(RexiValidation, EmptyBracketsMatchNothingAndTheirComplementAnything) {
  EXPECT_TRUE(Rejects("[]", ""));
  EXPECT_TRUE(Accepts("x[]?y", "xy"));
  EXPECT_TRUE(Accepts("[^]", "\x7f"));
  EXPECT_TRUE(Rejects("[^]", ""));
}

TEST(RexiValidation, BlankMustBeEscapedOrBracketed) {
  EXPECT_TRUE(Rejects("a b", "a b"));
  EXPECT_TRUE(Accepts("a b", "ab"));
  EXPECT_TRUE(Accepts("a\\ b", "a b"));
  EXPECT_TRUE(Accepts("a[ ]b", "a b"));
}

// --- Find and MatchAt ------------------------------------------------------------------------------

TEST(RexiFind, NothingMatchesBeforeTheFirstCompile) {
  REXI_Search search;
  EXPECT_EQ(search.StartState(), kEndState);
  EXPECT_EQ(search.StateCount(), 0u);
  for (const char* text : {"", "a", "any text"}) {
    const MatchOutcome outcome = Outcome(search, text, 0, Anchoring::Search);
    EXPECT_FALSE(outcome.found) << text;
    EXPECT_TRUE(outcome.atEnd) << text;
    EXPECT_EQ(outcome.end, static_cast<int>(std::strlen(text)));
  }
}

TEST(RexiFind, NothingMatchesAfterOnlyFailedCompiles) {
  REXI_Search search;
  EXPECT_EQ(search.Compile("(").code, 2);
  EXPECT_FALSE(Outcome(search, "(", 0, Anchoring::Search).found);
}

TEST(RexiFind, SkipsStartsThatCannotBeginAMatch) {
  EXPECT_EQ(MatchIn("[0-9]+", "ab12c"), Found(4, 2, false));
  EXPECT_EQ(MatchIn("[0-9]+", "a7"), Found(2, 1, true));
}

TEST(RexiFind, LongestMatchFallsBackToTheLastAcceptingPosition) {
  EXPECT_EQ(MatchIn("a|abc", "abd"), Found(1, 1, false));
  EXPECT_EQ(MatchIn("a|abc", "abc"), Found(3, 3, true));
}

TEST(RexiFind, GivesUpWhenAnAttemptFailsAtTheEndOfText) {
  // The attempt at "x" runs to the end without accepting; the later "a" is never tried.
  EXPECT_EQ(MatchIn("xa*y|a", "xaa"), NotFound(3, 3, true));
}

TEST(RexiFind, RetriesAtTheNextStartWhenAnAttemptDiesInside) {
  EXPECT_EQ(MatchIn("xa*y|a", "xab"), Found(2, 1, false));
}

TEST(RexiFind, AcceptingStartIsNotRememberedWhenTheAttemptDies) {
  // The attempt at "a" dies at "c" although the empty match was possible there; the next start
  // gives the empty match.
  EXPECT_EQ(MatchIn("(ab)?", "ac", Anchoring::AtStart), NotFound(1, 1, false));
  EXPECT_EQ(MatchIn("(ab)?", "ac"), Found(1, 0, false));
}

TEST(RexiFind, AcceptingStartWithoutTransitionGivesTheEmptyMatch) {
  EXPECT_EQ(MatchIn("a*", "b"), Found(0, 0, false));
  EXPECT_EQ(MatchIn("a*", ""), Found(0, 0, true));
  EXPECT_EQ(MatchIn("a*", "aab"), Found(2, 2, false));
}

TEST(RexiFind, NonMatchingPatternReportsNotFoundAtTheEnd) {
  EXPECT_EQ(MatchIn("z", "abc"), NotFound(3, 0, true));
  EXPECT_EQ(MatchIn("z", ""), NotFound(0, 0, true));
}

TEST(RexiFind, RepeatedFindsWalkThroughEveryMatch) {
  REXI_Search search;
  ASSERT_EQ(search.Compile("[0-9]+(px|em)").code, 0);
  const char* text = "a 10px, 2em and 7pt 33px";
  const char* position = text;
  std::vector<std::string> matches;
  for (;;) {
    const REXI_MatchResult result = search.Find(position);
    if (!result.found) break;
    matches.emplace_back(position - result.length, position);
    if (result.atEnd) break;
  }
  EXPECT_EQ(matches, (std::vector<std::string>{"10px", "2em", "33px"}));
}

TEST(RexiMatchAt, IsOneAttemptAnchoredAtThePosition) {
  REXI_Search search;
  ASSERT_EQ(search.Compile("[0-9]+").code, 0);
  EXPECT_EQ(Outcome(search, "a7", 0, Anchoring::AtStart), NotFound(0, 0, false));
  EXPECT_EQ(Outcome(search, "a7", 1, Anchoring::AtStart), Found(2, 1, true));
  EXPECT_EQ(Outcome(search, "12a", 0, Anchoring::AtStart), Found(2, 2, false));
}

// --- The automaton -------------------------------------------------------------------------------

TEST(RexiSharedStates, DeadAndEndAreStopStatesThatNeverAccept) {
  EXPECT_EQ(kDeadState->number, -2);
  EXPECT_EQ(kEndState->number, -1);
  EXPECT_TRUE(kDeadState->stop);
  EXPECT_TRUE(kEndState->stop);
  EXPECT_FALSE(kDeadState->accept);
  EXPECT_FALSE(kEndState->accept);
  for (const REXI_DfaState* link : kEndState->links) EXPECT_EQ(link, kEndState);
}

TEST(RexiAutomaton, NonAcceptingStateEndsInEndStateAndDiesElsewhere) {
  REXI_Search search;
  ASSERT_EQ(search.Compile("ab").code, 0);
  const REXI_DfaState* start = search.StartState();
  EXPECT_FALSE(start->accept);
  EXPECT_EQ(start->links[0], kEndState);
  EXPECT_EQ(start->links[static_cast<uint8_t>('b')], kDeadState);
  const REXI_DfaState* afterA = start->links[static_cast<uint8_t>('a')];
  EXPECT_FALSE(afterA->stop);
  const REXI_DfaState* afterAB = afterA->links[static_cast<uint8_t>('b')];
  ASSERT_TRUE(afterAB->accept);
  EXPECT_FALSE(afterAB->stop);
  // An accepting state leads into its own accepting stop state on everything it cannot follow.
  const REXI_DfaState* acceptStop = afterAB->links[0];
  EXPECT_TRUE(acceptStop->stop);
  EXPECT_TRUE(acceptStop->accept);
  EXPECT_EQ(afterAB->links[static_cast<uint8_t>('x')], acceptStop);
  EXPECT_EQ(search.StateCount(), 4u);  // start, after a, after ab, its stop state
}

TEST(RexiAutomaton, EveryLinkOfEveryStateIsFilled) {
  REXI_Search search;
  ASSERT_EQ(
      search.Compile("( (auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)(\\ )*)+").code,
      0);
  std::vector<const REXI_DfaState*> pending{search.StartState()};
  std::set<const REXI_DfaState*> seen{search.StartState()};
  while (!pending.empty()) {
    const REXI_DfaState* state = pending.back();
    pending.pop_back();
    for (const REXI_DfaState* link : state->links) {
      ASSERT_NE(link, nullptr);
      if (!link->stop && seen.insert(link).second) pending.push_back(link);
    }
  }
  EXPECT_GT(seen.size(), 5u);
}
