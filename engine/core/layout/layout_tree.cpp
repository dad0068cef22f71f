#include "layout/layout_tree.h"

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

std::string LayoutTree::Dump() const {
    std::string out;
    for (const Box& box : boxes_) {
        out.append(static_cast<std::size_t>(box.depth) * 2, ' ');
        AppendAscii(out, box.element->tagName());
        out += " at [" + std::to_string(box.border.x) + "," + std::to_string(box.border.y) + "] " +
               std::to_string(box.border.width) + "x" + std::to_string(box.border.height) + "\n";
    }
    return out;
}

}  // namespace vellum::engine::layout
