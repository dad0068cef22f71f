#include "layout/text_measurer.h"

#include <algorithm>
#include <cmath>

namespace vellum::engine::layout {
namespace {

using css::PropertyId;

// The fixed model keeps the font size in its font id, in 1/4096 pixels (fine enough that sizes in
// points measure as before).
constexpr double kIdUnitsPerPx = 4096;
constexpr double kLargestFixedSizePx = 1e6;
constexpr double kControlFontSizePx = 16;  // 7 pixels a character

TextCase TextCaseOf(const std::u16string& transform) {
  if (transform == u"uppercase") {
    return TextCase::Upper;
  }
  if (transform == u"lowercase") {
    return TextCase::Lower;
  }
  if (transform == u"capitalize") {
    return TextCase::Capitalize;
  }
  return TextCase::AsWritten;
}

double SizeOf(FontId font) { return static_cast<double>(font) / kIdUnitsPerPx; }

}  // namespace

int FontWeightOf(std::u16string_view text) {
  constexpr int kNormal = 400, kBold = 700, kHeaviest = 1000;
  if (text == u"bold" || text == u"bolder") {
    return kBold;
  }
  int value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') {
      return kNormal;
    }
    value = std::min(value * 10 + (c - u'0'), kHeaviest);
  }
  return value > 0 ? value : kNormal;
}

FontQuery FontQueryOf(const css::ComputedStyle& style) {
  FontQuery query;
  query.families = style.Longhand(PropertyId::FontFamily);
  query.sizePx = style.FontSizePx();
  query.weight = FontWeightOf(style.Longhand(PropertyId::FontWeight));
  const std::u16string& slant = style.Longhand(PropertyId::FontStyle);
  query.italic = slant == u"italic" || slant == u"oblique";
  query.textCase = TextCaseOf(style.Longhand(PropertyId::TextTransform));
  return query;
}

FontId FixedTextMeasurer::Font(const FontQuery& query) {
  const double size = std::isnan(query.sizePx) ? 0.0 : std::clamp(query.sizePx, 0.0, kLargestFixedSizePx);
  return static_cast<FontId>(std::lround(size * kIdUnitsPerPx));
}

FontId FixedTextMeasurer::ControlFont() { return Font(FontQuery{u"", kControlFontSizePx}); }

FontMetrics FixedTextMeasurer::Metrics(FontId font) {
  const double size = SizeOf(font);
  return {size * 1.15, size * 7.0 / 16.0};
}

double FixedTextMeasurer::Width(FontId font, std::u16string_view text) {
  return static_cast<double>(text.size()) * SizeOf(font) * 7.0 / 16.0;
}

TextMeasurer& FixedMeasurer() {
  static FixedTextMeasurer measurer;  // keeps no state
  return measurer;
}

}  // namespace vellum::engine::layout
