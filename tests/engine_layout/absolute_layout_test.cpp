// Absolutely positioned boxes, offsets and natural sizes, compared as text dumps.

#include <gtest/gtest.h>

#include <string>

#include "laid_out_page.h"

namespace vellum::engine::layout {
namespace {

using testing::LaidOutPage;

TEST(LayoutAbsolute, DumpShowsEveryBoxAtItsStyleSizeAndPlace) {
  LaidOutPage page(
      u"<body><span style='position: absolute; left: 10px; top: 20px; width: 65px; height: 20px'>"
      u"label1</span><div style='position: absolute; left: 1px; top: 2px; width: 100px; "
      u"height: 50px; padding: 7px; border: 3px solid red'></div>");
  EXPECT_EQ(page.Tree().Dump(),
            "HTML at [0,0] 800x600\n"
            "  BODY at [0,0] 800x600\n"
            "    SPAN at [10,20] 65x20\n"
            "    DIV at [1,2] 100x50\n");
}

TEST(LayoutAbsolute, OffsetSizeEqualsStyleSizeWhateverThePaddingAndBorder) {
  LaidOutPage page(
      u"<body><div id=a style='position: absolute; left: 1px; top: 2px; width: 100px; "
      u"height: 50px; padding: 7px; border: 3px solid red'></div>");
  const Box* box = page.Tree().BoxOf(page.ById(u"a"));
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(page.Offsets(u"a"), "[1,2] 100x50");
  EXPECT_EQ(box->clientLeft, 3);
  EXPECT_EQ(box->clientWidth, 94);
  EXPECT_EQ(box->clientHeight, 44);
  EXPECT_EQ(box->offsetParent, page.GetDocument().Body());
}

TEST(LayoutAbsolute, RightAndBottomPlaceTheBoxFromTheFarEdges) {
  LaidOutPage page(
      u"<body><div id=a style='position: absolute; right: 10px; bottom: 20px; width: 30px; "
      u"height: 40px'></div><div id=b style='position: absolute; left: 5px; right: 5px; top: 0; "
      u"bottom: 0'></div>");
  EXPECT_EQ(page.Border(u"a"), "[760,540] 30x40");
  EXPECT_EQ(page.Border(u"b"), "[5,0] 790x600");
}

TEST(LayoutAbsolute, PercentagesAreOfTheContainingPaddingBox) {
  LaidOutPage page(
      u"<body><div id=p style='position: absolute; left: 0; top: 0; width: 200px; height: 80px'>"
      u"<span id=a style='position: absolute; left: 10%; top: 50%; width: 50%; height: 25%'>"
      u"</span></div><div id=half style='position: absolute; width: 50%; height: 10%'></div>");
  EXPECT_EQ(page.Border(u"a"), "[20,40] 100x20");
  EXPECT_EQ(page.Border(u"half"), "[0,0] 400x60");
}

TEST(LayoutNestedFieldset, ControlInsideAPositionedFieldsetIsPlacedRelativeToItsPaddingBox) {
  LaidOutPage page(
      u"<body><fieldset id=f style='position: absolute; left: 50px; top: 60px; width: 200px; "
      u"height: 100px; border: 2px solid; padding: 4px'><legend id=l>Group</legend>"
      u"<input id=a style='position: absolute; left: 10px; top: 20px; width: 30px; height: 15px'>"
      u"<fieldset id=g style='position: absolute; left: 100px; top: 30px; width: 80px; "
      u"height: 60px; border: 1px solid'><input id=c type=checkbox style='position: absolute; "
      u"left: 5px; top: 6px'></fieldset></fieldset>");
  EXPECT_EQ(page.Tree().Dump(),
            "HTML at [0,0] 800x600\n"
            "  BODY at [0,0] 800x600\n"
            "    FIELDSET at [50,60] 200x100\n"
            "      LEGEND at [56,66] 188x18\n"
            "      INPUT at [62,82] 30x15\n"
            "      FIELDSET at [152,92] 80x60\n"
            "        INPUT at [158,99] 13x13\n");
  EXPECT_EQ(page.Offsets(u"a"), "[10,20] 30x15");
  EXPECT_EQ(page.Offsets(u"c"), "[5,6] 13x13");
  EXPECT_EQ(page.Tree().BoxOf(page.ById(u"a"))->offsetParent, &page.ById(u"f"));
  EXPECT_EQ(page.Tree().BoxOf(page.ById(u"c"))->offsetParent, &page.ById(u"g"));
}

TEST(LayoutNatural, FormControlsGetPlatformSizes) {
  LaidOutPage page(
      u"<body style='font-size: 30px'>"
      u"<input id=text style='position: absolute'>"
      u"<input id=check type=CheckBox style='position: absolute'>"
      u"<input id=button type=button value='Go' style='position: absolute'>"
      u"<input id=file type=file style='position: absolute'>"
      u"<select id=drop style='position: absolute'><option>a</option><option>longer</option></select>"
      u"<select id=list size=3 style='position: absolute'><option>abc</option></select>"
      u"<textarea id=area style='position: absolute'>text</textarea>"
      u"<img id=img width=40 height=30 style='position: absolute'>"
      u"<button id=push style='position: absolute'>OK</button>"
      u"<input id=tall style='position: absolute; height: 40px'>");
  EXPECT_EQ(page.Border(u"text"), "[0,0] 150x20");
  EXPECT_EQ(page.Border(u"check"), "[0,0] 13x13");
  EXPECT_EQ(page.Border(u"button"), "[0,0] 30x22");
  EXPECT_EQ(page.Border(u"file"), "[0,0] 225x20");
  EXPECT_EQ(page.Border(u"drop"), "[0,0] 69x20");
  EXPECT_EQ(page.Border(u"list"), "[0,0] 48x52");
  EXPECT_EQ(page.Border(u"area"), "[0,0] 167x36");
  EXPECT_EQ(page.Border(u"img"), "[0,0] 40x30");
  EXPECT_EQ(page.Border(u"push"), "[0,0] 30x22");
  EXPECT_EQ(page.Border(u"tall"), "[0,0] 150x40");
}

TEST(LayoutNatural, TextIsMeasuredByCharactersAndLineHeight) {
  LaidOutPage page(
      u"<body><span id=a style='position: absolute; left: 10px; top: 20px'>label1</span>"
      u"<span id=big style='position: absolute; font-size: 32px; line-height: 40px'>ab  cd</span>"
      u"<span id=padded style='position: absolute; padding: 2px; border: 1px solid'>x</span>");
  EXPECT_EQ(page.Border(u"a"), "[10,20] 42x18");
  EXPECT_EQ(page.Border(u"big"), "[0,0] 70x40");
  EXPECT_EQ(page.Border(u"padded"), "[0,0] 13x24");
}

TEST(LayoutNatural, ContentsOfControlsHaveNoBoxesOfTheirOwn) {
  LaidOutPage page(
      u"<body><select id=s><option id=o>one</option></select><textarea id=t>x</textarea>"
      u"<button id=b><b id=inner>Go</b></button>");
  EXPECT_EQ(page.Border(u"o"), "none");
  EXPECT_EQ(page.Border(u"inner"), "none");
  EXPECT_NE(page.Border(u"s"), "none");
}

}  // namespace
}  // namespace vellum::engine::layout
