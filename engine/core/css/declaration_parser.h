#pragma once
// Reading a declaration list ("left: 10px; top: 20px") as CSS does: a malformed declaration is
// skipped up to the next ';' outside strings and brackets, and reading goes on.

#include <functional>
#include <string_view>

#include "css/declaration.h"

namespace vellum::engine::css {

// Calls `sink` with each well-formed declaration in order.
void ParseDeclarationList(std::u16string_view text, const std::function<void(Declaration&&)>& sink);

// Parses one declaration ("color: red"); empty when it is malformed.
std::optional<Declaration> ParseDeclaration(std::u16string_view text);

}  // namespace vellum::engine::css
