// Insertion records: ids from the counter, the CLSID of objects, the style's rectangle, the kinds that
// make none, and the rectangle an element is inserted at (the kinds' whole markup is checked through a
// control, in InsertionTest).
#include <gtest/gtest.h>

#include <string>

#include "RectAssert.h"
#include "control/Insertion.h"
#include "comkit/ComText.h"
#include "vellum.h"

namespace {

const CLSID kEngineClsid = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

std::wstring Markup(DWORD kind, DWORD counter, RECT rect = {10, 20, 75, 40}, const CLSID& clsid = kEngineClsid) {
  InsertionRecord insertion;
  if (!BuildInsertionRecord(kind, counter, rect, clsid, insertion)) return L"<none>";
  CBstr markup;
  *markup.Out() = insertion.record.BuildHTML();
  return markup.get() ? std::wstring(markup.get()) : L"<null>";
}

const wchar_t kStyle[] = L"style=\"position: absolute; left: 10px; top: 20px; width: 65px; height: 20px;\"";

std::wstring Expected(const wchar_t* start, const wchar_t* rest) { return std::wstring(start) + L" " + kStyle + rest; }

TEST(InsertionTemplates, TheIdNumberIsTheCounterWithoutSeparator) {
  EXPECT_EQ(Markup(2, 2), Expected(L"<input id=\"textbox2\"", L" type=\"text\" value=\"textbox2\" />"));
  EXPECT_EQ(Markup(1, 1234), Expected(L"<span id=\"label1234\"", L">label1234</span>"));
}

TEST(InsertionTemplates, AZeroClsidIsFormattedLikeAnyOther) {
  EXPECT_EQ(Markup(12, 1, {10, 20, 75, 40}, CLSID{}),
            Expected(L"<object id=\"obj1\"", L" CLASSID=\"CLSID:00000000-0000-0000-0000-000000000000\"></object>"));
}

TEST(InsertionTemplates, KindsOutsideTheInsertableOnesMakeNoRecord) {
  EXPECT_EQ(Markup(0, 1), L"<none>");
  EXPECT_EQ(Markup(13, 1), L"<none>");
  EXPECT_EQ(Markup(14, 1), L"<none>");
}

TEST(InsertionTemplates, TheStyleCarriesTheRectangleAsGiven) {
  InsertionRecord insertion;
  ASSERT_TRUE(BuildInsertionRecord(1, 1, {-5, 7, -10, 9}, kEngineClsid, insertion));
  EXPECT_STREQ(insertion.record.style, L"position: absolute; left: -5px; top: 7px; width: -5px; height: 2px;");
}

using vt::SameRect;

TEST(InsertionRectangle, AClickGetsTheDefaultSizeAtItsPoint) {
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 30, 40}), {30, 40, 95, 60}));
}

TEST(InsertionRectangle, ARectangleSmallInBothDirectionsGetsTheDefaultSize) {
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 34, 44}), {30, 40, 95, 60}));
}

TEST(InsertionRectangle, ARectangleLargeInOneDirectionStaysAsDrawn) {
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 34, 70}), {30, 40, 34, 70}));
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 33, 80}), {30, 40, 33, 80}));
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 90, 42}), {30, 40, 90, 42}));
  EXPECT_TRUE(SameRect(InsertionRect({0, 0, 5, 1}), {0, 0, 5, 1}));
}

TEST(InsertionRectangle, AnInvertedOrFlatRectangleGetsTheDefaultSize) {
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 10, 90}), {30, 40, 95, 60}));
  EXPECT_TRUE(SameRect(InsertionRect({30, 40, 130, 40}), {30, 40, 95, 60}));
}

}  // namespace
