#include <algorithm>
#include <array>
#include <string>
#include <type_traits>
#include <vector>

#include "css/css_text.h"
#include "css/property.h"

namespace vellum::engine::css {
namespace {

using P = PropertyId;
using K = ValueKind;
constexpr Inheritance kInherited = Inheritance::Inherited;
constexpr Inheritance kOwn = Inheritance::NotInherited;

constexpr std::string_view kBorderStyles = "none hidden dotted dashed solid double groove ridge inset outset";
constexpr std::string_view kOverflows = "visible hidden scroll auto";
// The cursor words are spelled as the property sheet lists them, so that a computed value reads back
// as one of its entries.
constexpr std::string_view kCursors =
    "auto crosshair default hand pointer help move text wait progress N-resize NE-resize NW-resize "
    "S-resize SE-resize SW-resize E-resize W-resize not-allowed no-drop vertical-text all-scroll "
    "col-resize row-resize";
constexpr std::string_view kDisplays =
    "inline block list-item run-in inline-block table inline-table table-row-group table-header-group "
    "table-footer-group table-row table-column-group table-column table-cell table-caption none";
constexpr std::string_view kListStyleTypes =
    "disc circle square decimal decimal-leading-zero lower-roman upper-roman lower-greek lower-latin "
    "upper-latin armenian georgian lower-alpha upper-alpha none";

constexpr P kMarginParts[] = {P::MarginTop, P::MarginRight, P::MarginBottom, P::MarginLeft};
constexpr P kPaddingParts[] = {P::PaddingTop, P::PaddingRight, P::PaddingBottom, P::PaddingLeft};
constexpr P kBorderWidthParts[] = {P::BorderTopWidth, P::BorderRightWidth, P::BorderBottomWidth, P::BorderLeftWidth};
constexpr P kBorderStyleParts[] = {P::BorderTopStyle, P::BorderRightStyle, P::BorderBottomStyle, P::BorderLeftStyle};
constexpr P kBorderColorParts[] = {P::BorderTopColor, P::BorderRightColor, P::BorderBottomColor, P::BorderLeftColor};
constexpr P kBorderParts[] = {P::BorderTopWidth, P::BorderRightWidth, P::BorderBottomWidth, P::BorderLeftWidth,
                              P::BorderTopStyle, P::BorderRightStyle, P::BorderBottomStyle, P::BorderLeftStyle,
                              P::BorderTopColor, P::BorderRightColor, P::BorderBottomColor, P::BorderLeftColor};
constexpr P kBorderTopParts[] = {P::BorderTopWidth, P::BorderTopStyle, P::BorderTopColor};
constexpr P kBorderRightParts[] = {P::BorderRightWidth, P::BorderRightStyle, P::BorderRightColor};
constexpr P kBorderBottomParts[] = {P::BorderBottomWidth, P::BorderBottomStyle, P::BorderBottomColor};
constexpr P kBorderLeftParts[] = {P::BorderLeftWidth, P::BorderLeftStyle, P::BorderLeftColor};
constexpr P kBackgroundParts[] = {P::BackgroundColor, P::BackgroundImage, P::BackgroundRepeat, P::BackgroundAttachment,
                                  P::BackgroundPosition};
constexpr P kFontParts[] = {P::FontStyle, P::FontVariant, P::FontWeight, P::FontSize, P::LineHeight, P::FontFamily};
constexpr P kListStyleParts[] = {P::ListStyleType, P::ListStylePosition, P::ListStyleImage};
constexpr P kOutlineParts[] = {P::OutlineColor, P::OutlineStyle, P::OutlineWidth};
constexpr P kOverflowParts[] = {P::OverflowX, P::OverflowY};

constexpr PropertyInfo kProperties[] = {
    {P::Left, "left", "left", K::LengthOrAuto, u"auto", kOwn, {}, {}},
    {P::Top, "top", "top", K::LengthOrAuto, u"auto", kOwn, {}, {}},
    {P::Width, "width", "width", K::LengthOrAuto, u"auto", kOwn, {}, {}},
    {P::Height, "height", "height", K::LengthOrAuto, u"auto", kOwn, {}, {}},
    {P::Position, "position", "position", K::Keyword, u"static", kOwn, "static relative absolute fixed", {}},
    {P::ZIndex, "z-index", "zIndex", K::IntegerOrAuto, u"auto", kOwn, {}, {}},
    {P::Right, "right", "right", K::LengthOrAuto, u"auto", kOwn, {}, {}},
    {P::Bottom, "bottom", "bottom", K::LengthOrAuto, u"auto", kOwn, {}, {}},
    {P::MinWidth, "min-width", "minWidth", K::Length, u"0px", kOwn, {}, {}},
    {P::MinHeight, "min-height", "minHeight", K::Length, u"0px", kOwn, {}, {}},
    {P::MaxWidth, "max-width", "maxWidth", K::LengthOrNone, u"none", kOwn, {}, {}},
    {P::MaxHeight, "max-height", "maxHeight", K::LengthOrNone, u"none", kOwn, {}, {}},
    {P::Display, "display", "display", K::Keyword, u"inline", kOwn, kDisplays, {}},
    {P::Visibility, "visibility", "visibility", K::Keyword, u"visible", kInherited, "visible hidden collapse", {}},
    {P::Float, "float", "styleFloat", K::Keyword, u"none", kOwn, "none left right", {}},
    {P::Clear, "clear", "clear", K::Keyword, u"none", kOwn, "none left right both", {}},
    {P::OverflowX, "overflow-x", "overflowX", K::Keyword, u"visible", kOwn, kOverflows, {}},
    {P::OverflowY, "overflow-y", "overflowY", K::Keyword, u"visible", kOwn, kOverflows, {}},
    {P::Clip, "clip", "clip", K::Text, u"auto", kOwn, {}, {}},
    {P::VerticalAlign,
     "vertical-align",
     "verticalAlign",
     K::VerticalAlign,
     u"baseline",
     kOwn,
     "baseline sub super top text-top middle bottom text-bottom",
     {}},
    {P::MarginTop, "margin-top", "marginTop", K::LengthOrAuto, u"0px", kOwn, {}, {}},
    {P::MarginRight, "margin-right", "marginRight", K::LengthOrAuto, u"0px", kOwn, {}, {}},
    {P::MarginBottom, "margin-bottom", "marginBottom", K::LengthOrAuto, u"0px", kOwn, {}, {}},
    {P::MarginLeft, "margin-left", "marginLeft", K::LengthOrAuto, u"0px", kOwn, {}, {}},
    {P::PaddingTop, "padding-top", "paddingTop", K::Length, u"0px", kOwn, {}, {}},
    {P::PaddingRight, "padding-right", "paddingRight", K::Length, u"0px", kOwn, {}, {}},
    {P::PaddingBottom, "padding-bottom", "paddingBottom", K::Length, u"0px", kOwn, {}, {}},
    {P::PaddingLeft, "padding-left", "paddingLeft", K::Length, u"0px", kOwn, {}, {}},
    {P::BorderTopWidth, "border-top-width", "borderTopWidth", K::BorderWidth, u"medium", kOwn, {}, {}},
    {P::BorderRightWidth, "border-right-width", "borderRightWidth", K::BorderWidth, u"medium", kOwn, {}, {}},
    {P::BorderBottomWidth, "border-bottom-width", "borderBottomWidth", K::BorderWidth, u"medium", kOwn, {}, {}},
    {P::BorderLeftWidth, "border-left-width", "borderLeftWidth", K::BorderWidth, u"medium", kOwn, {}, {}},
    {P::BorderTopStyle, "border-top-style", "borderTopStyle", K::Keyword, u"none", kOwn, kBorderStyles, {}},
    {P::BorderRightStyle, "border-right-style", "borderRightStyle", K::Keyword, u"none", kOwn, kBorderStyles, {}},
    {P::BorderBottomStyle, "border-bottom-style", "borderBottomStyle", K::Keyword, u"none", kOwn, kBorderStyles, {}},
    {P::BorderLeftStyle, "border-left-style", "borderLeftStyle", K::Keyword, u"none", kOwn, kBorderStyles, {}},
    {P::BorderTopColor, "border-top-color", "borderTopColor", K::Color, u"currentcolor", kOwn, {}, {}},
    {P::BorderRightColor, "border-right-color", "borderRightColor", K::Color, u"currentcolor", kOwn, {}, {}},
    {P::BorderBottomColor, "border-bottom-color", "borderBottomColor", K::Color, u"currentcolor", kOwn, {}, {}},
    {P::BorderLeftColor, "border-left-color", "borderLeftColor", K::Color, u"currentcolor", kOwn, {}, {}},
    {P::Color, "color", "color", K::Color, u"#000000", kInherited, {}, {}},
    {P::BackgroundColor, "background-color", "backgroundColor", K::Color, u"transparent", kOwn, {}, {}},
    {P::BackgroundImage, "background-image", "backgroundImage", K::Text, u"none", kOwn, {}, {}},
    {P::BackgroundRepeat,
     "background-repeat",
     "backgroundRepeat",
     K::Keyword,
     u"repeat",
     kOwn,
     "repeat repeat-x repeat-y no-repeat",
     {}},
    {P::BackgroundAttachment,
     "background-attachment",
     "backgroundAttachment",
     K::Keyword,
     u"scroll",
     kOwn,
     "scroll fixed",
     {}},
    {P::BackgroundPosition, "background-position", "backgroundPosition", K::Text, u"0% 0%", kOwn, {}, {}},
    {P::FontFamily, "font-family", "fontFamily", K::Text, u"Times New Roman", kInherited, {}, {}},
    {P::FontSize, "font-size", "fontSize", K::FontSize, u"16px", kInherited, {}, {}},
    {P::FontStyle, "font-style", "fontStyle", K::Keyword, u"normal", kInherited, "normal italic oblique", {}},
    {P::FontVariant, "font-variant", "fontVariant", K::Keyword, u"normal", kInherited, "normal small-caps", {}},
    {P::FontWeight, "font-weight", "fontWeight", K::FontWeight, u"400", kInherited, {}, {}},
    {P::LineHeight, "line-height", "lineHeight", K::LineHeight, u"normal", kInherited, {}, {}},
    {P::TextAlign, "text-align", "textAlign", K::Keyword, u"left", kInherited, "left right center justify", {}},
    {P::TextDecoration,
     "text-decoration",
     "textDecoration",
     K::KeywordSet,
     u"none",
     kOwn,
     "underline overline line-through blink",
     {}},
    {P::TextIndent, "text-indent", "textIndent", K::Length, u"0px", kInherited, {}, {}},
    {P::TextTransform,
     "text-transform",
     "textTransform",
     K::Keyword,
     u"none",
     kInherited,
     "none capitalize uppercase lowercase",
     {}},
    {P::LetterSpacing, "letter-spacing", "letterSpacing", K::LengthOrNormal, u"normal", kInherited, {}, {}},
    {P::WordSpacing, "word-spacing", "wordSpacing", K::LengthOrNormal, u"normal", kInherited, {}, {}},
    {P::WhiteSpace,
     "white-space",
     "whiteSpace",
     K::Keyword,
     u"normal",
     kInherited,
     "normal pre nowrap pre-wrap pre-line",
     {}},
    {P::Direction, "direction", "direction", K::Keyword, u"ltr", kInherited, "ltr rtl", {}},
    {P::UnicodeBidi, "unicode-bidi", "unicodeBidi", K::Keyword, u"normal", kOwn, "normal embed bidi-override", {}},
    {P::ListStyleType, "list-style-type", "listStyleType", K::Keyword, u"disc", kInherited, kListStyleTypes, {}},
    {P::ListStylePosition,
     "list-style-position",
     "listStylePosition",
     K::Keyword,
     u"outside",
     kInherited,
     "inside outside",
     {}},
    {P::ListStyleImage, "list-style-image", "listStyleImage", K::Text, u"none", kInherited, {}, {}},
    {P::BorderCollapse,
     "border-collapse",
     "borderCollapse",
     K::Keyword,
     u"separate",
     kInherited,
     "collapse separate",
     {}},
    {P::BorderSpacing, "border-spacing", "borderSpacing", K::Text, u"0px", kInherited, {}, {}},
    {P::TableLayout, "table-layout", "tableLayout", K::Keyword, u"auto", kOwn, "auto fixed", {}},
    {P::CaptionSide, "caption-side", "captionSide", K::Keyword, u"top", kInherited, "top bottom", {}},
    {P::EmptyCells, "empty-cells", "emptyCells", K::Keyword, u"show", kInherited, "show hide", {}},
    {P::Cursor, "cursor", "cursor", K::Keyword, u"auto", kInherited, kCursors, {}},
    {P::OutlineColor, "outline-color", "outlineColor", K::Color, u"invert", kOwn, {}, {}},
    {P::OutlineStyle, "outline-style", "outlineStyle", K::Keyword, u"none", kOwn, kBorderStyles, {}},
    {P::OutlineWidth, "outline-width", "outlineWidth", K::BorderWidth, u"medium", kOwn, {}, {}},
    {P::Margin, "margin", "margin", K::Shorthand, {}, kOwn, {}, kMarginParts},
    {P::Padding, "padding", "padding", K::Shorthand, {}, kOwn, {}, kPaddingParts},
    {P::BorderWidth, "border-width", "borderWidth", K::Shorthand, {}, kOwn, {}, kBorderWidthParts},
    {P::BorderStyle, "border-style", "borderStyle", K::Shorthand, {}, kOwn, {}, kBorderStyleParts},
    {P::BorderColor, "border-color", "borderColor", K::Shorthand, {}, kOwn, {}, kBorderColorParts},
    {P::Border, "border", "border", K::Shorthand, {}, kOwn, {}, kBorderParts},
    {P::BorderTop, "border-top", "borderTop", K::Shorthand, {}, kOwn, {}, kBorderTopParts},
    {P::BorderRight, "border-right", "borderRight", K::Shorthand, {}, kOwn, {}, kBorderRightParts},
    {P::BorderBottom, "border-bottom", "borderBottom", K::Shorthand, {}, kOwn, {}, kBorderBottomParts},
    {P::BorderLeft, "border-left", "borderLeft", K::Shorthand, {}, kOwn, {}, kBorderLeftParts},
    {P::Background, "background", "background", K::Shorthand, {}, kOwn, {}, kBackgroundParts},
    {P::Font, "font", "font", K::Shorthand, {}, kOwn, {}, kFontParts},
    {P::ListStyle, "list-style", "listStyle", K::Shorthand, {}, kOwn, {}, kListStyleParts},
    {P::Outline, "outline", "outline", K::Shorthand, {}, kOwn, {}, kOutlineParts},
    {P::Overflow, "overflow", "overflow", K::Shorthand, {}, kOwn, {}, kOverflowParts},
};

constexpr bool TableFollowsEnum() {
  for (std::size_t i = 0; i < std::size(kProperties); ++i) {
    if (static_cast<std::size_t>(kProperties[i].id) != i) {
      return false;
    }
    const bool shorthand = kProperties[i].kind == K::Shorthand;
    if (shorthand == kProperties[i].longhands.empty() || shorthand != kProperties[i].initial.empty()) {
      return false;
    }
  }
  return true;
}
static_assert(std::size(kProperties) == kPropertyCount, "every PropertyId needs a row in kProperties");
static_assert(TableFollowsEnum(), "kProperties rows must follow the PropertyId order; shorthands list longhands");

struct NamedProperty {
  std::string name;  // lower case
  PropertyId id;
};

// Names that automation accepts besides the table's.
constexpr std::pair<std::string_view, PropertyId> kAliases[] = {{"cssFloat", P::Float}};

std::vector<NamedProperty> BuildNameIndex() {
  std::vector<NamedProperty> index;
  auto add = [&index](std::string_view name, PropertyId id) {
    std::string lower(name);
    for (char& c : lower) {
      c = static_cast<char>(AsciiLower(static_cast<unsigned char>(c)));
    }
    const bool known =
        std::any_of(index.begin(), index.end(), [&lower](const NamedProperty& n) { return n.name == lower; });
    if (!known) {
      index.push_back({std::move(lower), id});
    }
  };
  for (const PropertyInfo& info : kProperties) {
    add(info.cssName, info.id);
    add(info.scriptName, info.id);
  }
  for (const auto& [name, id] : kAliases) {
    add(name, id);
  }
  std::sort(index.begin(), index.end(),
            [](const NamedProperty& a, const NamedProperty& b) { return a.name.compare(b.name) < 0; });
  return index;
}

const std::vector<NamedProperty>& NameIndex() {
  static const std::vector<NamedProperty> kIndex = BuildNameIndex();
  return kIndex;
}

template <typename Char>
std::optional<PropertyId> FindByName(std::basic_string_view<Char> name) {
  constexpr std::size_t kLongestName = 32;
  if (name.empty() || name.size() > kLongestName) {
    return std::nullopt;
  }
  char lower[kLongestName];
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto c = static_cast<std::uint32_t>(static_cast<std::make_unsigned_t<Char>>(name[i]));
    if (c >= 0x80) {
      return std::nullopt;
    }
    lower[i] = static_cast<char>(AsciiLower(static_cast<char16_t>(c)));
  }
  const std::string_view key(lower, name.size());
  const auto& index = NameIndex();
  auto it = std::lower_bound(index.begin(), index.end(), key, [](const NamedProperty& n, std::string_view k) {
    return std::string_view(n.name).compare(k) < 0;
  });
  if (it == index.end() || it->name != key) {
    return std::nullopt;
  }
  return it->id;
}

}  // namespace

const PropertyInfo& Info(PropertyId id) { return kProperties[static_cast<std::size_t>(id)]; }

std::optional<PropertyId> FindProperty(std::u16string_view name) { return FindByName(name); }
std::optional<PropertyId> FindProperty(std::string_view name) { return FindByName(name); }

bool Covers(PropertyId outer, PropertyId inner) {
  if (outer == inner) {
    return true;
  }
  const auto outerParts = Info(outer).longhands;
  if (outerParts.empty()) {
    return false;
  }
  const auto innerParts = Info(inner).longhands;
  if (innerParts.empty()) {
    return std::find(outerParts.begin(), outerParts.end(), inner) != outerParts.end();
  }
  return std::all_of(innerParts.begin(), innerParts.end(), [&](PropertyId part) {
    return std::find(outerParts.begin(), outerParts.end(), part) != outerParts.end();
  });
}

bool Overlaps(PropertyId a, PropertyId b) {
  if (a == b) {
    return true;
  }
  const PropertyId aSelf[] = {a};
  const PropertyId bSelf[] = {b};
  const auto aParts = IsShorthand(a) ? Info(a).longhands : std::span<const PropertyId>(aSelf);
  const auto bParts = IsShorthand(b) ? Info(b).longhands : std::span<const PropertyId>(bSelf);
  return std::any_of(aParts.begin(), aParts.end(),
                     [&](PropertyId part) { return std::find(bParts.begin(), bParts.end(), part) != bParts.end(); });
}

}  // namespace vellum::engine::css
