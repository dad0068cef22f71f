#pragma once
// Lengths as the style code and, later, layout use them: parsing "12pt" and turning it into pixels.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vellum::engine::css {

enum class LengthUnit : std::uint8_t { Px, Pt, Pc, In, Cm, Mm, Em, Ex, Percent, Unitless };

struct Length {
  double value = 0;
  LengthUnit unit = LengthUnit::Px;
};

// Values beyond this many pixels (or units) are clamped: no document needs them, and the bound keeps
// every later conversion and formatting in range.
inline constexpr double kLengthMagnitudeLimit = 1e7;

// A number followed by a unit, "%" or nothing ("12pt", "-3.5em", ".5in", "50%", "10"). The unit is
// matched without regard to case. Empty when the text is anything else.
std::optional<Length> ParseLength(std::u16string_view text);

// A plain number ("1.5", "-2"). Empty when the text is anything else.
std::optional<double> ParseNumber(std::u16string_view text);

// What relative units refer to.
struct LengthContext {
  double fontSizePx = 16.0;    // em; ex is half of it
  double percentBasePx = 0.0;  // %
};

// Pixels at 96 per inch. A unitless number counts as pixels, as old pages expect.
double ToPx(const Length& length, const LengthContext& context);
std::optional<double> LengthTextToPx(std::u16string_view text, const LengthContext& context);

// "13.33px".
std::u16string FormatPx(double px);

}  // namespace vellum::engine::css
