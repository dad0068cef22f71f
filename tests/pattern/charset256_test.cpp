#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "pattern/charset256.h"

TEST(CharSet256, ValueIsBitOfWordByDivisionBy32) {
  CharSet256 set;
  set.Add(0);
  set.Add(33);
  set.Add(255);
  EXPECT_EQ(set.Word(0), 1u);
  EXPECT_EQ(set.Word(1), 2u);
  EXPECT_EQ(set.Word(7), 0x80000000u);
  EXPECT_EQ(set.Count(), 3);
}

TEST(CharSet256, RangeIsInclusiveInEitherOrder) {
  CharSet256 forward, backward;
  forward.AddRange('a', 'z');
  backward.AddRange('z', 'a');
  EXPECT_EQ(forward, backward);
  EXPECT_EQ(forward.Count(), 26);
  EXPECT_TRUE(forward.Contains('a'));
  EXPECT_TRUE(forward.Contains('z'));
  EXPECT_FALSE(forward.Contains('`'));
  EXPECT_FALSE(forward.Contains('{'));
}

TEST(CharSet256, FullRangeAndComplementCoverAll256Values) {
  CharSet256 full;
  full.AddRange(0, 255);
  EXPECT_EQ(full.Count(), 256);
  EXPECT_EQ(full, CharSet256::All());
  CharSet256 notA = CharSet256::Of('a');
  notA.Complement();
  EXPECT_EQ(notA.Count(), 255);
  EXPECT_FALSE(notA.Contains('a'));
  EXPECT_TRUE(notA.Contains(0));
}

TEST(CharSet256, SetAlgebra) {
  CharSet256 digits, hex;
  digits.AddRange('0', '9');
  hex.AddRange('0', '9');
  hex.AddRange('a', 'f');
  EXPECT_EQ(digits & hex, digits);
  EXPECT_EQ(digits | hex, hex);
  EXPECT_EQ((hex - digits).Count(), 6);
  EXPECT_TRUE(digits.Intersects(hex));
  EXPECT_FALSE((hex - digits).Intersects(digits));
  EXPECT_FALSE(CharSet256().Any());
  EXPECT_TRUE(CharSet256::Of(200).Any());
}

TEST(CharSet256, ForEachVisitsMembersInAscendingOrder) {
  CharSet256 set;
  for (uint8_t v : {200, 3, 64, 31, 32}) set.Add(v);
  std::vector<int> seen;
  set.ForEach([&](uint8_t v) { seen.push_back(v); });
  EXPECT_EQ(seen, (std::vector<int>{3, 31, 32, 64, 200}));
}

TEST(CharSet256Order, SetLackingTheLowestDifferingValueComesFirst) {
  const CharSet256Less less;
  EXPECT_TRUE(less(CharSet256::Of('b'), CharSet256::Of('a')));  // differ first at 'a'; {b} lacks it
  EXPECT_FALSE(less(CharSet256::Of('a'), CharSet256::Of('b')));
  EXPECT_TRUE(less(CharSet256(), CharSet256::Of(255)));
  CharSet256 ab = CharSet256::Of('a');
  ab.Add('b');
  EXPECT_TRUE(less(CharSet256::Of('a'), ab));  // differ at 'b'
  EXPECT_FALSE(less(ab, ab));
  EXPECT_TRUE(less(CharSet256::Of(40), CharSet256::Of(8)));  // across words
}

TEST(CharSet256, RangesAcrossAndWithinWordsMatchValueByValueAdds) {
  for (int first : {0, 1, 30, 31, 32, 63, 64, 100, 200, 254, 255}) {
    for (int last : {0, 5, 31, 32, 33, 95, 128, 250, 255}) {
      CharSet256 byRange, byValue;
      byRange.AddRange(static_cast<uint8_t>(first), static_cast<uint8_t>(last));
      for (int value = std::min(first, last); value <= std::max(first, last); ++value)
        byValue.Add(static_cast<uint8_t>(value));
      EXPECT_EQ(byRange, byValue) << first << ".." << last;
    }
  }
}

TEST(CharSet256, RemoveTakesOutOneValueOnly) {
  CharSet256 set = CharSet256::All();
  set.Remove(0);
  set.Remove(97);
  set.Remove(255);
  EXPECT_EQ(set.Count(), 253);
  EXPECT_FALSE(set.Contains(0));
  EXPECT_FALSE(set.Contains(97));
  EXPECT_TRUE(set.Contains(96));
  EXPECT_TRUE(set.Contains(98));
  set.Remove(97);
  EXPECT_EQ(set.Count(), 253);
}
