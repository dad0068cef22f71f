#include "css/property_value.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "css/color.h"
#include "css/css_text.h"
#include "css/length.h"

namespace vellum::engine::css {
namespace {

using P = PropertyId;

enum class Negative { Allowed, Rejected };
enum class Percent { Allowed, Rejected };

Negative NegativeRule(PropertyId id) {
  switch (id) {
    case P::Width:
    case P::Height:
    case P::MinWidth:
    case P::MinHeight:
    case P::MaxWidth:
    case P::MaxHeight:
    case P::PaddingTop:
    case P::PaddingRight:
    case P::PaddingBottom:
    case P::PaddingLeft:
      return Negative::Rejected;
    default:
      return Negative::Allowed;
  }
}

// The keyword among `keywords` (blank-separated) equal to `text` regardless of case, as spelled there.
std::optional<std::u16string> CanonicalKeyword(std::u16string_view text, std::string_view keywords) {
  std::size_t start = 0;
  while (start < keywords.size()) {
    std::size_t end = keywords.find(' ', start);
    if (end == std::string_view::npos) {
      end = keywords.size();
    }
    const std::string_view keyword = keywords.substr(start, end - start);
    std::u16string spelled = FromAscii(keyword);
    if (EqualsIgnoringAsciiCase(text, spelled)) {
      return spelled;
    }
    start = end + 1;
  }
  return std::nullopt;
}

std::optional<std::u16string> ComputeLength(std::u16string_view text, double emBase, Negative negative,
                                            Percent percent) {
  const std::optional<Length> length = ParseLength(text);
  if (!length || (negative == Negative::Rejected && length->value < 0)) {
    return std::nullopt;
  }
  if (length->unit == LengthUnit::Percent) {
    if (percent == Percent::Rejected) {
      return std::nullopt;
    }
    return FormatNumber(length->value) + u"%";
  }
  return FormatPx(ToPx(*length, LengthContext{emBase, 0}));
}

std::optional<std::u16string> ComputeColor(PropertyId id, std::u16string_view text, const ComputeContext& context) {
  if (id == P::OutlineColor && EqualsIgnoringAsciiCase(text, "invert")) {
    return u"invert";
  }
  const std::optional<Color> color = ParseColor(text);
  if (!color) {
    return std::nullopt;
  }
  switch (color->kind) {
    case ColorKind::CurrentColor:
      return std::u16string(id == P::Color ? (context.parentValue.empty() ? u"#000000" : context.parentValue)
                                           : context.colorValue);
    case ColorKind::Transparent:
      return u"transparent";
    case ColorKind::System:
      return AsciiLowercase(text);
    case ColorKind::Rgb:
      break;
  }
  // Colour names stay the keyword the author chose; numeric forms become "#rrggbb".
  if (text.front() == u'#' || EqualsIgnoringAsciiCase(text.substr(0, std::min<std::size_t>(4, text.size())), "rgb(")) {
    return FormatHexColor(color->rgb);
  }
  return AsciiLowercase(text);
}

std::optional<std::u16string> ComputeKeywordSet(std::u16string_view text, std::string_view keywords) {
  if (EqualsIgnoringAsciiCase(text, "none")) {
    return u"none";
  }
  std::vector<std::u16string> chosen;
  for (std::u16string_view part : SplitComponents(text)) {
    std::optional<std::u16string> keyword = CanonicalKeyword(part, keywords);
    if (!keyword || std::find(chosen.begin(), chosen.end(), *keyword) != chosen.end()) {
      return std::nullopt;
    }
    chosen.push_back(std::move(*keyword));
  }
  if (chosen.empty()) {
    return std::nullopt;
  }
  std::u16string out;
  for (const std::u16string& keyword : chosen) {
    if (!out.empty()) {
      out.push_back(u' ');
    }
    out += keyword;
  }
  return out;
}

std::optional<std::u16string> ComputeInteger(std::u16string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  if (i == text.size()) {
    return std::nullopt;
  }
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (!IsAsciiDigit(text[i])) {
      return std::nullopt;
    }
    value = std::min<long long>(value * 10 + (text[i] - u'0'), INT_MAX);
  }
  const std::string digits = std::to_string(negative ? -value : value);
  return FromAscii(digits);
}

struct FontSizeKeyword {
  std::string_view name;
  double px;
};
constexpr FontSizeKeyword kFontSizeKeywords[] = {
    {"xx-small", 9}, {"x-small", 10}, {"small", 13}, {"medium", 16}, {"large", 18}, {"x-large", 24}, {"xx-large", 32},
};

std::optional<std::u16string> ComputeFontSize(std::u16string_view text, double parentPx) {
  for (const FontSizeKeyword& keyword : kFontSizeKeywords) {
    if (EqualsIgnoringAsciiCase(text, keyword.name)) {
      return FormatPx(keyword.px);
    }
  }
  constexpr double kStep = 1.2;
  if (EqualsIgnoringAsciiCase(text, "larger")) {
    return FormatPx(std::min(parentPx * kStep, kLengthMagnitudeLimit));
  }
  if (EqualsIgnoringAsciiCase(text, "smaller")) {
    return FormatPx(parentPx / kStep);
  }
  const std::optional<Length> length = ParseLength(text);
  if (!length || length->value < 0) {
    return std::nullopt;
  }
  return FormatPx(ToPx(*length, LengthContext{parentPx, parentPx}));
}

int ParseWeight(std::u16string_view computed) {
  const std::optional<double> number = ParseNumber(computed);
  return number ? static_cast<int>(*number) : 400;
}

std::optional<std::u16string> ComputeFontWeight(std::u16string_view text, std::u16string_view parentValue) {
  int weight = 0;
  if (EqualsIgnoringAsciiCase(text, "normal")) {
    weight = 400;
  } else if (EqualsIgnoringAsciiCase(text, "bold")) {
    weight = 700;
  } else if (EqualsIgnoringAsciiCase(text, "bolder")) {
    const int parent = ParseWeight(parentValue);
    weight = parent < 400 ? 400 : parent < 600 ? 700 : 900;
  } else if (EqualsIgnoringAsciiCase(text, "lighter")) {
    const int parent = ParseWeight(parentValue);
    weight = parent < 600 ? 100 : parent < 800 ? 400 : 700;
  } else {
    const std::optional<double> number = ParseNumber(text);
    if (!number || *number < 100 || *number > 900 || static_cast<int>(*number) % 100 != 0 ||
        *number != static_cast<int>(*number)) {
      return std::nullopt;
    }
    weight = static_cast<int>(*number);
  }
  return FromAscii(std::to_string(weight));
}

std::optional<std::u16string> ComputeLineHeight(std::u16string_view text, double fontSizePx) {
  if (EqualsIgnoringAsciiCase(text, "normal")) {
    return u"normal";
  }
  if (std::optional<double> number = ParseNumber(text)) {
    return *number < 0 ? std::nullopt : std::optional<std::u16string>(FormatNumber(*number));
  }
  const std::optional<Length> length = ParseLength(text);
  if (!length || length->value < 0) {
    return std::nullopt;
  }
  return FormatPx(ToPx(*length, LengthContext{fontSizePx, fontSizePx}));
}

}  // namespace

bool IsInherit(std::u16string_view value) { return EqualsIgnoringAsciiCase(value, "inherit"); }
bool IsInitial(std::u16string_view value) { return EqualsIgnoringAsciiCase(value, "initial"); }

std::optional<double> BorderWidthKeywordPx(std::u16string_view keyword) {
  if (EqualsIgnoringAsciiCase(keyword, "thin")) return 1.0;
  if (EqualsIgnoringAsciiCase(keyword, "medium")) return 3.0;
  if (EqualsIgnoringAsciiCase(keyword, "thick")) return 5.0;
  return std::nullopt;
}

std::optional<std::u16string> ComputeValue(PropertyId id, std::u16string_view specified,
                                           const ComputeContext& context) {
  const std::u16string_view text = TrimCssWhitespace(specified);
  if (text.empty()) {
    return std::nullopt;
  }
  const PropertyInfo& info = Info(id);
  const double em = context.fontSizePx;
  switch (info.kind) {
    case ValueKind::LengthOrAuto:
      if (EqualsIgnoringAsciiCase(text, "auto")) {
        return u"auto";
      }
      return ComputeLength(text, em, NegativeRule(id), Percent::Allowed);
    case ValueKind::Length:
      return ComputeLength(text, em, NegativeRule(id), Percent::Allowed);
    case ValueKind::LengthOrNone:
      if (EqualsIgnoringAsciiCase(text, "none")) {
        return u"none";
      }
      return ComputeLength(text, em, NegativeRule(id), Percent::Allowed);
    case ValueKind::LengthOrNormal:
      if (EqualsIgnoringAsciiCase(text, "normal")) {
        return u"normal";
      }
      return ComputeLength(text, em, Negative::Allowed, Percent::Rejected);
    case ValueKind::BorderWidth:
      if (BorderWidthKeywordPx(text)) {
        return AsciiLowercase(text);
      }
      return ComputeLength(text, em, Negative::Rejected, Percent::Rejected);
    case ValueKind::Color:
      return ComputeColor(id, text, context);
    case ValueKind::Keyword:
      return CanonicalKeyword(text, info.keywords);
    case ValueKind::KeywordSet:
      return ComputeKeywordSet(text, info.keywords);
    case ValueKind::IntegerOrAuto:
      if (EqualsIgnoringAsciiCase(text, "auto")) {
        return u"auto";
      }
      return ComputeInteger(text);
    case ValueKind::FontSize:
      return ComputeFontSize(text, context.parentFontSizePx);
    case ValueKind::FontWeight:
      return ComputeFontWeight(text, context.parentValue);
    case ValueKind::LineHeight:
      return ComputeLineHeight(text, em);
    case ValueKind::VerticalAlign:
      if (std::optional<std::u16string> keyword = CanonicalKeyword(text, info.keywords)) {
        return keyword;
      }
      return ComputeLength(text, em, Negative::Allowed, Percent::Allowed);
    case ValueKind::Text:
      return std::u16string(text);
    case ValueKind::Shorthand:
      break;
  }
  return std::nullopt;
}

bool IsValidValue(PropertyId id, std::u16string_view value) {
  const std::u16string_view text = TrimCssWhitespace(value);
  if (IsInherit(text) || IsInitial(text)) {
    return true;
  }
  if (IsShorthand(id)) {
    return false;
  }
  return ComputeValue(id, text, ComputeContext{}).has_value();
}

}  // namespace vellum::engine::css
