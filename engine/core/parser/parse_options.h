#pragma once

#include <cstddef>
#include <cstdint>

namespace vellum::engine {

// No script ever runs in this engine, so scripting is off unless a caller asks otherwise (which
// only changes how <noscript> is read).
enum class Scripting : uint8_t { Off, On };

struct ParseOptions {
  Scripting scripting = Scripting::Off;
  // Elements the parser may create beyond one per start tag (re-opened formatting elements):
  // this many, plus one for every two characters of input.
  size_t extraElementBudget = 100000;
};

}  // namespace vellum::engine
