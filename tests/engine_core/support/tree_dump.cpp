#include "support/tree_dump.h"

#include <algorithm>
#include <vector>

#include "dom/document.h"
#include "support/utf_text.h"

namespace vellum::engine::test {

namespace {

void Line(std::string& out, int depth, const std::string& text) {
  if (!out.empty()) out.push_back('\n');
  out.append("| ");
  out.append(static_cast<size_t>(depth) * 2, ' ');
  out.append(text);
}

std::string ElementName(const Element& e) {
  std::string prefix = e.Ns() == Namespace::Svg ? "svg " : e.Ns() == Namespace::MathMl ? "math " : "";
  return prefix + Utf16ToUtf8(e.LocalName());
}

std::string AttributeName(const Attribute& a) {
  switch (a.ns) {
    case AttributeNamespace::XLink:
      return "xlink " + Utf16ToUtf8(a.name);
    case AttributeNamespace::Xml:
      return "xml " + Utf16ToUtf8(a.name);
    case AttributeNamespace::Xmlns:
      return "xmlns " + Utf16ToUtf8(a.name);
    case AttributeNamespace::None:
      break;
  }
  return Utf16ToUtf8(a.name);
}

void DumpNode(std::string& out, const Node& node, int depth);

void DumpChildren(std::string& out, const Node& parent, int depth) {
  for (const Node* c = parent.FirstChild(); c; c = c->NextSibling()) DumpNode(out, *c, depth);
}

void DumpNode(std::string& out, const Node& node, int depth) {
  if (const Text* text = AsText(&node)) {
    Line(out, depth, "\"" + Utf16ToUtf8(text->Data()) + "\"");
    return;
  }
  if (const Comment* comment = AsComment(&node)) {
    if (const DoctypeInfo* d = comment->Doctype()) {
      std::string s = "<!DOCTYPE " + Utf16ToUtf8(d->name);
      if (!d->publicId.empty() || !d->systemId.empty())
        s += " \"" + Utf16ToUtf8(d->publicId) + "\" \"" + Utf16ToUtf8(d->systemId) + "\"";
      Line(out, depth, s + ">");
    } else {
      Line(out, depth, "<!-- " + Utf16ToUtf8(comment->Data()) + " -->");
    }
    return;
  }
  const Element* e = AsElement(&node);
  if (!e) return;
  Line(out, depth, "<" + ElementName(*e) + ">");
  std::vector<std::pair<std::string, std::string>> attributes;
  for (const Attribute& a : e->Attributes()) attributes.emplace_back(AttributeName(a), Utf16ToUtf8(a.value));
  std::sort(attributes.begin(), attributes.end());
  for (const auto& [name, value] : attributes) Line(out, depth + 1, name + "=\"" + value + "\"");
  if (e->HoldsTextAsProperty()) {
    if (!e->Text().empty()) Line(out, depth + 1, "\"" + Utf16ToUtf8(e->Text()) + "\"");
    return;
  }
  if (const DocumentFragment* content = e->TemplateContent()) {
    Line(out, depth + 1, "content");
    DumpChildren(out, *content, depth + 2);
  }
  DumpChildren(out, *e, depth + 1);
}

}  // namespace

std::string DumpTree(const Node& root) {
  std::string out;
  DumpChildren(out, root, 0);
  return out;
}

}  // namespace vellum::engine::test
