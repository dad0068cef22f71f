// The text operations behind typing: selections, line breaks, surrogate pairs and maxlength.
#include <gtest/gtest.h>

#include "engine/com/view/LiveFormTextEdit.h"

namespace {

using vellum::engine::com::CaretMove;
using vellum::engine::com::DeleteDirection;
using vellum::engine::com::LineMode;
using vellum::engine::com::Selecting;
using vellum::engine::com::TextEdit;
using vellum::engine::com::TextRules;

TextEdit At(std::u16string text, std::size_t caret, std::size_t anchor) {
  return TextEdit{std::move(text), caret, anchor};
}
TextEdit At(std::u16string text, std::size_t caret) { return At(std::move(text), caret, caret); }

const TextRules kOneLine{};
const TextRules kMultiLine{LineMode::Multi, std::nullopt};

TEST(TextEdit, TypingReplacesTheSelectionWhicheverWayItWasMade) {
  TextEdit forward = At(u"abcdef", 4, 1);
  ASSERT_TRUE(vellum::engine::com::InsertTyped(forward, u"X", kOneLine));
  EXPECT_EQ(forward.text, u"aXef");
  EXPECT_EQ(forward.caret, 2u);
  EXPECT_FALSE(forward.HasSelection());
  TextEdit backward = At(u"abcdef", 1, 4);
  ASSERT_TRUE(vellum::engine::com::InsertTyped(backward, u"X", kOneLine));
  EXPECT_EQ(backward.text, u"aXef");
}

TEST(TextEdit, AOneLineBoxDropsLineBreaksAndAMultiLineOneKeepsThemAsCrLf) {
  TextEdit line = At(u"", 0);
  vellum::engine::com::InsertTyped(line, u"a\r\nb\nc", kOneLine);
  EXPECT_EQ(line.text, u"abc");
  TextEdit area = At(u"", 0);
  vellum::engine::com::InsertTyped(area, u"a\nb\rc\r\nd", kMultiLine);
  EXPECT_EQ(area.text, u"a\r\nb\r\nc\r\nd");
  EXPECT_EQ(area.caret, area.text.size());
}

TEST(TextEdit, MaxLengthCutsTypingToTheRoomLeftAndNeverSplitsAPair) {
  TextRules rules{LineMode::Single, 4};
  TextEdit edit = At(u"ab", 2);
  ASSERT_TRUE(vellum::engine::com::InsertTyped(edit, u"cdef", rules));
  EXPECT_EQ(edit.text, u"abcd");
  EXPECT_FALSE(vellum::engine::com::InsertTyped(edit, u"g", rules));
  EXPECT_EQ(edit.text, u"abcd");
  TextEdit selected = At(u"abcd", 4, 2);
  ASSERT_TRUE(vellum::engine::com::InsertTyped(selected, u"XYZ", rules)) << "the selection's room counts";
  EXPECT_EQ(selected.text, u"abXY");
  TextEdit surrogate = At(u"abc", 3);
  EXPECT_FALSE(vellum::engine::com::InsertTyped(surrogate, u"\U0001F600", rules))
      << "half a pair fits, but is not typed";
  EXPECT_EQ(surrogate.text, u"abc");
  TextRules area{LineMode::Multi, 3};
  TextEdit lines = At(u"ab", 2);
  EXPECT_FALSE(vellum::engine::com::InsertTyped(lines, u"\n", area)) << "half a CR LF fits, but is not typed";
}

TEST(TextEdit, AValueLongerThanMaxLengthTakesNoTypingButDeletes) {
  TextRules rules{LineMode::Single, 2};
  TextEdit edit = At(u"abcd", 4);
  EXPECT_FALSE(vellum::engine::com::InsertTyped(edit, u"e", rules));
  ASSERT_TRUE(vellum::engine::com::DeleteAtCaret(edit, DeleteDirection::Backward));
  EXPECT_EQ(edit.text, u"abc");
}

TEST(TextEdit, BackspaceAndDeleteTakeACrLfOrASurrogatePairWhole) {
  TextEdit lines = At(u"a\r\nb", 3);
  ASSERT_TRUE(vellum::engine::com::DeleteAtCaret(lines, DeleteDirection::Backward));
  EXPECT_EQ(lines.text, u"ab");
  TextEdit pair = At(u"x\U0001F600y", 1);
  ASSERT_TRUE(vellum::engine::com::DeleteAtCaret(pair, DeleteDirection::Forward));
  EXPECT_EQ(pair.text, u"xy");
  TextEdit ends = At(u"ab", 0);
  EXPECT_FALSE(vellum::engine::com::DeleteAtCaret(ends, DeleteDirection::Backward));
  ends.caret = ends.anchor = 2;
  EXPECT_FALSE(vellum::engine::com::DeleteAtCaret(ends, DeleteDirection::Forward));
}

TEST(TextEdit, ArrowsStepOverPairsAndCollapseASelectionToItsEdge) {
  TextEdit edit = At(u"a\r\n\U0001F600", 1);
  vellum::engine::com::MoveCaret(edit, CaretMove::Right, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 3u);
  vellum::engine::com::MoveCaret(edit, CaretMove::Right, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 5u);
  vellum::engine::com::MoveCaret(edit, CaretMove::Left, Selecting::Extend);
  EXPECT_EQ(edit.caret, 3u);
  EXPECT_EQ(edit.anchor, 5u);
  vellum::engine::com::MoveCaret(edit, CaretMove::Right, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 5u) << "a selection collapses to its right edge";
  EXPECT_FALSE(edit.HasSelection());
}

TEST(TextEdit, LineKeysFollowTheLinesOfATextArea) {
  TextEdit edit = At(u"abc\r\nde\nfghi", 10);  // after "fg"
  vellum::engine::com::MoveCaret(edit, CaretMove::LineStart, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 8u);
  vellum::engine::com::MoveCaret(edit, CaretMove::LineEnd, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 12u);
  vellum::engine::com::MoveCaret(edit, CaretMove::LineUp, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 7u) << "the shorter line above ends the column";
  vellum::engine::com::MoveCaret(edit, CaretMove::LineUp, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 2u);
  vellum::engine::com::MoveCaret(edit, CaretMove::LineUp, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 0u);
  vellum::engine::com::MoveCaret(edit, CaretMove::LineDown, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 5u);
  vellum::engine::com::MoveCaret(edit, CaretMove::TextEnd, Selecting::Extend);
  EXPECT_EQ(edit.SelectionStart(), 5u);
  EXPECT_EQ(edit.SelectionEnd(), 12u);
}

TEST(TextEdit, PlacingTheCaretClampsAndKeepsOutOfPairs) {
  TextEdit edit = At(u"a\r\nb", 0);
  vellum::engine::com::PlaceCaret(edit, 2, Selecting::Collapse);
  EXPECT_EQ(edit.caret, 1u);
  vellum::engine::com::PlaceCaret(edit, 99, Selecting::Extend);
  EXPECT_EQ(edit.caret, 4u);
  EXPECT_EQ(edit.anchor, 1u);
  vellum::engine::com::SelectAll(edit);
  EXPECT_EQ(edit.SelectionStart(), 0u);
  EXPECT_EQ(edit.SelectionEnd(), 4u);
}

}  // namespace
