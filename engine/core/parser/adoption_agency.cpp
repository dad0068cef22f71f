// The adoption agency algorithm: how misnested formatting end tags are repaired.

#include "parser/tree_builder.h"
#include "parser/tree_builder_internal.h"

namespace vellum::engine {

using namespace tb;

void TreeBuilder::AdoptionAgency(Token& t) {
  auto cloneForAdoption = [](Document& document, const Element& source) {
    RefPtr<Element> clone = document.CreateElement(source.Ns(), source.GetTagId(), source.LocalName());
    clone->attributes_ = source.Attributes();
    return clone;
  };
  Element* current = open_.Current();
  if (current && current->IsHtml() && current->LocalName() == t.name && formatting_.IndexOf(current) < 0) {
    open_.Pop();
    return;
  }
  for (int outer = 0; outer < 8; ++outer) {
    RefPtr<Element> formatting;
    for (size_t i = formatting_.size(); i-- > 0;) {
      const FormattingList::Entry& entry = formatting_.at(i);
      if (entry.IsMarker()) break;
      if (entry.element->IsHtml() && entry.element->LocalName() == t.name) {
        formatting = entry.element;
        break;
      }
    }
    if (!formatting) return AnyOtherEndTagInBody(t);
    if (!open_.Contains(formatting.get())) {
      formatting_.Remove(formatting.get());
      return;
    }
    if (!open_.HasElementInScope(formatting.get())) return;

    long formattingIndex = open_.IndexOf(formatting.get());
    RefPtr<Element> furthestBlock;
    for (size_t i = static_cast<size_t>(formattingIndex) + 1; i < open_.size(); ++i) {
      if (IsSpecial(*open_.at(i))) {
        furthestBlock = open_.at(i);
        break;
      }
    }
    if (!furthestBlock) {
      open_.PopUntilPopped(formatting.get());
      formatting_.Remove(formatting.get());
      return;
    }
    if (formattingIndex < 1) return;
    RefPtr<Element> commonAncestor = open_.at(static_cast<size_t>(formattingIndex) - 1);
    long bookmark = formatting_.IndexOf(formatting.get());

    RefPtr<Element> node = furthestBlock;
    RefPtr<Element> lastNode = furthestBlock;
    long nodeIndex = open_.IndexOf(furthestBlock.get());
    for (int inner = 1;; ++inner) {
      --nodeIndex;
      if (nodeIndex < 0) break;
      node = open_.at(static_cast<size_t>(nodeIndex));
      if (node == formatting) break;
      long listIndex = formatting_.IndexOf(node.get());
      if (inner > 3 && listIndex >= 0) {
        formatting_.Remove(node.get());
        if (listIndex < bookmark) --bookmark;
        listIndex = -1;
      }
      if (listIndex < 0) {
        open_.Remove(node.get());
        continue;
      }
      RefPtr<Element> replacement = cloneForAdoption(document_, *node);
      formatting_.at(static_cast<size_t>(listIndex)).element = replacement;
      open_.Replace(node.get(), replacement.get());
      node = replacement;
      if (lastNode == furthestBlock) bookmark = listIndex + 1;
      NodeTreeAccess::Insert(*node, *lastNode, nullptr);
      lastNode = node;
    }

    InsertionPlace place = AppropriatePlace(commonAncestor.get());
    InsertAt(place, *lastNode);

    RefPtr<Element> replacement = cloneForAdoption(document_, *formatting);
    while (Node* child = furthestBlock->FirstChild()) NodeTreeAccess::Insert(*replacement, *child, nullptr);
    NodeTreeAccess::Insert(*furthestBlock, *replacement, nullptr);

    long oldIndex = formatting_.IndexOf(formatting.get());
    if (oldIndex >= 0) {
      formatting_.Remove(formatting.get());
      if (oldIndex < bookmark) --bookmark;
    }
    formatting_.InsertAt(static_cast<size_t>(std::max(0L, bookmark)), replacement.get());
    open_.Remove(formatting.get());
    open_.InsertAt(static_cast<size_t>(open_.IndexOf(furthestBlock.get()) + 1), replacement.get());
  }
}

}  // namespace vellum::engine
