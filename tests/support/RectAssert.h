// Rectangles compared in tests: a failure prints both, as (left,top)-(right,bottom).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace vt {

inline std::string RectText(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

// EXPECT_TRUE(vt::SameRect(actual, expected)) reports the caller's line and both rectangles.
inline ::testing::AssertionResult SameRect(const RECT& actual, const RECT& expected) {
  if (EqualRect(&actual, &expected)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "rectangle " << RectText(actual) << ", expected " << RectText(expected);
}

}  // namespace vt
