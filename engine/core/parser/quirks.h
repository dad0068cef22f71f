#pragma once
// The document mode a doctype selects.

#include "dom/document.h"
#include "parser/token.h"

namespace vellum::engine {

DocumentMode documentModeForDoctype(const Token& doctype);

}  // namespace vellum::engine
