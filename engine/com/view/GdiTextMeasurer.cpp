#include "engine/com/view/GdiTextMeasurer.h"

#include <algorithm>

#include "engine/com/view/TextTransform.h"

namespace vellum::engine::com {

namespace layout = vellum::engine::layout;

namespace {

// GDI takes counts of up to this many characters; the painter draws no more of a word either.
constexpr std::size_t kLongestMeasured = 0x7fff;

}  // namespace

CGdiTextMeasurer::~CGdiTextMeasurer() {
  if (dc_) {
    SelectObject(dc_, originalFont_);
    DeleteDC(dc_);
  }
}

HDC CGdiTextMeasurer::Dc() {
  if (!dc_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (dc_) originalFont_ = GetCurrentObject(dc_, OBJ_FONT);
  }
  return dc_;
}

CGdiTextMeasurer::FontId CGdiTextMeasurer::Add(MeasuredFont font) {
  if (HDC dc = Dc(); dc && font.font) {
    HGDIOBJ previous = SelectObject(dc, font.font);
    TEXTMETRICW text = {};
    SIZE blank = {};
    if (GetTextMetricsW(dc, &text) && text.tmHeight > 0)
      font.metrics.lineHeight = text.tmHeight + text.tmExternalLeading;
    if (GetTextExtentPoint32W(dc, L" ", 1, &blank)) font.metrics.spaceWidth = blank.cx;
    SelectObject(dc, previous);
    selected_ = nullptr;
  }
  fonts_.push_back(std::move(font));
  ++fontsMade_;
  return static_cast<FontId>(fonts_.size() - 1);
}

CGdiTextMeasurer::FontId CGdiTextMeasurer::Font(const FontQuery& query) {
  const int pixelSize = FontPixelSize(query.sizePx);
  const int weight = query.weight;
  auto matches = [&](const KnownQuery& known) {
    return known.pixelSize == pixelSize && known.weight == weight && known.italic == query.italic &&
           known.textCase == query.textCase && known.families == query.families;
  };
  if (lastQuery_ < queries_.size() && matches(queries_[lastQuery_])) return queries_[lastQuery_].font;
  for (std::size_t i = 0; i < queries_.size(); ++i) {
    if (!matches(queries_[i])) continue;
    lastQuery_ = i;
    return queries_[i].font;
  }
  FontDescription described = DescribeFont(query);
  FontId id = 0;
  const auto same = std::find_if(fonts_.begin(), fonts_.end(), [&](const MeasuredFont& font) {
    return font.owned && font.described == described && font.textCase == query.textCase;
  });
  if (same != fonts_.end()) {
    id = static_cast<FontId>(same - fonts_.begin());
  } else if (fonts_.size() >= kFontBudget) {
    id = 0;
  } else {
    MeasuredFont font;
    font.owned = GdiObject(Dc() ? CreatePageFont(Dc(), described) : nullptr);
    font.font = static_cast<HFONT>(font.owned.get());
    font.described = std::move(described);
    font.textCase = query.textCase;
    id = Add(std::move(font));
  }
  if (queries_.size() < kFontBudget) {
    queries_.push_back({std::u16string(query.families), pixelSize, weight, query.italic, query.textCase, id});
    lastQuery_ = queries_.size() - 1;
  }
  return id;
}

CGdiTextMeasurer::FontId CGdiTextMeasurer::ControlFont() {
  if (!haveControlFont_) {
    MeasuredFont font;
    font.font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    controlFont_ = Add(std::move(font));
    haveControlFont_ = true;
  }
  return controlFont_;
}

CGdiTextMeasurer::FontMetrics CGdiTextMeasurer::Metrics(FontId font) {
  return font < fonts_.size() ? fonts_[font].metrics : FontMetrics{};
}

int CGdiTextMeasurer::Measure(MeasuredFont& font, std::u16string_view text) {
  HDC dc = Dc();
  if (!dc || !font.font) return 0;
  if (selected_ != font.font) {
    SelectObject(dc, font.font);
    selected_ = font.font;
  }
  text = text.substr(0, std::min(text.size(), kLongestMeasured));
  SIZE extent = {};
  ++measurements_;
  if (font.textCase == layout::TextCase::AsWritten) {
    GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), static_cast<int>(text.size()), &extent);
  } else {
    const std::wstring shown = TransformedText(text, font.textCase);
    GetTextExtentPoint32W(dc, shown.data(), static_cast<int>(shown.size()), &extent);
  }
  return extent.cx;
}

double CGdiTextMeasurer::Width(FontId id, std::u16string_view text) {
  if (id >= fonts_.size() || text.empty()) return 0;
  MeasuredFont& font = fonts_[id];
  if (text.size() > kLongestKeptWord) return Measure(font, text);
  if (const auto found = font.words.find(text); found != font.words.end()) return found->second;
  const int width = Measure(font, text);
  if (wordsKept_ >= kWordBudget) {
    for (MeasuredFont& each : fonts_) each.words.clear();
    wordsKept_ = 0;
  }
  font.words.emplace(text, width);
  ++wordsKept_;
  return width;
}

void CGdiTextMeasurer::Trim() {
  // Between layouts no font id is in use: a page that went through the budget starts afresh.
  if (fonts_.size() < kFontBudget) return;
  if (dc_) SelectObject(dc_, originalFont_);
  selected_ = nullptr;
  fonts_.clear();
  queries_.clear();
  lastQuery_ = 0;
  haveControlFont_ = false;
  wordsKept_ = 0;
}

}  // namespace vellum::engine::com
