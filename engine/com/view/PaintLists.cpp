// Selects: the list box with its rows and the drop-down field with its arrow button.
#include <algorithm>
#include <vector>

#include "engine/com/FormState.h"
#include "engine/com/view/LiveFormControls.h"
#include "engine/com/view/PaintControlParts.h"
#include "engine/com/view/PaintLooks.h"
#include "engine/com/view/ViewFocus.h"
#include "engine/com/view/ViewScrolling.h"

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

constexpr int kRowTextIndent = 2;  // from the inside of the frame

// A row's text, greyed for a disabled option (or a disabled list), highlighted when selected; the
// row is drawn only where it overlaps `clip`.
void PaintRow(const PaintContext& context, const RECT& row, const RECT& clip, int lineHeight, const Element& option,
              bool selected, Enabled enabled) {
  const RECT shown = Intersection(row, clip);
  if (shown.right <= shown.left || shown.bottom <= shown.top) return;
  if (selected && enabled == Enabled::Yes) FillSystem(context.dc, shown, COLOR_HIGHLIGHT);
  const bool greyed = enabled == Enabled::No || option.HasAttribute(u"disabled");
  context.drawing.TextColor(greyed     ? GetSysColor(COLOR_GRAYTEXT)
                            : selected ? GetSysColor(COLOR_HIGHLIGHTTEXT)
                                       : GetSysColor(COLOR_WINDOWTEXT));
  const std::u16string text = OptionText(option);
  const int y = row.top + std::max(0, static_cast<int>(row.bottom - row.top - lineHeight) / 2);
  ExtTextOutW(context.dc, row.left + kRowTextIndent, y, ETO_CLIPPED, &shown,
              reinterpret_cast<const wchar_t*>(text.data()),
              static_cast<UINT>(std::min<std::size_t>(text.size(), 0x7fff)), nullptr);
}

}  // namespace

void PaintListBox(const PaintContext& context, std::size_t index) {
  HDC dc = context.dc;
  const SunkenField field = BeginSunkenField(context, index);
  const Element& select = field.control;
  const RECT box = field.box;
  const Enabled enabled = field.enabled;
  RECT inside = field.inside;
  const std::vector<Element*> options = CFormState::Options(select);
  const ScrollExtent extent{options.size(), ListRowsShown(box.bottom - box.top)};
  const std::size_t first = extent.Clamped(context.focus.scroll.FirstShown(select));
  if (extent.LastFirst() > 0) {
    const RECT bar = FieldScrollBar(box);
    if (bar.right > bar.left) {
      PaintVerticalScrollBar(context, bar, enabled, first, extent.LastFirst());
      inside.right = bar.left;
    }
  }
  const int lineHeight = UseControlFont(context);
  const bool focused = IsFocused(context, select);
  const long focusRow = focused ? std::max(0L, context.formState.SelectedIndex(select)) : -1;
  // Rows go on to the bottom edge; a partly shown last row is drawn and clipped.
  const std::size_t end = std::min<std::size_t>(options.size(), first + extent.shown + 1);
  for (std::size_t i = first; i < end; ++i) {
    const int top = box.top + kListFrame + static_cast<int>(i - first) * kListRowHeight;
    const RECT row = {inside.left, top, inside.right, top + kListRowHeight};
    PaintRow(context, row, inside, lineHeight, *options[i], context.formState.Selected(*options[i]), enabled);
    if (static_cast<long>(i) == focusRow) {
      RECT frame = Intersection(row, inside);
      if (frame.bottom > frame.top) DrawFocusRect(dc, &frame);
    }
  }
}

void PaintDropDown(const PaintContext& context, std::size_t index) {
  HDC dc = context.dc;
  const auto [select, style, box, enabled, inside] = BeginSunkenField(context, index);
  const int arrowWidth = std::min<int>(GetSystemMetrics(SM_CXVSCROLL), inside.right - inside.left);
  RECT arrow = {inside.right - arrowWidth, inside.top, inside.right, inside.bottom};
  const bool focused = IsFocused(context, select);
  UINT arrowState = DFCS_SCROLLCOMBOBOX;
  if (enabled == Enabled::No) arrowState |= DFCS_INACTIVE;
  if (focused && context.focus.pressed) arrowState |= DFCS_PUSHED | DFCS_FLAT;
  if (arrow.right > arrow.left) PaintDropDownArrow(context, arrow, arrowState);
  // The chosen option fills the rest; with the focus it shows selected, as the platform's combo box does.
  RECT row = {inside.left, inside.top, arrow.left, inside.bottom};
  InflateRect(&row, -1, -1);
  if (row.right <= row.left || row.bottom <= row.top) return;
  const int lineHeight = UseControlFont(context);
  const std::vector<Element*> options = CFormState::Options(select);
  const long chosen = context.formState.SelectedIndex(select);
  if (chosen >= 0 && static_cast<std::size_t>(chosen) < options.size())
    PaintRow(context, row, row, lineHeight, *options[static_cast<std::size_t>(chosen)], focused, enabled);
  else if (focused)
    FillSystem(dc, row, COLOR_HIGHLIGHT);
  if (focused) DrawFocusRect(dc, &row);
}

}  // namespace vellum::engine::com
