// The markup of every insertion template and the rectangle an element is inserted at.
#include <gtest/gtest.h>

#include <string>

#include "control/Insertion.h"
#include "document/ComText.h"
#include "vellum.h"

namespace {

const CLSID kEngineClsid = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

std::wstring Markup(DWORD kind, DWORD counter, RECT rect = {10, 20, 75, 40}, const CLSID& clsid = kEngineClsid) {
  InsertionRecord insertion;
  if (!BuildInsertionRecord(kind, counter, rect, clsid, insertion)) return L"<none>";
  CBstr markup;
  *markup.out() = insertion.record.BuildHTML();
  return markup.get() ? std::wstring(markup.get()) : L"<null>";
}

const wchar_t kStyle[] = L"style=\"position: absolute; left: 10px; top: 20px; width: 65px; height: 20px;\"";

std::wstring Expected(const wchar_t* start, const wchar_t* rest) {
  return std::wstring(start) + L" " + kStyle + rest;
}

TEST(InsertionTemplates, EveryKindHasItsMarkup) {
  EXPECT_EQ(Markup(1, 1), Expected(L"<span id=\"label1\"", L">label1</span>"));
  EXPECT_EQ(Markup(2, 1), Expected(L"<input id=\"textbox1\"", L" type=\"text\" value=\"textbox1\" />"));
  EXPECT_EQ(Markup(3, 1), Expected(L"<input id=\"button1\"", L" type=\"button\" value=\"button1\" />"));
  EXPECT_EQ(Markup(4, 1), Expected(L"<input id=\"checkbox1\"", L" type=\"checkbox\" value=\"checkbox1\" />"));
  EXPECT_EQ(Markup(5, 1), Expected(L"<input id=\"radio1\"", L" type=\"radio\" name=\"main\" value=\"radio1\" />"));
  EXPECT_EQ(Markup(6, 1), Expected(L"<input id=\"file1\"", L" type=\"file\" value=\"file1\" />"));
  EXPECT_EQ(Markup(7, 1), Expected(L"<textarea id=\"textarea1\"", L">textarea1</textarea>"));
  EXPECT_EQ(Markup(8, 1), Expected(L"<fieldset id=\"frame1\"", L"><legend>frame1</legend></fieldset>"));
  EXPECT_EQ(Markup(9, 1), Expected(L"<img id=\"image1\"", L" />"));
  EXPECT_EQ(Markup(10, 1), Expected(L"<select id=\"choise1\"", L" size=\"2\"></select>"));
  EXPECT_EQ(Markup(11, 1), Expected(L"<select id=\"choise1\"", L"></select>"));
  EXPECT_EQ(Markup(12, 1),
            Expected(L"<object id=\"obj1\"", L" CLASSID=\"CLSID:25336920-03F9-11CF-8FD0-00AA00686F13\"></object>"));
}

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

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

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
