#include "css/simple_box.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "css/control_metrics.h"
#include "css/css_text.h"
#include "css/length.h"

namespace vellum::engine::css {
namespace {

// Content nested deeper than this below the measured element counts as empty (and keeps the
// measuring recursion shallow).
constexpr int kMeasureDepthBudget = 32;

struct Point {
    double x = 0;
    double y = 0;
};

struct Edges {
    double top = 0, right = 0, bottom = 0, left = 0;
};

enum class Axis : std::uint8_t { Horizontal, Vertical };

bool IsRootOrBody(const Element& element) {
    return element.is(TagId::Body) || element.is(TagId::Html) || !element.parentElement();
}

bool IsPositioned(const ComputedStyle& style) { return style.Longhand(PropertyId::Position) != u"static"; }

bool IsOutOfFlow(const ComputedStyle& style) {
    const std::u16string& position = style.Longhand(PropertyId::Position);
    return position == u"absolute" || position == u"fixed";
}

bool IsHidden(const ComputedStyle& style) { return style.Longhand(PropertyId::Display) == u"none"; }

bool IsInlineLevel(const ComputedStyle& style) {
    const std::u16string& display = style.Longhand(PropertyId::Display);
    return display == u"inline" || display == u"inline-block" || display == u"inline-table";
}

Edges Margins(const ComputedStyle& style) {
    auto px = [&](PropertyId id) { return style.LengthPx(id).value_or(0.0); };
    return {px(PropertyId::MarginTop), px(PropertyId::MarginRight), px(PropertyId::MarginBottom),
            px(PropertyId::MarginLeft)};
}

// Border plus padding: what lies between the border edge and the content.
Edges Insets(const ComputedStyle& style) {
    auto padding = [&](PropertyId id) { return std::max(0.0, style.LengthPx(id).value_or(0.0)); };
    return {style.BorderWidthPx(BoxSide::Top) + padding(PropertyId::PaddingTop),
            style.BorderWidthPx(BoxSide::Right) + padding(PropertyId::PaddingRight),
            style.BorderWidthPx(BoxSide::Bottom) + padding(PropertyId::PaddingBottom),
            style.BorderWidthPx(BoxSide::Left) + padding(PropertyId::PaddingLeft)};
}

Edges Paddings(const ComputedStyle& style) {
    auto padding = [&](PropertyId id) { return std::max(0.0, style.LengthPx(id).value_or(0.0)); };
    return {padding(PropertyId::PaddingTop), padding(PropertyId::PaddingRight), padding(PropertyId::PaddingBottom),
            padding(PropertyId::PaddingLeft)};
}

double LineHeightPx(const ComputedStyle& style) {
    const std::u16string& text = style.Longhand(PropertyId::LineHeight);
    const double fontSize = style.FontSizePx();
    if (std::optional<double> factor = ParseNumber(text)) {
        return *factor * fontSize;
    }
    if (std::optional<double> px = LengthTextToPx(text, LengthContext{fontSize, fontSize})) {
        return *px;
    }
    return TextLineHeightPx(fontSize);
}

int RoundToInt(double value) {
    constexpr double kLimit = 1e9;
    return static_cast<int>(std::lround(std::clamp(value, -kLimit, kLimit)));
}

class BoxEstimator {
public:
    explicit BoxEstimator(ElementStyleResolver& styles) : styles_(styles) {}

    BoxEstimate Estimate(const Element& element) {
        if (InHiddenSubtree(element)) {
            return {};
        }
        const Size size = BorderBox(element, 0);
        const Point position = IsRootOrBody(element) ? Point{} : Position(element);
        return {RoundToInt(position.x), RoundToInt(position.y), RoundToInt(size.width), RoundToInt(size.height)};
    }

    const Element* OffsetParent(const Element& element) {
        if (IsRootOrBody(element)) {
            return nullptr;
        }
        const Element* last = nullptr;
        for (const Element* p = element.parentElement(); p; p = p->parentElement()) {
            if (p->is(TagId::Body) || IsPositioned(styles_.StyleOf(*p))) {
                return p;
            }
            last = p;
        }
        return last;
    }

private:
    struct FlowResult {
        Size extent;
        std::optional<Point> target;  // where the target child's border box begins
    };

    const ComputedStyle& StyleOf(const Element& element) { return styles_.StyleOf(element); }

    bool InHiddenSubtree(const Element& element) {
        for (const Element* e = &element; e; e = e->parentElement()) {
            if (IsHidden(StyleOf(*e))) {
                return true;
            }
        }
        return false;
    }

    bool TakeNode() {
        if (nodesLeft_ == 0) {
            return false;
        }
        --nodesLeft_;
        return true;
    }

    // The style's value in pixels. Percentages are of the containing block: the offset parent for an
    // out-of-flow element, else the parent; an ancestor whose style leaves that dimension auto passes
    // the question on to its own. Empty for auto, and for percentages that reach no absolute size.
    std::optional<double> SpecifiedPx(const Element& element, PropertyId id, Axis axis) {
        const ComputedStyle& style = StyleOf(element);
        std::optional<Length> length = ParseLength(style.Longhand(id));
        if (!length) {
            return std::nullopt;
        }
        const PropertyId dimension = axis == Axis::Horizontal ? PropertyId::Width : PropertyId::Height;
        const Element* base = IsOutOfFlow(style) ? OffsetParent(element) : element.parentElement();
        double factor = 1.0;
        while (length->unit == LengthUnit::Percent) {
            factor *= length->value / 100.0;
            for (; base; base = base->parentElement()) {
                if (std::optional<Length> given = ParseLength(StyleOf(*base).Longhand(dimension))) {
                    length = given;
                    break;
                }
            }
            if (!base) {
                return std::nullopt;
            }
            base = base->parentElement();
        }
        return factor * ToPx(*length, LengthContext{style.FontSizePx(), 0.0});
    }

    Size BorderBox(const Element& element, int depth) {
        std::optional<double> width = SpecifiedPx(element, PropertyId::Width, Axis::Horizontal);
        std::optional<double> height = SpecifiedPx(element, PropertyId::Height, Axis::Vertical);
        if (!(width && height) && !IsRootOrBody(element)) {
            const Size natural = NaturalSize(element, depth);
            width = width.value_or(natural.width);
            height = height.value_or(natural.height);
        }
        return {std::max(0.0, width.value_or(0.0)), std::max(0.0, height.value_or(0.0))};
    }

    Size NaturalSize(const Element& element, int depth) {
        if (std::optional<Size> control = NaturalControlSize(element)) {
            return *control;
        }
        const ComputedStyle& style = StyleOf(element);
        const Size content = depth < kMeasureDepthBudget ? Flow(element, nullptr, depth + 1).extent : Size{};
        const Edges insets = Insets(style);
        return {content.width + insets.left + insets.right, content.height + insets.top + insets.bottom};
    }

    // Places the in-flow children of `parent` in rows, relative to its content box. With a target,
    // stops once the target is placed.
    FlowResult Flow(const Element& parent, const Element* target, int depth) {
        const ComputedStyle& parentStyle = StyleOf(parent);
        const double lineHeight = LineHeightPx(parentStyle);
        const double charWidth = AverageCharWidthPx(parentStyle.FontSizePx());
        FlowResult result;
        double y = 0, lineX = 0, lineTall = 0, widest = 0;
        bool lineOpen = false;
        auto closeLine = [&] {
            if (lineOpen) {
                y += lineTall;
                widest = std::max(widest, lineX);
            }
            lineX = lineTall = 0;
            lineOpen = false;
        };
        for (const Node* child = parent.firstChild(); child && TakeNode(); child = child->nextSibling()) {
            if (const Text* text = asText(child)) {
                const std::size_t length = CollapsedTextLength(text->data());
                if (length > 0) {
                    lineX += static_cast<double>(length) * charWidth;
                    lineTall = std::max(lineTall, lineHeight);
                    lineOpen = true;
                }
                continue;
            }
            const Element* element = asElement(child);
            if (!element) {
                continue;
            }
            const ComputedStyle& style = StyleOf(*element);
            if (IsHidden(style)) {
                continue;
            }
            const Edges margin = Margins(style);
            if (IsOutOfFlow(style)) {
                if (element == target) {
                    result.target = Point{lineX + margin.left, y + margin.top};  // where the flow stood
                    return result;
                }
                continue;
            }
            if (element->is(TagId::Br)) {
                if (element == target) {
                    result.target = Point{lineX, y};
                    return result;
                }
                lineTall = std::max(lineTall, lineHeight);
                lineOpen = true;
                closeLine();
                continue;
            }
            const Size size = BorderBox(*element, depth);
            Point at;
            if (IsInlineLevel(style)) {
                at = {lineX + margin.left, y + margin.top};
                lineX += margin.left + size.width + margin.right;
                lineTall = std::max(lineTall, margin.top + size.height + margin.bottom);
                lineOpen = true;
            } else {
                closeLine();
                at = {margin.left, y + margin.top};
                y += margin.top + size.height + margin.bottom;
                widest = std::max(widest, margin.left + size.width + margin.right);
            }
            if (element == target) {
                result.target = at;
                return result;
            }
        }
        closeLine();
        result.extent = {widest, y};
        return result;
    }

    // The border edge relative to the offset parent's padding edge.
    Point Position(const Element& element) {
        const ComputedStyle& style = StyleOf(element);
        const Edges margin = Margins(style);
        const std::optional<double> left = SpecifiedPx(element, PropertyId::Left, Axis::Horizontal);
        const std::optional<double> top = SpecifiedPx(element, PropertyId::Top, Axis::Vertical);
        if (IsOutOfFlow(style) && left && top) {
            return {*left + margin.left, *top + margin.top};
        }
        Point at = FlowPosition(element);
        if (IsOutOfFlow(style)) {
            at.x = left ? *left + margin.left : at.x;
            at.y = top ? *top + margin.top : at.y;
        } else if (IsPositioned(style)) {
            at.x += left.value_or(0.0);
            at.y += top.value_or(0.0);
        }
        return at;
    }

    // Where the flow of the parent puts the element, relative to the offset parent. The static
    // ancestors between the element and its offset parent are placed from the top down.
    Point FlowPosition(const Element& element) {
        const Element* offsetParent = OffsetParent(element);
        std::vector<const Element*> chain;  // the element, then its static ancestors below the offset parent
        for (const Element* e = &element; e && e != offsetParent; e = e->parentElement()) {
            chain.push_back(e);
        }
        Point origin;  // content edge of the current parent
        if (offsetParent) {
            const Edges padding = Paddings(StyleOf(*offsetParent));
            origin = {padding.left, padding.top};
        }
        Point at = origin;
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const Element* parent = (*it)->parentElement();
            const std::optional<Point> placed = parent ? Flow(*parent, *it, 0).target : std::nullopt;
            at = {origin.x + (placed ? placed->x : 0.0), origin.y + (placed ? placed->y : 0.0)};
            const Edges insets = Insets(StyleOf(**it));
            origin = {at.x + insets.left, at.y + insets.top};
        }
        return at;
    }

    ElementStyleResolver& styles_;
    std::size_t nodesLeft_ = kMeasuredNodeBudget;
};

}  // namespace

BoxEstimate EstimateBox(const Element& element, ElementStyleResolver& styles) {
    return BoxEstimator(styles).Estimate(element);
}

BoxEstimate EstimateBox(const Element& element) {
    ElementStyleResolver styles(element.document());
    return EstimateBox(element, styles);
}

const Element* OffsetParentOf(const Element& element, ElementStyleResolver& styles) {
    return BoxEstimator(styles).OffsetParent(element);
}

}  // namespace vellum::engine::css
