#pragma once
// How layout learns the size of text: from whoever paints it. The view answers with the fonts it
// draws in; without a view (native tests, tools) a fixed model answers, the same on every machine.

#include <cstdint>
#include <string_view>

#include "css/computed_style.h"

namespace vellum::engine::layout {

// text-transform: the text is measured as it is shown.
enum class TextCase : std::uint8_t { AsWritten, Upper, Lower, Capitalize };

// The computed font properties of an element, enough to choose a font.
struct FontQuery {
  std::u16string_view families;  // the font-family list as computed ("'Times New Roman', serif")
  double sizePx = 16;
  int weight = 400;  // 100 to 1000; bold is 700
  bool italic = false;
  TextCase textCase = TextCase::AsWritten;
};

FontQuery FontQueryOf(const css::ComputedStyle& style);
// A font-weight value as a number ("bold" 700, "normal" and anything unreadable 400).
int FontWeightOf(std::u16string_view text);

// A font as the measurer knows it; valid until the measurer is trimmed.
using FontId = std::uint32_t;

struct FontMetrics {
  double lineHeight = 18;  // of a line when line-height is normal
  double spaceWidth = 7;   // advance of one blank
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;

  virtual FontId Font(const FontQuery& query) = 0;
  // The font the platform's form controls write their labels and options in.
  virtual FontId ControlFont() = 0;
  virtual FontMetrics Metrics(FontId font) = 0;
  // The advance width of a piece of text on one line (no line breaks in it), in the font's case.
  virtual double Width(FontId font, std::u16string_view text) = 0;
  // Called before each layout: a measurer that keeps fonts may let them go here (never during one).
  virtual void Trim() {}
};

// Every character 7/16 of the font size wide, lines 1.15 font sizes tall, control text 7 pixels a
// character: the model layout is tested with, independent of any font.
class FixedTextMeasurer final : public TextMeasurer {
 public:
  FontId Font(const FontQuery& query) override;
  FontId ControlFont() override;
  FontMetrics Metrics(FontId font) override;
  double Width(FontId font, std::u16string_view text) override;
};

// The measurer layout uses when none is given.
TextMeasurer& FixedMeasurer();

}  // namespace vellum::engine::layout
