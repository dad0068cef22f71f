// Pumping the test thread's messages, the way a host's message loop would.
#pragma once

#include <windows.h>

#include <functional>

namespace vt {

// Dispatches messages until condition() holds or timeoutMs pass; answers whether it held.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Dispatches messages for a while (lets posted work run).
void PumpFor(DWORD ms);
// Dispatches what is queued now, without waiting.
void PumpPending();

}  // namespace vt
