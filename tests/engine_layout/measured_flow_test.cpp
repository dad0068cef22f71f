// Layout with text measured by a font's own widths: a proportional measurer stands in for the fonts,
// the same on every machine.

#include <gtest/gtest.h>

#include <string>

#include "flow_checks.h"
#include "layout/control_metrics.h"
#include "laid_out_page.h"

namespace vellum::engine::layout {
namespace {

using testing::ItemsBelow;
using testing::ItemsFollowEachOther;

// Narrow letters 3 pixels, wide ones 12, the rest 6, at 16px; bold adds a pixel to each character.
// Lines are 1.25 font sizes; the control font is 5 pixels a character. Counts what it was asked.
class ProportionalMeasurer final : public TextMeasurer {
 public:
  FontId Font(const FontQuery& query) override {
    const auto size = static_cast<FontId>(query.sizePx);
    return size * 2 + (query.weight >= 700 ? 1 : 0);
  }
  FontId ControlFont() override { return kControl; }
  FontMetrics Metrics(FontId font) override {
    return font == kControl ? FontMetrics{16, 5} : FontMetrics{SizeOf(font) * 1.25, 3 * SizeOf(font) / 16};
  }
  double Width(FontId font, std::u16string_view text) override {
    ++widths;
    double width = 0;
    for (char16_t c : text) {
      if (font == kControl) {
        width += 5;
        continue;
      }
      const double base = c == u'i' || c == u'l' || c == u' ' ? 3 : c == u'W' || c == u'M' ? 12 : 6;
      width += base * SizeOf(font) / 16 + (font % 2 ? 1 : 0);
    }
    return width;
  }
  int widths = 0;

 private:
  static constexpr FontId kControl = 1;
  static double SizeOf(FontId font) { return static_cast<double>(font / 2); }
};

// A page laid out with the proportional measurer, which it keeps for the test to question.
struct MeasuredPage {
  explicit MeasuredPage(std::u16string_view html) : page(html, 800, 600, measurer) {}
  const LayoutTree& Tree() const { return page.Tree(); }
  std::string Border(std::u16string_view id) const { return page.Border(id); }
  Element& ById(std::u16string_view id) const { return page.ById(id); }

  ProportionalMeasurer measurer;
  testing::LaidOutPage page;
};

TEST(MeasuredFlow, RunsAndBoxesOfALineFollowEachOtherAsMeasured) {
  MeasuredPage page(
      u"<body style='font-size: 16px'><div id=d style='width: 300px'>Flow <b>bold words</b> and "
      u"<i>italic</i> then <span style='font-size: 32px'>Large</span> with <input size=2> control"
      u"</div>");
  // Bold letters are a pixel wider; the blank between words is the container's.
  EXPECT_EQ(page.Tree().Dump(LayoutTree::DumpText::Runs),
            "HTML at [0,0] 800x600\n"
            "  BODY at [0,0] 800x600\n"
            "    DIV at [0,0] 300x60\n"
            "      \"Flow\" at [0,0] 21x20\n"
            "      \"and\" at [90,0] 18x20\n"
            "      \"then\" at [141,0] 24x20\n"
            "      \"with\" at [231,0] 21x20\n"
            "      \"control\" at [0,40] 39x20\n"
            "      B at [24,0] 63x20\n"
            "        \"bold words\" at [24,0] 63x20\n"
            "      I at [111,0] 27x20\n"
            "        \"italic\" at [111,0] 27x20\n"
            "      SPAN at [168,0] 60x40\n"
            "        \"Large\" at [168,0] 60x40\n"
            "      INPUT at [255,0] 24x20\n");
  EXPECT_TRUE(ItemsFollowEachOther(ItemsBelow(page.Tree(), page.ById(u"d")), 3));
}

TEST(MeasuredFlow, LinesBreakWhereTheMeasuredWordsNoLongerFit) {
  // Four narrow letters are 12 pixels, four wide ones 48: with the blank 63 pixels.
  MeasuredPage page(
      u"<body><div id=fits style='width: 63px'>iiii WWWW</div>"
      u"<div id=wraps style='width: 62px'>iiii WWWW</div>");
  EXPECT_EQ(page.Border(u"fits"), "[0,0] 63x20");
  EXPECT_EQ(page.Border(u"wraps"), "[0,20] 62x40");
}

TEST(MeasuredFlow, ShrinkToFitBoxesTakeTheMeasuredWidthOfTheirText) {
  MeasuredPage page(
      u"<body><span id=label style='position: absolute; left: 10px; top: 5px'>Wide label</span>"
      u"<span id=bold style='position: absolute; left: 10px; top: 40px; font-weight: bold; "
      u"padding: 2px'>Wide label</span>");
  // W 12 + i 3 + d 6 + e 6, blank 3, l 3 + a 6 + b 6 + e 6 + l 3.
  EXPECT_EQ(page.Border(u"label"), "[10,5] 54x20");
  EXPECT_EQ(page.Border(u"bold"), "[10,40] 67x24");
}

TEST(MeasuredFlow, ControlsAreSizedByTheirLabelsInTheControlFont) {
  MeasuredPage page(
      u"<body><input id=button type=button value='Press me'><button id=element> Go  on </button>"
      u"<select id=choice><option>One</option><option>Longest</option></select>");
  // Five pixels a character: an input's label as written, a button element's text with blanks collapsed.
  EXPECT_EQ(page.Border(u"button"), "[0,0] 56x22");
  EXPECT_EQ(page.Border(u"element"), "[56,0] 41x22");
  EXPECT_EQ(page.Border(u"choice"), "[97,0] 62x20");
}

TEST(MeasuredFlow, TextAlignMovesLinesThatHoldOnlyText) {
  MeasuredPage page(
      u"<body><div id=c style='width: 100px; text-align: center'>Flow<br>Flow <input size=1></div>"
      u"<div id=r style='width: 100px; text-align: right; padding-left: 10px'>Flow</div>");
  EXPECT_EQ(page.Tree().Dump(LayoutTree::DumpText::Runs),
            "HTML at [0,0] 800x600\n"
            "  BODY at [0,0] 800x600\n"
            "    DIV at [0,0] 100x40\n"
            "      \"Flow\" at [40,0] 21x20\n"
            "      \"Flow\" at [0,20] 21x20\n"
            "      BR at [21,0] 0x0\n"
            "      INPUT at [24,20] 17x20\n"
            "    DIV at [0,40] 100x20\n"
            "      \"Flow\" at [79,40] 21x20\n");
}

TEST(MeasuredFlow, LineHeightNormalIsTheFontsOwn) {
  MeasuredPage page(
      u"<body><span id=normal style='position: absolute; font-size: 32px'>x</span>"
      u"<span id=given style='position: absolute; font-size: 32px; line-height: 1'>x</span>");
  EXPECT_EQ(page.Border(u"normal"), "[0,0] 12x40");
  EXPECT_EQ(page.Border(u"given"), "[0,0] 12x32");
}

TEST(MeasuredFlow, EachWordIsMeasuredOnceALayout) {
  MeasuredPage page(u"<body><span style='position: absolute'>one two three</span>");
  EXPECT_EQ(page.measurer.widths, 6);  // three words, at unlimited width and then at the used width
}

}  // namespace
}  // namespace vellum::engine::layout
