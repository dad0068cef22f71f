#include "engine/com/view/PaintText.h"

#include <algorithm>
#include <string>

#include "layout/layout_tree.h"

namespace vellum::engine::com {

namespace layout = vellum::engine::layout;

void PaintFlowText(const PaintContext& context, std::size_t boxIndex) {
  const layout::Box& box = context.BoxAt(boxIndex);
  const BoxPaint& style = context.styles[boxIndex];
  if (!style.visible || box.runCount == 0) return;
  const PageFont font = context.fonts.Get(context.dc, style.font);
  context.drawing.Font(font.font);
  context.drawing.TextColor(style.color);
  const bool overline = Has(style.font.lines, TextLine::Overline);
  std::u16string& words = context.textScratch;
  std::wstring transformed;
  const std::vector<layout::TextRun>& runs = context.layout.Runs();
  for (int i = box.firstRun; i < box.firstRun + box.runCount; ++i) {
    const layout::TextRun& run = runs[static_cast<std::size_t>(i)];
    if (run.box.y > context.dirty.bottom || run.box.y + run.box.height < context.dirty.top) continue;
    layout::LayoutTree::ShownText(run, words);
    std::wstring_view shown(reinterpret_cast<const wchar_t*>(words.data()), words.size());
    if (style.textCase != TextCase::AsWritten) {
      transformed = TransformedText(words, style.textCase);
      shown = transformed;
    }
    const int length = static_cast<int>(std::min<std::size_t>(shown.size(), 0x7fff));
    // The glyph cell sits in the middle of the line's height.
    const int y = run.box.y + std::max(0, (run.box.height - font.height) / 2);
    ExtTextOutW(context.dc, run.box.x, y, 0, nullptr, shown.data(), static_cast<UINT>(length), nullptr);
    if (overline) FillSolid(context.dc, {run.box.x, y, run.box.x + run.box.width, y + 1}, style.color);
  }
}

}  // namespace vellum::engine::com
