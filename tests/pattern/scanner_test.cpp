#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pattern/rexi_errors.h"
#include "pattern/rexi_scanner.h"

namespace {

struct ScannedToken {
  REXI_Token token;
  int32_t position;
  std::string detail;  // identifier text, or the members of a set as "a,b,c" (ranges as "a-z")

  bool operator==(const ScannedToken&) const = default;
  friend std::ostream& operator<<(std::ostream& out, const ScannedToken& t) {
    return out << static_cast<uint32_t>(t.token) << "@" << t.position << "[" << t.detail << "]";
  }
};

std::string Describe(const CharSet256& set) {
  std::string text;
  int runStart = -1;
  for (int v = 0; v <= 256; ++v) {
    const bool in = v < 256 && set.Contains(static_cast<uint8_t>(v));
    if (in && runStart < 0) runStart = v;
    if (!in && runStart >= 0) {
      if (!text.empty()) text += ",";
      text += std::to_string(runStart);
      if (v - 1 > runStart) text += "-" + std::to_string(v - 1);
      runStart = -1;
    }
  }
  return text;
}

std::vector<ScannedToken> Scan(const char* pattern) {
  REXI_Scanner scanner;
  scanner.Reset(pattern);
  std::vector<ScannedToken> tokens;
  do {
    scanner.Next();
    std::string detail;
    if (scanner.Token() == REXI_Token::Set) detail = Describe(scanner.Set());
    if (scanner.Token() == REXI_Token::Identifier) detail = scanner.Identifier();
    tokens.push_back({scanner.Token(), scanner.TokenPosition(), detail});
  } while (scanner.Token() != REXI_Token::End && tokens.size() < 100);
  return tokens;
}

std::string Members(std::initializer_list<int> values) {
  CharSet256 set;
  for (int v : values) set.Add(static_cast<uint8_t>(v));
  return Describe(set);
}

// The set of the only token of a one-atom pattern.
std::string SetOf(const char* pattern) {
  const std::vector<ScannedToken> tokens = Scan(pattern);
  EXPECT_EQ(tokens.size(), 2u) << pattern;
  EXPECT_EQ(tokens[0].token, REXI_Token::Set) << pattern;
  return tokens[0].detail;
}

REXA_Exception ScanError(const char* pattern) {
  try {
    Scan(pattern);
  } catch (const REXA_Exception& error) {
    return error;
  }
  ADD_FAILURE() << "no error for " << pattern;
  return REXA_Exception("", -99);
}

}  // namespace

TEST(RexiTokens, CodesAndNamesAreThoseOfTheMessages) {
  EXPECT_EQ(static_cast<uint32_t>(REXI_Token::End), 1u);
  EXPECT_EQ(static_cast<uint32_t>(REXI_Token::Illegal), 2u);
  EXPECT_EQ(static_cast<uint32_t>(REXI_Token::Identifier), 4u);
  EXPECT_EQ(static_cast<uint32_t>(REXI_Token::Set), 1024u);
  EXPECT_EQ(static_cast<uint32_t>(REXI_Token::CaseFold), 8192u);
  EXPECT_STREQ(REXI_TokenName(REXI_Token::End), "end of string");
  EXPECT_STREQ(REXI_TokenName(REXI_Token::Illegal), "illegal character");
  EXPECT_STREQ(REXI_TokenName(REXI_Token::Identifier), "");
  EXPECT_STREQ(REXI_TokenName(REXI_Token::Set), "[<characters>]");
  EXPECT_STREQ(REXI_TokenName(REXI_Token::Close), ")");
  EXPECT_STREQ(REXI_TokenName(REXI_Token::Equals), "=");
  EXPECT_STREQ(REXI_TokenName(REXI_Token::CaseFold), "");
  EXPECT_EQ(kRexiAtomStartMask, 3076u);
}

TEST(RexiScanner, BlanksBetweenTokensHaveNoMeaning) {
  std::vector<REXI_Token> spaced, tight;
  for (const ScannedToken& t : Scan(" ( em|ex )\t\n\v\f\r")) spaced.push_back(t.token);
  for (const ScannedToken& t : Scan("(em|ex)")) tight.push_back(t.token);
  EXPECT_EQ(spaced, tight);
}

TEST(RexiScanner, OperatorsAndEndHaveTheirCodesAndPositions) {
  const std::vector<ScannedToken> tokens = Scan("( * + = ? | )");
  const std::vector<ScannedToken> expected = {{REXI_Token::Open, 0, ""},     {REXI_Token::Star, 2, ""},
                                              {REXI_Token::Plus, 4, ""},     {REXI_Token::Equals, 6, ""},
                                              {REXI_Token::Question, 8, ""}, {REXI_Token::Bar, 10, ""},
                                              {REXI_Token::Close, 12, ""},   {REXI_Token::End, 13, ""}};
  EXPECT_EQ(tokens, expected);
}

TEST(RexiScanner, EndTokenIsNotConsumed) {
  REXI_Scanner scanner;
  scanner.Reset("a ");
  scanner.Next();
  scanner.Next();
  scanner.Next();
  EXPECT_EQ(scanner.Token(), REXI_Token::End);
  EXPECT_EQ(scanner.TokenPosition(), 2);
}

TEST(RexiScanner, IdentifierIsDollarLetterOrUnderscoreThenNameCharacters) {
  EXPECT_EQ(Scan("$size_1x+")[0], (ScannedToken{REXI_Token::Identifier, 0, "$size_1x"}));
  EXPECT_EQ(Scan("$_a")[0], (ScannedToken{REXI_Token::Identifier, 0, "$_a"}));
  EXPECT_EQ(Scan("$Z-")[0], (ScannedToken{REXI_Token::Identifier, 0, "$Z"}));
}

TEST(RexiScanner, DollarWithoutNameIsAnOrdinaryCharacter) {
  const std::vector<ScannedToken> tokens = Scan("$1");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[0], (ScannedToken{REXI_Token::Set, 0, Members({'$'})}));
  EXPECT_EQ(tokens[1], (ScannedToken{REXI_Token::Set, 1, Members({'1'})}));
  EXPECT_EQ(SetOf("$"), Members({'$'}));
}

TEST(RexiScanner, DotIsEveryValue) { EXPECT_EQ(SetOf("."), "0-255"); }

TEST(RexiScanner, OtherCharactersAreOneMemberSets) {
  for (const char* single : {"]", "^", "-", "{", "}", "'", "i", "0", "\xE9", "\xFF"})
    EXPECT_EQ(SetOf(single), Members({static_cast<uint8_t>(single[0])})) << single;
}

TEST(RexiScanner, CaseOperatorIsRecognisedBeforeEscapes) {
  const std::vector<ScannedToken> tokens = Scan("a\\i");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1].token, REXI_Token::CaseFold);
  EXPECT_EQ(tokens[1].position, 1);
  EXPECT_EQ(SetOf("[\\i]"), Members({'i'}));  // inside brackets it is an escaped letter
}

TEST(RexiScanner, ControlEscapesGiveTheirValues) {
  EXPECT_EQ(SetOf("\\a"), Members({7}));
  EXPECT_EQ(SetOf("\\b"), Members({8}));
  EXPECT_EQ(SetOf("\\n"), Members({10}));
  EXPECT_EQ(SetOf("\\r"), Members({13}));
  EXPECT_EQ(SetOf("\\t"), Members({9}));
  EXPECT_EQ(SetOf("\\v"), Members({11}));
}

TEST(RexiScanner, HexEscapeTakesTwoDigitsOfEitherCase) {
  EXPECT_EQ(SetOf("\\x41"), Members({'A'}));
  EXPECT_EQ(SetOf("\\x4a"), Members({'J'}));
  EXPECT_EQ(SetOf("\\x4A"), Members({'J'}));
  EXPECT_EQ(SetOf("\\xfF"), Members({255}));
}

TEST(RexiScanner, HexEscapeWithoutTwoDigitsIsTheLetterX) {
  const std::vector<ScannedToken> tokens = Scan("\\x4g");
  ASSERT_EQ(tokens.size(), 4u);
  EXPECT_EQ(tokens[0], (ScannedToken{REXI_Token::Set, 0, Members({'x'})}));
  EXPECT_EQ(tokens[1], (ScannedToken{REXI_Token::Set, 2, Members({'4'})}));
  EXPECT_EQ(Scan("\\x4").size(), 3u);  // "x", "4", end: nothing is read past the end
  EXPECT_EQ(Scan("\\x").size(), 2u);
}

TEST(RexiScanner, OtherEscapesStandForThemselves) {
  EXPECT_EQ(SetOf("\\."), Members({'.'}));
  EXPECT_EQ(SetOf("\\ "), Members({' '}));
  EXPECT_EQ(SetOf("\\\\"), Members({'\\'}));
  EXPECT_EQ(SetOf("\\("), Members({'('}));
  EXPECT_EQ(SetOf("\\["), Members({'['}));
}

TEST(RexiScanner, BackslashZeroIsTheNulValueAndConsumesTheDigit) { EXPECT_EQ(SetOf("\\0"), Members({0})); }

TEST(RexiScanner, TrailingBackslashYieldsNulAndStopsAtTheEnd) {
  const std::vector<ScannedToken> tokens = Scan("a\\");
  ASSERT_EQ(tokens.size(), 3u);
  EXPECT_EQ(tokens[1], (ScannedToken{REXI_Token::Set, 1, Members({0})}));
  EXPECT_EQ(tokens[2], (ScannedToken{REXI_Token::End, 2, ""}));
}

TEST(RexiBracketSet, BlanksInsideAreMembers) {
  EXPECT_EQ(SetOf("[ 0-9 ]"), Members({' ', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}));
}

TEST(RexiBracketSet, RangesAndSingles) {
  CharSet256 expected;
  expected.AddRange('A', 'Z');
  expected.AddRange('a', 'z');
  expected.Add('_');
  EXPECT_EQ(SetOf("[A-Za-z_]"), Describe(expected));
  EXPECT_EQ(SetOf("[z-a]"), SetOf("[a-z]"));
}

TEST(RexiBracketSet, LeadingCaretComplementsOverAll256Values) {
  CharSet256 expected = CharSet256::Of('a');
  expected.Complement();
  EXPECT_EQ(SetOf("[^a]"), Describe(expected));
  EXPECT_EQ(SetOf("[\\^a]"), Members({'^', 'a'}));
  EXPECT_EQ(SetOf("[a^]"), Members({'^', 'a'}));
}

TEST(RexiBracketSet, UnpairedDashIsLiteral) {
  EXPECT_EQ(SetOf("[-a]"), Members({'-', 'a'}));
  EXPECT_EQ(SetOf("[a\\-c]"), Members({'-', 'a', 'c'}));
}

TEST(RexiBracketSet, EscapesWorkInsideAndEscapedBracketIsAMember) {
  EXPECT_EQ(SetOf("[\\]\\x41\\t]"), Members({9, 'A', ']'}));
  EXPECT_EQ(SetOf("[\\x30-\\x32]"), Members({'0', '1', '2'}));
}

TEST(RexiBracketSet, EmptyBracketsAreTheEmptySetAndItsComplement) {
  EXPECT_EQ(SetOf("[]"), "");
  EXPECT_EQ(SetOf("[^]"), "0-255");
}

TEST(RexiBracketSet, MissingCloseFailsAtTheOpeningBracket) {
  for (const char* pattern : {"[0-9", "[a-]", "[", "[^", "[\\]", "[a-\\x00]", "[\\x00]", "[a\\x00]", "[\\0]"}) {
    const REXA_Exception error = ScanError(pattern);
    EXPECT_EQ(error.Message(), "closing ] missing") << pattern;
    EXPECT_EQ(error.Position(), 0) << pattern;
  }
  EXPECT_EQ(ScanError(" [0-9").Position(), 1);
  EXPECT_EQ(ScanError("ab [x").Position(), 3);
}
