// vellumengine.dll: the in-process server of the HTML document class.
#pragma once

#include <windows.h>

namespace vellum::engine::com {

HINSTANCE ModuleInstance();
// Lock count of IClassFactory::LockServer.
void LockModule(bool lock);
bool ModuleLocked();

}  // namespace vellum::engine::com
