#include "window/ModuleInstance.h"

namespace {

HINSTANCE moduleInstance = nullptr;

}  // namespace

HINSTANCE Module_Instance() { return moduleInstance; }

void Module_SetInstance(HINSTANCE module) { moduleInstance = module; }
