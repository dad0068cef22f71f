#include "markup/serializer.h"

#include <vector>

#include "dom/document.h"

namespace vellum::engine {

namespace {

enum class TextEscape : uint8_t { None, Text, Attribute };

void appendEscaped(std::u16string& out, std::u16string_view text, TextEscape escape) {
  if (escape == TextEscape::None) {
    out.append(text);
    return;
  }
  for (char16_t c : text) {
    switch (c) {
      case u'&':
        out.append(u"&amp;");
        break;
      case u'<':
        out.append(u"&lt;");
        break;
      case u'>':
        if (escape == TextEscape::Text)
          out.append(u"&gt;");
        else
          out.push_back(c);
        break;
      case u'"':
        if (escape == TextEscape::Attribute)
          out.append(u"&quot;");
        else
          out.push_back(c);
        break;
      case u'\u00A0':
        out.append(u"&nbsp;");
        break;
      default:
        out.push_back(c);
    }
  }
}

// Elements whose text the tokenizer reads raw: it must be written back unescaped.
bool holdsRawText(const Element& e) {
  if (!e.isHtml()) return false;
  switch (e.tagId()) {
    case TagId::Style:
    case TagId::Script:
    case TagId::Xmp:
    case TagId::Iframe:
    case TagId::Noembed:
    case TagId::Noframes:
    case TagId::Plaintext:
      return true;
    default:
      return false;
  }
}

// The parser drops a newline right after these start tags, so one at the start of the content
// needs a second one in front of it.
bool eatsLeadingNewline(const Element& e) { return e.is(TagId::Pre) || e.is(TagId::Textarea) || e.is(TagId::Listing); }

void appendStartTag(std::u16string& out, const Element& e) {
  out.push_back(u'<');
  out.append(e.tagName());
  for (const Attribute& a : e.attributes()) {
    out.push_back(u' ');
    out.append(toAsciiLower(a.qualifiedName()));
    out.append(u"=\"");
    appendEscaped(out, a.value, TextEscape::Attribute);
    out.push_back(u'"');
  }
  out.push_back(u'>');
}

void appendLeaf(std::u16string& out, const Node& node) {
  if (const Text* text = asText(&node)) {
    const Element* parent = node.parentElement();
    appendEscaped(out, text->data(), parent && holdsRawText(*parent) ? TextEscape::None : TextEscape::Text);
  } else if (const Comment* comment = asComment(&node)) {
    out.append(comment->markup());
  }
}

// The children of a node, or for a template its contents.
const Node* contentOf(const Node& node) {
  if (const Element* e = asElement(&node); e && e->templateContent()) return e->templateContent();
  return &node;
}

void appendChildren(std::u16string& out, const Node& parent);

void appendElement(std::u16string& out, const Element& e) {
  appendStartTag(out, e);
  if (e.isHtml() && isVoidTag(e.tagId())) return;
  appendChildren(out, e);
  out.append(u"</");
  out.append(e.tagName());
  out.push_back(u'>');
}

// Iterative walk: each element's start tag on the way down, its end tag on the way up.
void appendChildren(std::u16string& out, const Node& parent) {
  if (const Element* e = asElement(&parent); e && e->holdsTextAsProperty()) {
    appendEscaped(out, e->text(), holdsRawText(*e) ? TextEscape::None : TextEscape::Text);
    return;
  }
  if (const Element* e = asElement(&parent); e && eatsLeadingNewline(*e)) {
    const Text* first = asText(parent.firstChild());
    if (first && !first->data().empty() && first->data()[0] == u'\n') out.push_back(u'\n');
  }
  struct Frame {
    const Element* element;  // whose end tag to write when its children are done
    const Node* next;        // next child to write
  };
  std::vector<Frame> stack;
  const Node* container = contentOf(parent);
  stack.push_back(Frame{nullptr, container->firstChild()});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (!top.next) {
      if (top.element) {
        out.append(u"</");
        out.append(top.element->tagName());
        out.push_back(u'>');
      }
      stack.pop_back();
      continue;
    }
    const Node* node = top.next;
    top.next = node->nextSibling();
    const Element* e = asElement(node);
    if (!e) {
      appendLeaf(out, *node);
      continue;
    }
    appendStartTag(out, *e);
    if (e->isHtml() && isVoidTag(e->tagId())) continue;
    if (e->holdsTextAsProperty()) {
      appendEscaped(out, e->text(), holdsRawText(*e) ? TextEscape::None : TextEscape::Text);
      out.append(u"</");
      out.append(e->tagName());
      out.push_back(u'>');
      continue;
    }
    if (eatsLeadingNewline(*e)) {
      const Text* first = asText(e->firstChild());
      if (first && !first->data().empty() && first->data()[0] == u'\n') out.push_back(u'\n');
    }
    const Node* inner = contentOf(*e);
    stack.push_back(Frame{e, inner->firstChild()});
  }
}

}  // namespace

std::u16string outerHtml(const Node& node) {
  std::u16string out;
  if (const Element* e = asElement(&node))
    appendElement(out, *e);
  else if (node.isDocument() || node.isDocumentFragment())
    appendChildren(out, node);
  else
    appendLeaf(out, node);
  return out;
}

std::u16string innerHtml(const Node& node) {
  std::u16string out;
  if (node.isElement() || node.isDocument() || node.isDocumentFragment()) appendChildren(out, node);
  return out;
}

}  // namespace vellum::engine
