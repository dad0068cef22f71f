#include <gtest/gtest.h>

#include "css/cascade.h"
#include "css/css_text.h"
#include "test_element.h"

namespace vellum::engine::css {
namespace {

using testing::TestElement;

// The words the element property sheet offers, so that opening it on an unstyled element and pressing
// OK writes nothing back.
struct Default {
  std::string_view scriptName;
  std::u16string_view value;
};

constexpr Default kExpectedDefaults[] = {
    {"color", u"#000000"},       {"backgroundColor", u"transparent"},
    {"borderColor", u"#000000"}, {"borderStyle", u"none"},
    {"borderWidth", u"medium"},  {"margin", u"0px"},
    {"padding", u"0px"},         {"top", u"auto"},
    {"left", u"auto"},           {"width", u"auto"},
    {"height", u"auto"},         {"overflowX", u"visible"},
    {"overflowY", u"visible"},   {"zIndex", u"auto"},
    {"position", u"static"},     {"fontFamily", u"Times New Roman"},
    {"fontSize", u"16px"},       {"fontStyle", u"normal"},
    {"fontVariant", u"normal"},  {"fontWeight", u"400"},
    {"textAlign", u"left"},      {"textDecoration", u"none"},
    {"textTransform", u"none"},  {"cursor", u"auto"},
};

class ComputedDefaultsTest : public ::testing::TestWithParam<std::u16string_view> {};

TEST_P(ComputedDefaultsTest, UnstyledElementReportsThePropertySheetsWords) {
  TestElement html(u"html");
  TestElement& element = html.Add(u"body").Add(std::u16string(GetParam()));
  const ComputedStyle style = ComputeStyleWithAncestors(element, {});
  for (const Default& expected : kExpectedDefaults) {
    const std::optional<PropertyId> id = FindProperty(expected.scriptName);
    ASSERT_TRUE(id) << expected.scriptName;
    EXPECT_EQ(style.Value(*id), expected.value) << expected.scriptName;
  }
  EXPECT_FALSE(style.ZIndex());
}

// The element kinds the editor places on its forms, and the body itself.
INSTANTIATE_TEST_SUITE_P(FormElements, ComputedDefaultsTest,
                         ::testing::Values(u"span", u"input", u"textarea", u"img", u"select", u"fieldset", u"object",
                                           u"button"));

TEST(ComputedDefaults, BodyHasTheSameDefaultsAndNoMargin) {
  TestElement html(u"html");
  TestElement& body = html.Add(u"body");
  const ComputedStyle style = ComputeStyleWithAncestors(body, {});
  for (const Default& expected : kExpectedDefaults) {
    EXPECT_EQ(style.Value(*FindProperty(expected.scriptName)), expected.value) << expected.scriptName;
  }
}

TEST(ComputedDefaults, PlacedElementReportsItsPositionAndZIndexAsANumber) {
  TestElement html(u"html");
  TestElement& span = html.Add(u"body").Add(u"span").WithStyle(
      u"position: absolute; left: 10px; top: 20px; width: 65px; height: 20px; z-index: 3");
  const ComputedStyle style = ComputeStyleWithAncestors(span, {});
  EXPECT_EQ(style.Value(PropertyId::Position), u"absolute");
  EXPECT_EQ(style.Value(PropertyId::Left), u"10px");
  EXPECT_EQ(style.Value(PropertyId::Height), u"20px");
  EXPECT_EQ(style.ZIndex(), 3);
}

TEST(ComputedDefaults, ValuesChosenFromThePropertySheetListsReadBackUnchanged) {
  struct Choice {
    std::string_view scriptName;
    std::u16string_view value;
  };
  constexpr Choice kChoices[] = {
      {"borderStyle", u"groove"},
      {"fontStyle", u"oblique"},
      {"fontVariant", u"small-caps"},
      {"fontWeight", u"900"},
      {"textAlign", u"justify"},
      {"textDecoration", u"line-through"},
      {"textTransform", u"capitalize"},
      {"cursor", u"SW-resize"},
      {"cursor", u"hand"},
      {"overflowX", u"scroll"},
      {"overflowY", u"auto"},
      {"backgroundColor", u"threedlightshadow"},
      {"color", u"#ab12ef"},
      {"borderWidth", u"thick"},
      {"fontSize", u"14px"},
      {"margin", u"5px auto"},
  };
  for (const Choice& choice : kChoices) {
    TestElement html(u"html");
    TestElement& span = html.Add(u"body").Add(u"span");
    DeclarationBlock style;
    ASSERT_EQ(style.Set(FromAscii(choice.scriptName), choice.value), SetResult::Stored);
    span.WithStyle(style.CssText());
    EXPECT_EQ(ComputeStyleWithAncestors(span, {}).Value(*FindProperty(choice.scriptName)), choice.value)
        << choice.scriptName;
  }
}

}  // namespace
}  // namespace vellum::engine::css
