#pragma once
// The style properties the engine knows: one table (property_table.cpp) gives each its CSS name, its
// script name, the kind of value it takes, its computed default and whether it inherits.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vellum::engine::css {

enum class PropertyId : std::uint8_t {
  // Position and box
  Left,
  Top,
  Width,
  Height,
  Position,
  ZIndex,
  Right,
  Bottom,
  MinWidth,
  MinHeight,
  MaxWidth,
  MaxHeight,
  Display,
  Visibility,
  Float,
  Clear,
  OverflowX,
  OverflowY,
  Clip,
  VerticalAlign,
  MarginTop,
  MarginRight,
  MarginBottom,
  MarginLeft,
  PaddingTop,
  PaddingRight,
  PaddingBottom,
  PaddingLeft,
  BorderTopWidth,
  BorderRightWidth,
  BorderBottomWidth,
  BorderLeftWidth,
  BorderTopStyle,
  BorderRightStyle,
  BorderBottomStyle,
  BorderLeftStyle,
  BorderTopColor,
  BorderRightColor,
  BorderBottomColor,
  BorderLeftColor,
  // Colour and background
  Color,
  BackgroundColor,
  BackgroundImage,
  BackgroundRepeat,
  BackgroundAttachment,
  BackgroundPosition,
  // Font and text
  FontFamily,
  FontSize,
  FontStyle,
  FontVariant,
  FontWeight,
  LineHeight,
  TextAlign,
  TextDecoration,
  TextIndent,
  TextTransform,
  LetterSpacing,
  WordSpacing,
  WhiteSpace,
  Direction,
  UnicodeBidi,
  // Lists, tables, user interface
  ListStyleType,
  ListStylePosition,
  ListStyleImage,
  BorderCollapse,
  BorderSpacing,
  TableLayout,
  CaptionSide,
  EmptyCells,
  Cursor,
  OutlineColor,
  OutlineStyle,
  OutlineWidth,
  // Shorthands: stored as written, expanded into the longhands above for computed values
  Margin,
  Padding,
  BorderWidth,
  BorderStyle,
  BorderColor,
  Border,
  BorderTop,
  BorderRight,
  BorderBottom,
  BorderLeft,
  Background,
  Font,
  ListStyle,
  Outline,
  Overflow,
  Count
};

inline constexpr std::size_t kPropertyCount = static_cast<std::size_t>(PropertyId::Count);

// What a property's value is, which decides how it is checked and how its computed value is formed.
enum class ValueKind : std::uint8_t {
  LengthOrAuto,    // left, width, margin-top ...: "auto", a length or a percentage
  Length,          // padding-top, text-indent ...: a length or a percentage
  LengthOrNone,    // max-width, max-height
  LengthOrNormal,  // letter-spacing, word-spacing
  BorderWidth,     // "thin", "medium", "thick" or a length
  Color,           // a colour; the border colours default to the element's colour
  Keyword,         // one of the property's keywords
  KeywordSet,      // text-decoration: "none" or a set of its keywords
  IntegerOrAuto,   // z-index
  FontSize,        // keywords, lengths and percentages relative to the parent's size
  FontWeight,      // "normal", "bold", "bolder", "lighter", 100 ... 900
  LineHeight,      // "normal", a number, a length or a percentage
  VerticalAlign,   // keywords, lengths and percentages
  Text,            // anything, kept as written (font-family, background-image, clip ...)
  Shorthand,       // sets several longhands
};

enum class Inheritance : std::uint8_t { NotInherited, Inherited };

struct PropertyInfo {
  PropertyId id;
  std::string_view cssName;     // "z-index"
  std::string_view scriptName;  // "zIndex"
  ValueKind kind;
  std::u16string_view initial;  // computed default; empty for shorthands
  Inheritance inheritance;
  std::string_view keywords;              // Keyword kinds: the values allowed, blank-separated, as reported
  std::span<const PropertyId> longhands;  // shorthands: what they set, in their value's order
};

const PropertyInfo& Info(PropertyId id);

inline bool IsShorthand(PropertyId id) { return Info(id).kind == ValueKind::Shorthand; }

// Finds a property by its CSS name ("z-index"), its script name ("zIndex") or an alias ("cssFloat"),
// without regard to ASCII case, as automation looks names up.
std::optional<PropertyId> FindProperty(std::u16string_view name);
std::optional<PropertyId> FindProperty(std::string_view name);

// Whether setting `outer` sets every longhand of `inner` (a property covers itself).
bool Covers(PropertyId outer, PropertyId inner);
// Whether the two properties set at least one longhand in common.
bool Overlaps(PropertyId a, PropertyId b);

}  // namespace vellum::engine::css
