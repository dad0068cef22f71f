#include "markup/serializer.h"

#include <vector>

#include "dom/document.h"

namespace vellum::engine {

namespace {

enum class TextEscape : uint8_t { None, Text, Attribute };

void AppendEscaped(std::u16string& out, std::u16string_view text, TextEscape escape) {
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
bool HoldsRawText(const Element& e) {
  if (!e.IsHtml()) return false;
  switch (e.GetTagId()) {
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
bool EatsLeadingNewline(const Element& e) { return e.Is(TagId::Pre) || e.Is(TagId::Textarea) || e.Is(TagId::Listing); }

void AppendStartTag(std::u16string& out, const Element& e) {
  out.push_back(u'<');
  out.append(e.TagName());
  for (const Attribute& a : e.Attributes()) {
    out.push_back(u' ');
    out.append(ToAsciiLower(a.QualifiedName()));
    out.append(u"=\"");
    AppendEscaped(out, a.value, TextEscape::Attribute);
    out.push_back(u'"');
  }
  out.push_back(u'>');
}

void AppendLeaf(std::u16string& out, const Node& node) {
  if (const Text* text = AsText(&node)) {
    const Element* parent = node.ParentElement();
    AppendEscaped(out, text->Data(), parent && HoldsRawText(*parent) ? TextEscape::None : TextEscape::Text);
  } else if (const Comment* comment = AsComment(&node)) {
    out.append(comment->Markup());
  }
}

// The children of a node, or for a template its contents.
const Node* ContentOf(const Node& node) {
  if (const Element* e = AsElement(&node); e && e->TemplateContent()) return e->TemplateContent();
  return &node;
}

void AppendChildren(std::u16string& out, const Node& parent);

void AppendElement(std::u16string& out, const Element& e) {
  AppendStartTag(out, e);
  if (e.IsHtml() && IsVoidTag(e.GetTagId())) return;
  AppendChildren(out, e);
  out.append(u"</");
  out.append(e.TagName());
  out.push_back(u'>');
}

// Iterative walk: each element's start tag on the way down, its end tag on the way up.
void AppendChildren(std::u16string& out, const Node& parent) {
  if (const Element* e = AsElement(&parent); e && e->HoldsTextAsProperty()) {
    AppendEscaped(out, e->Text(), HoldsRawText(*e) ? TextEscape::None : TextEscape::Text);
    return;
  }
  if (const Element* e = AsElement(&parent); e && EatsLeadingNewline(*e)) {
    const Text* first = AsText(parent.FirstChild());
    if (first && !first->Data().empty() && first->Data()[0] == u'\n') out.push_back(u'\n');
  }
  struct Frame {
    const Element* element;  // whose end tag to write when its children are done
    const Node* next;        // next child to write
  };
  std::vector<Frame> stack;
  const Node* container = ContentOf(parent);
  stack.push_back(Frame{nullptr, container->FirstChild()});
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (!top.next) {
      if (top.element) {
        out.append(u"</");
        out.append(top.element->TagName());
        out.push_back(u'>');
      }
      stack.pop_back();
      continue;
    }
    const Node* node = top.next;
    top.next = node->NextSibling();
    const Element* e = AsElement(node);
    if (!e) {
      AppendLeaf(out, *node);
      continue;
    }
    AppendStartTag(out, *e);
    if (e->IsHtml() && IsVoidTag(e->GetTagId())) continue;
    if (e->HoldsTextAsProperty()) {
      AppendEscaped(out, e->Text(), HoldsRawText(*e) ? TextEscape::None : TextEscape::Text);
      out.append(u"</");
      out.append(e->TagName());
      out.push_back(u'>');
      continue;
    }
    if (EatsLeadingNewline(*e)) {
      const Text* first = AsText(e->FirstChild());
      if (first && !first->Data().empty() && first->Data()[0] == u'\n') out.push_back(u'\n');
    }
    const Node* inner = ContentOf(*e);
    stack.push_back(Frame{e, inner->FirstChild()});
  }
}

}  // namespace

std::u16string OuterHtml(const Node& node) {
  std::u16string out;
  if (const Element* e = AsElement(&node))
    AppendElement(out, *e);
  else if (node.IsDocument() || node.IsDocumentFragment())
    AppendChildren(out, node);
  else
    AppendLeaf(out, node);
  return out;
}

std::u16string InnerHtml(const Node& node) {
  std::u16string out;
  if (node.IsElement() || node.IsDocument() || node.IsDocumentFragment()) AppendChildren(out, node);
  return out;
}

}  // namespace vellum::engine
