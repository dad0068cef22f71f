// Scrolling list boxes and text areas: the wheel over them, clicks on their scroll bars, and the
// chosen row kept in sight.
#include "engine/com/HtmlDocument.h"
#include "engine/com/FormState.h"
#include "engine/com/view/LiveForm.h"
#include "engine/com/view/LiveFormTextGeometry.h"

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

constexpr long kLinesPerNotch = 3;  // the platform's default wheel setting

bool IsScrollable(ControlKind kind) { return kind == ControlKind::ListBox || kind == ControlKind::TextArea; }

RECT BorderRectOf(const vellum::engine::layout::Rect& box) {
  return {box.x, box.y, box.x + box.width, box.y + box.height};
}

}  // namespace

ScrollExtent CLiveForm::ScrollExtentOf(const Element& control, const vellum::engine::layout::Rect& box) {
  if (ControlKindOf(control) == ControlKind::TextArea) return TextAreaExtent(box, document_.FormState().Value(control));
  return {CFormState::Options(control).size(), ListRowsShown(box.height)};
}

void CLiveForm::ScrollBy(Element& control, long items) {
  const vellum::engine::layout::Rect* box = BoxOf(control);
  if (!box) return;
  CViewScroll& scroll = document_.ViewFocus().scroll;
  const std::size_t first = scroll.FirstShown(control);
  const std::size_t moved = ScrollExtentOf(control, *box).Moved(first, items);
  if (moved == first) return;
  scroll.SetFirstShown(control, moved);
  Changed();
}

void CLiveForm::KeepRowInSight(Element& select, long row) {
  const vellum::engine::layout::Rect* box = BoxOf(select);
  if (!box || row < 0 || ControlKindOf(select) != ControlKind::ListBox) return;
  CViewScroll& scroll = document_.ViewFocus().scroll;
  const std::size_t first = scroll.FirstShown(select);
  const std::size_t showing = ScrollExtentOf(select, *box).Showing(first, static_cast<std::size_t>(row));
  if (showing == first) return;
  scroll.SetFirstShown(select, showing);
  Changed();
}

bool CLiveForm::ClickScrollBar(Element& control, POINT point) {
  const vellum::engine::layout::Rect* box = BoxOf(control);
  if (!box) return false;
  const ScrollExtent extent = ScrollExtentOf(control, *box);
  // A list shows its bar only when it has more rows than room; a text area always has one.
  if (ControlKindOf(control) == ControlKind::ListBox && extent.LastFirst() == 0) return false;
  const std::size_t first = extent.Clamped(document_.ViewFocus().scroll.FirstShown(control));
  const long page = static_cast<long>(extent.shown > 1 ? extent.shown - 1 : 1);
  switch (HitScrollBar(FieldScrollBar(BorderRectOf(*box)), first, extent.LastFirst(), point)) {
    case ScrollBarHit::None:
      return false;
    case ScrollBarHit::LineUp:
      ScrollBy(control, -1);
      break;
    case ScrollBarHit::LineDown:
      ScrollBy(control, 1);
      break;
    case ScrollBarHit::PageUp:
      ScrollBy(control, -page);
      break;
    case ScrollBarHit::PageDown:
      ScrollBy(control, page);
      break;
    case ScrollBarHit::Thumb:
      break;  // dragging the thumb is not offered; the click only focuses
  }
  return true;
}

bool CLiveForm::OnWheel(POINT point, int delta) {
  bool throughLabel = false;
  Element* control = ControlAt(point, throughLabel);
  if (!control || throughLabel || !IsScrollable(ControlKindOf(*control)) || IsDisabled(*control)) return false;
  long items = -static_cast<long>(delta) * kLinesPerNotch / WHEEL_DELTA;
  if (items == 0) items = delta > 0 ? -1 : 1;  // a fine-grained wheel still moves
  ScrollBy(*control, items);
  return true;
}

}  // namespace vellum::engine::com
