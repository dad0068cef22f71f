#include "layout/box_style.h"

#include <algorithm>

#include "css/length.h"

namespace vellum::engine::layout {
namespace {

using css::PropertyId;

Display DisplayOf(const std::u16string& display) {
  if (display == u"none") {
    return Display::None;
  }
  // Table cells sit side by side in their row, which is all a simple flow can do for tables.
  if (display == u"inline" || display == u"inline-block" || display == u"inline-table" || display == u"table-cell") {
    return Display::InlineLevel;
  }
  return Display::Block;
}

Placement PlacementOf(const std::u16string& position) {
  if (position == u"absolute") {
    return Placement::Absolute;
  }
  if (position == u"fixed") {
    return Placement::Fixed;
  }
  if (position == u"relative") {
    return Placement::Relative;
  }
  return Placement::Static;
}

TextAlign TextAlignOf(const std::u16string& align) {
  return align == u"center" ? TextAlign::Center : align == u"right" ? TextAlign::Right : TextAlign::Left;
}

double LineHeightPx(const css::ComputedStyle& style, double normal) {
  const std::u16string& text = style.Longhand(PropertyId::LineHeight);
  const double fontSize = style.FontSizePx();
  if (std::optional<double> factor = css::ParseNumber(text)) {
    return *factor * fontSize;
  }
  if (std::optional<double> px = css::LengthTextToPx(text, css::LengthContext{fontSize, fontSize})) {
    return *px;
  }
  return normal;
}

}  // namespace

std::optional<double> BoxStyle::Px(const std::optional<css::Length>& length, std::optional<double> percentBase) const {
  if (!length) {
    return std::nullopt;
  }
  if (length->unit == css::LengthUnit::Percent && !percentBase) {
    return std::nullopt;
  }
  return css::ToPx(*length, css::LengthContext{fontSize, percentBase.value_or(0.0)});
}

BoxStyle ExtractBoxStyle(const css::ComputedStyle& style, TextMeasurer& measurer) {
  BoxStyle box;
  box.display = DisplayOf(style.Longhand(PropertyId::Display));
  box.placement = PlacementOf(style.Longhand(PropertyId::Position));
  if (box.IsPositioned()) {
    box.zIndex = style.ZIndex();
  }
  auto px = [&](PropertyId id) { return style.LengthPx(id).value_or(0.0); };
  auto padding = [&](PropertyId id) { return std::max(0.0, px(id)); };
  box.margin = {px(PropertyId::MarginTop), px(PropertyId::MarginRight), px(PropertyId::MarginBottom),
                px(PropertyId::MarginLeft)};
  box.border = {style.BorderWidthPx(css::BoxSide::Top), style.BorderWidthPx(css::BoxSide::Right),
                style.BorderWidthPx(css::BoxSide::Bottom), style.BorderWidthPx(css::BoxSide::Left)};
  box.padding = {padding(PropertyId::PaddingTop), padding(PropertyId::PaddingRight), padding(PropertyId::PaddingBottom),
                 padding(PropertyId::PaddingLeft)};
  box.width = css::ParseLength(style.Longhand(PropertyId::Width));
  box.height = css::ParseLength(style.Longhand(PropertyId::Height));
  box.left = css::ParseLength(style.Longhand(PropertyId::Left));
  box.top = css::ParseLength(style.Longhand(PropertyId::Top));
  box.right = css::ParseLength(style.Longhand(PropertyId::Right));
  box.bottom = css::ParseLength(style.Longhand(PropertyId::Bottom));
  box.fontSize = style.FontSizePx();
  box.font = measurer.Font(FontQueryOf(style));
  const FontMetrics metrics = measurer.Metrics(box.font);
  box.lineHeight = LineHeightPx(style, metrics.lineHeight);
  box.spaceWidth = metrics.spaceWidth;
  box.textAlign = TextAlignOf(style.Longhand(PropertyId::TextAlign));
  return box;
}

}  // namespace vellum::engine::layout
