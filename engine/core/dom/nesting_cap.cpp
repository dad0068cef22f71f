#include "dom/nesting_cap.h"

#include <vector>

#include "dom/document.h"

namespace vellum::engine {

namespace {

// The parent in the sense of the cap: a template's contents hang below the template.
Node* capParent(const Node& node) {
  if (Node* p = node.parent()) return p;
  if (node.isDocumentFragment()) return static_cast<const DocumentFragment&>(node).templateHost();
  return nullptr;
}

// Pre-order walk over a subtree, template contents included (before the template's own children),
// that knows how many elements lie above the current node.
class CapWalk {
 public:
  CapWalk(Node& root, int rootParentLevel) : root_(&root), node_(&root), parentLevel_(rootParentLevel) {}

  Node* node() const { return node_; }
  int level() const { return parentLevel_ + (node_->isElement() ? 1 : 0); }

  void next(bool descend) {
    if (descend) {
      if (Element* e = asElement(node_); e && e->templateContent()) {
        parentLevel_ += 1;
        node_ = e->templateContent();
        return;
      }
      if (node_->firstChild()) {
        parentLevel_ += node_->isElement() ? 1 : 0;
        node_ = node_->firstChild();
        return;
      }
    }
    while (node_ != root_) {
      if (Node* parent = node_->parent()) {
        if (node_->nextSibling()) {
          node_ = node_->nextSibling();
          return;
        }
        node_ = parent;
        parentLevel_ -= parent->isElement() ? 1 : 0;
        continue;
      }
      Element* host = node_->isDocumentFragment() ? static_cast<DocumentFragment*>(node_)->templateHost() : nullptr;
      if (!host) break;
      if (host->firstChild()) {
        node_ = host->firstChild();
        return;
      }
      node_ = host;
      parentLevel_ -= 1;
    }
    node_ = nullptr;
  }

 private:
  Node* root_;
  Node* node_;
  int parentLevel_;
};

void collectElementDescendants(Element& top, std::vector<RefPtr<Node>>& out) {
  CapWalk walk(top, 0);
  for (walk.next(true); walk.node(); walk.next(true))
    if (walk.node()->isElement()) out.emplace_back(walk.node());
}

}  // namespace

int elementLevel(const Node& node) {
  int level = 0;
  for (const Node* n = &node; n; n = capParent(*n))
    if (n->isElement()) ++level;
  return level;
}

void enforceNestingCap(Node& root, int rootLevel) {
  if (root.isElement() && rootLevel > kMaxElementNesting) {
    // The root itself is too deep: it goes right after its ancestor at the deepest allowed level.
    std::vector<Node*> ancestors;
    for (Node* a = capParent(root); a; a = capParent(*a)) ancestors.push_back(a);
    Node* deepest = nullptr;
    int level = 0;
    for (auto it = ancestors.rbegin(); it != ancestors.rend() && !deepest; ++it)
      if ((*it)->isElement() && ++level == kMaxElementNesting) deepest = *it;
    if (deepest && deepest->parent()) {
      NodeTreeAccess::insert(*deepest->parent(), root, deepest->nextSibling());
      rootLevel = kMaxElementNesting;
    }
  }
  // First find the elements sitting exactly at the cap that still hold elements; flattening them
  // afterwards keeps the walk itself simple.
  std::vector<Element*> full;
  CapWalk walk(root, rootLevel - (root.isElement() ? 1 : 0));
  while (walk.node()) {
    bool descend = true;
    if (Element* e = asElement(walk.node()); e && walk.level() >= kMaxElementNesting) {
      descend = false;
      bool holdsElements = e->templateContent() && e->templateContent()->hasChildren();
      for (Node* c = e->firstChild(); c && !holdsElements; c = c->nextSibling()) holdsElements = c->isElement();
      if (holdsElements) full.push_back(e);
    }
    walk.next(descend);
  }
  for (Element* top : full) {
    std::vector<RefPtr<Node>> moved;
    collectElementDescendants(*top, moved);
    Node* parent = top->parent();
    Node* cursor = top;
    for (const RefPtr<Node>& m : moved) {
      if (parent) {
        NodeTreeAccess::insert(*parent, *m, cursor->nextSibling());
        cursor = m.get();
      } else {
        NodeTreeAccess::detach(*m);  // a capped element without a parent: the deep part is dropped
      }
    }
  }
}

}  // namespace vellum::engine
