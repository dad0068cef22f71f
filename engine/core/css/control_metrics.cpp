#include "css/control_metrics.h"

#include <algorithm>

#include "css/css_text.h"
#include "dom/character_data.h"

namespace vellum::engine::css {
namespace {

// The platform's controls draw their text in the GUI font, whatever the page's font.
constexpr double kControlCharWidth = 7;
constexpr double kEditHeight = 20;
constexpr double kEditPadding = 10;        // frame and inner margins of an edit box
constexpr double kDefaultEditChars = 20;   // an input without a size attribute
constexpr double kButtonHeight = 22;
constexpr double kButtonPadding = 16;
constexpr double kCheckBoxSize = 13;
constexpr double kBrowseButtonWidth = 75;  // the button beside a file input's edit box
constexpr double kScrollBarWidth = 17;
constexpr double kListItemHeight = 16;
constexpr double kListFrame = 4;
constexpr double kDefaultListRows = 4;     // a multiple select without a size
constexpr double kDefaultTextAreaCols = 20;
constexpr double kDefaultTextAreaRows = 2;
constexpr Size kBrokenImageSize{28, 30};
constexpr Size kObjectSize{150, 150};
constexpr Size kFrameSize{300, 150};
// Attribute sizes beyond this are taken as this; no form needs more.
constexpr int kAttributeSizeLimit = 100000;
// Options of a select looked at for its width.
constexpr std::size_t kMeasuredOptionBudget = 1024;

std::u16string_view AttributeText(const Element& element, std::u16string_view name) {
    const Attribute* attribute = element.findAttribute(name);
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

double ControlTextWidth(std::size_t characters) { return static_cast<double>(characters) * kControlCharWidth; }

// Characters of the element's text, descendants included (bounded).
std::size_t DescendantTextLength(const Node& node, std::size_t& budget) {
    std::size_t length = 0;
    for (const Node* child = node.firstChild(); child && budget > 0; child = child->nextSibling()) {
        --budget;
        if (const Text* text = asText(child)) {
            length += CollapsedTextLength(text->data());
        } else if (child->isElement()) {
            length += DescendantTextLength(*child, budget);
        }
    }
    return length;
}

Size SizeFromAttributes(const Element& element, Size fallback) {
    const std::optional<int> width = AttributeNumber(element, u"width");
    const std::optional<int> height = AttributeNumber(element, u"height");
    return {width ? *width : fallback.width, height ? *height : fallback.height};
}

Size ButtonSize(std::size_t labelLength) {
    return {ControlTextWidth(labelLength) + kButtonPadding, kButtonHeight};
}

Size InputSize(const Element& input) {
    const std::u16string_view type = TrimCssWhitespace(AttributeText(input, u"type"));
    auto is = [&](std::string_view name) { return EqualsIgnoringAsciiCase(type, name); };
    if (is("hidden")) {
        return {};
    }
    if (is("checkbox") || is("radio")) {
        return {kCheckBoxSize, kCheckBoxSize};
    }
    if (is("button") || is("submit") || is("reset")) {
        const Attribute* value = input.findAttribute(u"value");
        const std::u16string_view label = value ? std::u16string_view(value->value)
                                          : is("submit")    ? std::u16string_view(u"Submit Query")
                                          : is("reset")     ? std::u16string_view(u"Reset")
                                                            : std::u16string_view();
        return ButtonSize(label.size());
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

Size SelectSize(const Element& select) {
    std::size_t longest = 0;
    std::size_t budget = kMeasuredOptionBudget;
    for (const Node* child = select.firstChild(); child && budget > 0; child = child->nextSibling()) {
        const Element* element = asElement(child);
        if (element && (element->is(TagId::Option) || element->is(TagId::Optgroup))) {
            longest = std::max(longest, DescendantTextLength(*element, budget));
        }
    }
    const double width = ControlTextWidth(longest) + kEditPadding + kScrollBarWidth;
    const std::optional<int> size = AttributeNumber(select, u"size");
    const bool list = (size && *size > 1) || select.hasAttribute(u"multiple");
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

}  // namespace

double AverageCharWidthPx(double fontSizePx) { return fontSizePx * 7.0 / 16.0; }

double TextLineHeightPx(double fontSizePx) { return fontSizePx * 1.15; }

std::size_t CollapsedTextLength(std::u16string_view text) {
    std::size_t length = 0;
    bool inBlanks = false;
    bool anyVisible = false;
    for (char16_t c : text) {
        if (IsCssWhitespace(c)) {
            inBlanks = true;
            continue;
        }
        length += (inBlanks && anyVisible) ? 2 : 1;
        inBlanks = false;
        anyVisible = true;
    }
    return length;
}

std::optional<Size> NaturalControlSize(const Element& element) {
    if (!element.isHtml()) {
        return std::nullopt;
    }
    switch (element.tagId()) {
    case TagId::Input: return InputSize(element);
    case TagId::Select: return SelectSize(element);
    case TagId::Textarea: return TextAreaSize(element);
    case TagId::Img: return SizeFromAttributes(element, kBrokenImageSize);
    case TagId::Object:
    case TagId::Embed:
    case TagId::Applet: return SizeFromAttributes(element, kObjectSize);
    case TagId::Iframe: return SizeFromAttributes(element, kFrameSize);
    case TagId::Button: {
        std::size_t budget = kMeasuredOptionBudget;
        return ButtonSize(DescendantTextLength(element, budget));
    }
    default: return std::nullopt;
    }
}

}  // namespace vellum::engine::css
