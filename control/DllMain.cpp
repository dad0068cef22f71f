// vellum.dll's entry point and exports.
#include <windows.h>

#define VELLUM_API __declspec(dllexport)
#include "vellum.h"

#include "control/Module.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      DisableThreadLibraryCalls(module);
      return Module_RegisterClass(module) ? TRUE : FALSE;
    case DLL_PROCESS_DETACH:
      Module_Shutdown();
      return TRUE;
    default:
      return TRUE;
  }
}

extern "C" void WINAPI LibMakeDummy(void) {}
