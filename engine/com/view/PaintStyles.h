// What painting needs of each box's computed style. The layout keeps only geometry, so the styles are
// resolved again here, once per version of the page: repaints after that only read this table.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "css/style_cache.h"
#include "dom/document.h"
#include "layout/box_style.h"
#include "layout/layout_tree.h"
#include "layout/text_measurer.h"

namespace vellum::engine::com {

enum class BorderLine : std::uint8_t { None, Solid, Dotted, Dashed, Double, Groove, Ridge, Inset, Outset };
using TextCase = vellum::engine::layout::TextCase;
enum class FontSlant : std::uint8_t { Upright, Italic };
enum class TextLine : std::uint8_t { None = 0, Underline = 1, Overline = 2, LineThrough = 4 };

inline TextLine operator|(TextLine a, TextLine b) {
  return static_cast<TextLine>(static_cast<std::uint8_t>(a) | static_cast<std::uint8_t>(b));
}
inline bool Has(TextLine set, TextLine one) {
  return (static_cast<std::uint8_t>(set) & static_cast<std::uint8_t>(one)) != 0;
}

struct BorderSide {
  BorderLine line = BorderLine::None;
  int width = 0;  // used width in pixels (0 without a line)
  COLORREF color = 0;
};

// Enough to create the GDI font; equal descriptions share one font.
struct FontDescription {
  std::wstring families;  // the families named, unquoted, generic names mapped; each followed by a comma
  int pixelSize = 16;     // em height
  int weight = FW_NORMAL;
  FontSlant slant = FontSlant::Upright;
  TextLine lines = TextLine::None;  // underline and line-through are the font's own
  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

// The font a query of layout's stands for (without lines: they do not change the text's advance).
FontDescription DescribeFont(const vellum::engine::layout::FontQuery& query);
// The em height fonts are made with for a computed font size.
int FontPixelSize(double sizePx);

enum class Side : std::uint8_t { Top, Right, Bottom, Left };

struct BoxPaint {
  vellum::engine::layout::BoxStyle box;  // what layout read: insets, margins, flow role, text metrics
  std::optional<COLORREF> background;    // none when transparent
  std::array<BorderSide, 4> border;      // indexed by Side
  COLORREF color = 0;                    // text
  FontDescription font;
  TextCase textCase = TextCase::AsWritten;
  bool visible = true;  // visibility: visible

  const BorderSide& BorderOf(Side side) const { return border[static_cast<std::size_t>(side)]; }
  bool HasBorder() const;
};

class CPaintStyles {
 public:
  // One entry per box of the layout, parallel to its Boxes(); resolved again only when the tree
  // changed since the last call (or another tree is asked about).
  // `measurer` is the one the layout was made with.
  // `kept` holds the computed styles the layout kept, which the boxes' styles are read from.
  const std::vector<BoxPaint>& For(vellum::engine::Document& tree, const vellum::engine::layout::LayoutTree& layout,
                                   vellum::engine::layout::TextMeasurer& measurer,
                                   vellum::engine::css::StyleCache& kept);
  void Forget() {
    styles_.clear();
    generations_.clear();
    resolvedFrom_.clear();
    tree_ = nullptr;
  }
  // Parallel to the styles: the generation of the computed style each was made from, which changes
  // whenever that style is computed again.
  const std::vector<std::uint64_t>& Generations() const { return generations_; }

 private:
  void Resolve(vellum::engine::Document& tree, const vellum::engine::layout::LayoutTree& layout,
               vellum::engine::layout::TextMeasurer& measurer, vellum::engine::css::StyleCache& kept);

  std::vector<BoxPaint> styles_;
  std::vector<std::uint64_t> generations_;
  // Parallel to the styles: what each was resolved from (the kept style, compared only; null when the
  // style was not kept) and whether it was the root's or the body's.
  struct ResolvedFrom {
    const vellum::engine::Element* element = nullptr;
    const vellum::engine::css::StyleCache::Entry* entry = nullptr;
    bool root = false;
  };
  std::vector<ResolvedFrom> resolvedFrom_;
  const vellum::engine::Document* tree_ = nullptr;  // compared only
  std::uint64_t version_ = 0;
};

}  // namespace vellum::engine::com
