// Reading what a load brings: a stream's whole content, or the file behind a moniker.
#pragma once

#include <objidl.h>

#include <string>

#include "engine/DocumentLimits.h"

namespace vellum::engine::com {

// Reads the stream from its current position to its end. Fails with E_OUTOFMEMORY past kMaxInput.
HRESULT ReadWholeStream(IStream* stream, std::string& bytes);
// Reads the local file that a file: URL moniker or a path moniker names; nothing is fetched from the
// network. Fails at once when the file cannot be read.
HRESULT ReadMonikerFile(IMoniker* moniker, std::string& bytes);

// The largest document a load accepts.
constexpr size_t kMaxInput = kEngineMaxDocumentBytes;

}  // namespace vellum::engine::com
