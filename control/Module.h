// Module-wide state of vellum.dll: its instance, the window class and the list of live controls.
#pragma once

#include <windows.h>

#include "window/ModuleInstance.h"

class CVellum;

// Registers "QX_VELLUM" for module; false when the window manager refuses.
bool Module_RegisterClass(HINSTANCE module);
// Unregisters the class, deletes the controls still listed and the configuration.
void Module_Shutdown();

void Module_AddControl(CVellum* control);
void Module_RemoveControl(CVellum* control);
int Module_ControlCount();
// The live control that owns hwnd, or null.
CVellum* Module_FindControl(HWND hwnd);
