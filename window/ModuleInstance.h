// The instance of the module the product's code runs in: its window classes and resources belong to it.
#pragma once

#include <windows.h>

HINSTANCE Module_Instance();
// Set once, when the module registers its classes (tests set their own executable).
void Module_SetInstance(HINSTANCE module);
