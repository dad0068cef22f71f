#pragma once
// The document mode a doctype selects.

#include "dom/document.h"
#include "parser/token.h"

namespace vellum::engine {

DocumentMode DocumentModeForDoctype(const Token& doctype);

}  // namespace vellum::engine
