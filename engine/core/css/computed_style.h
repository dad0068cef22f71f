#pragma once
// The computed values of one element (what currentStyle reports), with the used values layout and
// painting will ask for.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "css/color.h"
#include "css/property.h"

namespace vellum::engine::css {

enum class BoxSide : std::uint8_t { Top, Right, Bottom, Left };

class ComputedStyle {
 public:
  // Every property at its default: what an element that no style reaches reports.
  ComputedStyle();

  // The computed text of any property; a shorthand reads as the combination of its longhands
  // ("0px" for margin, "medium" for border-width), or "" when they cannot be combined.
  std::u16string Value(PropertyId id) const;

  const std::u16string& Longhand(PropertyId id) const { return values_[static_cast<std::size_t>(id)]; }
  void SetLonghand(PropertyId id, std::u16string value) { values_[static_cast<std::size_t>(id)] = std::move(value); }

  friend bool operator==(const ComputedStyle&, const ComputedStyle&) = default;

  // Empty for "auto"; automation reports "auto" as text and a number as an integer.
  std::optional<int> ZIndex() const;

  double FontSizePx() const;

  // A length property in pixels, percentages taken of `percentBasePx`; empty for "auto", "none" and
  // "normal".
  std::optional<double> LengthPx(PropertyId id, double percentBasePx = 0.0) const;

  // The border's used width: 0 where the side has no border style.
  double BorderWidthPx(BoxSide side) const;

  // A colour property's colour (transparent, system or RGB).
  Color ColorOf(PropertyId id) const;

 private:
  std::array<std::u16string, kPropertyCount> values_;
};

}  // namespace vellum::engine::css
