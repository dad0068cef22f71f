#pragma once

#include <windows.h>

namespace engine {

// The class object of the HTML document class.
HRESULT GetDocumentFactory(REFIID riid, void** out);

}  // namespace engine
