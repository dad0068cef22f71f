#pragma once
// Checks of a laid-out line of mixed content: the text runs and inline boxes of one line follow each
// other from left to right without overlapping, each starting where the one before it ended or one
// blank further on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "layout/layout_tree.h"

namespace vellum::engine::layout::testing {

struct LineItem {
  Rect box;
  std::string what;  // for the failure message
};

inline std::string Describe(const LineItem& item) {
  return item.what + " at [" + std::to_string(item.box.x) + "," + std::to_string(item.box.y) + "] " +
         std::to_string(item.box.width) + "x" + std::to_string(item.box.height);
}

// Every run and every box without runs of its own (controls) below `container`, by line and then
// from left to right.
inline std::vector<LineItem> ItemsBelow(const LayoutTree& tree, const Element& container) {
  const Box* top = tree.BoxOf(container);
  std::vector<LineItem> items;
  if (!top) {
    return items;
  }
  const std::vector<Box>& boxes = tree.Boxes();
  const auto first = static_cast<std::size_t>(top - boxes.data());
  std::u16string shown;
  for (std::size_t i = first; i < boxes.size() && (i == first || boxes[i].depth > top->depth); ++i) {
    const Box& box = boxes[i];
    for (int r = box.firstRun; r < box.firstRun + box.runCount; ++r) {
      const TextRun& run = tree.Runs()[static_cast<std::size_t>(r)];
      LayoutTree::ShownText(run, shown);
      items.push_back({run.box, "\"" + std::string(shown.begin(), shown.end()) + "\""});
    }
    bool hasChildren = i + 1 < boxes.size() && boxes[i + 1].depth > box.depth;
    if (i != first && box.runCount == 0 && !hasChildren) {
      items.push_back({box.border, "box"});
    }
  }
  std::sort(items.begin(), items.end(), [](const LineItem& a, const LineItem& b) {
    return a.box.y != b.box.y ? a.box.y < b.box.y : a.box.x < b.box.x;
  });
  return items;
}

// Items that share a line's top follow each other: the gap between two is none or one blank of
// `blank` pixels (within `slack` for rounding).
inline ::testing::AssertionResult ItemsFollowEachOther(const std::vector<LineItem>& items, int blank, int slack = 0) {
  for (std::size_t i = 1; i < items.size(); ++i) {
    const LineItem& before = items[i - 1];
    const LineItem& after = items[i];
    if (before.box.y != after.box.y) {
      continue;
    }
    const int gap = after.box.x - (before.box.x + before.box.width);
    if (gap < -slack || (std::abs(gap) > slack && std::abs(gap - blank) > slack)) {
      return ::testing::AssertionFailure() << Describe(after) << " does not follow " << Describe(before) << " (gap "
                                           << gap << ", a blank is " << blank << ")";
    }
  }
  return ::testing::AssertionSuccess();
}

}  // namespace vellum::engine::layout::testing
