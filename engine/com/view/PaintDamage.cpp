#include "engine/com/view/PaintDamage.h"

#include <algorithm>
#include <string>

#include "dom/character_data.h"
#include "dom/element.h"
#include "engine/com/view/PaintControls.h"

namespace vellum::engine::com {

namespace layout = vellum::engine::layout;

namespace {

// Past this many damaged rectangles one repaint of the view is cheaper than many small ones.
constexpr std::size_t kDamageBudget = 512;
// How far a control's drawing may reach past its border box (a check box in a box smaller than the
// check mark, a focus frame).
constexpr int kControlReach = 16;
// The width of the sunken edge the view may draw round its window.
constexpr int kViewEdge = 4;

class Hash {
 public:
  void Add(std::u16string_view text) {
    for (char16_t c : text) Mix(c);
    Mix(0xFFFF);  // so that "ab","c" and "a","bc" differ
  }
  void Add(std::uint64_t value) { Mix(value); }
  std::uint64_t Value() const { return value_; }

 private:
  void Mix(std::uint64_t value) {
    value_ ^= value;
    value_ *= 0x100000001b3ULL;
  }
  std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

void AddAttributes(Hash& hash, const Element& element) {
  hash.Add(element.LocalName());
  for (const Attribute& attribute : element.Attributes()) {
    hash.Add(attribute.name);
    hash.Add(attribute.value);
  }
}

// A control draws what is inside it (options, a text area's text, a button's label) without boxes of
// its own there.
void AddContents(Hash& hash, const Element& control) {
  const Node* node = control.FirstChild();
  while (node) {
    if (const Element* element = AsElement(node)) {
      AddAttributes(hash, *element);
    } else if (const Text* data = AsText(node)) {
      hash.Add(data->Data());
    }
    if (node->FirstChild()) {
      node = node->FirstChild();
      continue;
    }
    while (node != &control && !node->NextSibling()) node = node->Parent();
    node = node == &control ? nullptr : node->NextSibling();
  }
}

RECT ToRect(const layout::Rect& r) { return {r.x, r.y, r.x + r.width, r.y + r.height}; }

void Unite(RECT& into, const RECT& more) {
  if (more.right <= more.left || more.bottom <= more.top) return;
  if (into.right <= into.left || into.bottom <= into.top) {
    into = more;
    return;
  }
  into.left = std::min(into.left, more.left);
  into.top = std::min(into.top, more.top);
  into.right = std::max(into.right, more.right);
  into.bottom = std::max(into.bottom, more.bottom);
}

// What of `a` lies outside `b`, as up to four rectangles.
void AddDifference(std::vector<RECT>& out, const RECT& a, const RECT& b) {
  RECT both;
  if (!IntersectRect(&both, &a, &b)) {
    if (a.right > a.left && a.bottom > a.top) out.push_back(a);
    return;
  }
  if (both.top > a.top) out.push_back({a.left, a.top, a.right, both.top});
  if (both.bottom < a.bottom) out.push_back({a.left, both.bottom, a.right, a.bottom});
  if (both.left > a.left) out.push_back({a.left, both.top, both.left, both.bottom});
  if (both.right < a.right) out.push_back({both.right, both.top, a.right, both.bottom});
}

bool SameRect(const layout::Rect& a, const layout::Rect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

}  // namespace

RECT CPaintDamage::InkOf(const layout::LayoutTree& tree, std::size_t index, const BoxPaint& style) {
  return InkOf(tree, index, style, LookOf(*tree.Boxes()[index].element));
}

RECT CPaintDamage::InkOf(const layout::LayoutTree& tree, std::size_t index, const BoxPaint& style, Look look) {
  const layout::Box& box = tree.Boxes()[index];
  RECT ink = ToRect(box.border);
  const int reach = look == Look::Box ? 1 : kControlReach;
  InflateRect(&ink, reach, reach);
  // Glyphs may lean past their advance and a font taller than its line spills below the line.
  const int em = std::max(1, style.font.pixelSize);
  const std::vector<layout::TextRun>& runs = tree.Runs();
  for (int i = box.firstRun; i < box.firstRun + box.runCount; ++i) {
    const layout::Rect& run = runs[static_cast<std::size_t>(i)].box;
    Unite(ink, {run.x - em, run.y - 1, run.x + run.width + em, run.y + std::max(run.height, 2 * em) + 1});
  }
  return ink;
}

std::vector<CPaintDamage::Mark> CPaintDamage::MarksOf(const layout::LayoutTree& tree,
                                                      const std::vector<BoxPaint>& styles,
                                                      const std::vector<std::uint64_t>& styleGenerations) {
  const std::vector<layout::Box>& boxes = tree.Boxes();
  std::vector<Mark> marks(boxes.size());
  std::vector<int> lastChild(boxes.size(), -1);
  std::vector<int> open;  // the ancestors of the box being marked, by depth
  std::u16string shown;
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    const layout::Box& box = boxes[i];
    Mark& mark = marks[i];
    mark.element = box.element;
    mark.border = box.border;
    const Look look = LookOf(*box.element);
    mark.ink = InkOf(tree, i, styles[i], look);
    mark.style = i < styleGenerations.size() ? styleGenerations[i] : 0;
    mark.parentIndex = box.parent;
    if (box.parent >= 0) {
      const auto parent = static_cast<std::size_t>(box.parent);
      mark.parent = boxes[parent].element;
      if (lastChild[parent] >= 0) mark.previous = boxes[static_cast<std::size_t>(lastChild[parent])].element;
      lastChild[parent] = static_cast<int>(i);
    }
    // An ordinary box shows only its style and its text; a control shows its attributes too.
    mark.look = look;
    mark.bordered = styles[i].HasBorder();
    Hash content;
    if (look != Look::Box && look != Look::Fieldset) AddAttributes(content, *box.element);
    for (int r = box.firstRun; r < box.firstRun + box.runCount; ++r) {
      const layout::TextRun& run = tree.Runs()[static_cast<std::size_t>(r)];
      layout::LayoutTree::ShownText(run, shown);
      content.Add(shown);
      content.Add((static_cast<std::uint64_t>(static_cast<std::uint32_t>(run.box.x)) << 32) ^
                  static_cast<std::uint32_t>(run.box.y));
      content.Add((static_cast<std::uint64_t>(static_cast<std::uint32_t>(run.box.width)) << 32) ^
                  static_cast<std::uint32_t>(run.box.height));
    }
    if (look != Look::Box && look != Look::Fieldset) AddContents(content, *box.element);
    mark.content = content.Value();
    // Descendants follow their ancestor in document order: a box closes those at its depth or deeper.
    while (open.size() > static_cast<std::size_t>(std::max(0, box.depth))) {
      marks[static_cast<std::size_t>(open.back())].end = static_cast<int>(i);
      open.pop_back();
    }
    open.push_back(static_cast<int>(i));
  }
  for (int index : open) marks[static_cast<std::size_t>(index)].end = static_cast<int>(boxes.size());
  return marks;
}

bool CPaintDamage::SameButPlace(const Mark& a, const Mark& b) {
  return a.style == b.style && a.content == b.content && a.look == b.look;
}

bool CPaintDamage::SameLook(const Mark& a, const Mark& b) {
  return SameButPlace(a, b) && SameRect(a.border, b.border) && EqualRect(&a.ink, &b.ink);
}

std::optional<std::vector<RECT>> CPaintDamage::Update(const vellum::engine::Document& tree,
                                                      const layout::LayoutTree& layout,
                                                      const std::vector<BoxPaint>& styles,
                                                      const std::vector<std::uint64_t>& styleGenerations) {
  std::vector<Mark> marks = MarksOf(layout, styles, styleGenerations);
  const bool comparable = tree_ == &tree && !marks_.empty() && !marks.empty() && !layout.Truncated();
  std::optional<std::vector<RECT>> damage;
  if (comparable) {
    damage.emplace();
    // After an edit that moved or restyled boxes the page has the same boxes in the same order, and
    // each is compared with the one in its place; only after boxes came or went are they looked up.
    bool samePlaces = marks.size() == marks_.size();
    for (std::size_t i = 0; samePlaces && i < marks.size(); ++i) samePlaces = marks[i].element == marks_[i].element;
    const ElementIndex before = samePlaces ? ElementIndex() : IndexOf(marks_);
    const ElementIndex now = samePlaces ? ElementIndex() : IndexOf(marks);
    auto placeBefore = [&](std::size_t i) { return samePlaces ? static_cast<int>(i) : Find(before, marks[i].element); };
    const Element* body = tree.Body();
    auto add = [&](const std::vector<Mark>& in, int at, bool withDescendants) {
      const Mark& mark = in[static_cast<std::size_t>(at)];
      const int end = withDescendants ? mark.end : at + 1;
      for (int i = at; i < end; ++i) damage->push_back(in[static_cast<std::size_t>(i)].ink);
      // A fieldset draws its frame around its legend: a parent may look different for a child's sake.
      if (mark.parentIndex >= 0) {
        const Mark& parent = in[static_cast<std::size_t>(mark.parentIndex)];
        if (parent.parentIndex >= 0 && parent.element != body) damage->push_back(parent.ink);
      }
    };
    for (std::size_t i = 0; i < marks.size() && damage->size() <= kDamageBudget; ++i) {
      const Mark& now = marks[i];
      const int was = placeBefore(i);
      if (was < 0) {
        add(marks, static_cast<int>(i), false);
        continue;
      }
      const Mark& before = marks_[static_cast<std::size_t>(was)];
      // Moved among its siblings or to another parent: it and everything in it paint in a new order.
      const bool reordered = before.parent != now.parent || before.previous != now.previous;
      // The root and the body fill the window: when it changes size, only what they newly cover or
      // no longer cover changes.
      if (!reordered && SameLook(before, now)) continue;
      if (!reordered && (now.parentIndex < 0 || now.element == body) && !now.bordered && SameButPlace(before, now)) {
        AddDifference(*damage, now.ink, before.ink);
        AddDifference(*damage, before.ink, now.ink);
        // The view's own sunken edge, when it has one, runs round the window.
        for (const RECT& edge : {before.ink, now.ink}) {
          RECT inside = edge;
          InflateRect(&inside, -kViewEdge, -kViewEdge);
          AddDifference(*damage, edge, inside);
        }
        continue;
      }
      add(marks_, was, reordered);
      add(marks, static_cast<int>(i), reordered);
    }
    for (std::size_t i = 0; !samePlaces && i < marks_.size() && damage->size() <= kDamageBudget; ++i)
      if (Find(now, marks_[i].element) < 0) add(marks_, static_cast<int>(i), false);
    if (damage->size() > kDamageBudget) damage.reset();
  }
  inks_.resize(marks.size());
  for (std::size_t i = 0; i < marks.size(); ++i) inks_[i] = marks[i].ink;
  tree_ = &tree;
  version_ = tree.Version();
  marks_ = std::move(marks);
  return damage;
}

void CPaintDamage::Forget() {
  tree_ = nullptr;
  marks_.clear();
  inks_.clear();
}

CPaintDamage::ElementIndex CPaintDamage::IndexOf(const std::vector<Mark>& marks) {
  ElementIndex index;
  index.reserve(marks.size());
  for (std::size_t i = 0; i < marks.size(); ++i) index.emplace_back(marks[i].element, static_cast<int>(i));
  std::sort(index.begin(), index.end());
  return index;
}

int CPaintDamage::Find(const ElementIndex& index, const Element* element) {
  const auto at = std::lower_bound(index.begin(), index.end(), std::make_pair(element, -1));
  return at != index.end() && at->first == element ? at->second : -1;
}

}  // namespace vellum::engine::com
