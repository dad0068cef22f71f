#include <gtest/gtest.h>

#include <set>
#include <string>

#include "css/css_text.h"
#include "css/property.h"
#include "css/property_value.h"

namespace vellum::engine::css {
namespace {

TEST(PropertyTable, FindsEveryPropertyByCssNameAndScriptNameInAnyCase) {
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const PropertyInfo& info = Info(static_cast<PropertyId>(i));
    EXPECT_EQ(FindProperty(info.cssName), info.id) << info.cssName;
    EXPECT_EQ(FindProperty(info.scriptName), info.id) << info.scriptName;
    std::string upper(info.scriptName);
    for (char& c : upper) {
      c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    EXPECT_EQ(FindProperty(FromAscii(upper)), info.id) << upper;
  }
  EXPECT_EQ(FindProperty("cssFloat"), PropertyId::Float);
  EXPECT_FALSE(FindProperty("z_index"));
  EXPECT_FALSE(FindProperty(u""));
  EXPECT_FALSE(FindProperty(u"z-ind\u00e9x"));
}

TEST(PropertyTable, NamesAreUnique) {
  std::set<std::string> names;
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const PropertyInfo& info = Info(static_cast<PropertyId>(i));
    EXPECT_TRUE(names.insert(std::string(info.cssName)).second) << info.cssName;
    if (info.scriptName != info.cssName) {
      EXPECT_TRUE(names.insert(std::string(info.scriptName)).second) << info.scriptName;
    }
  }
}

TEST(PropertyTable, EveryDefaultIsAValidValueOfItsProperty) {
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const PropertyInfo& info = Info(static_cast<PropertyId>(i));
    if (info.kind != ValueKind::Shorthand) {
      EXPECT_TRUE(IsValidValue(info.id, info.initial)) << info.cssName;
    }
  }
}

TEST(PropertyTable, ThePropertySheetsNamesAreAllKnown) {
  for (std::string_view name : {"color",          "backgroundColor", "borderColor", "borderStyle", "borderWidth",
                                "margin",         "padding",         "top",         "left",        "width",
                                "height",         "overflowX",       "overflowY",   "zIndex",      "fontFamily",
                                "fontSize",       "fontStyle",       "fontVariant", "fontWeight",  "textAlign",
                                "textDecoration", "textTransform",   "cursor",      "position"}) {
    EXPECT_TRUE(FindProperty(name)) << name;
  }
}

TEST(PropertyTable, CoversAndOverlapsFollowTheShorthands) {
  EXPECT_TRUE(Covers(PropertyId::Border, PropertyId::BorderColor));
  EXPECT_TRUE(Covers(PropertyId::Border, PropertyId::BorderLeftWidth));
  EXPECT_FALSE(Covers(PropertyId::BorderTop, PropertyId::BorderColor));
  EXPECT_TRUE(Overlaps(PropertyId::BorderTop, PropertyId::BorderColor));
  EXPECT_FALSE(Overlaps(PropertyId::Margin, PropertyId::Padding));
  EXPECT_TRUE(Covers(PropertyId::Left, PropertyId::Left));
  EXPECT_FALSE(Covers(PropertyId::MarginTop, PropertyId::Margin));
}

}  // namespace
}  // namespace vellum::engine::css
