// Layout in five passes over the boxes in document order, none of them recursive: computed styles
// top-down (each element once, with its parent's), preferred widths bottom-up, used widths top-down,
// flow and heights bottom-up, positions top-down.

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "css/css_text.h"
#include "css/element_style.h"
#include "css/style_cache.h"
#include "dom/character_data.h"
#include "dom/element.h"
#include "dom/nesting_cap.h"
#include "layout/box_style.h"
#include "layout/control_metrics.h"
#include "layout/inline_flow.h"
#include "layout/layout_tree.h"
#include "layout/paint_order.h"
#include "layout/rounding.h"
#include "layout/text_measurer.h"

namespace vellum::engine::layout {
namespace {

struct FlowItem {
  enum class Kind : std::uint8_t { Text, Child, Break };
  Kind kind = Kind::Text;
  const Text* text = nullptr;  // for Text
  int child = -1;              // box index, for Child and Break
  int next = -1;               // the box's next item in the builder's list
};

// What the passes work out for one box before it becomes a Box.
struct WorkBox {
  BoxStyle style;
  std::optional<Size> natural;  // form controls, images and objects
  // In-flow content in document order: a chain through the builder's list of items, which spares every
  // box a list of its own (thousands of allocations on a large form).
  int firstItem = -1;
  int lastItem = -1;
  int offsetParent = -1;        // box index; -1 for the root and the body
  int containingBlock = 0;      // box whose padding box an out-of-flow box is placed in
  double preferredWidth = 0;    // border box at unlimited width
  double width = 0;             // used border box
  double height = 0;
  std::optional<double> definiteHeight;  // known before the content is laid out
  FlowPoint flow;                        // border-edge origin from the parent's content edge
  double x = 0;                          // border-edge origin in document window coordinates
  double y = 0;
  int firstRun = 0;  // its text runs in the builder's list
  int runCount = 0;
};

// A text run while its box is not placed yet.
struct WorkRun {
  const Text* text = nullptr;
  std::uint32_t begin = 0;
  std::uint32_t end = 0;
  int line = 0;  // of the container's lines
  double x = 0;  // from the container's content edge
  double y = 0;
  double width = 0;
  double height = 0;
};

// The computed style of an element on the path from the root to the element being visited.
struct StyleFrame {
  const css::StyleCache::Entry* entry = nullptr;
  std::unique_ptr<css::StyleCache::Entry> scratch;  // the style, when the cache keeps none for it
  int box = -1;
};

}  // namespace

class LayoutBuilder {
 public:
  LayoutBuilder(Document& document, int viewportWidth, int viewportHeight, TextMeasurer& measurer,
                css::StyleCache& styles, std::size_t boxBudget)
      : document_(document),
        styles_(styles),
        measurer_(measurer),
        viewportWidth_(std::max(0, viewportWidth)),
        viewportHeight_(std::max(0, viewportHeight)),
        boxBudget_(boxBudget),
        body_(document.Body()) {}

  LayoutTree Build() {
    if (Element* root = document_.DocumentElement()) {
      styles_.BeginPass(document_);
      const std::size_t expected = std::min(document_.All().size(), boxBudget_);
      tree_.boxes_.reserve(expected);
      tree_.keptStyles_.reserve(expected);
      work_.reserve(expected);
      items_.reserve(2 * expected);
      chain_.reserve(64);
      CollectBoxes(*root);
      MeasurePreferredWidths();
      ResolveWidths();
      FlowContents();
      PlaceBoxes();
      Finish();
      styles_.Sweep();
    }
    return std::move(tree_);
  }

 private:
  bool IsViewportBox(int index) const {
    return index == 0 || tree_.boxes_[static_cast<std::size_t>(index)].element == body_;
  }
  WorkBox& Work(int index) { return work_[static_cast<std::size_t>(index)]; }
  int Count() const { return static_cast<int>(work_.size()); }

  // Pre-order walk that computes each style once, with the styles of the open ancestors only.
  void CollectBoxes(Element& root) {
    Node* node = &root;
    while (node) {
      bool entered = false;
      if (Element* element = AsElement(node)) {
        entered = Enter(*element);
      } else if (const Text* text = AsText(node); text && !chain_.empty()) {
        AddItem(chain_.back().box, {FlowItem::Kind::Text, text, -1});
      }
      if (entered && node->FirstChild()) {
        node = node->FirstChild();
        continue;
      }
      if (entered) {
        chain_.pop_back();
      }
      while (node != &root && !node->NextSibling()) {
        node = node->Parent();
        chain_.pop_back();
      }
      node = node == &root ? nullptr : node->NextSibling();
    }
  }

  // Gives the element a box; true when its children are to be visited (a frame is then open for it).
  bool Enter(Element& element) {
    // Only read before the frame for this element is pushed (which may move the others).
    const StyleFrame* parent = chain_.empty() ? nullptr : &chain_.back();
    if (chain_.size() >= static_cast<std::size_t>(kMaxElementNesting)) {
      return false;
    }
    if (tree_.boxes_.size() >= boxBudget_) {
      tree_.truncated_ = true;
      return false;
    }
    StyleFrame frame;
    frame.entry = &styles_.StyleOf(element, parent ? parent->entry : nullptr, frame.scratch);
    const css::StyleCache::Entry& computed = *frame.entry;
    BoxStyle style = computed.Derived<BoxStyle>(css::StyleCache::Entry::Use::Layout, &measurer_,
                                                [&] { return ExtractBoxStyle(computed.Style(), measurer_); });
    if (style.display == Display::None) {
      return false;
    }
    const int index = Count();
    frame.box = index;
    Box box;
    box.element = &element;
    box.parent = parent ? parent->box : -1;
    box.depth = static_cast<int>(chain_.size());
    tree_.boxes_.push_back(box);
    tree_.keptStyles_.push_back(frame.scratch ? nullptr : frame.entry);
    WorkBox work;
    work.style = std::move(style);
    if (IsViewportBox(index)) {
      work.style.display = Display::Block;
    }
    work.natural = NaturalControlSize(element, measurer_);
    if (parent) {
      const int parentBox = parent->box;
      const WorkBox& above = Work(parentBox);
      if (!IsViewportBox(index)) {
        work.offsetParent = IsViewportBox(parentBox) && parentBox != 0     ? parentBox
                            : above.style.IsPositioned() && parentBox != 0 ? parentBox
                                                                           : above.offsetParent;
      }
      const int body = BodyBox();
      work.containingBlock = work.style.placement == Placement::Fixed ? std::max(body, 0)
                             : work.offsetParent >= 0                 ? work.offsetParent
                                                                      : 0;
      const FlowItem::Kind kind = element.Is(TagId::Br) ? FlowItem::Kind::Break : FlowItem::Kind::Child;
      AddItem(parentBox, {kind, nullptr, index});
    }
    if (&element == body_) {
      bodyBox_ = index;
    }
    work_.push_back(std::move(work));
    // A control's contents are part of the control; a <br> has none.
    if (work_.back().natural || element.Is(TagId::Br)) {
      return false;
    }
    chain_.push_back(std::move(frame));
    return true;
  }

  int BodyBox() const { return bodyBox_; }

  void AddItem(int index, FlowItem item) {
    const int at = static_cast<int>(items_.size());
    items_.push_back(item);
    WorkBox& box = Work(index);
    if (box.lastItem < 0) {
      box.firstItem = at;
    } else {
      items_[static_cast<std::size_t>(box.lastItem)].next = at;
    }
    box.lastItem = at;
  }

  // The in-flow content of a box, measured at `available` width with the children's sizes given.
  // Placing keeps where the children and the words went.
  enum class Placing : std::uint8_t { MeasureOnly, Place };
  template <typename ChildSize>
  FlowExtent RunFlow(int index, double available, ChildSize childSize, Placing placing) {
    WorkBox& box = Work(index);
    const bool place = placing == Placing::Place;
    LineBuilder lines(available, box.style.spaceWidth, box.style.lineHeight);
    if (place) {
      box.firstRun = static_cast<int>(runs_.size());
      linesWithBoxes_.clear();
    }
    for (int next = box.firstItem; next >= 0;) {
      const FlowItem& item = items_[static_cast<std::size_t>(next)];
      next = item.next;
      if (item.kind == FlowItem::Kind::Text) {
        FlowText(box, *item.text, lines, placing);
        continue;
      }
      WorkBox& child = Work(item.child);
      const Edges& margin = child.style.margin;
      FlowPoint at;
      if (item.kind == FlowItem::Kind::Break) {
        at = lines.StaticPosition();
        lines.AddBreak();
      } else if (child.style.IsOutOfFlow()) {
        at = lines.StaticPosition();
      } else {
        const Size size = childSize(child);
        const double outerWidth = margin.Horizontal() + size.width;
        const double outerHeight = margin.Vertical() + size.height;
        if (child.style.display == Display::Block) {
          at = lines.AddBlock(outerWidth, outerHeight);
        } else {
          at = lines.AddInline(outerWidth, outerHeight);
          if (place) {
            linesWithBoxes_.push_back(lines.LineNumber());
          }
        }
      }
      if (place) {
        child.flow = {at.x + margin.left, at.y + margin.top};
      }
    }
    const FlowExtent extent = lines.Finish();
    if (place) {
      box.runCount = static_cast<int>(runs_.size()) - box.firstRun;
      AlignRuns(box, available);
    }
    return extent;
  }

  // The words of a text node, each measured in the container's font; placing gathers the words that
  // follow each other on a line into one run.
  void FlowText(const WorkBox& box, const Text& text, LineBuilder& lines, Placing placing) {
    const std::u16string_view data = text.Data();
    bool runOpen = false;
    std::size_t i = 0;
    while (i < data.size()) {
      if (css::IsCssWhitespace(data[i])) {
        lines.AddSpace();
        ++i;
        continue;
      }
      std::size_t end = i;
      while (end < data.size() && !css::IsCssWhitespace(data[end])) {
        ++end;
      }
      const double width = measurer_.Width(box.style.font, data.substr(i, end - i));
      const FlowPoint at = lines.AddWord(width);
      if (placing == Placing::Place) {
        const int line = lines.LineNumber();
        if (runOpen && runs_.back().line == line) {
          WorkRun& run = runs_.back();
          run.end = static_cast<std::uint32_t>(end);
          run.width = at.x + width - run.x;
        } else {
          runs_.push_back({&text, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(end), line, at.x, at.y,
                           width, box.style.lineHeight});
          runOpen = true;
        }
      }
      i = end;
    }
  }

  // text-align moves the words of lines that hold only text (an inline box keeps its line as it is).
  void AlignRuns(const WorkBox& box, double available) {
    if (box.style.textAlign == TextAlign::Left || box.runCount == 0) {
      return;
    }
    const double share = box.style.textAlign == TextAlign::Center ? 0.5 : 1.0;
    const auto first = runs_.begin() + box.firstRun;
    for (auto line = first; line != runs_.end();) {
      auto next = line;
      double end = 0;
      while (next != runs_.end() && next->line == line->line) {
        end = std::max(end, next->x + next->width);
        ++next;
      }
      const bool textOnly =
          std::find(linesWithBoxes_.begin(), linesWithBoxes_.end(), line->line) == linesWithBoxes_.end();
      if (textOnly && std::isfinite(available)) {
        const double shift = (available - end) * share;
        for (auto run = line; run != next; ++run) {
          run->x += shift;
        }
      }
      line = next;
    }
  }

  // Bottom-up: the width each box would take with unlimited room.
  void MeasurePreferredWidths() {
    for (int i = Count() - 1; i >= 0; --i) {
      WorkBox& box = Work(i);
      if (std::optional<double> given = box.style.Px(box.style.width, std::nullopt)) {
        box.preferredWidth = *given;
      } else if (box.natural) {
        box.preferredWidth = box.natural->width;
      } else {
        const FlowExtent content = RunFlow(
            i, kUnlimitedWidth,
            [](const WorkBox& child) {
              return Size{child.preferredWidth, 0};
            },
            Placing::MeasureOnly);
        box.preferredWidth = content.width + box.style.Insets().Horizontal();
      }
      box.preferredWidth = std::max(0.0, box.preferredWidth);
    }
  }

  // Top-down: used widths, and the heights known without the content.
  void ResolveWidths() {
    for (int i = 0; i < Count(); ++i) {
      WorkBox& box = Work(i);
      if (IsViewportBox(i)) {
        box.width = viewportWidth_;
        box.definiteHeight = viewportHeight_;
        continue;
      }
      const BoxStyle& style = box.style;
      const bool outOfFlow = style.IsOutOfFlow();
      const WorkBox& block = Work(outOfFlow ? box.containingBlock : tree_.boxes_[static_cast<std::size_t>(i)].parent);
      const Edges blockInsets = outOfFlow ? block.style.border : block.style.Insets();
      const double blockWidth = std::max(0.0, block.width - blockInsets.Horizontal());
      std::optional<double> blockHeight;
      if (block.definiteHeight) {
        blockHeight = std::max(0.0, *block.definiteHeight - blockInsets.Vertical());
      }
      const std::optional<double> left = style.Px(style.left, blockWidth);
      const std::optional<double> right = style.Px(style.right, blockWidth);
      const std::optional<double> top = style.Px(style.top, blockHeight);
      const std::optional<double> bottom = style.Px(style.bottom, blockHeight);
      if (std::optional<double> given = style.Px(style.width, blockWidth)) {
        box.width = *given;
      } else if (box.natural) {
        box.width = box.natural->width;
      } else if (outOfFlow && left && right) {
        box.width = blockWidth - *left - *right - style.margin.Horizontal();
      } else if (!outOfFlow && style.display == Display::Block) {
        box.width = blockWidth - style.margin.Horizontal();
      } else {
        box.width = std::min(box.preferredWidth, std::max(0.0, blockWidth - style.margin.Horizontal()));
      }
      box.width = std::max(0.0, box.width);
      if (std::optional<double> given = style.Px(style.height, blockHeight)) {
        box.definiteHeight = *given;
      } else if (box.natural) {
        box.definiteHeight = box.natural->height;
      } else if (outOfFlow && top && bottom && blockHeight) {
        box.definiteHeight = *blockHeight - *top - *bottom - style.margin.Vertical();
      }
      if (box.definiteHeight) {
        box.definiteHeight = std::max(0.0, *box.definiteHeight);
      }
    }
  }

  // Bottom-up: each box's content placed at its used width, which gives the auto heights.
  void FlowContents() {
    for (int i = Count() - 1; i >= 0; --i) {
      WorkBox& box = Work(i);
      const FlowExtent content = RunFlow(
          i, box.width - box.style.Insets().Horizontal(),
          [](const WorkBox& child) {
            return Size{child.width, child.height};
          },
          Placing::Place);
      box.height = box.definiteHeight ? *box.definiteHeight : content.height + box.style.Insets().Vertical();
    }
  }

  // Top-down: document window coordinates.
  void PlaceBoxes() {
    for (int i = 0; i < Count(); ++i) {
      WorkBox& box = Work(i);
      if (IsViewportBox(i)) {
        box.x = box.y = 0;
        continue;
      }
      const BoxStyle& style = box.style;
      const WorkBox& parent = Work(tree_.boxes_[static_cast<std::size_t>(i)].parent);
      const Edges parentInsets = parent.style.Insets();
      const double flowX = parent.x + parentInsets.left + box.flow.x;
      const double flowY = parent.y + parentInsets.top + box.flow.y;
      if (style.IsOutOfFlow()) {
        const WorkBox& block = Work(box.containingBlock);
        const double padX = block.x + block.style.border.left;
        const double padY = block.y + block.style.border.top;
        const double padWidth = std::max(0.0, block.width - block.style.border.Horizontal());
        const double padHeight = std::max(0.0, block.height - block.style.border.Vertical());
        const std::optional<double> left = style.Px(style.left, padWidth);
        const std::optional<double> right = style.Px(style.right, padWidth);
        const std::optional<double> top = style.Px(style.top, padHeight);
        const std::optional<double> bottom = style.Px(style.bottom, padHeight);
        box.x = left    ? padX + *left + style.margin.left
                : right ? padX + padWidth - *right - style.margin.right - box.width
                        : flowX;
        box.y = top      ? padY + *top + style.margin.top
                : bottom ? padY + padHeight - *bottom - style.margin.bottom - box.height
                         : flowY;
        continue;
      }
      box.x = flowX;
      box.y = flowY;
      if (style.placement == Placement::Relative) {
        const double baseWidth = std::max(0.0, parent.width - parentInsets.Horizontal());
        const double baseHeight = std::max(0.0, parent.height - parentInsets.Vertical());
        const std::optional<double> left = style.Px(style.left, baseWidth);
        const std::optional<double> right = style.Px(style.right, baseWidth);
        const std::optional<double> top = style.Px(style.top, baseHeight);
        const std::optional<double> bottom = style.Px(style.bottom, baseHeight);
        box.x += left ? *left : right ? -*right : 0.0;
        box.y += top ? *top : bottom ? -*bottom : 0.0;
      }
    }
  }

  // The results: Box records, the element index and the paint order.
  void Finish() {
    std::vector<PaintEntry> paint(work_.size());
    tree_.runs_.reserve(runs_.size());
    tree_.placedRuns_.reserve(runs_.size());
    tree_.placed_.resize(work_.size());
    for (int i = 0; i < Count(); ++i) {
      const WorkBox& work = Work(i);
      Box& box = tree_.boxes_[static_cast<std::size_t>(i)];
      const Edges& border = work.style.border;
      box.border = {RoundToInt(work.x), RoundToInt(work.y), RoundToInt(work.width), RoundToInt(work.height)};
      box.clientLeft = RoundToInt(border.left);
      box.clientTop = RoundToInt(border.top);
      box.clientWidth = std::max(0, RoundToInt(work.width - border.Horizontal()));
      box.clientHeight = std::max(0, RoundToInt(work.height - border.Vertical()));
      double originX = 0, originY = 0;
      if (work.offsetParent >= 0) {
        const WorkBox& offsetParent = Work(work.offsetParent);
        box.offsetParent = tree_.boxes_[static_cast<std::size_t>(work.offsetParent)].element;
        originX = offsetParent.x + offsetParent.style.border.left;
        originY = offsetParent.y + offsetParent.style.border.top;
      }
      box.offsetLeft = RoundToInt(work.x - originX);
      box.offsetTop = RoundToInt(work.y - originY);
      LayoutTree::Placed& placed = tree_.placed_[static_cast<std::size_t>(i)];
      placed.x = work.x;
      placed.y = work.y;
      placed.containingBlock = work.containingBlock;
      placed.offsetParent = work.offsetParent;
      placed.natural = work.natural.has_value();
      if (work.natural) {
        placed.naturalWidth = work.natural->width;
        placed.naturalHeight = work.natural->height;
      }
      PlaceRuns(work, box);
      // The body stacks its content itself, so that a negative z-index does not hide a box under it.
      const std::optional<int> zIndex = IsViewportBox(i) && i != 0 ? work.style.zIndex.value_or(0) : work.style.zIndex;
      paint[static_cast<std::size_t>(i)] = {box.parent, zIndex};
    }
    tree_.paintOrder_ = PaintOrder(paint);
    tree_.IndexBoxes();
  }

  // The box's runs in document window coordinates, rounded so that a run ends where the next begins.
  void PlaceRuns(const WorkBox& work, Box& box) {
    const Edges insets = work.style.Insets();
    const double contentX = work.x + insets.left;
    const double contentY = work.y + insets.top;
    box.firstRun = static_cast<int>(tree_.runs_.size());
    box.runCount = work.runCount;
    for (int r = work.firstRun; r < work.firstRun + work.runCount; ++r) {
      const WorkRun& run = runs_[static_cast<std::size_t>(r)];
      const int left = RoundToInt(contentX + run.x);
      const int top = RoundToInt(contentY + run.y);
      tree_.runs_.push_back({run.text, run.begin, run.end,
                             Rect{left, top, RoundToInt(contentX + run.x + run.width) - left,
                                  RoundToInt(contentY + run.y + run.height) - top}});
      tree_.placedRuns_.push_back({run.x, run.y, run.width, run.height});
    }
  }

  Document& document_;
  css::StyleCache& styles_;
  TextMeasurer& measurer_;
  int viewportWidth_;
  int viewportHeight_;
  std::size_t boxBudget_;
  const Element* body_;
  int bodyBox_ = -1;
  std::vector<StyleFrame> chain_;  // the open ancestors, root first
  std::vector<WorkBox> work_;                       // parallel to tree_.boxes_
  std::vector<FlowItem> items_;                     // every box's in-flow content, chained per box
  std::vector<WorkRun> runs_;                       // text runs, each box's side by side
  std::vector<int> linesWithBoxes_;                 // of the box being placed: lines holding an inline box
  LayoutTree tree_;
};

LayoutTree Layout(Document& document, int viewportWidth, int viewportHeight, TextMeasurer& measurer,
                  css::StyleCache& styles, std::size_t boxBudget) {
  measurer.Trim();
  return LayoutBuilder(document, viewportWidth, viewportHeight, measurer, styles, boxBudget).Build();
}

LayoutTree Layout(Document& document, int viewportWidth, int viewportHeight, TextMeasurer& measurer,
                  std::size_t boxBudget) {
  css::StyleCache once(0);
  return Layout(document, viewportWidth, viewportHeight, measurer, once, boxBudget);
}

LayoutTree Layout(Document& document, int viewportWidth, int viewportHeight, std::size_t boxBudget) {
  return Layout(document, viewportWidth, viewportHeight, FixedMeasurer(), boxBudget);
}

}  // namespace vellum::engine::layout
