#include "support/tree_dump.h"

#include <algorithm>
#include <vector>

#include "dom/document.h"
#include "support/utf_text.h"

namespace vellum::engine::test {

namespace {

void line(std::string& out, int depth, const std::string& text) {
  if (!out.empty()) out.push_back('\n');
  out.append("| ");
  out.append(static_cast<size_t>(depth) * 2, ' ');
  out.append(text);
}

std::string elementName(const Element& e) {
  std::string prefix = e.ns() == Namespace::Svg ? "svg " : e.ns() == Namespace::MathMl ? "math " : "";
  return prefix + utf16ToUtf8(e.localName());
}

std::string attributeName(const Attribute& a) {
  switch (a.ns) {
    case AttributeNamespace::XLink:
      return "xlink " + utf16ToUtf8(a.name);
    case AttributeNamespace::Xml:
      return "xml " + utf16ToUtf8(a.name);
    case AttributeNamespace::Xmlns:
      return "xmlns " + utf16ToUtf8(a.name);
    case AttributeNamespace::None:
      break;
  }
  return utf16ToUtf8(a.name);
}

void dumpNode(std::string& out, const Node& node, int depth);

void dumpChildren(std::string& out, const Node& parent, int depth) {
  for (const Node* c = parent.firstChild(); c; c = c->nextSibling()) dumpNode(out, *c, depth);
}

void dumpNode(std::string& out, const Node& node, int depth) {
  if (const Text* text = asText(&node)) {
    line(out, depth, "\"" + utf16ToUtf8(text->data()) + "\"");
    return;
  }
  if (const Comment* comment = asComment(&node)) {
    if (const DoctypeInfo* d = comment->doctype()) {
      std::string s = "<!DOCTYPE " + utf16ToUtf8(d->name);
      if (!d->publicId.empty() || !d->systemId.empty())
        s += " \"" + utf16ToUtf8(d->publicId) + "\" \"" + utf16ToUtf8(d->systemId) + "\"";
      line(out, depth, s + ">");
    } else {
      line(out, depth, "<!-- " + utf16ToUtf8(comment->data()) + " -->");
    }
    return;
  }
  const Element* e = asElement(&node);
  if (!e) return;
  line(out, depth, "<" + elementName(*e) + ">");
  std::vector<std::pair<std::string, std::string>> attributes;
  for (const Attribute& a : e->attributes()) attributes.emplace_back(attributeName(a), utf16ToUtf8(a.value));
  std::sort(attributes.begin(), attributes.end());
  for (const auto& [name, value] : attributes) line(out, depth + 1, name + "=\"" + value + "\"");
  if (e->holdsTextAsProperty()) {
    if (!e->text().empty()) line(out, depth + 1, "\"" + utf16ToUtf8(e->text()) + "\"");
    return;
  }
  if (const DocumentFragment* content = e->templateContent()) {
    line(out, depth + 1, "content");
    dumpChildren(out, *content, depth + 2);
  }
  dumpChildren(out, *e, depth + 1);
}

}  // namespace

std::string dumpTree(const Node& root) {
  std::string out;
  dumpChildren(out, root, 0);
  return out;
}

}  // namespace vellum::engine::test
