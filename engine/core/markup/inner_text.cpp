#include "markup/inner_text.h"

#include "dom/document.h"

namespace vellum::engine {

namespace {

bool startsNewLine(const Element& e) {
  if (!e.isHtml()) return false;
  switch (e.tagId()) {
    case TagId::Address:
    case TagId::Blockquote:
    case TagId::Dd:
    case TagId::Div:
    case TagId::Dl:
    case TagId::Dt:
    case TagId::Fieldset:
    case TagId::Form:
    case TagId::H1:
    case TagId::H2:
    case TagId::H3:
    case TagId::H4:
    case TagId::H5:
    case TagId::H6:
    case TagId::Hr:
    case TagId::Li:
    case TagId::Ol:
    case TagId::P:
    case TagId::Pre:
    case TagId::Table:
    case TagId::Tr:
    case TagId::Ul:
      return true;
    default:
      return false;
  }
}

void breakLine(std::u16string& out) {
  if (!out.empty() && out.back() != u'\n') out.append(u"\r\n");
}

}  // namespace

std::u16string innerText(const Element& element) {
  if (element.holdsTextAsProperty()) return element.text();
  std::u16string out;
  const Node* node = element.firstChild();
  while (node) {
    if (const Text* text = asText(node)) {
      out.append(text->data());
    } else if (const Element* e = asElement(node)) {
      if (e->is(TagId::Br))
        out.append(u"\r\n");
      else if (startsNewLine(*e))
        breakLine(out);
      if (e->firstChild()) {
        node = e->firstChild();
        continue;
      }
    }
    while (node != &element && !node->nextSibling()) node = node->parent();
    node = node == &element ? nullptr : node->nextSibling();
  }
  return out;
}

void setInnerText(Element& element, std::u16string_view text) {
  if (element.holdsTextAsProperty()) {
    element.setText(text);
    return;
  }
  element.removeAllChildren();
  Document& document = element.document();
  if (element.is(TagId::Textarea)) {
    if (!text.empty()) element.appendChild(document.createText(text));
    return;
  }
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    std::u16string_view line =
        text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
    if (!line.empty()) element.appendChild(document.createText(line));
    if (end == std::u16string_view::npos) break;
    element.appendChild(document.createElement(Namespace::Html, TagId::Br, u"br"));
    start = end + 1;
    if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') ++start;
  }
}

}  // namespace vellum::engine
