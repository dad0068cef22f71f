#include <windows.h>

#include <cstdio>

// Unsupported engine calls answer E_NOTIMPL. With VELLUM_ENGINE_TRACE set in the environment they are
// also written to the debugger output, which is how a missing method shows up while a host is tried.
HRESULT NotImplTrace(const char* interfaceName, const char* methodName) {
  static const bool kEnabled = GetEnvironmentVariableA("VELLUM_ENGINE_TRACE", nullptr, 0) > 0;
  if (kEnabled) {
    char text[160];
    std::snprintf(text, sizeof text, "vellumengine: %s::%s is not implemented\n", interfaceName, methodName);
    OutputDebugStringA(text);
  }
  return E_NOTIMPL;
}
