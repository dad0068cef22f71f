#include "css/length.h"

#include <algorithm>

#include "css/css_text.h"

namespace vellum::engine::css {
namespace {

struct NumberPrefix {
  double value;
  std::size_t length;  // characters taken by the number
};

std::optional<NumberPrefix> ParseNumberPrefix(std::u16string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  double value = 0;
  bool digits = false;
  while (i < text.size() && IsAsciiDigit(text[i])) {
    value = std::min(value * 10 + (text[i] - u'0'), kLengthMagnitudeLimit);
    digits = true;
    ++i;
  }
  if (i < text.size() && text[i] == u'.' && i + 1 < text.size() && IsAsciiDigit(text[i + 1])) {
    ++i;
    double scale = 0.1;
    while (i < text.size() && IsAsciiDigit(text[i])) {
      value += (text[i] - u'0') * scale;
      scale /= 10;
      digits = true;
      ++i;
    }
  }
  if (!digits) {
    return std::nullopt;
  }
  value = std::min(value, kLengthMagnitudeLimit);
  return NumberPrefix{negative ? -value : value, i};
}

struct UnitName {
  std::string_view name;
  LengthUnit unit;
};
constexpr UnitName kUnits[] = {
    {"px", LengthUnit::Px},     {"pt", LengthUnit::Pt},     {"pc", LengthUnit::Pc}, {"in", LengthUnit::In},
    {"cm", LengthUnit::Cm},     {"mm", LengthUnit::Mm},     {"em", LengthUnit::Em}, {"ex", LengthUnit::Ex},
    {"%", LengthUnit::Percent}, {"", LengthUnit::Unitless},
};

}  // namespace

std::optional<Length> ParseLength(std::u16string_view text) {
  const std::optional<NumberPrefix> number = ParseNumberPrefix(text);
  if (!number) {
    return std::nullopt;
  }
  const std::u16string_view unit = text.substr(number->length);
  for (const UnitName& known : kUnits) {
    if (EqualsIgnoringAsciiCase(unit, known.name)) {
      return Length{number->value, known.unit};
    }
  }
  return std::nullopt;
}

std::optional<double> ParseNumber(std::u16string_view text) {
  const std::optional<NumberPrefix> number = ParseNumberPrefix(text);
  if (!number || number->length != text.size()) {
    return std::nullopt;
  }
  return number->value;
}

double ToPx(const Length& length, const LengthContext& context) {
  double px = 0;
  switch (length.unit) {
    case LengthUnit::Px:
    case LengthUnit::Unitless:
      px = length.value;
      break;
    case LengthUnit::Pt:
      px = length.value * 96.0 / 72.0;
      break;
    case LengthUnit::Pc:
      px = length.value * 16.0;
      break;
    case LengthUnit::In:
      px = length.value * 96.0;
      break;
    case LengthUnit::Cm:
      px = length.value * 96.0 / 2.54;
      break;
    case LengthUnit::Mm:
      px = length.value * 96.0 / 25.4;
      break;
    case LengthUnit::Em:
      px = length.value * context.fontSizePx;
      break;
    case LengthUnit::Ex:
      px = length.value * context.fontSizePx / 2.0;
      break;
    case LengthUnit::Percent:
      px = length.value * context.percentBasePx / 100.0;
      break;
  }
  return std::clamp(px, -kLengthMagnitudeLimit, kLengthMagnitudeLimit);
}

std::optional<double> LengthTextToPx(std::u16string_view text, const LengthContext& context) {
  const std::optional<Length> length = ParseLength(TrimCssWhitespace(text));
  if (!length) {
    return std::nullopt;
  }
  return ToPx(*length, context);
}

std::u16string FormatPx(double px) { return FormatNumber(px) + u"px"; }

}  // namespace vellum::engine::css
