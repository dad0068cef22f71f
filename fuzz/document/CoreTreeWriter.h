// Writes an engine tree the way the control's HTML writer writes the live document: the same walk, the
// same indentation and line breaks, the same decisions from the shared writer rules. The control's
// writer reads the tree through the object model and converts into a code page, which only Windows
// offers; this one reads the engine's tree directly and writes UTF-16, so that the rules can be
// fuzzed natively.
#pragma once

#include <string>

#include "dom/document.h"

namespace vellum::fuzzing {

class CoreTreeWriter {
 public:
  // Elements nested deeper than this make Write fail, as they make the control's writer fail.
  static constexpr int kMaxDepth = 1024;

  // The whole document; false (out empty) when it cannot be written.
  bool Write(const engine::Document& document, std::u16string& out);

 private:
  bool WriteNode(const engine::Node& node, int level);
  bool WriteElement(const engine::Element& element, int level);
  void WriteAttributes(const engine::Element& element, bool isInput, bool ownMeta);
  void WriteText(std::u16string_view text, int level);
  void WriteEscaped(std::u16string_view text, bool attribute);
  void WritePropertyContent(std::u16string_view text, bool escaped, const char* rawTag);
  void Indent(int level) { out_->append(static_cast<size_t>(level > 0 ? level : 0), u' '); }

  std::u16string* out_ = nullptr;
  int exact_ = 0;              // inside pre, listing, textarea or plaintext: written as it is
  int rawText_ = 0;            // inside iframe, noembed, noframes or xmp: text read literally
  bool endTagAtOnce_ = false;  // raw text ended with its own end tag's start: no blank before it
  bool markupEnded_ = false;   // a plaintext start tag was written: the rest is read as its text
  bool generatorPresent_ = false;
  bool contentTypePresent_ = false;
};

}  // namespace vellum::fuzzing
