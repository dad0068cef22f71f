// VELLUM_FULL_RELAYOUT set in the environment: the scale benchmark's baseline, in which every change is
// laid out, painted and, for an undo or redo, read back whole, as before any of it was kept. The engine
// reads the same variable for its own part.
#pragma once

#include <windows.h>

inline bool FullRelayoutBaseline() {
  static const bool set = GetEnvironmentVariableW(L"VELLUM_FULL_RELAYOUT", nullptr, 0) > 0;
  return set;
}
