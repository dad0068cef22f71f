// The module whose resources the tests examine, loaded once as a data file: its resources are read
// without running its code.
#pragma once

#include <windows.h>

namespace vellum::test {

// Null when the module cannot be found beside the test program.
HMODULE ResourceModule();

}  // namespace vellum::test
