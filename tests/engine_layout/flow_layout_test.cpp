// The simple block/inline flow of ordinary content.

#include <gtest/gtest.h>

#include "laid_out_page.h"

namespace vellum::engine::layout {
namespace {

using testing::LaidOutPage;

TEST(LayoutFlow, BlocksStackAtFullWidthAndInlinesShareALine) {
  LaidOutPage page(
      u"<body><div style='height: 30px'></div>"
      u"<span style='width: 40px; height: 10px; display: inline-block'></span>"
      u"<span style='width: 20px; height: 25px; display: inline-block'></span>"
      u"<br><div style='margin-top: 5px; margin-left: 3px; height: 10px'></div>"
      u"<p>para</p>");
  EXPECT_EQ(page.Tree().Dump(),
            "HTML at [0,0] 800x600\n"
            "  BODY at [0,0] 800x600\n"
            "    DIV at [0,0] 800x30\n"
            "    SPAN at [0,30] 40x10\n"
            "    SPAN at [40,30] 20x25\n"
            "    BR at [60,30] 0x0\n"
            "    DIV at [3,60] 797x10\n"
            "    P at [0,86] 800x18\n");
}

TEST(LayoutFlow, TextWrapsBetweenWordsAtTheContainerWidth) {
  // 7px per character at 16px: three five-letter words with their spaces need 119px.
  LaidOutPage page(
      u"<body><div id=narrow style='width: 80px'>alpha bravo delta</div>"
      u"<div id=wide style='width: 119px'>alpha bravo delta</div>"
      u"<div id=word style='width: 10px'>unbreakable</div>");
  // Lines are 18.4px tall; positions are rounded only at the end.
  EXPECT_EQ(page.Border(u"narrow"), "[0,0] 80x37");
  EXPECT_EQ(page.Border(u"wide"), "[0,37] 119x18");
  EXPECT_EQ(page.Border(u"word"), "[0,55] 10x18");
}

TEST(LayoutFlow, InlineBoxesWrapToTheNextLine) {
  LaidOutPage page(
      u"<body><div style='width: 100px'>"
      u"<input id=a type=checkbox> <input id=b style='width: 60px'>"
      u"<input id=c style='width: 60px'></div>");
  EXPECT_EQ(page.Border(u"a"), "[0,0] 13x13");
  EXPECT_EQ(page.Border(u"b"), "[20,0] 60x20");
  EXPECT_EQ(page.Border(u"c"), "[0,20] 60x20");
}

TEST(LayoutFlow, BrEndsTheLineAndEmptyLinesKeepTheirHeight) {
  LaidOutPage page(u"<body><div id=d>one<br>two<br><br><span id=s>three</span></div>");
  EXPECT_EQ(page.Border(u"d"), "[0,0] 800x74");
  EXPECT_EQ(page.Border(u"s"), "[0,55] 35x18");
}

TEST(LayoutFlow, StaticContentOfAPositionedBoxIsPlacedInsideItsPaddingAndBorder) {
  LaidOutPage page(
      u"<body><div id=p style='position: absolute; left: 100px; top: 100px; padding: 4px; "
      u"border: 2px solid'><div style='height: 20px'></div>"
      u"<div id=mid style='padding: 3px; border: 1px solid'><span id=a>abc</span></div></div>");
  EXPECT_EQ(page.Offsets(u"mid"), "[4,24] 29x26");
  EXPECT_EQ(page.Offsets(u"a"), "[8,28] 21x18");
  EXPECT_EQ(page.Border(u"a"), "[110,130] 21x18");
  EXPECT_EQ(page.Border(u"p"), "[100,100] 41x58");
}

TEST(LayoutFlow, RelativeBoxIsShiftedAndAbsoluteSiblingsTakeNoPlace) {
  LaidOutPage page(
      u"<body><div style='position: absolute; left: 0; top: 0; width: 10px; height: 100px'></div>"
      u"<div style='height: 10px'></div>"
      u"<div id=r style='position: relative; left: 5px; top: -3px; height: 10px'></div>"
      u"<span id=s style='position: absolute; left: 8px; width: 5px; height: 5px'></span>");
  EXPECT_EQ(page.Border(u"r"), "[5,7] 800x10");
  EXPECT_EQ(page.Border(u"s"), "[8,20] 5x5");
}

TEST(LayoutFlow, TableCellsSitSideBySideInTheirRows) {
  LaidOutPage page(u"<body><table><tr><td id=a>ab</td><td id=b>cd</td></tr><tr><td id=c>ef</td></tr></table>");
  EXPECT_EQ(page.Border(u"a"), "[0,0] 14x18");
  EXPECT_EQ(page.Border(u"b"), "[14,0] 14x18");
  EXPECT_EQ(page.Border(u"c"), "[0,18] 14x18");
}

TEST(LayoutFlow, HiddenElementsAndTheHeadHaveNoBoxes) {
  LaidOutPage page(
      u"<head><title id=t>x</title></head><body><div id=h style='display: none'>"
      u"<span id=a>inside</span></div><div id=v style='height: 5px'></div>");
  EXPECT_EQ(page.Border(u"t"), "none");
  EXPECT_EQ(page.Border(u"h"), "none");
  EXPECT_EQ(page.Border(u"a"), "none");
  EXPECT_EQ(page.Border(u"v"), "[0,0] 800x5");
}

TEST(LayoutBody, BodyFillsTheViewportAndItsClientAreaExcludesItsBorder) {
  LaidOutPage page(u"<body id=b style='border: 2px solid; margin: 10px'><div style='height: 900px'></div>", 640, 480);
  const Box* body = page.Tree().BoxOf(page.ById(u"b"));
  ASSERT_NE(body, nullptr);
  EXPECT_EQ(page.Border(u"b"), "[0,0] 640x480");
  EXPECT_EQ(body->clientLeft, 2);
  EXPECT_EQ(body->clientTop, 2);
  EXPECT_EQ(body->clientWidth, 636);
  EXPECT_EQ(body->clientHeight, 476);
  EXPECT_EQ(body->offsetParent, nullptr);
}

}  // namespace
}  // namespace vellum::engine::layout
