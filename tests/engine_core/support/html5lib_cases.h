#pragma once
// Reader for the html5lib tree-construction files (.dat).

#include <optional>
#include <string>
#include <vector>

namespace vellum::engine::test {

enum class ScriptingFlag : uint8_t { Either, On, Off };

struct TreeCase {
  std::string file;                            // file name, for messages
  int index = 0;                               // position in the file, from 0
  std::string data;                            // input, UTF-8 bytes as written
  std::optional<std::string> fragmentContext;  // "td", "svg path", "math mi" ...
  ScriptingFlag scripting = ScriptingFlag::Either;
  std::string expected;  // the #document lines joined by "\n"
};

// Reads one file as bytes. Returns an empty list when the file cannot be read.
std::vector<TreeCase> ReadTreeCases(const std::string& path);

}  // namespace vellum::engine::test
