// The trace routine of failure paths.
//
// Failure paths hand a fixed text naming the class and the operation ("CDOMUtil::LoadCode(): Can't create
// stream\n") and up to three arguments to TRACE. The product writes nothing anywhere; tests install a hook
// to see which failure path ran.
#pragma once

#include <cstdint>

using TraceHook = void (*)(const char* format, uintptr_t a1, uintptr_t a2, uintptr_t a3);

void Trace(const char* format, uintptr_t a1 = 0, uintptr_t a2 = 0, uintptr_t a3 = 0);

// Test support: the hook sees every trace; null removes it. Answers the previous hook.
TraceHook SetTraceHook(TraceHook hook);

template <class... Args>
inline void TraceArgs(const char* format, Args... args) {
  static_assert(sizeof...(Args) <= 3, "TRACE takes a format and up to three arguments");
  Trace(format, (uintptr_t)(args)...);
}

#define TRACE(...) TraceArgs(__VA_ARGS__)
