// Texts of the module's string table: display names and dialog texts wide, input patterns and help texts
// as the 8-bit text the pattern engine and the host-events library take.
#pragma once

#include <windows.h>

#include <string>

// The entry's text; empty when the table has none.
std::wstring ResourceString(UINT id);
// The same in the ANSI code page.
std::string ResourceStringA(UINT id);
