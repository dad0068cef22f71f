// The element under a point, in paint order.

#include <gtest/gtest.h>

#include "laid_out_page.h"

namespace vellum::engine::layout {
namespace {

using testing::LaidOutPage;

TEST(LayoutHitTest, LaterSiblingIsOverAnEarlierOneWithoutZIndex) {
  LaidOutPage page(
      u"<body><div id=a style='position: absolute; left: 0; top: 0; width: 50px; height: 50px'></div>"
      u"<div id=b style='position: absolute; left: 25px; top: 25px; width: 50px; height: 50px'>"
      u"</div>");
  EXPECT_EQ(page.HitId(10, 10), "a");
  EXPECT_EQ(page.HitId(30, 30), "b");
  EXPECT_EQ(page.HitId(60, 60), "b");
}

TEST(LayoutHitTest, HigherZIndexWinsOverDocumentOrder) {
  LaidOutPage page(
      u"<body>"
      u"<div id=top style='position: absolute; left: 0; top: 0; width: 50px; height: 50px; "
      u"z-index: 3'></div>"
      u"<div id=mid style='position: absolute; left: 0; top: 0; width: 50px; height: 50px; "
      u"z-index: 2'></div>"
      u"<div id=plain style='position: absolute; left: 0; top: 0; width: 60px; height: 60px'></div>"
      u"<div id=under style='position: absolute; left: 0; top: 0; width: 70px; height: 70px; "
      u"z-index: -1'></div>");
  EXPECT_EQ(page.HitId(10, 10), "top");
  EXPECT_EQ(page.HitId(55, 55), "plain");
  EXPECT_EQ(page.HitId(65, 65), "under");
}

TEST(LayoutHitTest, EqualZIndexesKeepDocumentOrder) {
  LaidOutPage page(
      u"<body><div id=a style='position: absolute; width: 50px; height: 50px; z-index: 1'></div>"
      u"<div id=b style='position: absolute; width: 50px; height: 50px; z-index: 1'></div>");
  EXPECT_EQ(page.HitId(5, 5), "b");
}

TEST(LayoutHitTest, ChildrenOfAStackedElementStayWithIt) {
  // The child's high z-index counts only inside its parent's stacking context.
  LaidOutPage page(
      u"<body>"
      u"<div id=low style='position: absolute; width: 100px; height: 100px; z-index: 1'>"
      u"<div id=child style='position: absolute; left: 0; top: 0; width: 80px; height: 80px; "
      u"z-index: 99'></div></div>"
      u"<div id=high style='position: absolute; width: 40px; height: 40px; z-index: 2'></div>");
  EXPECT_EQ(page.HitId(10, 10), "high");
  EXPECT_EQ(page.HitId(50, 50), "child");
  EXPECT_EQ(page.HitId(90, 90), "low");
}

TEST(LayoutHitTest, EmptyAreaIsTheBodyAndOutsideEveryBoxIsNothing) {
  LaidOutPage page(
      u"<body id=b><div id=a style='position: absolute; left: 100px; top: 100px; width: 10px; "
      u"height: 10px'></div>");
  EXPECT_EQ(page.HitId(5, 5), "b");
  EXPECT_EQ(page.HitId(799, 599), "b");
  EXPECT_EQ(page.HitId(110, 105), "b");  // the right edge belongs outside the box
  EXPECT_EQ(page.HitId(109, 109), "a");
  EXPECT_EQ(page.HitId(800, 10), "");
  EXPECT_EQ(page.HitId(-1, 10), "");
}

TEST(LayoutHitTest, NestedControlIsFoundThroughItsContainersAndItsContents) {
  LaidOutPage page(
      u"<body><fieldset id=f style='position: absolute; left: 50px; top: 50px; width: 300px; "
      u"height: 200px; border: 2px solid; padding: 4px'>"
      u"<select id=s size=4 style='position: absolute; left: 10px; top: 10px; width: 100px; "
      u"height: 80px'><option id=o>one</option><option>two</option></select>"
      u"<textarea id=t style='position: absolute; left: 150px; top: 10px'>text</textarea>"
      u"</fieldset>");
  EXPECT_EQ(page.HitId(70, 70), "s");
  EXPECT_EQ(page.HitId(210, 70), "t");
  EXPECT_EQ(page.HitId(60, 200), "f");
}

TEST(LayoutHitTest, FlowContentIsHitInsideItsBlock) {
  LaidOutPage page(u"<body><div id=d style='height: 40px'><span id=s>words</span></div>");
  EXPECT_EQ(page.HitId(3, 3), "s");
  EXPECT_EQ(page.HitId(300, 3), "d");
  EXPECT_EQ(page.HitId(300, 50), "?");  // the body has no id
}

}  // namespace
}  // namespace vellum::engine::layout
