#pragma once
// The few computed values layout reads, taken from an element's computed style once, so that the
// full style need not be kept for every box.

#include <cstdint>
#include <optional>

#include "css/computed_style.h"
#include "css/length.h"
#include "layout/text_measurer.h"

namespace vellum::engine::layout {

enum class Display : std::uint8_t { None, Block, InlineLevel };
enum class Placement : std::uint8_t { Static, Relative, Absolute, Fixed };
enum class TextAlign : std::uint8_t { Left, Center, Right };

struct Edges {
  double top = 0, right = 0, bottom = 0, left = 0;
  double Horizontal() const { return left + right; }
  double Vertical() const { return top + bottom; }
};

struct BoxStyle {
  Display display = Display::Block;
  Placement placement = Placement::Static;
  std::optional<int> zIndex;  // only for positioned elements
  Edges margin;
  Edges border;  // used widths (0 without a border style)
  Edges padding;
  std::optional<css::Length> width;  // empty for auto
  std::optional<css::Length> height;
  std::optional<css::Length> left;
  std::optional<css::Length> top;
  std::optional<css::Length> right;
  std::optional<css::Length> bottom;
  double fontSize = 16;
  double lineHeight = 18;  // of a line of this element's text
  FontId font = 0;         // of this element's text, from the measurer it was extracted with
  double spaceWidth = 7;   // a blank between words in that font
  TextAlign textAlign = TextAlign::Left;

  bool IsPositioned() const { return placement != Placement::Static; }
  bool IsOutOfFlow() const { return placement == Placement::Absolute || placement == Placement::Fixed; }
  Edges Insets() const {
    return {border.top + padding.top, border.right + padding.right, border.bottom + padding.bottom,
            border.left + padding.left};
  }
  // A length in pixels; percentages of `percentBase`, which is empty when the base is not known
  // (the length then counts as auto).
  std::optional<double> Px(const std::optional<css::Length>& length, std::optional<double> percentBase) const;
};

// The font is the measurer's, which also gives the height of a normal line.
BoxStyle ExtractBoxStyle(const css::ComputedStyle& style, TextMeasurer& measurer);

}  // namespace vellum::engine::layout
