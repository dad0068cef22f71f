// The looks of text fields, buttons, check boxes and radio buttons, and the choice of look per element.
#include "engine/com/view/PaintControls.h"

#include <algorithm>
#include <string>
#include <vector>

#include "engine/com/FormState.h"
#include "engine/com/view/LiveFormControls.h"
#include "engine/com/view/PaintControlParts.h"
#include "engine/com/view/PaintLooks.h"
#include "engine/com/view/ViewFocus.h"
#include "engine/com/view/ViewScrolling.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::TagId;

namespace {

constexpr wchar_t kMaskCharacter = L'*';
constexpr int kCheckBoxSize = 13;

Enabled EnabledOf(const Element& control) { return IsDisabled(control) ? Enabled::No : Enabled::Yes; }

COLORREF TextColorOf(const BoxPaint& style, Enabled enabled) {
  return enabled == Enabled::No ? GetSysColor(COLOR_GRAYTEXT) : style.color;
}

struct Selection {
  std::size_t start = 0;
  std::size_t end = 0;
};

// The focused control's selected text; nothing for the others.
Selection SelectionOf(const PaintContext& context, const Element& control) {
  if (!IsFocused(context, control)) return {};
  return {std::min(context.focus.caret, context.focus.selectionAnchor),
          std::max(context.focus.caret, context.focus.selectionAnchor)};
}

// The part of a selection that falls in [from, to), as offsets from `from`.
Selection Within(Selection selection, std::size_t from, std::size_t to) {
  std::size_t start = std::clamp(selection.start, from, to), end = std::clamp(selection.end, from, to);
  return {start - from, end - from};
}

std::wstring ShownValue(const std::u16string& value, Look look) {
  return look == Look::Password ? std::wstring(value.size(), kMaskCharacter) : std::wstring(Wide(value));
}

void PaintTextBox(const PaintContext& context, std::size_t index, Look look) {
  HDC dc = context.dc;
  const auto [control, style, box, enabled, inside] = BeginSunkenField(context, index);
  const int lineHeight = UseControlFont(context);
  const std::wstring shown = ShownValue(context.formState.Value(control), look);
  const bool focused = IsFocused(context, control);
  const std::size_t first = focused ? std::min(context.focus.firstVisible, shown.size()) : 0;
  const std::wstring_view visible = std::wstring_view(shown).substr(first);
  const int x = box.left + kFieldTextInset;
  const int y = inside.top + std::max(0, static_cast<int>(inside.bottom - inside.top - lineHeight) / 2);
  const Selection selection = Within(SelectionOf(context, control), first, shown.size());
  PaintSelectableLine(context, x, y, inside, visible, selection.start, selection.end, TextColorOf(style, enabled));
  if (focused && context.focus.caret >= first)
    PaintCaret(dc, CaretX(dc, x, visible, context.focus.caret - first), y, lineHeight, inside);
}

// Lines of a text area: CR LF, CR or LF end one.
struct TextLine {
  std::size_t start = 0;
  std::size_t end = 0;  // before the line break
};

// Up to `budget` lines from line `first` on.
std::vector<TextLine> LinesOf(std::wstring_view text, std::size_t first, std::size_t budget) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  for (std::size_t line = 0; lines.size() < budget; ++line) {
    const std::size_t end = std::min(text.find_first_of(L"\r\n", start), text.size());
    if (line >= first) lines.push_back({start, end});
    if (end == text.size()) break;
    start = end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
  }
  return lines;
}

void PaintTextArea(const PaintContext& context, std::size_t index) {
  HDC dc = context.dc;
  const auto [control, style, box, enabled, inside] = BeginSunkenField(context, index);
  const RECT bar = FieldScrollBar(box);
  RECT text = inside;
  if (bar.right > bar.left) text.right = bar.left;
  const int lineHeight = UseControlFont(context);
  const std::u16string value = context.formState.Value(control);
  const std::wstring_view shown = Wide(value);
  const ScrollExtent extent{LineCountOf(value), TextAreaLinesShown(box.bottom - box.top, lineHeight)};
  const std::size_t first = extent.Clamped(context.focus.scroll.FirstShown(control));
  // Only the rows that fit are drawn (the last one perhaps in part).
  const std::size_t rows =
      static_cast<std::size_t>(std::max(1, static_cast<int>(text.bottom - text.top) / lineHeight + 1));
  const std::vector<TextLine> lines = LinesOf(shown, first, rows + 1);
  const bool focused = IsFocused(context, control);
  const Selection selection = SelectionOf(context, control);
  const int x = box.left + kFieldTextInset;
  int y = box.top + kFieldTextInset;
  for (const TextLine& line : lines) {
    const std::wstring_view words = shown.substr(line.start, line.end - line.start);
    const Selection part = Within(selection, line.start, line.end);
    PaintSelectableLine(context, x, y, text, words, part.start, part.end, TextColorOf(style, enabled));
    if (focused && context.focus.caret >= line.start && context.focus.caret <= line.end)
      PaintCaret(dc, CaretX(dc, x, words, context.focus.caret - line.start), y, lineHeight, text);
    y += lineHeight;
  }
  const bool overflows =
      first > 0 || lines.size() > rows || static_cast<int>(lines.size()) * lineHeight > text.bottom - text.top;
  if (bar.right > bar.left)
    PaintVerticalScrollBar(context, bar, overflows ? Enabled::Yes : Enabled::No, first, extent.LastFirst());
}

std::wstring ButtonLabel(const Element& control) {
  if (control.Is(TagId::Button)) return std::wstring(Wide(OptionText(control)));
  if (const vellum::engine::Attribute* value = control.FindAttribute(u"value")) return std::wstring(Wide(value->value));
  std::u16string type = vellum::engine::ToAsciiLower(AttributeText(control, u"type"));
  if (type == u"submit") return L"Submit Query";
  if (type == u"reset") return L"Reset";
  return std::wstring();
}

Pressed PressedOf(const PaintContext& context, const Element& control) {
  return IsFocused(context, control) && context.focus.pressed ? Pressed::Yes : Pressed::No;
}

void PaintFocusInside(HDC dc, RECT rect, int inset, Pressed pressed) {
  InflateRect(&rect, -inset, -inset);
  if (pressed == Pressed::Yes) OffsetRect(&rect, 1, 1);
  if (rect.right > rect.left && rect.bottom > rect.top) DrawFocusRect(dc, &rect);
}

void PaintButton(const PaintContext& context, std::size_t index) {
  const Element& control = *context.BoxAt(index).element;
  const RECT box = context.BorderRect(index);
  const Pressed pressed = PressedOf(context, control);
  PaintPushButton(context, box, ButtonLabel(control), pressed, EnabledOf(control));
  if (IsFocused(context, control)) PaintFocusInside(context.dc, box, 4, pressed);
}

void PaintCheckOrRadio(const PaintContext& context, std::size_t index, Look look) {
  const Element& control = *context.BoxAt(index).element;
  const RECT box = context.BorderRect(index);
  const int size = std::min<int>({kCheckBoxSize, box.right - box.left, box.bottom - box.top});
  if (size <= 0) return;
  const int top = box.top + (box.bottom - box.top - size) / 2;
  RECT mark = {box.left, top, box.left + size, top + size};
  UINT state = look == Look::Radio ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK;
  if (context.formState.Checked(control)) state |= DFCS_CHECKED;
  if (PressedOf(context, control) == Pressed::Yes) state |= DFCS_PUSHED;
  if (EnabledOf(control) == Enabled::No) state |= DFCS_INACTIVE;
  PaintCheckMark(context, mark, state);
  if (IsFocused(context, control)) {
    InflateRect(&mark, 1, 1);
    DrawFocusRect(context.dc, &mark);
  }
}

void PaintFileInput(const PaintContext& context, std::size_t index) {
  HDC dc = context.dc;
  const Element& control = *context.BoxAt(index).element;
  const BoxPaint& style = context.styles[index];
  const RECT box = context.BorderRect(index);
  const Enabled enabled = EnabledOf(control);
  const int buttonWidth = std::min<int>(kBrowseButtonWidth, box.right - box.left);
  constexpr int kGap = 2;  // between the field and its button
  const RECT field = {box.left, box.top, std::max<LONG>(box.left, box.right - buttonWidth), box.bottom};
  const RECT button = {field.right + (field.right > field.left ? kGap : 0), box.top, box.right, box.bottom};
  if (field.right > field.left) {
    const RECT inside = PaintSunkenField(context, field, style, enabled);
    const int lineHeight = UseControlFont(context);
    const int y = inside.top + std::max(0, static_cast<int>(inside.bottom - inside.top - lineHeight) / 2);
    PaintSelectableLine(context, field.left + kFieldTextInset, y, inside, Wide(context.formState.Value(control)), 0, 0,
                        TextColorOf(style, enabled));
  }
  const Pressed pressed = PressedOf(context, control);
  PaintPushButton(context, button, L"Browse...", pressed, enabled);
  if (IsFocused(context, control)) PaintFocusInside(dc, button, 4, pressed);
}

Look InputLook(const Element& input) {
  if (vellum::engine::EqualsIgnoringAsciiCase(AttributeText(input, u"type"), u"image")) return Look::Image;
  switch (ControlKindOf(input)) {
    case ControlKind::TextBox:
      return Look::TextBox;
    case ControlKind::Password:
      return Look::Password;
    case ControlKind::CheckBox:
      return Look::CheckBox;
    case ControlKind::Radio:
      return Look::Radio;
    case ControlKind::FileInput:
      return Look::FileInput;
    case ControlKind::PushButton:
      return Look::PushButton;
    case ControlKind::None:
      return Look::Nothing;
    default:
      return Look::TextBox;
  }
}

}  // namespace

Look LookOf(const Element& element) {
  if (!element.IsHtml()) return Look::Box;
  switch (element.GetTagId()) {
    case TagId::Input:
      return InputLook(element);
    case TagId::Textarea:
      return Look::TextArea;
    case TagId::Button:
      return Look::PushButton;
    case TagId::Select:
      return IsDropDown(element) ? Look::DropDown : Look::ListBox;
    case TagId::Fieldset:
      return Look::Fieldset;
    case TagId::Img:
      return Look::Image;
    case TagId::Object:
    case TagId::Embed:
    case TagId::Applet:
    case TagId::Iframe:
      return Look::Object;
    default:
      return Look::Box;
  }
}

void PaintControl(const PaintContext& context, std::size_t index, Look look) {
  switch (look) {
    case Look::TextBox:
    case Look::Password:
      PaintTextBox(context, index, look);
      break;
    case Look::PushButton:
      PaintButton(context, index);
      break;
    case Look::CheckBox:
    case Look::Radio:
      PaintCheckOrRadio(context, index, look);
      break;
    case Look::FileInput:
      PaintFileInput(context, index);
      break;
    case Look::TextArea:
      PaintTextArea(context, index);
      break;
    case Look::ListBox:
      PaintListBox(context, index);
      break;
    case Look::DropDown:
      PaintDropDown(context, index);
      break;
    case Look::Fieldset:
      PaintFieldsetFrame(context, index);
      break;
    case Look::Image:
      PaintImage(context, index);
      break;
    case Look::Object:
      PaintObjectPlaceholder(context, index);
      break;
    case Look::Box:
    case Look::Nothing:
      break;
  }
}

}  // namespace vellum::engine::com
