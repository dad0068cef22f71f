#include "window/Trace.h"

namespace {
TraceHook installedHook = nullptr;
}

void Trace(const char* format, uintptr_t a1, uintptr_t a2, uintptr_t a3) {
  if (installedHook) installedHook(format, a1, a2, a3);
}

TraceHook SetTraceHook(TraceHook hook) {
  TraceHook previous = installedHook;
  installedHook = hook;
  return previous;
}
