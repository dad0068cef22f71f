#include "engine/com/view/PaintParts.h"

#include <algorithm>

namespace vellum::engine::com {

CPaintParts::CPaintParts(const RECT& bounds, const std::vector<RECT>& parts) : bounds_(bounds) {
  columns_ = std::max(0L, (bounds.right - bounds.left + kCell - 1) / kCell);
  rows_ = std::max(0L, (bounds.bottom - bounds.top + kCell - 1) / kCell);
  marked_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), 0);
  for (const RECT& part : parts) {
    if (part.right <= part.left || part.bottom <= part.top) continue;
    const int left = std::clamp(static_cast<int>((part.left - bounds_.left) / kCell), 0, columns_);
    const int right = std::clamp(static_cast<int>((part.right - 1 - bounds_.left) / kCell), -1, columns_ - 1);
    const int top = std::clamp(static_cast<int>((part.top - bounds_.top) / kCell), 0, rows_);
    const int bottom = std::clamp(static_cast<int>((part.bottom - 1 - bounds_.top) / kCell), -1, rows_ - 1);
    for (int row = top; row <= bottom; ++row)
      for (int column = left; column <= right; ++column)
        marked_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + column] = 1;
  }
}

bool CPaintParts::Reaches(const RECT& ink) const {
  const RECT inside = {std::max(ink.left, bounds_.left), std::max(ink.top, bounds_.top),
                       std::min(ink.right, bounds_.right), std::min(ink.bottom, bounds_.bottom)};
  if (inside.right <= inside.left || inside.bottom <= inside.top) return false;
  const int left = (inside.left - bounds_.left) / kCell, right = (inside.right - 1 - bounds_.left) / kCell;
  const int top = (inside.top - bounds_.top) / kCell, bottom = (inside.bottom - 1 - bounds_.top) / kCell;
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column)
      if (marked_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) + column]) return true;
  return false;
}

}  // namespace vellum::engine::com
