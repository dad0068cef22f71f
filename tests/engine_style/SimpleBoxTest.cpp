#include <gtest/gtest.h>

#include "StyleTestSupport.h"
#include "engine/com/style/StyleObjects.h"

namespace {

using st::Variant;

std::string Dump(const engine::SimpleBox& box) {
  return "[" + std::to_string(box.left) + "," + std::to_string(box.top) + "] " + std::to_string(box.width) + "x" +
         std::to_string(box.height);
}

TEST(SimpleBox, PlacedElementsBoxIsItsStyleBorderBox) {
  st::Page page(L"<body><span id=a style='position: absolute; left: 10px; top: 20px; width: 65px; height: 20px; "
                L"border: 3px solid; padding: 4px'>label1</span>");
  EXPECT_EQ(Dump(engine::ComputeSimpleBox(page.byId(L"a"))), "[10,20] 65x20");
}

TEST(SimpleBox, BoxFollowsWhatTheInlineStyleWrites) {
  st::Page page(L"<body><input id=a style='position: absolute; left: 1px; top: 2px'>");
  EXPECT_EQ(Dump(engine::ComputeSimpleBox(page.byId(L"a"))), "[1,2] 150x20");
  IHTMLStyle* style = nullptr;
  ASSERT_EQ(engine::CreateInlineStyle(page.byId(L"a"), &style), S_OK);
  ASSERT_EQ(style->put_left(Variant(30).get()), S_OK);
  ASSERT_EQ(style->put_width(Variant(80).get()), S_OK);
  ASSERT_EQ(style->put_height(Variant(L"25px").get()), S_OK);
  EXPECT_EQ(Dump(engine::ComputeSimpleBox(page.byId(L"a"))), "[30,2] 80x25");
  EXPECT_EQ(style->Release(), 0u);
  EXPECT_EQ(st::LiveObjects(), 0);
}

TEST(SimpleBox, FormElementsWithoutSizeGetTheirNaturalSize) {
  st::Page page(L"<body><span id=label style='position: absolute'>label1</span>"
                L"<input id=check type=checkbox style='position: absolute'>"
                L"<input id=button type=button value=button1 style='position: absolute'>");
  EXPECT_EQ(Dump(engine::ComputeSimpleBox(page.byId(L"label"))), "[0,0] 42x18");
  EXPECT_EQ(Dump(engine::ComputeSimpleBox(page.byId(L"check"))), "[0,0] 13x13");
  EXPECT_EQ(Dump(engine::ComputeSimpleBox(page.byId(L"button"))), "[0,0] 65x22");
}

}  // namespace
