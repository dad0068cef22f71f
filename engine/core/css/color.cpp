#include "css/color.h"

#include <algorithm>
#include <vector>

#include "css/css_text.h"
#include "css/length.h"

namespace vellum::engine::css {
namespace {

struct NamedColor {
  std::string_view name;
  std::uint32_t rgb;  // 0xRRGGBB
};

// The extended colour keywords every browser accepts, in alphabetical order (binary searched).
constexpr NamedColor kNamedColors[] = {
    {"aliceblue", 0xF0F8FF},
    {"antiquewhite", 0xFAEBD7},
    {"aqua", 0x00FFFF},
    {"aquamarine", 0x7FFFD4},
    {"azure", 0xF0FFFF},
    {"beige", 0xF5F5DC},
    {"bisque", 0xFFE4C4},
    {"black", 0x000000},
    {"blanchedalmond", 0xFFEBCD},
    {"blue", 0x0000FF},
    {"blueviolet", 0x8A2BE2},
    {"brown", 0xA52A2A},
    {"burlywood", 0xDEB887},
    {"cadetblue", 0x5F9EA0},
    {"chartreuse", 0x7FFF00},
    {"chocolate", 0xD2691E},
    {"coral", 0xFF7F50},
    {"cornflowerblue", 0x6495ED},
    {"cornsilk", 0xFFF8DC},
    {"crimson", 0xDC143C},
    {"cyan", 0x00FFFF},
    {"darkblue", 0x00008B},
    {"darkcyan", 0x008B8B},
    {"darkgoldenrod", 0xB8860B},
    {"darkgray", 0xA9A9A9},
    {"darkgreen", 0x006400},
    {"darkgrey", 0xA9A9A9},
    {"darkkhaki", 0xBDB76B},
    {"darkmagenta", 0x8B008B},
    {"darkolivegreen", 0x556B2F},
    {"darkorange", 0xFF8C00},
    {"darkorchid", 0x9932CC},
    {"darkred", 0x8B0000},
    {"darksalmon", 0xE9967A},
    {"darkseagreen", 0x8FBC8F},
    {"darkslateblue", 0x483D8B},
    {"darkslategray", 0x2F4F4F},
    {"darkslategrey", 0x2F4F4F},
    {"darkturquoise", 0x00CED1},
    {"darkviolet", 0x9400D3},
    {"deeppink", 0xFF1493},
    {"deepskyblue", 0x00BFFF},
    {"dimgray", 0x696969},
    {"dimgrey", 0x696969},
    {"dodgerblue", 0x1E90FF},
    {"firebrick", 0xB22222},
    {"floralwhite", 0xFFFAF0},
    {"forestgreen", 0x228B22},
    {"fuchsia", 0xFF00FF},
    {"gainsboro", 0xDCDCDC},
    {"ghostwhite", 0xF8F8FF},
    {"gold", 0xFFD700},
    {"goldenrod", 0xDAA520},
    {"gray", 0x808080},
    {"green", 0x008000},
    {"greenyellow", 0xADFF2F},
    {"grey", 0x808080},
    {"honeydew", 0xF0FFF0},
    {"hotpink", 0xFF69B4},
    {"indianred", 0xCD5C5C},
    {"indigo", 0x4B0082},
    {"ivory", 0xFFFFF0},
    {"khaki", 0xF0E68C},
    {"lavender", 0xE6E6FA},
    {"lavenderblush", 0xFFF0F5},
    {"lawngreen", 0x7CFC00},
    {"lemonchiffon", 0xFFFACD},
    {"lightblue", 0xADD8E6},
    {"lightcoral", 0xF08080},
    {"lightcyan", 0xE0FFFF},
    {"lightgoldenrodyellow", 0xFAFAD2},
    {"lightgray", 0xD3D3D3},
    {"lightgreen", 0x90EE90},
    {"lightgrey", 0xD3D3D3},
    {"lightpink", 0xFFB6C1},
    {"lightsalmon", 0xFFA07A},
    {"lightseagreen", 0x20B2AA},
    {"lightskyblue", 0x87CEFA},
    {"lightslategray", 0x778899},
    {"lightslategrey", 0x778899},
    {"lightsteelblue", 0xB0C4DE},
    {"lightyellow", 0xFFFFE0},
    {"lime", 0x00FF00},
    {"limegreen", 0x32CD32},
    {"linen", 0xFAF0E6},
    {"magenta", 0xFF00FF},
    {"maroon", 0x800000},
    {"mediumaquamarine", 0x66CDAA},
    {"mediumblue", 0x0000CD},
    {"mediumorchid", 0xBA55D3},
    {"mediumpurple", 0x9370DB},
    {"mediumseagreen", 0x3CB371},
    {"mediumslateblue", 0x7B68EE},
    {"mediumspringgreen", 0x00FA9A},
    {"mediumturquoise", 0x48D1CC},
    {"mediumvioletred", 0xC71585},
    {"midnightblue", 0x191970},
    {"mintcream", 0xF5FFFA},
    {"mistyrose", 0xFFE4E1},
    {"moccasin", 0xFFE4B5},
    {"navajowhite", 0xFFDEAD},
    {"navy", 0x000080},
    {"oldlace", 0xFDF5E6},
    {"olive", 0x808000},
    {"olivedrab", 0x6B8E23},
    {"orange", 0xFFA500},
    {"orangered", 0xFF4500},
    {"orchid", 0xDA70D6},
    {"palegoldenrod", 0xEEE8AA},
    {"palegreen", 0x98FB98},
    {"paleturquoise", 0xAFEEEE},
    {"palevioletred", 0xDB7093},
    {"papayawhip", 0xFFEFD5},
    {"peachpuff", 0xFFDAB9},
    {"peru", 0xCD853F},
    {"pink", 0xFFC0CB},
    {"plum", 0xDDA0DD},
    {"powderblue", 0xB0E0E6},
    {"purple", 0x800080},
    {"red", 0xFF0000},
    {"rosybrown", 0xBC8F8F},
    {"royalblue", 0x4169E1},
    {"saddlebrown", 0x8B4513},
    {"salmon", 0xFA8072},
    {"sandybrown", 0xF4A460},
    {"seagreen", 0x2E8B57},
    {"seashell", 0xFFF5EE},
    {"sienna", 0xA0522D},
    {"silver", 0xC0C0C0},
    {"skyblue", 0x87CEEB},
    {"slateblue", 0x6A5ACD},
    {"slategray", 0x708090},
    {"slategrey", 0x708090},
    {"snow", 0xFFFAFA},
    {"springgreen", 0x00FF7F},
    {"steelblue", 0x4682B4},
    {"tan", 0xD2B48C},
    {"teal", 0x008080},
    {"thistle", 0xD8BFD8},
    {"tomato", 0xFF6347},
    {"turquoise", 0x40E0D0},
    {"violet", 0xEE82EE},
    {"wheat", 0xF5DEB3},
    {"white", 0xFFFFFF},
    {"whitesmoke", 0xF5F5F5},
    {"yellow", 0xFFFF00},
    {"yellowgreen", 0x9ACD32},
};

// The CSS 2 system colours with the index the platform's GetSysColor takes.
constexpr SystemColorName kSystemColors[] = {
    {"activeborder", 10},   {"activecaption", 2},    {"appworkspace", 12},
    {"background", 1},      {"buttonface", 15},      {"buttonhighlight", 20},
    {"buttonshadow", 16},   {"buttontext", 18},      {"captiontext", 9},
    {"graytext", 17},       {"highlight", 13},       {"highlighttext", 14},
    {"inactiveborder", 11}, {"inactivecaption", 3},  {"inactivecaptiontext", 19},
    {"infobackground", 24}, {"infotext", 23},        {"menu", 4},
    {"menutext", 7},        {"scrollbar", 0},        {"threeddarkshadow", 21},
    {"threedface", 15},     {"threedhighlight", 20}, {"threedlightshadow", 22},
    {"threedshadow", 16},   {"window", 5},           {"windowframe", 6},
    {"windowtext", 8},
};

// The classic Windows scheme, indexed by system colour index 0..24.
constexpr std::uint32_t kClassicSystemColors[] = {
    0xD4D0C8, 0x3A6EA5, 0x0A246A, 0x808080, 0xD4D0C8, 0xFFFFFF, 0x000000, 0x000000, 0x000000,
    0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A, 0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080,
    0x000000, 0xD4D0C8, 0xFFFFFF, 0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1,
};

template <typename Entry, std::size_t N>
constexpr bool SortedByName(const Entry (&entries)[N]) {
  for (std::size_t i = 1; i < N; ++i) {
    if (!(entries[i - 1].name < entries[i].name)) {
      return false;
    }
  }
  return true;
}
static_assert(SortedByName(kNamedColors), "colour names are binary searched");
static_assert(SortedByName(kSystemColors), "system colour names are binary searched");
static_assert(std::size(kClassicSystemColors) == 25, "one classic value per system colour index 0..24");

Rgb FromPacked(std::uint32_t packed) {
  return Rgb{static_cast<std::uint8_t>(packed >> 16), static_cast<std::uint8_t>(packed >> 8),
             static_cast<std::uint8_t>(packed)};
}

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

std::optional<Rgb> ParseHex(std::u16string_view digits) {
  if (digits.size() != 3 && digits.size() != 6) {
    return std::nullopt;
  }
  int values[6];
  for (std::size_t i = 0; i < digits.size(); ++i) {
    values[i] = HexDigit(digits[i]);
    if (values[i] < 0) {
      return std::nullopt;
    }
  }
  if (digits.size() == 3) {
    return Rgb{static_cast<std::uint8_t>(values[0] * 17), static_cast<std::uint8_t>(values[1] * 17),
               static_cast<std::uint8_t>(values[2] * 17)};
  }
  return Rgb{static_cast<std::uint8_t>(values[0] * 16 + values[1]),
             static_cast<std::uint8_t>(values[2] * 16 + values[3]),
             static_cast<std::uint8_t>(values[4] * 16 + values[5])};
}

// "rgb(255, 0, 0)" or "rgb(100%, 0%, 0%)"; out-of-range channels are clipped.
std::optional<Rgb> ParseRgbFunction(std::u16string_view text) {
  if (text.size() < 5 || !EqualsIgnoringAsciiCase(text.substr(0, 4), "rgb(") || text.back() != u')') {
    return std::nullopt;
  }
  std::u16string_view args = text.substr(4, text.size() - 5);
  std::uint8_t channels[3];
  for (int i = 0; i < 3; ++i) {
    const std::size_t comma = args.find(u',');
    if ((i < 2) == (comma == std::u16string_view::npos)) {
      return std::nullopt;
    }
    const std::u16string_view part = TrimCssWhitespace(args.substr(0, comma));
    const std::optional<Length> value = ParseLength(part);
    if (!value || (value->unit != LengthUnit::Unitless && value->unit != LengthUnit::Percent)) {
      return std::nullopt;
    }
    const double scaled = value->unit == LengthUnit::Percent ? value->value * 255.0 / 100.0 : value->value;
    channels[i] = static_cast<std::uint8_t>(std::clamp(scaled + 0.5, 0.0, 255.0));
    args = comma == std::u16string_view::npos ? std::u16string_view() : args.substr(comma + 1);
  }
  return Rgb{channels[0], channels[1], channels[2]};
}

template <typename Entry>
const Entry* FindByName(const Entry* begin, const Entry* end, std::u16string_view name) {
  constexpr std::size_t kLongestName = 24;
  if (name.empty() || name.size() > kLongestName) {
    return nullptr;
  }
  std::string lower;
  for (char16_t c : name) {
    if (c >= 0x80) {
      return nullptr;
    }
    lower.push_back(static_cast<char>(AsciiLower(c)));
  }
  const Entry* found = std::lower_bound(begin, end, std::string_view(lower),
                                        [](const Entry& e, std::string_view key) { return e.name < key; });
  return (found != end && found->name == lower) ? found : nullptr;
}

}  // namespace

std::optional<SystemColorName> FindSystemColor(std::u16string_view name) {
  const SystemColorName* found = FindByName(std::begin(kSystemColors), std::end(kSystemColors), name);
  return found ? std::optional<SystemColorName>(*found) : std::nullopt;
}

std::optional<Rgb> FindNamedColor(std::u16string_view name) {
  const NamedColor* found = FindByName(std::begin(kNamedColors), std::end(kNamedColors), name);
  return found ? std::optional<Rgb>(FromPacked(found->rgb)) : std::nullopt;
}

Rgb DefaultSystemColor(int systemIndex) {
  if (systemIndex < 0 || systemIndex >= static_cast<int>(std::size(kClassicSystemColors))) {
    return Rgb{};
  }
  return FromPacked(kClassicSystemColors[systemIndex]);
}

std::optional<Color> ParseColor(std::u16string_view text) {
  text = TrimCssWhitespace(text);
  if (text.empty()) {
    return std::nullopt;
  }
  if (text.front() == u'#') {
    if (std::optional<Rgb> rgb = ParseHex(text.substr(1))) {
      return Color{ColorKind::Rgb, *rgb, -1};
    }
    return std::nullopt;
  }
  if (std::optional<Rgb> rgb = ParseRgbFunction(text)) {
    return Color{ColorKind::Rgb, *rgb, -1};
  }
  if (EqualsIgnoringAsciiCase(text, "transparent")) {
    return Color{ColorKind::Transparent, Rgb{}, -1};
  }
  if (EqualsIgnoringAsciiCase(text, "currentcolor")) {
    return Color{ColorKind::CurrentColor, Rgb{}, -1};
  }
  if (std::optional<Rgb> rgb = FindNamedColor(text)) {
    return Color{ColorKind::Rgb, *rgb, -1};
  }
  if (std::optional<SystemColorName> system = FindSystemColor(text)) {
    return Color{ColorKind::System, DefaultSystemColor(system->systemIndex), system->systemIndex};
  }
  return std::nullopt;
}

std::u16string FormatHexColor(Rgb rgb) {
  constexpr char16_t kDigits[] = u"0123456789abcdef";
  std::u16string out = u"#";
  for (std::uint8_t channel : {rgb.r, rgb.g, rgb.b}) {
    out.push_back(kDigits[channel >> 4]);
    out.push_back(kDigits[channel & 15]);
  }
  return out;
}

}  // namespace vellum::engine::css
