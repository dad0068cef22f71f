// The control library's one definition of the GUIDs that the MSHTML headers only declare (the mingw
// import libraries do not carry them). No other file of the library may include <initguid.h>.
#include <windows.h>
#include <ole2.h>

#include <initguid.h>

#include <mshtml.h>
#include <mshtmhst.h>
