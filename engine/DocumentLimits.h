// The largest page the engine reads, in bytes of its source (UTF-16 text counts two bytes a unit). A
// load past it fails; a caller that must not lose the page it has checks the size before it starts.
#pragma once

#include <cstddef>

inline constexpr std::size_t kEngineMaxDocumentBytes = std::size_t{256} << 20;
