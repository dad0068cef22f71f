#include "layout/layout_tree.h"

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

const Box* LayoutTree::BoxOf(const Element& element) const {
  const auto found = index_.find(&element);
  return found == index_.end() ? nullptr : &boxes_[found->second];
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
