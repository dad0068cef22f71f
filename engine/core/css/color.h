#pragma once
// Colour values: parsing every form a page may use and formatting the computed "#rrggbb".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vellum::engine::css {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class ColorKind : std::uint8_t {
  Rgb,           // "#rgb", "#rrggbb", "rgb(...)" or a named colour
  Transparent,   // "transparent"
  System,        // a CSS 2 system colour ("buttonface"): the platform decides its value
  CurrentColor,  // "currentcolor": the element's own colour
};

struct Color {
  ColorKind kind = ColorKind::Rgb;
  Rgb rgb;               // Rgb; for System, the classic default of that colour
  int systemIndex = -1;  // System: the platform's system colour index (COLOR_BTNFACE is 15)
};

// Empty when the text is not a colour. Names are matched without regard to ASCII case.
std::optional<Color> ParseColor(std::u16string_view text);

// The CSS 2 system colour names, lower case, with their platform system colour indexes.
struct SystemColorName {
  std::string_view name;
  int systemIndex;
};
std::optional<SystemColorName> FindSystemColor(std::u16string_view name);

std::optional<Rgb> FindNamedColor(std::u16string_view name);

// The classic appearance's value of a system colour, for painting where the platform cannot say.
Rgb DefaultSystemColor(int systemIndex);

// "#rrggbb" in lower case.
std::u16string FormatHexColor(Rgb rgb);

}  // namespace vellum::engine::css
