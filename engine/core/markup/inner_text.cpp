#include "markup/inner_text.h"

#include "dom/document.h"

namespace vellum::engine {

namespace {

bool StartsNewLine(const Element& e) {
  if (!e.IsHtml()) return false;
  switch (e.GetTagId()) {
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

void BreakLine(std::u16string& out) {
  if (!out.empty() && out.back() != u'\n') out.append(u"\r\n");
}

}  // namespace

std::u16string InnerText(const Element& element) {
  if (element.HoldsTextAsProperty()) return element.Text();
  std::u16string out;
  const Node* node = element.FirstChild();
  while (node) {
    if (const Text* text = AsText(node)) {
      out.append(text->Data());
    } else if (const Element* e = AsElement(node)) {
      if (e->Is(TagId::Br))
        out.append(u"\r\n");
      else if (StartsNewLine(*e))
        BreakLine(out);
      if (e->FirstChild()) {
        node = e->FirstChild();
        continue;
      }
    }
    while (node != &element && !node->NextSibling()) node = node->Parent();
    node = node == &element ? nullptr : node->NextSibling();
  }
  return out;
}

void SetInnerText(Element& element, std::u16string_view text) {
  if (element.HoldsTextAsProperty()) {
    element.SetText(text);
    return;
  }
  element.RemoveAllChildren();
  Document& document = element.GetDocument();
  if (element.Is(TagId::Textarea)) {
    if (!text.empty()) element.AppendChild(document.CreateText(text));
    return;
  }
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", start);
    std::u16string_view line =
        text.substr(start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
    if (!line.empty()) element.AppendChild(document.CreateText(line));
    if (end == std::u16string_view::npos) break;
    element.AppendChild(document.CreateElement(Namespace::Html, TagId::Br, u"br"));
    start = end + 1;
    if (text[end] == u'\r' && start < text.size() && text[start] == u'\n') ++start;
  }
}

}  // namespace vellum::engine
