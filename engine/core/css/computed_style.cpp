#include "css/computed_style.h"

#include <algorithm>
#include <climits>

#include "css/css_text.h"
#include "css/length.h"
#include "css/property_value.h"
#include "css/shorthand.h"

namespace vellum::engine::css {
namespace {

constexpr PropertyId kBorderWidths[] = {PropertyId::BorderTopWidth, PropertyId::BorderRightWidth,
                                        PropertyId::BorderBottomWidth, PropertyId::BorderLeftWidth};
constexpr PropertyId kBorderStyles[] = {PropertyId::BorderTopStyle, PropertyId::BorderRightStyle,
                                        PropertyId::BorderBottomStyle, PropertyId::BorderLeftStyle};

using Values = std::array<std::u16string, kPropertyCount>;

Values BuildInitialValues() {
  Values values;
  const ComputeContext context;
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    const auto id = static_cast<PropertyId>(i);
    if (!IsShorthand(id)) {
      // Defaults are computed values already, except "currentcolor", which this resolves.
      values[i] = ComputeValue(id, Info(id).initial, context).value_or(std::u16string(Info(id).initial));
    }
  }
  return values;
}

}  // namespace

ComputedStyle::ComputedStyle() {
  static const Values kInitial = BuildInitialValues();
  values_ = kInitial;
}

std::u16string ComputedStyle::Value(PropertyId id) const {
  if (!IsShorthand(id)) {
    return Longhand(id);
  }
  return ComposeShorthand(id, [this](PropertyId part) { return Longhand(part); });
}

std::optional<int> ComputedStyle::ZIndex() const {
  // The computed text is "auto" or a decimal integer within int's range.
  const std::u16string& text = Longhand(PropertyId::ZIndex);
  if (text.empty() || text == u"auto") {
    return std::nullopt;
  }
  long long value = 0;
  const bool negative = text.front() == u'-';
  for (std::size_t i = negative ? 1 : 0; i < text.size(); ++i) {
    if (!IsAsciiDigit(text[i])) {
      return std::nullopt;
    }
    value = std::min<long long>(value * 10 + (text[i] - u'0'), INT_MAX);
  }
  return static_cast<int>(negative ? -value : value);
}

double ComputedStyle::FontSizePx() const {
  return LengthTextToPx(Longhand(PropertyId::FontSize), LengthContext{}).value_or(16.0);
}

std::optional<double> ComputedStyle::LengthPx(PropertyId id, double percentBasePx) const {
  const std::u16string& text = Longhand(id);
  if (std::optional<double> keyword = BorderWidthKeywordPx(text)) {
    return keyword;
  }
  return LengthTextToPx(text, LengthContext{FontSizePx(), percentBasePx});
}

double ComputedStyle::BorderWidthPx(BoxSide side) const {
  const auto index = static_cast<std::size_t>(side);
  const std::u16string& style = Longhand(kBorderStyles[index]);
  if (style == u"none" || style == u"hidden") {
    return 0.0;
  }
  return LengthPx(kBorderWidths[index]).value_or(0.0);
}

Color ComputedStyle::ColorOf(PropertyId id) const {
  if (std::optional<Color> color = ParseColor(Longhand(id))) {
    return *color;
  }
  return Color{};
}

}  // namespace vellum::engine::css
