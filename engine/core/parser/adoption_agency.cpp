// The adoption agency algorithm: how misnested formatting end tags are repaired.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::adoptionAgency(Token& t) {
  auto cloneForAdoption = [](Document& document, const Element& source) {
    RefPtr<Element> clone = document.createElement(source.ns(), source.tagId(), source.localName());
    clone->attributes_ = source.attributes();
    return clone;
  };
  Element* current = open_.current();
  if (current && current->isHtml() && current->localName() == t.name && formatting_.indexOf(current) < 0) {
    open_.pop();
    return;
  }
  for (int outer = 0; outer < 8; ++outer) {
    RefPtr<Element> formatting;
    for (size_t i = formatting_.size(); i-- > 0;) {
      const FormattingList::Entry& entry = formatting_.at(i);
      if (entry.isMarker()) break;
      if (entry.element->isHtml() && entry.element->localName() == t.name) {
        formatting = entry.element;
        break;
      }
    }
    if (!formatting) return anyOtherEndTagInBody(t);
    if (!open_.contains(formatting.get())) {
      formatting_.remove(formatting.get());
      return;
    }
    if (!open_.hasElementInScope(formatting.get())) return;

    long formattingIndex = open_.indexOf(formatting.get());
    RefPtr<Element> furthestBlock;
    for (size_t i = static_cast<size_t>(formattingIndex) + 1; i < open_.size(); ++i) {
      if (isSpecial(*open_.at(i))) {
        furthestBlock = open_.at(i);
        break;
      }
    }
    if (!furthestBlock) {
      open_.popUntilPopped(formatting.get());
      formatting_.remove(formatting.get());
      return;
    }
    if (formattingIndex < 1) return;
    RefPtr<Element> commonAncestor = open_.at(static_cast<size_t>(formattingIndex) - 1);
    long bookmark = formatting_.indexOf(formatting.get());

    RefPtr<Element> node = furthestBlock;
    RefPtr<Element> lastNode = furthestBlock;
    long nodeIndex = open_.indexOf(furthestBlock.get());
    for (int inner = 1;; ++inner) {
      --nodeIndex;
      if (nodeIndex < 0) break;
      node = open_.at(static_cast<size_t>(nodeIndex));
      if (node == formatting) break;
      long listIndex = formatting_.indexOf(node.get());
      if (inner > 3 && listIndex >= 0) {
        formatting_.remove(node.get());
        if (listIndex < bookmark) --bookmark;
        listIndex = -1;
      }
      if (listIndex < 0) {
        open_.remove(node.get());
        continue;
      }
      RefPtr<Element> replacement = cloneForAdoption(document_, *node);
      formatting_.at(static_cast<size_t>(listIndex)).element = replacement;
      open_.replace(node.get(), replacement.get());
      node = replacement;
      if (lastNode == furthestBlock) bookmark = listIndex + 1;
      NodeTreeAccess::insert(*node, *lastNode, nullptr);
      lastNode = node;
    }

    InsertionPlace place = appropriatePlace(commonAncestor.get());
    insertAt(place, *lastNode);

    RefPtr<Element> replacement = cloneForAdoption(document_, *formatting);
    while (Node* child = furthestBlock->firstChild()) NodeTreeAccess::insert(*replacement, *child, nullptr);
    NodeTreeAccess::insert(*furthestBlock, *replacement, nullptr);

    long oldIndex = formatting_.indexOf(formatting.get());
    if (oldIndex >= 0) {
      formatting_.remove(formatting.get());
      if (oldIndex < bookmark) --bookmark;
    }
    formatting_.insertAt(static_cast<size_t>(std::max(0L, bookmark)), replacement.get());
    open_.remove(formatting.get());
    open_.insertAt(static_cast<size_t>(open_.indexOf(furthestBlock.get()) + 1), replacement.get());
  }
}

}  // namespace vellum::engine
