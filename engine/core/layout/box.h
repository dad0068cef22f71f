#pragma once
// The geometry layout gives one element: what offset*, client* and hit testing report.

#include <climits>
#include <cstdint>

namespace vellum::engine {
class Element;
class Text;
}  // namespace vellum::engine

namespace vellum::engine::layout {

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  // Half-open: the right and bottom edges belong to the next box.
  bool Contains(int px, int py) const {
    return px >= x && py >= y && static_cast<long long>(px) < static_cast<long long>(x) + width &&
           static_cast<long long>(py) < static_cast<long long>(y) + height;
  }
};

struct Box {
  Element* element = nullptr;
  int parent = -1;                  // box index of the parent element's box; -1 for the root
  int depth = 0;                    // element levels below the root
  Rect border;                      // border box in document window coordinates
  Element* offsetParent = nullptr;  // nearest positioned ancestor or the body; null for root and body
  int offsetLeft = 0;               // border edge from the offset parent's padding edge
  int offsetTop = 0;
  int clientLeft = 0;  // the left and top border widths
  int clientTop = 0;
  int clientWidth = 0;  // the padding box
  int clientHeight = 0;
  int firstRun = 0;  // the box's own text: runs [firstRun, firstRun + runCount) of the tree
  int runCount = 0;
};

// Words of one text node that went on the same line one after another: painted together, the blanks
// between them shown as one.
struct TextRun {
  const Text* text = nullptr;
  std::uint32_t begin = 0;  // UTF-16 range of the node's data, from a word's start to a word's end
  std::uint32_t end = 0;
  Rect box;  // document window coordinates: the words' advance by their line's height
};

}  // namespace vellum::engine::layout
