#pragma once
// Layout's one rounding of a position or size to whole pixels, shared by everything that places boxes,
// so that a box placed again lands where a whole layout puts it.

#include <algorithm>
#include <cmath>

namespace vellum::engine::layout {

inline int RoundToInt(double value) {
  constexpr double kLimit = 1e9;
  if (std::isnan(value)) {
    return 0;
  }
  return static_cast<int>(std::lround(std::clamp(value, -kLimit, kLimit)));
}

}  // namespace vellum::engine::layout
