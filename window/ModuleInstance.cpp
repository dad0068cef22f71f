#include "window/ModuleInstance.h"

namespace {

HINSTANCE g_instance = nullptr;

}  // namespace

HINSTANCE Module_Instance() { return g_instance; }

void Module_SetInstance(HINSTANCE module) { g_instance = module; }
