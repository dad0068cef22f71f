// The GDI measurer: widths are GDI's for the very font the painter selects, each distinct word is
// measured once, and text-transform is measured as shown.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "engine/com/view/GdiTextMeasurer.h"
#include "engine/com/view/PaintGdi.h"
#include "GdiExtent.h"

namespace {

using vellum::engine::com::CGdiTextMeasurer;
using vellum::engine::layout::FontQuery;
using vellum::engine::layout::TextCase;

// GDI's own answer for the text in the font the painter makes for the query.
int GdiWidth(const FontQuery& query, const wchar_t* text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = vellum::engine::com::CreatePageFont(dc, vellum::engine::com::DescribeFont(query));
  DeleteDC(dc);
  const int width = tt::ExtentIn(font, text);
  DeleteObject(font);
  return width;
}

TEST(GdiMeasurer, WidthsAreGdisForThePaintersFont) {
  CGdiTextMeasurer measurer;
  for (const FontQuery& query : {FontQuery{u"Arial", 13}, FontQuery{u"Arial", 13, 700},
                                 FontQuery{u"'Times New Roman'", 16, 400, true}, FontQuery{u"monospace", 20}}) {
    const auto font = measurer.Font(query);
    EXPECT_EQ(measurer.Width(font, u"Wavy"), GdiWidth(query, L"Wavy"));
    EXPECT_EQ(measurer.Width(font, u"illicit"), GdiWidth(query, L"illicit"));
    EXPECT_EQ(measurer.Metrics(font).spaceWidth, GdiWidth(query, L" "));
  }
  // Proportional faces: the same number of letters, different widths.
  const auto arial = measurer.Font(FontQuery{u"Arial", 13});
  EXPECT_GT(measurer.Width(arial, u"WWWW"), measurer.Width(arial, u"iiii"));
}

TEST(GdiMeasurer, TheControlFontIsTheGuiFont) {
  CGdiTextMeasurer measurer;
  EXPECT_EQ(measurer.Width(measurer.ControlFont(), u"Submit Query"),
            tt::ExtentIn(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), L"Submit Query"));
}

TEST(GdiMeasurer, EqualQueriesShareAFontAndEachWordIsMeasuredOnce) {
  CGdiTextMeasurer measurer;
  const auto first = measurer.Font(FontQuery{u"Arial", 13});
  EXPECT_EQ(measurer.Font(FontQuery{u"Arial", 13.2}), first);  // the same whole pixel size
  EXPECT_NE(measurer.Font(FontQuery{u"Arial", 14}), first);
  // Another list that comes to the same font shares it too.
  EXPECT_EQ(measurer.Font(FontQuery{u" Arial ", 13}), first);
  EXPECT_EQ(measurer.FontsMade(), 2u);
  for (int round = 0; round < 3; ++round)
    for (const char16_t* word : {u"Label", u"1", u"Label", u"22"}) measurer.Width(first, word);
  EXPECT_EQ(measurer.Measurements(), 3u);
  // Nothing is measured for nothing.
  EXPECT_EQ(measurer.Width(first, u""), 0);
  EXPECT_EQ(measurer.Measurements(), 3u);
}

TEST(GdiMeasurer, TransformedTextIsMeasuredAsShown) {
  CGdiTextMeasurer measurer;
  FontQuery upper{u"Arial", 13};
  upper.textCase = TextCase::Upper;
  const auto shown = measurer.Font(upper);
  const auto plain = measurer.Font(FontQuery{u"Arial", 13});
  EXPECT_NE(shown, plain);
  EXPECT_EQ(measurer.Width(shown, u"upper"), measurer.Width(plain, u"UPPER"));
  EXPECT_NE(measurer.Width(shown, u"upper"), measurer.Width(plain, u"upper"));
}

TEST(GdiMeasurer, FontsPastTheBudgetAreServedAndATrimStartsAfresh) {
  CGdiTextMeasurer measurer;
  for (int size = 1; size <= 300; ++size) measurer.Font(FontQuery{u"Arial", static_cast<double>(size)});
  EXPECT_LE(measurer.FontsMade(), 128u);
  const auto font = measurer.Font(FontQuery{u"Arial", 299});
  EXPECT_LT(font, 128u);  // one of the fonts made
  measurer.Trim();
  const auto fresh = measurer.Font(FontQuery{u"Arial", 299});
  EXPECT_EQ(measurer.Width(fresh, u"Wavy"), GdiWidth(FontQuery{u"Arial", 299}, L"Wavy"));
  // Ids a measurer never gave are answered, not trusted.
  EXPECT_EQ(measurer.Width(100000, u"x"), 0);
}

TEST(GdiMeasurer, VeryLongWordsAreMeasuredWithoutBeingKept) {
  CGdiTextMeasurer measurer;
  const auto font = measurer.Font(FontQuery{u"Arial", 13});
  const std::u16string word(100000, u'm');
  const double width = measurer.Width(font, word);
  EXPECT_EQ(width, GdiWidth(FontQuery{u"Arial", 13}, std::wstring(0x7fff, L'm').c_str()));
  measurer.Width(font, word);
  EXPECT_EQ(measurer.Measurements(), 2u);
}

}  // namespace
