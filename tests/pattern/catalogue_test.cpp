#include <gtest/gtest.h>

#include "catalogue_patterns.h"
#include "pattern_test_support.h"

namespace {

class CataloguePatternTest : public ::testing::TestWithParam<CataloguePattern> {};

std::string NameOf(const ::testing::TestParamInfo<CataloguePattern>& info) {
  return "String" + std::to_string(info.param.stringId);
}

}  // namespace

TEST_P(CataloguePatternTest, CompilesWellWithinTheStateBudget) {
  REXI_Search search;
  const REXI_CompileResult result = search.Compile(GetParam().pattern);
  EXPECT_EQ(result.code, 0) << result.message;
  EXPECT_LT(search.StateCount(), 500u);
}

TEST_P(CataloguePatternTest, AcceptsTheExamplesOfItsHelpText) {
  for (const char* example : GetParam().helpExamples) EXPECT_TRUE(Accepts(GetParam().pattern, example));
  EXPECT_TRUE(Accepts(GetParam().pattern, GetParam().typicalValue));
}

INSTANTIATE_TEST_SUITE_P(StringTable, CataloguePatternTest, ::testing::ValuesIn(kCataloguePatterns), NameOf);

namespace {
const char* PatternOf(int stringId) {
  for (const CataloguePattern& entry : kCataloguePatterns)
    if (entry.stringId == stringId) return entry.pattern;
  ADD_FAILURE() << "no pattern " << stringId;
  return "";
}
}  // namespace

TEST(CatalogueValues, IdentifierPattern) {
  const char* pattern = PatternOf(40012);
  for (const char* valid : {"a", "Z9", "form_1"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "9a", "my-id", "a b", "\xE9t\xE9"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, FreeTextPatternsAcceptAnything) {
  for (int id : {40017, 40068, 40094})
    for (const char* text : {"", " ", "<&>\"'", "\x01\xFF", "line\r\nbreak"}) EXPECT_TRUE(Accepts(PatternOf(id), text));
}

TEST(CatalogueValues, PositionPattern) {
  const char* pattern = PatternOf(40020);
  for (const char* valid : {"auto", "0", "12.5pt", "3pc", "1in", "2mm", "4ex", "100%"})
    EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "-5px", "5PX", "5 px", "px", "1.2.3", "auto auto", "5p"})
    EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, BorderWidthPattern) {
  const char* pattern = PatternOf(40044);
  for (const char* valid : {"", "medium", "thick", "1.5em", "3"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"thinpx", "auto", "thin thick", ".5"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, MarginPattern) {
  const char* pattern = PatternOf(40056);
  for (const char* valid : {"1px 2px 3px 4px", "autoauto", "0 0", "1.5cm   2em", "2px auto"})
    EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "auto auto", "auto ", "px", " 5px", "5px,6px"})
    EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, PaddingPattern) {
  const char* pattern = PatternOf(40062);
  for (const char* valid : {"0", "7.25mm", "10%"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "auto", "10 %", "1."}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, FontSizePattern) {
  const char* pattern = PatternOf(40082);
  for (const char* valid :
       {"xx-small", "small", "medium", "large", "x-large", "xx-large", "larger", "smaler", "10", "1.5em"})
    EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "x-medium", "big", "12 pt", "large12"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, ZIndexPattern) {
  const char* pattern = PatternOf(40104);
  for (const char* valid : {"0", "999"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "-1", "auto1", "1.5"}) EXPECT_TRUE(Rejects(pattern, invalid));
}

TEST(CatalogueValues, BodySizePattern) {
  const char* pattern = PatternOf(40108);
  for (const char* valid : {"1", "007"}) EXPECT_TRUE(Accepts(pattern, valid));
  for (const char* invalid : {"", "400px", "auto", "4 0"}) EXPECT_TRUE(Rejects(pattern, invalid));
}
