#include "layout/layout_tree.h"

#include <cstdint>

#include "css/css_text.h"
#include "dom/character_data.h"
#include "dom/element.h"

namespace vellum::engine::layout {
namespace {

void AppendAscii(std::string& out, std::u16string_view text) {
  for (char16_t c : text) {
    out += c < 0x80 ? static_cast<char>(c) : '?';
  }
}

}  // namespace

std::size_t LayoutTree::SlotOf(const Element* element, std::size_t mask) {
  // Elements are heap blocks: the low bits say little, a multiplicative hash spreads the rest.
  const auto bits = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(element));
  return static_cast<std::size_t>((bits >> 4) * 0x9E3779B97F4A7C15ull >> 20) & mask;
}

void LayoutTree::IndexBoxes() {
  std::size_t slots = 16;
  while (slots < 2 * boxes_.size()) {
    slots *= 2;
  }
  index_.assign(slots, IndexSlot{});
  const std::size_t mask = slots - 1;
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    std::size_t slot = SlotOf(boxes_[i].element, mask);
    while (index_[slot].element && index_[slot].element != boxes_[i].element) {
      slot = (slot + 1) & mask;
    }
    if (!index_[slot].element) {  // an element's first box answers for it
      index_[slot] = {boxes_[i].element, i};
    }
  }
}

const Box* LayoutTree::BoxOf(const Element& element) const {
  if (index_.empty()) {
    return nullptr;
  }
  const std::size_t mask = index_.size() - 1;
  for (std::size_t slot = SlotOf(&element, mask);; slot = (slot + 1) & mask) {
    if (index_[slot].element == &element) {
      return &boxes_[index_[slot].box];
    }
    if (!index_[slot].element) {
      return nullptr;
    }
  }
}

Element* LayoutTree::HitTest(int x, int y) const {
  for (auto it = paintOrder_.rbegin(); it != paintOrder_.rend(); ++it) {
    const Box& box = boxes_[static_cast<std::size_t>(*it)];
    if (box.border.Contains(x, y)) {
      return box.element;
    }
  }
  return nullptr;
}

void LayoutTree::ShownText(const TextRun& run, std::u16string& shown) {
  shown.clear();
  if (!run.text) {
    return;
  }
  const std::u16string_view data(run.text->Data());
  const std::u16string_view words =
      data.substr(std::min<std::size_t>(run.begin, data.size()), run.end > run.begin ? run.end - run.begin : 0);
  shown.reserve(words.size());
  bool blank = false;
  for (char16_t c : words) {
    if (css::IsCssWhitespace(c)) {
      blank = true;
      continue;
    }
    if (blank) {
      shown += u' ';
      blank = false;
    }
    shown += c;
  }
}

std::string LayoutTree::Dump(DumpText text) const {
  std::string out;
  std::u16string shown;
  auto appendRect = [&out](const Rect& rect) {
    out += " at [" + std::to_string(rect.x) + "," + std::to_string(rect.y) + "] " + std::to_string(rect.width) + "x" +
           std::to_string(rect.height) + "\n";
  };
  for (const Box& box : boxes_) {
    out.append(static_cast<std::size_t>(box.depth) * 2, ' ');
    AppendAscii(out, box.element->TagName());
    appendRect(box.border);
    if (text == DumpText::Omit) {
      continue;
    }
    for (int i = box.firstRun; i < box.firstRun + box.runCount; ++i) {
      const TextRun& run = runs_[static_cast<std::size_t>(i)];
      out.append(static_cast<std::size_t>(box.depth + 1) * 2, ' ');
      out += '"';
      ShownText(run, shown);
      AppendAscii(out, shown);
      out += '"';
      appendRect(run.box);
    }
  }
  return out;
}

}  // namespace vellum::engine::layout
