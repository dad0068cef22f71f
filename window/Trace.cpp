#include "window/Trace.h"

namespace {
TraceHook g_hook = nullptr;
}

void Trace(const char* format, uintptr_t a1, uintptr_t a2, uintptr_t a3) {
  if (g_hook) g_hook(format, a1, a2, a3);
}

TraceHook SetTraceHook(TraceHook hook) {
  TraceHook previous = g_hook;
  g_hook = hook;
  return previous;
}
