// Text as text-transform shows it: what the painter draws and the measurer measures.
#pragma once

#include <string>
#include <string_view>

#include "layout/text_measurer.h"

namespace vellum::engine::com {

std::wstring TransformedText(std::u16string_view text, vellum::engine::layout::TextCase textCase);

}  // namespace vellum::engine::com
