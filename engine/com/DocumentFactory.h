#pragma once

#include <windows.h>

namespace vellum::engine::com {

// The class object of the HTML document class.
HRESULT GetDocumentFactory(REFIID riid, void** out);

}  // namespace vellum::engine::com
