// The string table: every text is present exactly as the module's users expect it, and nothing else is.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "resource_module.h"

namespace vellum::test {
namespace {

struct ExpectedString {
  UINT id;
  std::string_view notation;  // "\n" is a line break, "\t" a tab; any other backslash is itself
};

// Written in the notation of the texts' own documentation, so each line can be compared with it by eye.
constexpr ExpectedString kExpectedStrings[] = {
    {40001, R"~(Properties)~"},
    {40002, R"~(Delete)~"},
    {40003, R"~(Quorvex HTML form editor control)~"},
    {40006, R"~(Appearance)~"},
    {40008, R"~(Font)~"},
    {40009, R"~(Misc)~"},
    {40010, R"~(Position)~"},
    {40011, R"~(ID)~"},
    {40012, R"~(([A-Za-z_][A-Za-z_0-9]*))~"},
    {40015, R"~(The property format is:\n( [A-Za-z_] [A-Za-z_0-9] * )\nExample:\n\tbutton1\n\t_label10\n\tselItems)~"},
    {40016, R"~(ToolTip)~"},
    {40017, R"~(.*)~"},
    {40018, R"~(Title filter help)~"},
    {40019, R"~(Top)~"},
    {40020, R"~((auto) | ( ( ([0-9]+) | ( [0-9]+\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?))~"},
    {40021,
     R"~(The property format is:\n( auto ) | ( ( ([ 0-9 ]+) | ( [ 0-9 ]+\.[ 0-9 ]+ ) )  ( em | ex | px | % | in | cm | mm | pt | pc ) ? )\nExample:\n\t100px\n\t70%\n\t5.2cm)~"},
    {40022, R"~(Left)~"},
    {40025, R"~(Width)~"},
    {40028, R"~(Height)~"},
    {40031, R"~(ForeColor)~"},
    {40034, R"~(BackColor)~"},
    {40044, R"~(( (medium|thin|thick) ?) | ( ( ([0-9]+) | ( [0-9]+\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )? ))~"},
    {40045,
     R"~(The property format is:\n( ( medium | thin | thick ) ?) | ( ( ([ 0-9 ]+) | ( [ 0-9 ]+\.[ 0-9 ]+ ) )  (  em | ex | px | % | in | cm | mm | pt | pc ) ? )\nExample:\n\tthin\n\t100px\n\t0.1cm)~"},
    {40055, R"~(Margin)~"},
    {40056, R"~(( (auto) | ( ( ([0-9]+) | ( [0-9]+\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)(\ )*)+)~"},
    {40057,
     R"~(The property format is:\n( ( auto ) | ( ( ( [ 0-9 ] + ) | ( [ 0-9 ]+\.[ 0-9 ]+ ) )  ( em | ex | px | % | in | cm | mm | pt | pc )?)( \ ) * ) +\nExample:\n\tauto\n\t5px\n\t0.5cm)~"},
    {40061, R"~(Padding)~"},
    {40062, R"~(( ([0-9]+) | ( [0-9]+\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)~"},
    {40063,
     R"~(The property format is:\n( ( [ 0-9 ] + ) | ( [ 0-9 ] + \. [ 0-9 ]+ ) )  (  em | ex | px | % | in | cm | mm | pt | pc ) ?\nExample:\n\t10px\n\t3%\n\t0.2cm)~"},
    {40067, R"~(Text)~"},
    {40068, R"~(.*)~"},
    {40069, R"~(Property text filter help)~"},
    {40073, R"~(Font face)~"},
    {40074, R"~(Border width)~"},
    {40075, R"~(Border color)~"},
    {40076, R"~(Border style)~"},
    {40077, R"~(New option)~"},
    {40078, R"~(value)~"},
    {40079, R"~(Click ->)~"},
    {40080, R"~(Items)~"},
    {40081, R"~(Size)~"},
    {40082,
     R"~((xx-small|x-small|small|medium|large|x-large|xx-large|larger|smaler|smaller)|(( ([0-9]+) | ( [0-9]+\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?))~"},
    {40083,
     R"~(The property format is:\n( xx-small | x-small | small | medium | large | x-large | xx-large | larger | smaller ) | ( ( ( [ 0-9 ] +) | ( [ 0-9 ]+\. [ 0-9 ] + ) )  ( em | ex | px | % | in | cm | mm | pt | pc ) ? )\nExample:\n\tx-small\n\t1.2cm\n\t14pt)~"},
    {40084, R"~(Style)~"},
    {40085, R"~(Variant)~"},
    {40086, R"~(Weight)~"},
    {40087, R"~(Title)~"},
    {40088, R"~(Element properties)~"},
    {40090, R"~(Source)~"},
    {40091,
     R"~(JPEG\t*.jpg;*.jpeg\tWindows bitmap\t*.bmp\tPortable Network Graphics\t*.png\tGIF\t*.gif\tIcon\t*.ico\tWindows Meta file\t*.wmf;*.emf\tAll Images\t*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.ico;*.wmf;*.emf\t\t)~"},
    {40092, R"~(Checked)~"},
    {40093, R"~(Group)~"},
    {40094, R"~(.*)~"},
    {40095, R"~(Property name filter help)~"},
    {40096, R"~(Text)~"},
    {40097, R"~(Align)~"},
    {40098, R"~(Decoration)~"},
    {40099, R"~(Transform)~"},
    {40100, R"~(Cursor)~"},
    {40101, R"~(Overflow-X)~"},
    {40102, R"~(Overflow-Y)~"},
    {40103, R"~(Z-Index)~"},
    {40104, R"~((auto) | ( [0-9]+ ))~"},
    {40105, R"~(Property format is:\n( auto ) | ( [ 0-9 ]+ )\nExample:\n\tauto\n\t5\n\t12)~"},
    {40106, R"~(Readonly)~"},
    {40107, R"~(Disabled)~"},
    {40108, R"~([0-9]+)~"},
    {40109, R"~(The property format is:\n [0-9]+)~"},
};

constexpr UINT kFirstStringId = 40001;
constexpr UINT kLastStringId = 40109;

std::string FromNotation(std::string_view notation) {
  std::string text;
  for (std::size_t i = 0; i < notation.size(); ++i) {
    const bool escape = notation[i] == '\\' && i + 1 < notation.size();
    if (escape && notation[i + 1] == 'n') {
      text += '\n';
      ++i;
    } else if (escape && notation[i + 1] == 't') {
      text += '\t';
      ++i;
    } else {
      text += notation[i];
    }
  }
  return text;
}

// The loaded 8-bit text; length 0 when the id has no entry.
struct LoadedString {
  int length = 0;
  std::string text;
};

LoadedString LoadAnsi(UINT id) {
  char buffer[1024];
  std::fill(std::begin(buffer), std::end(buffer), '\x7f');
  LoadedString loaded;
  loaded.length = LoadStringA(ResourceModule(), id, buffer, static_cast<int>(sizeof buffer));
  if (loaded.length > 0) loaded.text.assign(buffer, static_cast<std::size_t>(loaded.length));
  return loaded;
}

const ExpectedString* FindExpected(UINT id) {
  for (const auto& expected : kExpectedStrings)
    if (expected.id == id) return &expected;
  return nullptr;
}

class StringTable : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(ResourceModule(), nullptr) << "module with the resources not found"; }
};

TEST_F(StringTable, EveryDocumentedTextLoadsExactly) {
  for (const auto& expected : kExpectedStrings) {
    const std::string text = FromNotation(expected.notation);
    const LoadedString loaded = LoadAnsi(expected.id);
    EXPECT_EQ(loaded.length, static_cast<int>(text.size())) << "string " << expected.id;
    EXPECT_EQ(loaded.text, text) << "string " << expected.id;
  }
}

TEST_F(StringTable, IdsWithoutDocumentedTextHaveNoEntry) {
  for (UINT id = kFirstStringId - 16; id <= kLastStringId + 16; ++id) {
    if (FindExpected(id)) continue;
    EXPECT_EQ(LoadAnsi(id).length, 0) << "string " << id << " should be absent";
  }
}

TEST_F(StringTable, TextsArePlainAsciiSoEveryAnsiCodePageReadsThemAlike) {
  for (const auto& expected : kExpectedStrings) {
    const std::string text = LoadAnsi(expected.id).text;
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c > 0 && c < 0x7f; }))
        << "string " << expected.id;
  }
}

// Spot checks written with the compiler's own escapes, independent of the notation above.
TEST_F(StringTable, HelpTextsHoldRealLineBreaksAndTabs) {
  EXPECT_EQ(LoadAnsi(40105).text, "Property format is:\n( auto ) | ( [ 0-9 ]+ )\nExample:\n\tauto\n\t5\n\t12");
  EXPECT_EQ(LoadAnsi(40015).text,
            "The property format is:\n( [A-Za-z_] [A-Za-z_0-9] * )\nExample:\n\tbutton1\n\t_label10\n\tselItems");
  EXPECT_EQ(LoadAnsi(40109).text, "The property format is:\n [0-9]+");
}

TEST_F(StringTable, PatternsKeepOneLiteralBackslashPerEscape) {
  EXPECT_EQ(LoadAnsi(40020).text, "(auto) | ( ( ([0-9]+) | ( [0-9]+\\.[0-9]+ ) )  ( em|ex|px|%|in|cm|mm|pt|pc )?)");
  const std::string margin = LoadAnsi(40056).text;
  EXPECT_NE(margin.find("(\\ )*)+"), std::string::npos) << margin;
  EXPECT_EQ(std::count(margin.begin(), margin.end(), '\\'), 2);
  const std::string marginHelp = LoadAnsi(40057).text;
  EXPECT_NE(marginHelp.find("( \\ ) * ) +\n"), std::string::npos) << marginHelp;
}

// The open-file dialog gets this text with each tab turned into a zero: it must yield description /
// pattern pairs and end with the empty entry that closes the list.
TEST_F(StringTable, ImageFilterSplitsIntoPairsClosedByAnEmptyEntry) {
  const std::string filter = LoadAnsi(40091).text;
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t tab; (tab = filter.find('\t', start)) != std::string::npos; start = tab + 1)
    parts.push_back(filter.substr(start, tab - start));
  EXPECT_EQ(start, filter.size()) << "the filter must end with a tab";
  ASSERT_EQ(parts.size(), 15u);
  EXPECT_TRUE(parts.back().empty());
  EXPECT_EQ(parts[0], "JPEG");
  EXPECT_EQ(parts[1], "*.jpg;*.jpeg");
  EXPECT_EQ(parts[12], "All Images");
  EXPECT_EQ(parts[13], "*.jpg;*.jpeg;*.png;*.bmp;*.gif;*.ico;*.wmf;*.emf");
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) EXPECT_FALSE(parts[i].empty()) << "entry " << i;
}

}  // namespace
}  // namespace vellum::test
