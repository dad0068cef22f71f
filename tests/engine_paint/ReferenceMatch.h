// Comparing a captured picture with a committed reference: equal size, and few pixels that differ
// by more than a small amount (font smoothing may move a few edge pixels).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ImageCompare.h"

namespace pt {

struct Tolerance {
  int channel = 40;                  // a pixel differs when a channel is further apart than this
  double differingFraction = 0.003;  // of all pixels, at most this many may differ
};

::testing::AssertionResult MatchesReference(const vt::Image& actual, const vt::Image& reference, Tolerance tolerance);

// Whether the run asks to write reference pictures instead of comparing with them.
bool WritingReferences();

}  // namespace pt
