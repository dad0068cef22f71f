// Reference-image checks: a captured image against a PNG kept in the repository.
#pragma once

#include <string>

#include "WindowCapture.h"

namespace vt {

// Decodes a PNG (through the system's imaging codecs); an empty image on failure.
Image LoadPng(const std::wstring& path);

struct ImageDifference {
  bool sameSize = false;
  int differingPixels = 0;  // pixels where some channel differs by more than the tolerance
  double fraction = 1.0;    // differingPixels of all pixels
  POINT first = {-1, -1};   // the first of them, row by row
};

ImageDifference CompareImages(const Image& actual, const Image& expected, int channelTolerance);

// The reference check every visual test shares: with VELLUM_REFRESH_REFERENCES set in the environment the
// image becomes the new reference; otherwise it must match the reference within the tolerances. The
// captured image is also written next to the reference as <name>.actual.png for inspection (not kept).
// Answers an empty text when it matches, else what went wrong.
std::string CheckAgainstReference(const Image& actual, const std::wstring& referencePath, int channelTolerance,
                                  double maxFraction);

}  // namespace vt
