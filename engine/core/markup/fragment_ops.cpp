#include "markup/fragment_ops.h"

#include "dom/document.h"
#include "parser/html_parser.h"

namespace vellum::engine {

namespace {

// Markup parsed "inside html" is parsed as if inside a body, as browsers do.
RefPtr<DocumentFragment> ParseIn(Element& context, std::u16string_view markup, const ParseOptions& options) {
  if (context.Is(TagId::Html)) {
    RefPtr<Element> body = context.GetDocument().CreateElement(Namespace::Html, TagId::Body, u"body");
    return ParseFragment(*body, markup, options);
  }
  return ParseFragment(context, markup, options);
}

std::u16string TextOf(const DocumentFragment& fragment) {
  std::u16string text;
  for (Node* c = fragment.FirstChild(); c; c = c->NextSibling())
    if (const Text* t = AsText(c)) text.append(t->Data());
  return text;
}

}  // namespace

bool ParseAdjacentPosition(std::u16string_view name, AdjacentPosition& position) {
  static constexpr struct {
    std::u16string_view name;
    AdjacentPosition position;
  } kPositions[] = {{u"beforebegin", AdjacentPosition::BeforeBegin},
                    {u"afterbegin", AdjacentPosition::AfterBegin},
                    {u"beforeend", AdjacentPosition::BeforeEnd},
                    {u"afterend", AdjacentPosition::AfterEnd}};
  for (const auto& p : kPositions) {
    if (EqualsIgnoringAsciiCase(name, p.name)) {
      position = p.position;
      return true;
    }
  }
  return false;
}

MutationResult InsertAdjacentHtml(Element& target, AdjacentPosition position, std::u16string_view markup,
                                  const ParseOptions& options) {
  bool outside = position == AdjacentPosition::BeforeBegin || position == AdjacentPosition::AfterEnd;
  if (outside) {
    Element* parent = target.ParentElement();
    if (!parent) return MutationResult::HierarchyError;
    RefPtr<DocumentFragment> nodes = ParseIn(*parent, markup, options);
    Node* before = position == AdjacentPosition::BeforeBegin ? &target : target.NextSibling();
    return parent->InsertBefore(nodes, before);
  }
  RefPtr<DocumentFragment> nodes = ParseIn(target, markup, options);
  if (target.HoldsTextAsProperty()) {
    std::u16string text = TextOf(*nodes);
    target.SetText(position == AdjacentPosition::AfterBegin ? text + target.Text() : target.Text() + text);
    return MutationResult::Ok;
  }
  Node* container = target.TemplateContent() ? static_cast<Node*>(target.TemplateContent()) : &target;
  return container->InsertBefore(nodes, position == AdjacentPosition::AfterBegin ? container->FirstChild() : nullptr);
}

MutationResult SetInnerHtml(Element& target, std::u16string_view markup, const ParseOptions& options) {
  RefPtr<DocumentFragment> nodes = ParseIn(target, markup, options);
  if (target.HoldsTextAsProperty()) {
    target.SetText(TextOf(*nodes));
    return MutationResult::Ok;
  }
  Node* container = target.TemplateContent() ? static_cast<Node*>(target.TemplateContent()) : &target;
  container->RemoveAllChildren();
  return container->AppendChild(nodes);
}

MutationResult SetOuterHtml(Element& target, std::u16string_view markup, const ParseOptions& options) {
  Element* parent = target.ParentElement();
  if (!parent) return MutationResult::HierarchyError;
  RefPtr<Element> keep(&target);
  RefPtr<DocumentFragment> nodes = ParseIn(*parent, markup, options);
  Node* next = target.NextSibling();
  target.Remove();
  return parent->InsertBefore(nodes, next);
}

}  // namespace vellum::engine
