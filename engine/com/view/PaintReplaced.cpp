// Elements whose inside is not the page's own content: pictures, objects and the fieldset's frame.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/com/FormState.h"
#include "engine/com/view/PaintControlParts.h"
#include "engine/com/view/PaintLooks.h"
#include "engine/com/view/PaintText.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::TagId;

namespace {

constexpr int kBrokenIconWidth = 14;
constexpr int kBrokenIconHeight = 16;
constexpr int kPlaceholderMargin = 2;

// The border box less the CSS border and padding.
RECT ContentRect(const PaintContext& context, std::size_t index) {
  const RECT box = context.BorderRect(index);
  const vellum::engine::layout::Edges insets = context.styles[index].box.Insets();
  RECT content = {box.left + static_cast<int>(std::lround(insets.left)),
                  box.top + static_cast<int>(std::lround(insets.top)),
                  box.right - static_cast<int>(std::lround(insets.right)),
                  box.bottom - static_cast<int>(std::lround(insets.bottom))};
  content.right = std::max(content.left, content.right);
  content.bottom = std::max(content.top, content.bottom);
  return content;
}

// A small torn page with a red cross: the picture could not be shown.
void PaintBrokenIcon(HDC dc, int x, int y) {
  RECT page = {x, y, x + kBrokenIconWidth, y + kBrokenIconHeight};
  FillSystem(dc, page, COLOR_BTNSHADOW);
  InflateRect(&page, -1, -1);
  FillSolid(dc, page, RGB(0xff, 0xff, 0xff));
  GdiObject pen(CreatePen(PS_SOLID, 2, RGB(0xd0, 0x00, 0x00)));
  ScopedSelect selected(dc, pen.get());
  MoveToEx(dc, page.left + 3, page.top + 4, nullptr);
  LineTo(dc, page.right - 3, page.bottom - 4);
  MoveToEx(dc, page.right - 3, page.top + 4, nullptr);
  LineTo(dc, page.left + 3, page.bottom - 4);
}

void PaintImagePlaceholder(const PaintContext& context, const Element& image, const RECT& content, COLORREF textColor) {
  HDC dc = context.dc;
  ScopedDCState saved(dc);
  IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
  RECT frame = content;
  DrawEdge(dc, &frame, BDR_SUNKENOUTER, BF_RECT);
  const int iconX = content.left + kPlaceholderMargin, iconY = content.top + kPlaceholderMargin;
  PaintBrokenIcon(dc, iconX, iconY);
  const std::u16string_view alt = AttributeText(image, u"alt");
  if (alt.empty()) return;
  // Font and colour go back with the DC's state at the end of the scope.
  SelectObject(dc, context.fonts.Control(dc).font);
  SetTextColor(dc, textColor);
  RECT text = {iconX + kBrokenIconWidth + kPlaceholderMargin, iconY, content.right - kPlaceholderMargin,
               content.bottom - kPlaceholderMargin};
  const std::wstring_view shown = Wide(alt);
  DrawTextW(dc, shown.data(), static_cast<int>(std::min<std::size_t>(shown.size(), 0x7fff)), &text,
            DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// What an object placeholder names: the class id, else the type or the file it would show.
std::u16string_view ObjectLabel(const Element& object) {
  for (std::u16string_view name : {u"classid", u"type", u"data", u"src", u"code"}) {
    std::u16string_view value = AttributeText(object, name);
    if (!value.empty()) return value;
  }
  return object.LocalName();
}

}  // namespace

void PaintFieldsetFrame(const PaintContext& context, std::size_t index) {
  const Element& fieldset = *context.BoxAt(index).element;
  RECT frame = context.BorderRect(index);
  const Element* legend = nullptr;
  const vellum::engine::layout::Box* legendBox = nullptr;
  for (const vellum::engine::Node* child = fieldset.FirstChild(); child && !legendBox; child = child->NextSibling()) {
    legend = vellum::engine::AsElement(child);
    if (legend && legend->Is(TagId::Legend)) legendBox = context.layout.BoxOf(*legend);
  }
  ScopedDCState saved(context.dc);
  if (legendBox) {
    // The legend sits on the top edge: the frame starts at its middle and leaves a gap as wide as
    // its text (its box, a block, spans the whole width).
    constexpr int kLegendGap = 2;
    const BoxPaint& legendStyle = context.styles[static_cast<std::size_t>(legendBox - context.layout.Boxes().data())];
    const std::wstring text = TransformedText(OptionText(*legend), legendStyle.textCase);
    SIZE extent = {};
    {
      ScopedSelect font(context.dc, context.fonts.Get(context.dc, legendStyle.font).font);
      GetTextExtentPoint32W(context.dc, text.c_str(), static_cast<int>(std::min<std::size_t>(text.size(), 0x7fff)),
                            &extent);
    }
    const int textLeft = legendBox->border.x + static_cast<int>(std::lround(legendStyle.box.Insets().left));
    frame.top = std::min<LONG>(frame.bottom, legendBox->border.y + legendBox->border.height / 2);
    if (!text.empty())
      ExcludeClipRect(context.dc, textLeft - kLegendGap, legendBox->border.y, textLeft + extent.cx + kLegendGap,
                      legendBox->border.y + legendBox->border.height);
  }
  DrawEdge(context.dc, &frame, EDGE_ETCHED, BF_RECT);
}

void PaintImage(const PaintContext& context, std::size_t index) {
  const Element& image = *context.BoxAt(index).element;
  const RECT content = ContentRect(context, index);
  if (content.right <= content.left || content.bottom <= content.top) return;
  const DecodedImage& picture = context.images.Get(AttributeText(image, u"src"));
  if (!picture.Loaded()) {
    PaintImagePlaceholder(context, image, content, context.styles[index].color);
    return;
  }
  HDC source = CreateCompatibleDC(context.dc);
  if (!source) return;
  {
    ScopedSelect selected(source, picture.bitmap.get());
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(context.dc, content.left, content.top, content.right - content.left, content.bottom - content.top,
                  source, 0, 0, picture.width, picture.height, blend);
  }
  DeleteDC(source);
}

void PaintObjectPlaceholder(const PaintContext& context, std::size_t index) {
  HDC dc = context.dc;
  const Element& object = *context.BoxAt(index).element;
  RECT content = ContentRect(context, index);
  if (content.right <= content.left || content.bottom <= content.top) return;
  ScopedDCState saved(dc);
  IntersectClipRect(dc, content.left, content.top, content.right, content.bottom);
  FillSystem(dc, content, COLOR_BTNSHADOW);
  RECT inside = content;
  InflateRect(&inside, -1, -1);
  FillSystem(dc, inside, COLOR_BTNFACE);
  SelectObject(dc, context.fonts.Control(dc).font);  // back with the DC's state at the end of the scope
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const std::wstring_view label = Wide(ObjectLabel(object));
  const int length = static_cast<int>(std::min<std::size_t>(label.size(), 0x7fff));
  RECT text = inside;
  InflateRect(&text, -kPlaceholderMargin, -kPlaceholderMargin);
  const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL;
  RECT measured = text;
  const int height = DrawTextW(dc, label.data(), length, &measured, format | DT_CALCRECT);
  OffsetRect(&text, 0, std::max(0, static_cast<int>(text.bottom - text.top - height) / 2));
  DrawTextW(dc, label.data(), length, &text, format);
}

}  // namespace vellum::engine::com
