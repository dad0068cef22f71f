#include "support/html5lib_cases.h"

#include <fstream>
#include <iterator>

namespace vellum::engine::test {

namespace {

std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) {
      if (start < bytes.size()) lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out.push_back('\n');
    out.append(lines[i]);
  }
  return out;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::vector<TreeCase> ReadTreeCases(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> lines = SplitLines(bytes);

  enum class Section { None, Data, Errors, Fragment, Document };
  std::vector<TreeCase> cases;
  Section section = Section::None;
  std::vector<std::string> data;
  std::vector<std::string> document;
  TreeCase current;

  auto finish = [&] {
    if (section == Section::None) return;
    while (!document.empty() && document.back().empty()) document.pop_back();
    current.data = Join(data);
    current.expected = Join(document);
    current.file = BaseName(path);
    current.index = static_cast<int>(cases.size());
    cases.push_back(current);
    current = TreeCase{};
    data.clear();
    document.clear();
  };

  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    // A case starts at "#data" on the first line or after a blank line; inside the input a
    // "#data" line would not follow a blank line of the expected tree.
    if (l == "#data" && (section == Section::None || (section == Section::Document && i > 0 && lines[i - 1].empty()))) {
      finish();
      section = Section::Data;
      continue;
    }
    if (section == Section::Data) {
      if (l == "#errors")
        section = Section::Errors;
      else
        data.push_back(l);
      continue;
    }
    if (l == "#errors" || l == "#new-errors") {
      section = Section::Errors;
    } else if (l == "#document-fragment") {
      section = Section::Fragment;
    } else if (l == "#script-on") {
      current.scripting = ScriptingFlag::On;
    } else if (l == "#script-off") {
      current.scripting = ScriptingFlag::Off;
    } else if (l == "#document") {
      section = Section::Document;
    } else if (section == Section::Fragment) {
      current.fragmentContext = l;
    } else if (section == Section::Document) {
      document.push_back(l);
    }
  }
  finish();
  return cases;
}

}  // namespace vellum::engine::test
