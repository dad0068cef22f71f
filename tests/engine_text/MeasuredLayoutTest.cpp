// Layout with the GDI measurer: flow text in several fonts placed run after run as the fonts measure
// it, and a page of many labels measured once.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dom/document.h"
#include "engine/com/view/GdiTextMeasurer.h"
#include "flow_checks.h"
#include "laid_out_page.h"
#include "layout/layout_tree.h"
#include "parser/html_parser.h"

namespace {

namespace layout = vellum::engine::layout;
using layout::FontQuery;
using layout::testing::ItemsBelow;
using layout::testing::ItemsFollowEachOther;
using layout::testing::LaidOutPage;
using vellum::engine::Element;
using vellum::engine::com::CGdiTextMeasurer;

TEST(MeasuredLayout, BoldItalicAndLargerRunsAndAnInlineControlFollowEachOther) {
  CGdiTextMeasurer measurer;
  const LaidOutPage page(
      u"<body style='font-family: Arial; font-size: 13px'><div id=flow style='width: 395px'>"
      u"Flow content: <b>bold words</b> and <i>italic words</i> run in lines with <span style='font-size: 20px'>"
      u"larger text</span>, an <input type=text value=inline size=8> control and a <button>button</button> "
      u"between them, wrapping at the edge of the box.</div>",
      420, 300, measurer);
  const layout::LayoutTree& tree = page.Tree();
  Element* flow = &page.ById(u"flow");
  const std::vector<layout::testing::LineItem> items = ItemsBelow(tree, *flow);
  ASSERT_GE(items.size(), 10u);
  const int blank = static_cast<int>(measurer.Metrics(measurer.Font(FontQuery{u"Arial", 13})).spaceWidth);
  EXPECT_GT(blank, 0);
  EXPECT_TRUE(ItemsFollowEachOther(items, blank)) << tree.Dump(layout::LayoutTree::DumpText::Runs);
  // Nothing runs past the box.
  const layout::Box* box = tree.BoxOf(*flow);
  for (const layout::testing::LineItem& item : items)
    EXPECT_LE(item.box.x + item.box.width, box->border.x + box->border.width) << Describe(item);
}

TEST(MeasuredLayout, ALabelIsAsWideAsItsTextInItsFont) {
  CGdiTextMeasurer measurer;
  const LaidOutPage page(
      u"<body><span id=l style='position: absolute; left: 10px; top: 10px; font: bold 15px Arial'>Wavy label</span>",
      420, 300, measurer);
  FontQuery bold{u"Arial", 15, 700};
  const double expected = measurer.Width(measurer.Font(bold), u"Wavy label");
  const double words = measurer.Width(measurer.Font(bold), u"Wavy") + measurer.Metrics(measurer.Font(bold)).spaceWidth +
                       measurer.Width(measurer.Font(bold), u"label");
  EXPECT_EQ(expected, words);  // GDI's advances add up: a run measured by its words is the whole run
  EXPECT_EQ(page.Tree().BoxOf(page.ById(u"l"))->border.width, static_cast<int>(expected));
}

TEST(MeasuredLayout, APageOfLabelsMeasuresEachDistinctWordOnceAndLayingOutAgainMeasuresNothing) {
  std::u16string html = u"<body style='font-family: Arial; font-size: 13px'>";
  std::set<std::u16string> words;
  for (int i = 0; i < 3000; ++i) {
    const std::string n = std::to_string(i % 500);
    html += u"<span style='position: absolute; left: 10px; top: 10px'>Label " + std::u16string(n.begin(), n.end()) +
            u"</span>";
    words.insert(std::u16string(n.begin(), n.end()));
  }
  auto document = vellum::engine::ParseDocument(html);
  CGdiTextMeasurer measurer;
  layout::Layout(*document, 1024, 768, measurer);
  EXPECT_EQ(measurer.Measurements(), words.size() + 1);  // the numbers and "Label"
  layout::Layout(*document, 1024, 768, measurer);
  EXPECT_EQ(measurer.Measurements(), words.size() + 1);
}

}  // namespace
