// The parts of a repaint's region, for telling quickly whether a box's painting reaches any of them:
// after edits scattered over a large page the region is many small rectangles, and a box that reaches
// none of them need not be painted at all.
#pragma once

#include <windows.h>

#include <vector>

namespace vellum::engine::com {

class CPaintParts {
 public:
  // `bounds` holds every part.
  CPaintParts(const RECT& bounds, const std::vector<RECT>& parts);
  // True when the rectangle may overlap a part (it surely does not when false).
  bool Reaches(const RECT& ink) const;

 private:
  static constexpr int kCell = 16;  // pixels on a side of the grid's cells
  RECT bounds_;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<unsigned char> marked_;  // row by row: 1 where a part covers some of the cell
};

}  // namespace vellum::engine::com
