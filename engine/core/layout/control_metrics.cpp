#include "layout/control_metrics.h"

#include <algorithm>

#include "css/css_text.h"
#include "dom/character_data.h"

namespace vellum::engine::layout {
namespace {

using css::EqualsIgnoringAsciiCase;
using css::IsAsciiDigit;
using css::IsCssWhitespace;
using css::TrimCssWhitespace;

// Edit boxes and text areas are as wide as this many pixels a character, whatever the font.
constexpr double kControlCharWidth = 7;
constexpr double kEditHeight = 20;
constexpr double kEditPadding = 10;       // frame and inner margins of an edit box
constexpr double kDefaultEditChars = 20;  // an input without a size attribute
constexpr double kButtonHeight = 22;
constexpr double kButtonPadding = 16;
constexpr double kCheckBoxSize = 13;
constexpr double kBrowseButtonWidth = 75;  // the button beside a file input's edit box
constexpr double kScrollBarWidth = 17;
constexpr double kListItemHeight = 16;
constexpr double kListFrame = 4;
constexpr double kDefaultListRows = 4;  // a multiple select without a size
constexpr double kDefaultTextAreaCols = 20;
constexpr double kDefaultTextAreaRows = 2;
constexpr Size kBrokenImageSize{28, 30};
constexpr Size kObjectSize{150, 150};
constexpr Size kFrameSize{300, 150};
// Attribute sizes beyond this are taken as this; no form needs more.
constexpr int kAttributeSizeLimit = 100000;
// Options of a select looked at for its width.
constexpr std::size_t kMeasuredOptionBudget = 1024;
// Characters of a label or option measured; a longer one is as wide as its beginning.
constexpr std::size_t kMeasuredTextLimit = 4096;

std::u16string_view AttributeText(const Element& element, std::u16string_view name) {
  const Attribute* attribute = element.FindAttribute(name);
  return attribute ? std::u16string_view(attribute->value) : std::u16string_view();
}

// A size attribute's leading digits ("20", "100px" is read as 100); empty when there are none.
std::optional<int> AttributeNumber(const Element& element, std::u16string_view name) {
  const std::u16string_view text = TrimCssWhitespace(AttributeText(element, name));
  int value = 0;
  std::size_t digits = 0;
  while (digits < text.size() && IsAsciiDigit(text[digits])) {
    value = std::min(value * 10 + (text[digits] - u'0'), kAttributeSizeLimit);
    ++digits;
  }
  if (digits == 0 || (digits < text.size() && text[digits] == u'%')) {
    return std::nullopt;
  }
  return value;
}

// The text a control shows for the node's descendants: blanks collapsed to one, none at either end.
class ShownText {
 public:
  void Add(std::u16string_view text) {
    for (char16_t c : text) {
      if (IsCssWhitespace(c)) {
        blankPending_ = !text_.empty();
        continue;
      }
      if (text_.size() + 2 > kMeasuredTextLimit) {
        return;
      }
      if (blankPending_) {
        text_ += u' ';
      }
      text_ += c;
      blankPending_ = false;
    }
  }
  void AddDescendants(const Node& node, std::size_t& budget) {
    for (const Node* child = node.FirstChild(); child && budget > 0; child = child->NextSibling()) {
      --budget;
      if (const Text* text = AsText(child)) {
        Add(text->Data());
      } else if (child->IsElement()) {
        AddDescendants(*child, budget);
      }
    }
  }
  const std::u16string& GetText() const { return text_; }

 private:
  std::u16string text_;
  bool blankPending_ = false;
};

double ControlTextWidth(std::u16string_view text, TextMeasurer& measurer) {
  return text.empty() ? 0.0 : measurer.Width(measurer.ControlFont(), text);
}

Size SizeFromAttributes(const Element& element, Size fallback) {
  const std::optional<int> width = AttributeNumber(element, u"width");
  const std::optional<int> height = AttributeNumber(element, u"height");
  return {width ? *width : fallback.width, height ? *height : fallback.height};
}

// An input's label is drawn as written, blanks included.
Size ButtonSize(std::u16string_view label, TextMeasurer& measurer) {
  label = label.substr(0, std::min(label.size(), kMeasuredTextLimit));
  return {ControlTextWidth(label, measurer) + kButtonPadding, kButtonHeight};
}

Size InputSize(const Element& input, TextMeasurer& measurer) {
  const std::u16string_view type = TrimCssWhitespace(AttributeText(input, u"type"));
  auto is = [&](std::string_view name) { return EqualsIgnoringAsciiCase(type, name); };
  if (is("hidden")) {
    return {};
  }
  if (is("checkbox") || is("radio")) {
    return {kCheckBoxSize, kCheckBoxSize};
  }
  if (is("button") || is("submit") || is("reset")) {
    const Attribute* value = input.FindAttribute(u"value");
    const std::u16string_view label = value          ? std::u16string_view(value->value)
                                      : is("submit") ? std::u16string_view(u"Submit Query")
                                      : is("reset")  ? std::u16string_view(u"Reset")
                                                     : std::u16string_view();
    return ButtonSize(label, measurer);
  }
  if (is("image")) {
    return SizeFromAttributes(input, kBrokenImageSize);
  }
  const std::optional<int> chars = AttributeNumber(input, u"size");
  const double editWidth = (chars && *chars > 0 ? *chars : kDefaultEditChars) * kControlCharWidth + kEditPadding;
  if (is("file")) {
    return {editWidth + kBrowseButtonWidth, kEditHeight};
  }
  return {editWidth, kEditHeight};
}

Size SelectSize(const Element& select, TextMeasurer& measurer) {
  double longest = 0;
  std::size_t budget = kMeasuredOptionBudget;
  for (const Node* child = select.FirstChild(); child && budget > 0; child = child->NextSibling()) {
    const Element* element = AsElement(child);
    if (element && (element->Is(TagId::Option) || element->Is(TagId::Optgroup))) {
      ShownText shown;
      shown.AddDescendants(*element, budget);
      longest = std::max(longest, ControlTextWidth(shown.GetText(), measurer));
    }
  }
  const double width = longest + kEditPadding + kScrollBarWidth;
  const std::optional<int> size = AttributeNumber(select, u"size");
  const bool list = (size && *size > 1) || select.HasAttribute(u"multiple");
  if (!list) {
    return {width, kEditHeight};
  }
  const double rows = size && *size > 1 ? *size : kDefaultListRows;
  return {width, rows * kListItemHeight + kListFrame};
}

Size TextAreaSize(const Element& textArea) {
  const std::optional<int> cols = AttributeNumber(textArea, u"cols");
  const std::optional<int> rows = AttributeNumber(textArea, u"rows");
  const double columns = cols && *cols > 0 ? *cols : kDefaultTextAreaCols;
  const double lines = rows && *rows > 0 ? *rows : kDefaultTextAreaRows;
  return {columns * kControlCharWidth + kEditPadding + kScrollBarWidth, lines * kListItemHeight + kListFrame};
}

Size ButtonElementSize(const Element& button, TextMeasurer& measurer) {
  ShownText shown;
  std::size_t budget = kMeasuredOptionBudget;
  shown.AddDescendants(button, budget);
  return {ControlTextWidth(shown.GetText(), measurer) + kButtonPadding, kButtonHeight};
}

}  // namespace

std::optional<Size> NaturalControlSize(const Element& element, TextMeasurer& measurer) {
  if (!element.IsHtml()) {
    return std::nullopt;
  }
  switch (element.GetTagId()) {
    case TagId::Input:
      return InputSize(element, measurer);
    case TagId::Select:
      return SelectSize(element, measurer);
    case TagId::Textarea:
      return TextAreaSize(element);
    case TagId::Img:
      return SizeFromAttributes(element, kBrokenImageSize);
    case TagId::Object:
    case TagId::Embed:
    case TagId::Applet:
      return SizeFromAttributes(element, kObjectSize);
    case TagId::Iframe:
      return SizeFromAttributes(element, kFrameSize);
    case TagId::Button:
      return ButtonElementSize(element, measurer);
    default:
      return std::nullopt;
  }
}

}  // namespace vellum::engine::layout
