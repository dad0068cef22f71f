// The URL an image reports for its source: a local file path becomes a file: URL.
#pragma once

#include <string>
#include <string_view>

namespace vellum::engine::com {

// "C:\a b\x.png" -> "file:///C:/a%20b/x.png"; "\\server\share\x.png" -> "file://server/share/x.png".
// A URL with a scheme, and a relative reference, are reported as written.
std::u16string ResolvedSourceUrl(std::u16string_view source);

}  // namespace vellum::engine::com
