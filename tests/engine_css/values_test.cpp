#include <gtest/gtest.h>

#include "css/color.h"
#include "css/length.h"
#include "css/property_value.h"

namespace vellum::engine::css {
namespace {

double Px(std::u16string_view text, LengthContext context = {}) {
  return LengthTextToPx(text, context).value_or(-12345);
}

TEST(LengthConversion, AbsoluteUnitsAtNinetySixPixelsPerInch) {
  EXPECT_DOUBLE_EQ(Px(u"10px"), 10);
  EXPECT_DOUBLE_EQ(Px(u"12pt"), 16);
  EXPECT_DOUBLE_EQ(Px(u"1pc"), 16);
  EXPECT_DOUBLE_EQ(Px(u"1in"), 96);
  EXPECT_DOUBLE_EQ(Px(u"2.54cm"), 96);
  EXPECT_DOUBLE_EQ(Px(u"25.4mm"), 96);
  EXPECT_DOUBLE_EQ(Px(u"7"), 7);  // unitless numbers are pixels, as old pages expect
  EXPECT_DOUBLE_EQ(Px(u" 1.5PX "), 1.5);
}

TEST(LengthConversion, RelativeUnitsUseTheContext) {
  const LengthContext context{20.0, 300.0};
  EXPECT_DOUBLE_EQ(Px(u"2em", context), 40);
  EXPECT_DOUBLE_EQ(Px(u"1ex", context), 10);
  EXPECT_DOUBLE_EQ(Px(u"50%", context), 150);
  EXPECT_DOUBLE_EQ(Px(u"-.5em", context), -10);
}

TEST(LengthConversion, RejectsWhatIsNotALength) {
  for (std::u16string_view text : {u"", u"px", u"5.", u".", u"10 px", u"1e3px", u"10pxx", u"auto", u"--1px", u"+"}) {
    EXPECT_FALSE(ParseLength(text)) << testing::PrintToString(std::u16string(text));
  }
}

TEST(LengthConversion, ClampsHugeValues) {
  EXPECT_DOUBLE_EQ(Px(u"99999999999999999999999px"), kLengthMagnitudeLimit);
  EXPECT_DOUBLE_EQ(Px(u"99999999in"), kLengthMagnitudeLimit);
  EXPECT_EQ(FormatPx(10.0 / 0.75), u"13.33px");
  EXPECT_EQ(FormatPx(-0.001), u"0px");
}

TEST(ColorParsing, ReadsHexFunctionalNamedAndSystemColours) {
  EXPECT_EQ(ParseColor(u"#f0a")->rgb, (Rgb{0xff, 0x00, 0xaa}));
  EXPECT_EQ(ParseColor(u"#12AbEf")->rgb, (Rgb{0x12, 0xab, 0xef}));
  EXPECT_EQ(ParseColor(u"rgb(255, 0, 10)")->rgb, (Rgb{255, 0, 10}));
  EXPECT_EQ(ParseColor(u"RGB(100%,50%,0%)")->rgb, (Rgb{255, 128, 0}));
  EXPECT_EQ(ParseColor(u"rgb(300,-5,0)")->rgb, (Rgb{255, 0, 0}));
  EXPECT_EQ(ParseColor(u"Navy")->rgb, (Rgb{0, 0, 0x80}));
  EXPECT_EQ(ParseColor(u"lightgoldenrodyellow")->rgb, (Rgb{0xfa, 0xfa, 0xd2}));
  EXPECT_EQ(ParseColor(u"transparent")->kind, ColorKind::Transparent);
  EXPECT_EQ(ParseColor(u"currentColor")->kind, ColorKind::CurrentColor);
  const auto face = ParseColor(u"ButtonFace");
  ASSERT_TRUE(face);
  EXPECT_EQ(face->kind, ColorKind::System);
  EXPECT_EQ(face->systemIndex, 15);
  EXPECT_EQ(face->rgb, (Rgb{0xd4, 0xd0, 0xc8}));
}

TEST(ColorParsing, KnowsEveryCss2SystemColour) {
  const std::pair<std::u16string_view, int> expected[] = {
      {u"activeborder", 10},   {u"activecaption", 2},    {u"appworkspace", 12},
      {u"background", 1},      {u"buttonface", 15},      {u"buttonhighlight", 20},
      {u"buttonshadow", 16},   {u"buttontext", 18},      {u"captiontext", 9},
      {u"graytext", 17},       {u"highlight", 13},       {u"highlighttext", 14},
      {u"inactiveborder", 11}, {u"inactivecaption", 3},  {u"inactivecaptiontext", 19},
      {u"infobackground", 24}, {u"infotext", 23},        {u"menu", 4},
      {u"menutext", 7},        {u"scrollbar", 0},        {u"threeddarkshadow", 21},
      {u"threedface", 15},     {u"threedhighlight", 20}, {u"threedlightshadow", 22},
      {u"threedshadow", 16},   {u"window", 5},           {u"windowframe", 6},
      {u"windowtext", 8}};
  for (const auto& [name, index] : expected) {
    const auto system = FindSystemColor(name);
    ASSERT_TRUE(system) << testing::PrintToString(std::u16string(name));
    EXPECT_EQ(system->systemIndex, index);
  }
}

TEST(ColorParsing, RejectsWhatIsNotAColour) {
  for (std::u16string_view text : {u"", u"#", u"#12", u"#12345", u"#1234567", u"#ggg", u"rgb(1,2)", u"rgb(1,2,3",
                                   u"rgb(a,b,c)", u"notacolor", u"ff0000"}) {
    EXPECT_FALSE(ParseColor(text)) << testing::PrintToString(std::u16string(text));
  }
  EXPECT_EQ(FormatHexColor(Rgb{1, 0xab, 0xff}), u"#01abff");
}

std::u16string Computed(PropertyId id, std::u16string_view text, ComputeContext context = {}) {
  return ComputeValue(id, text, context).value_or(u"<invalid>");
}

TEST(ComputedValues, LengthsBecomePixelsAndPercentagesStay) {
  ComputeContext context;
  context.fontSizePx = 20;
  EXPECT_EQ(Computed(PropertyId::Left, u"10pt", context), u"13.33px");
  EXPECT_EQ(Computed(PropertyId::Width, u"2em", context), u"40px");
  EXPECT_EQ(Computed(PropertyId::Width, u"50%"), u"50%");
  EXPECT_EQ(Computed(PropertyId::Top, u"AUTO"), u"auto");
  EXPECT_EQ(Computed(PropertyId::MarginLeft, u"-3px"), u"-3px");
  EXPECT_EQ(Computed(PropertyId::Width, u"-3px"), u"<invalid>");
  EXPECT_EQ(Computed(PropertyId::PaddingTop, u"auto"), u"<invalid>");
}

TEST(ComputedValues, ColoursAreHexOrTheKeywordInForce) {
  EXPECT_EQ(Computed(PropertyId::Color, u"#F00"), u"#ff0000");
  EXPECT_EQ(Computed(PropertyId::Color, u"rgb(0,0,255)"), u"#0000ff");
  EXPECT_EQ(Computed(PropertyId::Color, u"Red"), u"red");
  EXPECT_EQ(Computed(PropertyId::BackgroundColor, u"ButtonFace"), u"buttonface");
  EXPECT_EQ(Computed(PropertyId::BackgroundColor, u"Transparent"), u"transparent");
  ComputeContext context;
  context.colorValue = u"#123456";
  EXPECT_EQ(Computed(PropertyId::BorderTopColor, u"currentcolor", context), u"#123456");
}

TEST(ComputedValues, KeywordsTakeTheSpellingOfTheirList) {
  EXPECT_EQ(Computed(PropertyId::Cursor, u"n-resize"), u"N-resize");
  EXPECT_EQ(Computed(PropertyId::Cursor, u"HAND"), u"hand");
  EXPECT_EQ(Computed(PropertyId::Position, u"Absolute"), u"absolute");
  EXPECT_EQ(Computed(PropertyId::BorderTopStyle, u"SOLID"), u"solid");
  EXPECT_EQ(Computed(PropertyId::Position, u"absolute;"), u"<invalid>");
  EXPECT_EQ(Computed(PropertyId::TextDecoration, u"Underline  overline"), u"underline overline");
  EXPECT_EQ(Computed(PropertyId::TextDecoration, u"underline underline"), u"<invalid>");
}

TEST(ComputedValues, FontSizesAndWeights) {
  ComputeContext context;
  context.parentFontSizePx = 20;
  EXPECT_EQ(Computed(PropertyId::FontSize, u"small", context), u"13px");
  EXPECT_EQ(Computed(PropertyId::FontSize, u"150%", context), u"30px");
  EXPECT_EQ(Computed(PropertyId::FontSize, u"2em", context), u"40px");
  EXPECT_EQ(Computed(PropertyId::FontSize, u"larger", context), u"24px");
  EXPECT_EQ(Computed(PropertyId::FontWeight, u"bold"), u"700");
  EXPECT_EQ(Computed(PropertyId::FontWeight, u"normal"), u"400");
  EXPECT_EQ(Computed(PropertyId::FontWeight, u"450"), u"<invalid>");
  context.parentValue = u"700";
  EXPECT_EQ(Computed(PropertyId::FontWeight, u"bolder", context), u"900");
  EXPECT_EQ(Computed(PropertyId::FontWeight, u"lighter", context), u"400");
}

TEST(ComputedValues, ZIndexIsADecimalInteger) {
  EXPECT_EQ(Computed(PropertyId::ZIndex, u"+007"), u"7");
  EXPECT_EQ(Computed(PropertyId::ZIndex, u"-3"), u"-3");
  EXPECT_EQ(Computed(PropertyId::ZIndex, u"99999999999"), u"2147483647");
  EXPECT_EQ(Computed(PropertyId::ZIndex, u"1.5"), u"<invalid>");
  EXPECT_EQ(Computed(PropertyId::ZIndex, u"auto"), u"auto");
}

}  // namespace
}  // namespace vellum::engine::css
