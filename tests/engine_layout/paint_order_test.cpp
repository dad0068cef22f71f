// Paint order straight from parent links and z-indexes.

#include <gtest/gtest.h>

#include <vector>

#include "layout/paint_order.h"

namespace vellum::engine::layout {
namespace {

TEST(PaintOrder, DocumentOrderWithoutZIndexes) {
  const std::vector<PaintEntry> entries{{-1, {}}, {0, {}}, {1, {}}, {0, {}}};
  EXPECT_EQ(PaintOrder(entries), (std::vector<int>{0, 1, 2, 3}));
}

TEST(PaintOrder, StackingContextsSortByZIndexAndCarryTheirSubtrees) {
  //  0 root; 1 (z 5) with child 2; 3 (z -2); 4 plain with child 5 (z 1)
  const std::vector<PaintEntry> entries{{-1, {}}, {0, 5}, {1, {}}, {0, -2}, {0, {}}, {4, 1}};
  EXPECT_EQ(PaintOrder(entries), (std::vector<int>{0, 3, 4, 5, 1, 2}));
}

TEST(PaintOrder, NestedContextsStayInsideTheirParentContext) {
  //  1 (z 1) holds 2 (z 100); 3 (z 2) paints over both.
  const std::vector<PaintEntry> entries{{-1, {}}, {0, 1}, {1, 100}, {0, 2}};
  EXPECT_EQ(PaintOrder(entries), (std::vector<int>{0, 1, 2, 3}));
}

TEST(PaintOrder, EmptyInputGivesEmptyOrder) { EXPECT_TRUE(PaintOrder({}).empty()); }

}  // namespace
}  // namespace vellum::engine::layout
