// The high-resolution clock the timed harnesses read.
#pragma once

#include <windows.h>

namespace vt {

// Seconds since an arbitrary fixed point (QueryPerformanceCounter).
inline double NowSeconds() {
  static const double kTicksPerSecond = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / kTicksPerSecond;
}

}  // namespace vt
