#include "ReferenceMatch.h"

#include <algorithm>
#include <cstdlib>

#include "PaintTestHost.h"

namespace pt {

::testing::AssertionResult MatchesReference(const vt::Image& actual, const vt::Image& reference, Tolerance tolerance) {
  if (reference.width == 0) return ::testing::AssertionFailure() << "no reference picture";
  if (actual.width != reference.width || actual.height != reference.height)
    return ::testing::AssertionFailure() << "size " << actual.width << "x" << actual.height << ", reference "
                                         << reference.width << "x" << reference.height;
  size_t differing = 0;
  RECT bounds = {actual.width, actual.height, -1, -1};
  for (int y = 0; y < actual.height; ++y) {
    for (int x = 0; x < actual.width; ++x) {
      if (Near(actual.At(x, y), reference.At(x, y), tolerance.channel)) continue;
      ++differing;
      bounds = {std::min<LONG>(bounds.left, x), std::min<LONG>(bounds.top, y), std::max<LONG>(bounds.right, x),
                std::max<LONG>(bounds.bottom, y)};
    }
  }
  const size_t allowed = static_cast<size_t>(tolerance.differingFraction * actual.pixels.size());
  if (differing <= allowed) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << differing << " pixels differ (at most " << allowed << " may), within ["
                                       << bounds.left << "," << bounds.top << "]-[" << bounds.right << ","
                                       << bounds.bottom << "]";
}

bool WritingReferences() {
  const char* value = std::getenv("VELLUM_REFRESH_REFERENCES");
  return value && *value && *value != '0';
}

}  // namespace pt
