// The typed accessors of IHTMLStyle and IHTMLCurrentStyle that stand for one CSS property each:
// X(accessor name, css::PropertyId). The objects expand these lists into their get_/put_ methods, which
// all forward to one getter and one setter, and the tests check every name against the property
// table (the accessor name is the property's script name).
#pragma once

#include <string_view>

#include "css/property.h"

// The lists keep a few properties to a line, as the tables read.
// clang-format off
// IHTMLStyle, values as BSTR.
#define ENGINE_INLINE_STYLE_TEXT_PROPERTIES(X)                                                           \
  X(fontFamily, FontFamily) X(fontStyle, FontStyle) X(fontVariant, FontVariant) X(fontWeight, FontWeight) \
  X(font, Font) X(background, Background) X(backgroundImage, BackgroundImage)                           \
  X(backgroundRepeat, BackgroundRepeat) X(backgroundAttachment, BackgroundAttachment)                   \
  X(backgroundPosition, BackgroundPosition) X(textDecoration, TextDecoration)                           \
  X(textTransform, TextTransform) X(textAlign, TextAlign) X(margin, Margin) X(padding, Padding)         \
  X(border, Border) X(borderTop, BorderTop) X(borderRight, BorderRight) X(borderBottom, BorderBottom)   \
  X(borderLeft, BorderLeft) X(borderColor, BorderColor) X(borderWidth, BorderWidth)                     \
  X(borderStyle, BorderStyle) X(borderTopStyle, BorderTopStyle) X(borderRightStyle, BorderRightStyle)   \
  X(borderBottomStyle, BorderBottomStyle) X(borderLeftStyle, BorderLeftStyle) X(styleFloat, Float)      \
  X(clear, Clear) X(display, Display) X(visibility, Visibility) X(listStyleType, ListStyleType)         \
  X(listStylePosition, ListStylePosition) X(listStyleImage, ListStyleImage) X(listStyle, ListStyle)     \
  X(whiteSpace, WhiteSpace) X(overflow, Overflow) X(cursor, Cursor) X(clip, Clip)

// IHTMLStyle, values as VARIANT (numbers accepted: see PropertyTextOf).
#define ENGINE_INLINE_STYLE_VARIANT_PROPERTIES(X)                                                        \
  X(fontSize, FontSize) X(color, Color) X(backgroundColor, BackgroundColor) X(wordSpacing, WordSpacing) \
  X(letterSpacing, LetterSpacing) X(verticalAlign, VerticalAlign) X(textIndent, TextIndent)             \
  X(lineHeight, LineHeight) X(marginTop, MarginTop) X(marginRight, MarginRight)                         \
  X(marginBottom, MarginBottom) X(marginLeft, MarginLeft) X(paddingTop, PaddingTop)                     \
  X(paddingRight, PaddingRight) X(paddingBottom, PaddingBottom) X(paddingLeft, PaddingLeft)             \
  X(borderTopColor, BorderTopColor) X(borderRightColor, BorderRightColor)                               \
  X(borderBottomColor, BorderBottomColor) X(borderLeftColor, BorderLeftColor)                           \
  X(borderTopWidth, BorderTopWidth) X(borderRightWidth, BorderRightWidth)                               \
  X(borderBottomWidth, BorderBottomWidth) X(borderLeftWidth, BorderLeftWidth) X(width, Width)           \
  X(height, Height) X(top, Top) X(left, Left) X(zIndex, ZIndex)

// IHTMLStyle's pixel and pos accessors (pixelLeft, posLeft ...): X(Name, css::PropertyId).
#define ENGINE_INLINE_STYLE_PIXEL_PROPERTIES(X) X(Left, Left) X(Top, Top) X(Width, Width) X(Height, Height)

// IHTMLCurrentStyle, values as BSTR.
#define ENGINE_CURRENT_STYLE_TEXT_PROPERTIES(X)                                                          \
  X(position, Position) X(styleFloat, Float) X(fontFamily, FontFamily) X(fontStyle, FontStyle)          \
  X(fontVariant, FontVariant) X(backgroundImage, BackgroundImage) X(backgroundRepeat, BackgroundRepeat) \
  X(borderTopStyle, BorderTopStyle) X(borderRightStyle, BorderRightStyle)                               \
  X(borderBottomStyle, BorderBottomStyle) X(borderLeftStyle, BorderLeftStyle) X(textAlign, TextAlign)   \
  X(textDecoration, TextDecoration) X(display, Display) X(visibility, Visibility)                       \
  X(backgroundAttachment, BackgroundAttachment) X(clear, Clear) X(listStyleType, ListStyleType)         \
  X(listStylePosition, ListStylePosition) X(listStyleImage, ListStyleImage) X(overflow, Overflow)       \
  X(cursor, Cursor) X(tableLayout, TableLayout) X(borderCollapse, BorderCollapse)                       \
  X(direction, Direction) X(unicodeBidi, UnicodeBidi) X(borderStyle, BorderStyle)                       \
  X(borderColor, BorderColor) X(borderWidth, BorderWidth) X(padding, Padding) X(margin, Margin)         \
  X(overflowX, OverflowX) X(overflowY, OverflowY) X(textTransform, TextTransform)

// IHTMLCurrentStyle, values as VARIANT.
#define ENGINE_CURRENT_STYLE_VARIANT_PROPERTIES(X)                                                       \
  X(color, Color) X(backgroundColor, BackgroundColor) X(fontWeight, FontWeight) X(fontSize, FontSize)   \
  X(borderLeftColor, BorderLeftColor) X(borderTopColor, BorderTopColor)                                 \
  X(borderRightColor, BorderRightColor) X(borderBottomColor, BorderBottomColor)                         \
  X(borderTopWidth, BorderTopWidth) X(borderRightWidth, BorderRightWidth)                               \
  X(borderBottomWidth, BorderBottomWidth) X(borderLeftWidth, BorderLeftWidth) X(left, Left) X(top, Top) \
  X(width, Width) X(height, Height) X(paddingLeft, PaddingLeft) X(paddingTop, PaddingTop)               \
  X(paddingRight, PaddingRight) X(paddingBottom, PaddingBottom) X(zIndex, ZIndex)                       \
  X(letterSpacing, LetterSpacing) X(lineHeight, LineHeight) X(textIndent, TextIndent)                   \
  X(verticalAlign, VerticalAlign) X(marginTop, MarginTop) X(marginRight, MarginRight)                   \
  X(marginBottom, MarginBottom) X(marginLeft, MarginLeft) X(right, Right) X(bottom, Bottom)

namespace vellum::engine::com::style {

struct AccessorName {
  std::u16string_view name;
  vellum::engine::css::PropertyId id;
};

#define ENGINE_STYLE_ACCESSOR_NAME(name, id) AccessorName{u"" #name, vellum::engine::css::PropertyId::id},
// Every accessor of the lists above that names a property directly.
inline constexpr AccessorName kStyleAccessorNames[] = {
    ENGINE_INLINE_STYLE_TEXT_PROPERTIES(ENGINE_STYLE_ACCESSOR_NAME)
    ENGINE_INLINE_STYLE_VARIANT_PROPERTIES(ENGINE_STYLE_ACCESSOR_NAME)
    ENGINE_CURRENT_STYLE_TEXT_PROPERTIES(ENGINE_STYLE_ACCESSOR_NAME)
    ENGINE_CURRENT_STYLE_VARIANT_PROPERTIES(ENGINE_STYLE_ACCESSOR_NAME)};
// clang-format on
#undef ENGINE_STYLE_ACCESSOR_NAME

}  // namespace vellum::engine::com::style
