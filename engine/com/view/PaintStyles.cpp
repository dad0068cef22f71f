#include "engine/com/view/PaintStyles.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "css/css_text.h"
#include "css/element_style.h"
#include "dom/element.h"

namespace vellum::engine::com {

namespace css = vellum::engine::css;
namespace layout = vellum::engine::layout;
using css::PropertyId;

namespace {

constexpr std::array<PropertyId, 4> kBorderStyles = {PropertyId::BorderTopStyle, PropertyId::BorderRightStyle,
                                                     PropertyId::BorderBottomStyle, PropertyId::BorderLeftStyle};
constexpr std::array<PropertyId, 4> kBorderColors = {PropertyId::BorderTopColor, PropertyId::BorderRightColor,
                                                     PropertyId::BorderBottomColor, PropertyId::BorderLeftColor};
constexpr std::array<css::BoxSide, 4> kBoxSides = {css::BoxSide::Top, css::BoxSide::Right, css::BoxSide::Bottom,
                                                   css::BoxSide::Left};
// Font sizes beyond this are drawn at this size; nothing on a form needs more.
constexpr int kLargestFontPx = 1000;

COLORREF ToColorRef(css::Rgb rgb) { return RGB(rgb.r, rgb.g, rgb.b); }

// Transparent gives nothing; currentcolor is the element's own colour.
std::optional<COLORREF> Resolve(const css::Color& color, COLORREF current) {
  switch (color.kind) {
    case css::ColorKind::Transparent:
      return std::nullopt;
    case css::ColorKind::CurrentColor:
      return current;
    case css::ColorKind::System:
      return color.systemIndex >= 0 ? GetSysColor(color.systemIndex) : ToColorRef(color.rgb);
    case css::ColorKind::Rgb:
      break;
  }
  return ToColorRef(color.rgb);
}

BorderLine LineOf(std::u16string_view word) {
  if (word == u"solid") return BorderLine::Solid;
  if (word == u"dotted") return BorderLine::Dotted;
  if (word == u"dashed") return BorderLine::Dashed;
  if (word == u"double") return BorderLine::Double;
  if (word == u"groove") return BorderLine::Groove;
  if (word == u"ridge") return BorderLine::Ridge;
  if (word == u"inset") return BorderLine::Inset;
  if (word == u"outset") return BorderLine::Outset;
  return BorderLine::None;
}

// A page naming more families than this is served by the first of them.
constexpr std::size_t kFamilyBudget = 8;

// A family of a font-family list, unquoted, with the generic families mapped to the fonts the
// platform has for them; LOGFONT holds 31 characters and the terminator.
std::wstring PlatformFamily(std::u16string_view name) {
  name = css::TrimCssWhitespace(name);
  if (name.size() >= 2 && (name.front() == u'"' || name.front() == u'\'') && name.back() == name.front())
    name = css::TrimCssWhitespace(name.substr(1, name.size() - 2));
  struct Generic {
    std::string_view name;
    const wchar_t* font;
  };
  static constexpr Generic kGenerics[] = {{"serif", L"Times New Roman"},
                                          {"sans-serif", L"Arial"},
                                          {"monospace", L"Courier New"},
                                          {"cursive", L"Comic Sans MS"},
                                          {"fantasy", L"Impact"}};
  for (const Generic& generic : kGenerics)
    if (css::EqualsIgnoringAsciiCase(name, generic.name)) return generic.font;
  name = name.substr(0, std::min<std::size_t>(name.size(), LF_FACESIZE - 1));
  return std::wstring(name.begin(), name.end());
}

std::wstring FamiliesOf(std::u16string_view list) {
  std::wstring families;
  std::size_t count = 0;
  while (count < kFamilyBudget) {
    const std::size_t comma = std::min(list.find(u','), list.size());
    const std::wstring name = PlatformFamily(list.substr(0, comma));
    if (!name.empty()) {
      families += name;
      families += L',';
      ++count;
    }
    if (comma == list.size()) break;
    list.remove_prefix(comma + 1);
  }
  return families;
}

TextLine LinesOf(std::u16string_view decoration) {
  TextLine lines = TextLine::None;
  if (decoration.find(u"underline") != std::u16string_view::npos) lines = lines | TextLine::Underline;
  if (decoration.find(u"overline") != std::u16string_view::npos) lines = lines | TextLine::Overline;
  if (decoration.find(u"line-through") != std::u16string_view::npos) lines = lines | TextLine::LineThrough;
  return lines;
}

BoxPaint PaintOf(const css::ComputedStyle& style, layout::TextMeasurer& measurer) {
  BoxPaint paint;
  paint.box = layout::ExtractBoxStyle(style, measurer);
  paint.color = Resolve(style.ColorOf(PropertyId::Color), 0).value_or(0);
  paint.background = Resolve(style.ColorOf(PropertyId::BackgroundColor), paint.color);
  for (std::size_t side = 0; side < 4; ++side) {
    BorderSide& border = paint.border[side];
    border.line = LineOf(style.Longhand(kBorderStyles[side]));
    border.width = border.line == BorderLine::None
                       ? 0
                       : static_cast<int>(std::lround(std::clamp(style.BorderWidthPx(kBoxSides[side]), 0.0, 1e4)));
    if (border.width == 0) border.line = BorderLine::None;
    border.color = Resolve(style.ColorOf(kBorderColors[side]), paint.color).value_or(paint.color);
  }
  const layout::FontQuery query = layout::FontQueryOf(style);
  paint.font = DescribeFont(query);
  paint.font.lines = LinesOf(style.Longhand(PropertyId::TextDecoration));
  paint.textCase = query.textCase;
  const std::u16string& visibility = style.Longhand(PropertyId::Visibility);
  paint.visible = visibility != u"hidden" && visibility != u"collapse";
  return paint;
}

// The computed style of one element on the path from the root to the box being resolved.
struct StyleFrame {
  const css::StyleCache::Entry* entry = nullptr;
  std::unique_ptr<css::StyleCache::Entry> scratch;  // the style, when the cache keeps none for it
};

}  // namespace

int FontPixelSize(double sizePx) {
  const double size = std::isnan(sizePx) ? 0.0 : std::clamp(sizePx, 0.0, 1e6);
  return std::clamp(static_cast<int>(std::lround(size)), 1, kLargestFontPx);
}

FontDescription DescribeFont(const layout::FontQuery& query) {
  FontDescription described;
  described.families = FamiliesOf(query.families);
  described.pixelSize = FontPixelSize(query.sizePx);
  described.weight = query.weight;
  described.slant = query.italic ? FontSlant::Italic : FontSlant::Upright;
  return described;
}

bool BoxPaint::HasBorder() const {
  return std::any_of(border.begin(), border.end(), [](const BorderSide& side) { return side.width > 0; });
}

const std::vector<BoxPaint>& CPaintStyles::For(vellum::engine::Document& tree, const layout::LayoutTree& layout,
                                               layout::TextMeasurer& measurer, css::StyleCache& kept) {
  if (tree_ != &tree || version_ != tree.Version() || styles_.size() != layout.Boxes().size()) {
    Resolve(tree, layout, measurer, kept);
    tree_ = &tree;
    version_ = tree.Version();
  }
  return styles_;
}

void CPaintStyles::Resolve(vellum::engine::Document& tree, const layout::LayoutTree& layout,
                           layout::TextMeasurer& measurer, css::StyleCache& kept) {
  tree_ = nullptr;  // until the last box is resolved: running out of memory half-way resolves again
  const std::vector<layout::Box>& boxes = layout.Boxes();
  // Each entry is assigned over the last resolve's, so that its font's name reuses the text it had (a
  // page of thousands of boxes would otherwise free and make a string for each).
  styles_.resize(boxes.size());
  generations_.resize(boxes.size());
  resolvedFrom_.resize(boxes.size());
  const std::vector<const css::StyleCache::Entry*>& found = layout.KeptStyles();
  bool passBegun = false;
  const vellum::engine::Element* body = tree.Body();
  // Boxes come in document order with their depth, so the open ancestors form a stack indexed by depth.
  std::vector<StyleFrame> chain;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const layout::Box& box = boxes[i];
    const auto depth = static_cast<std::size_t>(std::max(0, box.depth));
    if (chain.size() > depth) chain.resize(depth);
    const StyleFrame* parent = depth > 0 && depth <= chain.size() ? &chain[depth - 1] : nullptr;
    StyleFrame frame;
    frame.entry = i < found.size() ? found[i] : nullptr;
    if (!frame.entry) {
      // A style the layout found without keeping it (past the cache's budget) is computed again.
      if (!passBegun) kept.BeginPass(tree);
      passBegun = true;
      frame.entry = &kept.StyleOf(*box.element, parent ? parent->entry : nullptr, frame.scratch);
    }
    const css::StyleCache::Entry& computed = *frame.entry;
    // The same element with the same kept style as the last time keeps what it was resolved to: after a
    // move of a few elements of thousands, nearly all of them.
    const bool same = !frame.scratch && i < resolvedFrom_.size() && resolvedFrom_[i].element == box.element &&
                      resolvedFrom_[i].entry == &computed && generations_[i] == computed.Generation() &&
                      resolvedFrom_[i].root == (i == 0 || box.element == body);
    if (!same) {
      BoxPaint& paint = styles_[i];
      paint = computed.Derived<BoxPaint>(css::StyleCache::Entry::Use::Paint, &measurer,
                                         [&] { return PaintOf(computed.Style(), measurer); });
      // The root and the body fill the viewport as blocks, whatever their display says (as in layout).
      if (i == 0 || box.element == body) paint.box.display = layout::Display::Block;
      generations_[i] = computed.Generation();
    }
    resolvedFrom_[i] = {box.element, frame.scratch ? nullptr : &computed, i == 0 || box.element == body};
    chain.resize(depth);
    chain.push_back(std::move(frame));
  }
}

}  // namespace vellum::engine::com
