// Arbitrary bytes as a page, written by the HTML writer's rules. The writing must succeed (the parser's
// nesting cap keeps every tree within the writer's depth). Where markup can reproduce the parser's tree
// at all, the written page must read back with the same elements and be written the same again: one
// save, then every further save, gives the same text. Some trees the parser builds from broken markup
// (a paragraph inside a paragraph, a select inside a select) no markup reproduces; those are only
// written.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <string_view>
#include <vector>

#include "document/WriterRules.h"
#include "dom/document.h"
#include "encoding/utf.h"
#include "fuzz/document/CoreTreeWriter.h"
#include "markup/serializer.h"
#include "parser/html_parser.h"

using namespace vellum::engine;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

// The generator and content-type metas the writer adds to a page that has none.
bool IsOwnMeta(const Element& element) {
  if (!element.Is(TagId::Meta)) return false;
  const Attribute* name = element.FindAttribute(u"name");
  return name && writer_rules::IsOwnMetaName(ToAsciiLower(name->value).c_str());
}

// The attributes as the writer keeps them, in name order: it writes the style last, leaves out an empty
// style and an input's empty value, and writes an input's checked, disabled and readonly as bare flags.
std::vector<std::u16string> AttributesWritten(const Element& element) {
  std::vector<std::u16string> kept;
  for (const Attribute& attribute : element.Attributes()) {
    const std::u16string name = ToAsciiLower(attribute.QualifiedName());
    if (attribute.value.empty() && (name == u"style" || (element.Is(TagId::Input) && name == u"value"))) continue;
    // An input's state flags are written as flags: their values never mattered.
    if (element.Is(TagId::Input) && (name == u"checked" || name == u"disabled" || name == u"readonly")) {
      kept.push_back(name);
      continue;
    }
    kept.push_back(name + u"=" + attribute.value);
  }
  std::sort(kept.begin(), kept.end());
  return kept;
}

// The elements and comments in document order with their depth; elements with their vocabulary, name
// and attributes.
std::u16string ElementOutline(const Document& document) {
  std::u16string outline;
  const Node* node = document.FirstChild();
  int depth = 0;
  while (node) {
    if (node->IsComment()) {
      outline.append(static_cast<size_t>(depth), u' ');
      outline.append(u"#comment\n");
    }
    const Element* element = AsElement(node);
    if (element && !IsOwnMeta(*element)) {
      outline.append(static_cast<size_t>(depth), u' ');
      outline.push_back(static_cast<char16_t>(u'0' + static_cast<int>(element->Ns())));
      outline.append(element->LocalName());
      for (const std::u16string& attribute : AttributesWritten(*element)) {
        outline.push_back(u' ');
        outline.append(attribute);
      }
      outline.push_back(u'\n');
    }
    if (node->FirstChild()) {
      node = node->FirstChild();
      ++depth;
      continue;
    }
    while (node && !node->NextSibling()) {
      node = node->Parent();
      --depth;
    }
    if (node) node = node->NextSibling();
  }
  return outline;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 64 * 1024) return 0;
  std::u16string text;
  encoding::DecodeUtf8(std::string_view(reinterpret_cast<const char*>(data), size), text);

  vellum::fuzzing::CoreTreeWriter writer;
  const RefPtr<Document> original = ParseDocument(text);
  std::u16string first;
  Check(writer.Write(*original, first));
  const RefPtr<Document> readBack = ParseDocument(first);
  std::u16string second;
  Check(writer.Write(*readBack, second));

  // The engine's own markup shows whether any markup reproduces the parser's tree; where it does, the
  // writer's must too, and then saving again changes nothing.
  const std::u16string outline = ElementOutline(*original);
  if (ElementOutline(*ParseDocument(OuterHtml(*original))) != outline) return 0;
  Check(ElementOutline(*readBack) == outline);
  Check(second == first);
  return 0;
}
