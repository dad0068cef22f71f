// Pages that push the layout to its limits: deep nesting, many boxes, huge sizes.

#include <gtest/gtest.h>

#include <string>

#include "laid_out_page.h"

namespace vellum::engine::layout {
namespace {

using testing::LaidOutPage;

TEST(LayoutLimits, DeepNestingIsLaidOutWithoutExhaustingTheStack) {
  std::u16string html = u"<body><div id=outer style='position: absolute; z-index: 1'>";
  for (int i = 0; i < 2000; ++i) {
    html += i % 2 ? u"<div style='position: relative; z-index: 1'>" : u"<span>";
  }
  html += u"<span id=inner>text</span>";
  LaidOutPage page(html);
  EXPECT_EQ(page.Border(u"outer").substr(0, 5), "[0,0]");
  EXPECT_NE(page.Tree().HitTest(1, 1), nullptr);
  EXPECT_FALSE(page.Tree().Dump().empty());
}

TEST(LayoutLimits, HugeFlatPageIsLaidOutCompletely) {
  std::u16string html = u"<body>";
  for (int i = 0; i < 5000; ++i) {
    html += u"<div style='height: 1px'></div>";
  }
  html += u"<div id=last style='height: 1px'></div>";
  LaidOutPage page(html);
  EXPECT_EQ(page.Border(u"last"), "[0,5000] 800x1");
  EXPECT_FALSE(page.Tree().Truncated());
}

TEST(LayoutLimits, BoxesBeyondTheBudgetAreLeftOutAndReported) {
  constexpr std::size_t kBudget = 50;
  std::u16string html = u"<body>";
  for (std::size_t i = 0; i < kBudget; ++i) {
    html += u"<b id=early></b>";
  }
  html += u"<b id=late></b>";
  const RefPtr<Document> document = ParseDocument(html);
  const LayoutTree tree = Layout(*document, 100, 100, kBudget);
  EXPECT_TRUE(tree.Truncated());
  EXPECT_EQ(tree.Boxes().size(), kBudget);
  EXPECT_NE(tree.HitTest(1, 1), nullptr);
  EXPECT_FALSE(Layout(*document, 100, 100).Truncated());
}

TEST(LayoutLimits, HugeSizesAreClampedNotOverflowed) {
  LaidOutPage page(
      u"<body><span id=a style='position: absolute; left: 99999999999px; top: -1e30px; "
      u"width: 99999999999999999999px; height: 12345678901234567890px'></span>"
      u"<img id=i width=99999999999><div id=d style='width: 1e9px'>text</div>");
  const Box* box = page.Tree().BoxOf(page.ById(u"a"));
  ASSERT_NE(box, nullptr);
  EXPECT_GT(box->border.x, 0);
  EXPECT_GT(box->border.width, 0);
  EXPECT_EQ(page.Tree().BoxOf(page.ById(u"i"))->border.width, 100000);
  EXPECT_EQ(page.HitId(5, 599), "?");
}

TEST(LayoutLimits, EmptyAndZeroViewportDocumentsGiveSaneTrees) {
  LaidOutPage empty(u"");
  EXPECT_EQ(empty.Tree().Dump(), "HTML at [0,0] 800x600\n  BODY at [0,0] 800x600\n");
  LaidOutPage zero(u"<body><p>text</p>", -5, 0);
  EXPECT_EQ(zero.Tree().HitTest(0, 0), nullptr);
}

}  // namespace
}  // namespace vellum::engine::layout
