// Text measured with GDI in exactly the fonts the painter draws it in, so that layout places words
// where they are painted. Widths are kept per font and word: a page of thousands of labels measures
// each distinct word once, and laying it out again (every move on the design surface) measures
// nothing.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/com/view/PaintGdi.h"
#include "engine/com/view/PaintStyles.h"
#include "layout/text_measurer.h"

namespace vellum::engine::com {

class CGdiTextMeasurer final : public vellum::engine::layout::TextMeasurer {
 public:
  using FontId = vellum::engine::layout::FontId;
  using FontQuery = vellum::engine::layout::FontQuery;
  using FontMetrics = vellum::engine::layout::FontMetrics;

  CGdiTextMeasurer() = default;
  CGdiTextMeasurer(const CGdiTextMeasurer&) = delete;
  CGdiTextMeasurer& operator=(const CGdiTextMeasurer&) = delete;
  ~CGdiTextMeasurer() override;

  FontId Font(const FontQuery& query) override;
  FontId ControlFont() override;
  FontMetrics Metrics(FontId font) override;
  double Width(FontId font, std::u16string_view text) override;
  void Trim() override;

  // Counters for tests and benchmarks: GDI measurements made and fonts created so far.
  std::size_t Measurements() const { return measurements_; }
  std::size_t FontsMade() const { return fontsMade_; }

 private:
  struct WordHash {
    using is_transparent = void;
    std::size_t operator()(std::u16string_view word) const { return std::hash<std::u16string_view>()(word); }
  };
  using WordWidths = std::unordered_map<std::u16string, int, WordHash, std::equal_to<>>;

  struct MeasuredFont {
    FontDescription described;  // as the painter asks for it, without lines
    vellum::engine::layout::TextCase textCase = vellum::engine::layout::TextCase::AsWritten;
    GdiObject owned;  // empty for the control font, a stock object
    HFONT font = nullptr;
    FontMetrics metrics;
    WordWidths words;
  };
  // A query seen before, by its text: most elements of a page ask with the same few.
  struct KnownQuery {
    std::u16string families;
    int pixelSize = 0;
    int weight = 0;
    bool italic = false;
    vellum::engine::layout::TextCase textCase = vellum::engine::layout::TextCase::AsWritten;
    FontId font = 0;
  };

  HDC Dc();
  FontId Add(MeasuredFont font);
  int Measure(MeasuredFont& font, std::u16string_view text);

  // Fonts beyond this many are served by the first one (a page of that many fonts is not a form).
  static constexpr std::size_t kFontBudget = 128;
  // Words kept over all fonts; past this they are measured afresh.
  static constexpr std::size_t kWordBudget = 200000;
  // Words longer than this are measured every time rather than kept.
  static constexpr std::size_t kLongestKeptWord = 64;

  HDC dc_ = nullptr;                // a memory DC, made on first use
  HGDIOBJ originalFont_ = nullptr;  // the DC's own font, put back before the fonts go
  HFONT selected_ = nullptr;
  std::vector<MeasuredFont> fonts_;  // indexed by FontId
  std::vector<KnownQuery> queries_;
  std::size_t lastQuery_ = 0;  // where the last query was found
  FontId controlFont_ = 0;
  bool haveControlFont_ = false;
  std::size_t wordsKept_ = 0;
  std::size_t measurements_ = 0;
  std::size_t fontsMade_ = 0;
};

}  // namespace vellum::engine::com
