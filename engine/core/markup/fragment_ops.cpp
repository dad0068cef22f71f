#include "markup/fragment_ops.h"

#include "dom/document.h"
#include "parser/html_parser.h"

namespace vellum::engine {

namespace {

// Markup parsed "inside html" is parsed as if inside a body, as browsers do.
RefPtr<DocumentFragment> parseIn(Element& context, std::u16string_view markup, const ParseOptions& options) {
  if (context.is(TagId::Html)) {
    RefPtr<Element> body = context.document().createElement(Namespace::Html, TagId::Body, u"body");
    return parseFragment(*body, markup, options);
  }
  return parseFragment(context, markup, options);
}

std::u16string textOf(const DocumentFragment& fragment) {
  std::u16string text;
  for (Node* c = fragment.firstChild(); c; c = c->nextSibling())
    if (const Text* t = asText(c)) text.append(t->data());
  return text;
}

}  // namespace

bool parseAdjacentPosition(std::u16string_view name, AdjacentPosition& position) {
  static constexpr struct {
    std::u16string_view name;
    AdjacentPosition position;
  } kPositions[] = {{u"beforebegin", AdjacentPosition::BeforeBegin},
                    {u"afterbegin", AdjacentPosition::AfterBegin},
                    {u"beforeend", AdjacentPosition::BeforeEnd},
                    {u"afterend", AdjacentPosition::AfterEnd}};
  for (const auto& p : kPositions) {
    if (equalsIgnoringAsciiCase(name, p.name)) {
      position = p.position;
      return true;
    }
  }
  return false;
}

MutationResult insertAdjacentHtml(Element& target, AdjacentPosition position, std::u16string_view markup,
                                  const ParseOptions& options) {
  bool outside = position == AdjacentPosition::BeforeBegin || position == AdjacentPosition::AfterEnd;
  if (outside) {
    Element* parent = target.parentElement();
    if (!parent) return MutationResult::HierarchyError;
    RefPtr<DocumentFragment> nodes = parseIn(*parent, markup, options);
    Node* before = position == AdjacentPosition::BeforeBegin ? &target : target.nextSibling();
    return parent->insertBefore(nodes, before);
  }
  RefPtr<DocumentFragment> nodes = parseIn(target, markup, options);
  if (target.holdsTextAsProperty()) {
    std::u16string text = textOf(*nodes);
    target.setText(position == AdjacentPosition::AfterBegin ? text + target.text() : target.text() + text);
    return MutationResult::Ok;
  }
  Node* container = target.templateContent() ? static_cast<Node*>(target.templateContent()) : &target;
  return container->insertBefore(nodes, position == AdjacentPosition::AfterBegin ? container->firstChild() : nullptr);
}

MutationResult setInnerHtml(Element& target, std::u16string_view markup, const ParseOptions& options) {
  RefPtr<DocumentFragment> nodes = parseIn(target, markup, options);
  if (target.holdsTextAsProperty()) {
    target.setText(textOf(*nodes));
    return MutationResult::Ok;
  }
  Node* container = target.templateContent() ? static_cast<Node*>(target.templateContent()) : &target;
  container->removeAllChildren();
  return container->appendChild(nodes);
}

MutationResult setOuterHtml(Element& target, std::u16string_view markup, const ParseOptions& options) {
  Element* parent = target.parentElement();
  if (!parent) return MutationResult::HierarchyError;
  RefPtr<Element> keep(&target);
  RefPtr<DocumentFragment> nodes = parseIn(*parent, markup, options);
  Node* next = target.nextSibling();
  target.remove();
  return parent->insertBefore(nodes, next);
}

}  // namespace vellum::engine
