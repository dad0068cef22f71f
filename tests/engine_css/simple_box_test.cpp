#include <gtest/gtest.h>

#include <string>

#include "css/simple_box.h"
#include "test_document.h"

namespace vellum::engine::css {
namespace {

using testing::TestDocument;

std::string Dump(const BoxEstimate& box) {
    return "[" + std::to_string(box.left) + "," + std::to_string(box.top) + "] " + std::to_string(box.width) + "x" +
           std::to_string(box.height);
}

std::string Box(const TestDocument& page, std::u16string_view id) { return Dump(EstimateBox(page.byId(id))); }

TEST(SimpleBoxPlaced, AbsoluteElementIsWhereAndAsLargeAsItsStyleSays) {
    TestDocument page(u"<body><span id=a style='position: absolute; left: 10px; top: 20px; width: 65px; "
                      u"height: 20px'>label1</span>");
    EXPECT_EQ(Box(page, u"a"), "[10,20] 65x20");
}

TEST(SimpleBoxPlaced, WidthAndHeightAreBorderBoxSizes) {
    TestDocument page(u"<body><div id=a style='position: absolute; left: 1px; top: 2px; width: 100px; height: 50px; "
                      u"padding: 7px; border: 3px solid red'></div>");
    EXPECT_EQ(Box(page, u"a"), "[1,2] 100x50");
}

TEST(SimpleBoxPlaced, UnitsAndMarginsAreTakenIntoAccount) {
    TestDocument page(u"<body><span id=a style='position: absolute; left: 1in; top: 12pt; width: 2em; height: 1cm; "
                      u"margin: 5px'></span>");
    EXPECT_EQ(Box(page, u"a"), "[101,21] 32x38");
}

TEST(SimpleBoxPlaced, AbsoluteChildOfAPositionedElementIsMeasuredFromIt) {
    TestDocument page(u"<body><fieldset id=f style='position: absolute; left: 50px; top: 60px; width: 200px; "
                      u"height: 100px; border: 2px solid; padding: 4px'>"
                      u"<span id=a style='position: absolute; left: 10px; top: 20px; width: 30px; height: 15px'>"
                      u"</span></fieldset>");
    EXPECT_EQ(Box(page, u"a"), "[10,20] 30x15");
    ElementStyleResolver styles(page.document());
    EXPECT_EQ(OffsetParentOf(page.byId(u"a"), styles), &page.byId(u"f"));
}

TEST(SimpleBoxPlaced, PercentagesResolveAgainstTheNearestSizedAncestor) {
    TestDocument page(u"<body><div style='position: absolute; left: 0; top: 0; width: 200px; height: 80px'>"
                      u"<div style='width: 50%'><span id=a style='position: absolute; left: 10%; top: 50%; "
                      u"width: 50%; height: 25%'></span></div></div>");
    EXPECT_EQ(Box(page, u"a"), "[20,40] 100x20");
    TestDocument inFlow(u"<body><div style='width: 300px'><div><p id=a style='width: 10%; margin: 0'></p>");
    EXPECT_EQ(Box(inFlow, u"a"), "[0,0] 30x0");
}

TEST(SimpleBoxPlaced, PercentageWithoutASizedAncestorCountsAsAuto) {
    TestDocument page(u"<body><input id=a style='position: absolute; left: 3px; top: 4px; width: 50%'>");
    EXPECT_EQ(Box(page, u"a"), "[3,4] 150x20");
}

TEST(SimpleBoxNatural, FormControlsGetPlatformSizes) {
    TestDocument page(
        u"<body style='font-size: 30px'>"
        u"<input id=text style='position: absolute'>"
        u"<input id=sized size=10 style='position: absolute'>"
        u"<input id=check type=CheckBox style='position: absolute'>"
        u"<input id=radio type=radio style='position: absolute'>"
        u"<input id=button type=button value='Go' style='position: absolute'>"
        u"<input id=file type=file style='position: absolute'>"
        u"<input id=hidden type=hidden>"
        u"<select id=drop style='position: absolute'><option>a</option><option>longer</option></select>"
        u"<select id=list size=3 style='position: absolute'><option>abc</option></select>"
        u"<textarea id=area style='position: absolute'>text</textarea>"
        u"<img id=img width=40 height=30 style='position: absolute'>"
        u"<img id=broken style='position: absolute'>");
    EXPECT_EQ(Box(page, u"text"), "[0,0] 150x20");
    EXPECT_EQ(Box(page, u"sized"), "[0,0] 80x20");
    EXPECT_EQ(Box(page, u"check"), "[0,0] 13x13");
    EXPECT_EQ(Box(page, u"radio"), "[0,0] 13x13");
    EXPECT_EQ(Box(page, u"button"), "[0,0] 30x22");
    EXPECT_EQ(Box(page, u"file"), "[0,0] 225x20");
    EXPECT_EQ(Box(page, u"hidden"), "[0,0] 0x0");
    EXPECT_EQ(Box(page, u"drop"), "[0,0] 69x20");
    EXPECT_EQ(Box(page, u"list"), "[0,0] 48x52");
    EXPECT_EQ(Box(page, u"area"), "[0,0] 167x36");
    EXPECT_EQ(Box(page, u"img"), "[0,0] 40x30");
    EXPECT_EQ(Box(page, u"broken"), "[0,0] 28x30");
}

TEST(SimpleBoxNatural, StyleSizeWinsOverTheNaturalSizeOnEachAxisAlone) {
    TestDocument page(u"<body><input id=a style='position: absolute; left: 5px; top: 6px; height: 40px'>");
    EXPECT_EQ(Box(page, u"a"), "[5,6] 150x40");
}

TEST(SimpleBoxNatural, TextIsMeasuredByCharactersAndLineHeight) {
    TestDocument page(u"<body><span id=a style='position: absolute; left: 10px; top: 20px'>label1</span>"
                      u"<span id=big style='position: absolute; font-size: 32px; line-height: 40px'>ab  cd</span>"
                      u"<span id=padded style='position: absolute; padding: 2px; border: 1px solid'>x</span>");
    EXPECT_EQ(Box(page, u"a"), "[10,20] 42x18");
    EXPECT_EQ(Box(page, u"big"), "[0,0] 70x40");
    EXPECT_EQ(Box(page, u"padded"), "[0,0] 13x24");
}

TEST(SimpleBoxFlow, BlocksStackAndInlinesShareARow) {
    TestDocument page(u"<body><div id=one style='height: 30px'></div>"
                      u"<span id=s1 style='width: 40px; height: 10px; display: inline-block'></span>"
                      u"<span id=s2 style='width: 20px; height: 25px; display: inline-block'></span>"
                      u"<br><div id=two style='margin-top: 5px; margin-left: 3px; height: 10px'></div>");
    EXPECT_EQ(Box(page, u"one"), "[0,0] 0x30");
    EXPECT_EQ(Box(page, u"s1"), "[0,30] 40x10");
    EXPECT_EQ(Box(page, u"s2"), "[40,30] 20x25");
    EXPECT_EQ(Box(page, u"two"), "[3,60] 0x10");
}

TEST(SimpleBoxFlow, AbsoluteSiblingsTakeNoPlaceInTheFlow) {
    TestDocument page(u"<body><div style='position: absolute; left: 0; top: 0; width: 10px; height: 100px'></div>"
                      u"<div id=a style='height: 10px'></div>");
    EXPECT_EQ(Box(page, u"a"), "[0,0] 0x10");
}

TEST(SimpleBoxFlow, StaticChildIsPlacedInsideItsStaticParentRelativeToTheOffsetParent) {
    TestDocument page(u"<body><div id=p style='position: absolute; left: 100px; top: 100px; padding: 4px; "
                      u"border: 2px solid'>"
                      u"<div style='height: 20px'></div>"
                      u"<div id=mid style='padding: 3px; border: 1px solid'><span id=a>abc</span></div></div>");
    EXPECT_EQ(Box(page, u"mid"), "[4,24] 29x26");
    EXPECT_EQ(Box(page, u"a"), "[8,28] 21x18");
}

TEST(SimpleBoxFlow, RelativeElementIsShiftedFromItsFlowPlace) {
    TestDocument page(u"<body><div style='height: 10px'></div>"
                      u"<div id=a style='position: relative; left: 5px; top: -3px; height: 10px'></div>");
    EXPECT_EQ(Box(page, u"a"), "[5,7] 0x10");
}

TEST(SimpleBoxFlow, AbsoluteElementWithoutLeftOrTopStaysAtItsFlowPlace) {
    TestDocument page(u"<body><div style='height: 30px'></div>"
                      u"<span id=a style='position: absolute; left: 8px; width: 5px; height: 5px'></span>");
    EXPECT_EQ(Box(page, u"a"), "[8,30] 5x5");
}

TEST(SimpleBoxSpecial, HiddenElementsAndTheirChildrenHaveNoBox) {
    TestDocument page(u"<head><title id=t>x</title></head><body>"
                      u"<div style='display: none'><span id=a style='position: absolute; left: 5px; width: 9px'>"
                      u"</span></div>");
    EXPECT_EQ(Box(page, u"a"), "[0,0] 0x0");
    EXPECT_EQ(Box(page, u"t"), "[0,0] 0x0");
}

TEST(SimpleBoxSpecial, BodyIsAtTheOriginWithItsStyleSizeOrNone) {
    TestDocument page(u"<body id=b style='margin: 10px'><div style='height: 500px'></div>");
    EXPECT_EQ(Box(page, u"b"), "[0,0] 0x0");
    TestDocument sized(u"<body id=b style='width: 640px; height: 480px'>");
    EXPECT_EQ(Box(sized, u"b"), "[0,0] 640x480");
    ElementStyleResolver styles(sized.document());
    EXPECT_EQ(OffsetParentOf(sized.byId(u"b"), styles), nullptr);
}

TEST(SimpleBoxLimits, HugeFlatPageIsAnsweredWithinTheBudget) {
    std::u16string html = u"<body>";
    for (int i = 0; i < 20000; ++i) {
        html += u"<div style='height: 1px'></div>";
    }
    html += u"<div id=last style='height: 1px'></div>";
    TestDocument page(html);
    const BoxEstimate box = EstimateBox(page.byId(u"last"));
    EXPECT_LE(box.top, 20000);
    EXPECT_EQ(box.height, 1);
}

TEST(SimpleBoxLimits, DeepNestingIsMeasuredWithoutExhaustingTheStack) {
    std::u16string html = u"<body><div id=outer style='position: absolute'>";
    for (int i = 0; i < 600; ++i) {
        html += u"<div>";
    }
    html += u"<span id=inner>text</span>";
    TestDocument page(html);
    EXPECT_EQ(EstimateBox(page.byId(u"outer")).left, 0);
    EXPECT_GE(EstimateBox(page.byId(u"inner")).top, 0);
}

TEST(SimpleBoxLimits, HugeSizesAreClampedNotOverflowed) {
    TestDocument page(u"<body><span id=a style='position: absolute; left: 99999999999px; top: -1e30px; "
                      u"width: 99999999999999999999px; height: 12345678901234567890px'></span><img id=i width=99999999999>");
    const BoxEstimate box = EstimateBox(page.byId(u"a"));
    EXPECT_GT(box.left, 0);
    EXPECT_GT(box.width, 0);
    EXPECT_EQ(EstimateBox(page.byId(u"i")).width, 100000);
}

}  // namespace
}  // namespace vellum::engine::css
