#include "engine/com/view/PaintText.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "css/css_text.h"
#include "dom/character_data.h"
#include "dom/element.h"
#include "layout/inline_flow.h"

namespace engine {

namespace layout = vellum::engine::layout;
using vellum::engine::Element;
using vellum::engine::Node;
using vellum::engine::TagId;

namespace {

bool HasVisibleText(const Element& element) {
  for (const Node* child = element.firstChild(); child; child = child->nextSibling()) {
    if (const auto* text = vellum::engine::asText(child)) {
      for (char16_t c : text->data())
        if (!vellum::engine::css::IsCssWhitespace(c)) return true;
    }
  }
  return false;
}

// Runs the element's flow again with the same builder and sizes layout used, keeping where the
// words went.
void FlowRuns(const PaintContext& context, const Element& element, const BoxPaint& style, double available,
              TextRunBuffer& buffer) {
  layout::LineBuilder lines(available, style.box.charWidth, style.box.lineHeight);
  buffer.Reset();
  bool runOpen = false;
  for (const Node* child = element.firstChild(); child; child = child->nextSibling()) {
    if (const auto* text = vellum::engine::asText(child)) {
      std::u16string_view data = text->data();
      std::size_t i = 0;
      while (i < data.size()) {
        if (vellum::engine::css::IsCssWhitespace(data[i])) {
          lines.AddText(u" ");
          while (i < data.size() && vellum::engine::css::IsCssWhitespace(data[i])) ++i;
          continue;
        }
        std::size_t end = i;
        while (end < data.size() && !vellum::engine::css::IsCssWhitespace(data[end])) ++end;
        const layout::FlowPoint at =
            lines.AddInline(static_cast<double>(end - i) * style.box.charWidth, style.box.lineHeight);
        if (runOpen && buffer.runs[buffer.used - 1].y == at.y) {
          std::u16string& joined = buffer.runs[buffer.used - 1].text;
          joined += u' ';
          joined.append(data.substr(i, end - i));
        } else {
          TextRun& run = buffer.Next();
          run.x = at.x;
          run.y = at.y;
          run.text.assign(data.substr(i, end - i));
          runOpen = true;
        }
        i = end;
      }
      continue;
    }
    const Element* childElement = vellum::engine::asElement(child);
    const layout::Box* childBox = childElement ? context.layout.BoxOf(*childElement) : nullptr;
    if (!childBox) continue;  // no box: not in the flow either
    runOpen = false;
    if (childElement->is(TagId::Br)) {
      lines.AddBreak();
      continue;
    }
    const BoxPaint& childStyle = context.styles[static_cast<std::size_t>(childBox - context.layout.Boxes().data())];
    if (childStyle.box.IsOutOfFlow()) continue;
    const layout::Edges& margin = childStyle.box.margin;
    const double outerWidth = margin.Horizontal() + childBox->border.width;
    const double outerHeight = margin.Vertical() + childBox->border.height;
    if (childStyle.box.display == layout::Display::Block) {
      lines.AddBlock(outerWidth, outerHeight);
    } else {
      buffer.linesWithBoxes.push_back(lines.AddInline(outerWidth, outerHeight).y);
    }
  }
  // Lines come top to bottom, so the runs sharing a line are neighbours.
  const std::vector<TextRun>& runs = buffer.runs;
  for (std::size_t i = 0; i < buffer.used; ++i) {
    const double y = runs[i].y;
    buffer.runs[i].aloneOnLine =
        (i == 0 || runs[i - 1].y != y) && (i + 1 == buffer.used || runs[i + 1].y != y) &&
        std::find(buffer.linesWithBoxes.begin(), buffer.linesWithBoxes.end(), y) == buffer.linesWithBoxes.end();
  }
}

int Round(double value) { return static_cast<int>(std::lround(std::clamp(value, -1e9, 1e9))); }

}  // namespace

std::wstring TransformedText(std::u16string_view text, TextCase textCase) {
  std::wstring shown(text.begin(), text.end());
  if (shown.empty()) return shown;
  switch (textCase) {
    case TextCase::Upper: CharUpperBuffW(shown.data(), static_cast<DWORD>(shown.size())); break;
    case TextCase::Lower: CharLowerBuffW(shown.data(), static_cast<DWORD>(shown.size())); break;
    case TextCase::Capitalize:
      for (std::size_t i = 0; i < shown.size(); ++i)
        if (i == 0 || shown[i - 1] == L' ') CharUpperBuffW(&shown[i], 1);
      break;
    case TextCase::AsWritten: break;
  }
  return shown;
}

void PaintFlowText(const PaintContext& context, std::size_t boxIndex) {
  const layout::Box& box = context.BoxAt(boxIndex);
  const BoxPaint& style = context.styles[boxIndex];
  if (!style.visible || !HasVisibleText(*box.element)) return;
  const layout::Edges insets = style.box.Insets();
  // The box's width was rounded to whole pixels after layout flowed its content: up to half a pixel
  // more is the width the words were placed in.
  constexpr double kRoundingSlack = 0.5;
  const double available = box.border.width - insets.Horizontal() + kRoundingSlack;
  TextRunBuffer& buffer = context.textRuns;
  FlowRuns(context, *box.element, style, available, buffer);
  if (buffer.used == 0) return;

  const PageFont font = context.fonts.Get(context.dc, style.font);
  context.drawing.Font(font.font);
  context.drawing.TextColor(style.color);
  const double originX = box.border.x + insets.left;
  const double originY = box.border.y + insets.top + std::max(0.0, (style.box.lineHeight - font.height) / 2);
  const bool measure = style.align != TextAlign::Left || Has(style.font.lines, TextLine::Overline);
  std::wstring transformed;
  for (std::size_t i = 0; i < buffer.used; ++i) {
    const TextRun& run = buffer.runs[i];
    std::wstring_view shown = std::wstring_view(reinterpret_cast<const wchar_t*>(run.text.data()), run.text.size());
    if (style.textCase != TextCase::AsWritten) {
      transformed = TransformedText(run.text, style.textCase);
      shown = transformed;
    }
    const int length = static_cast<int>(std::min<std::size_t>(shown.size(), 0x7fff));
    double x = originX + run.x;
    const int y = Round(originY + run.y);
    SIZE extent = {};
    if (measure) GetTextExtentPoint32W(context.dc, shown.data(), length, &extent);
    if (run.aloneOnLine && style.align != TextAlign::Left) {
      const double room = available - extent.cx;
      x = originX + (style.align == TextAlign::Center ? room / 2 : room);
    }
    ExtTextOutW(context.dc, Round(x), y, 0, nullptr, shown.data(), static_cast<UINT>(length), nullptr);
    if (Has(style.font.lines, TextLine::Overline)) FillSolid(context.dc, {Round(x), y, Round(x) + extent.cx, y + 1}, style.color);
  }
}

}  // namespace engine
