#include "dom/nesting_cap.h"

#include <vector>

#include "dom/document.h"

namespace vellum::engine {

namespace {

// The parent in the sense of the cap: a template's contents hang below the template.
Node* CapParent(const Node& node) {
  if (Node* p = node.Parent()) return p;
  if (node.IsDocumentFragment()) return static_cast<const DocumentFragment&>(node).TemplateHost();
  return nullptr;
}

// Pre-order walk over a subtree, template contents included (before the template's own children),
// that knows how many elements lie above the current node.
class CapWalk {
 public:
  CapWalk(Node& root, int rootParentLevel) : root_(&root), node_(&root), parentLevel_(rootParentLevel) {}

  Node* GetNode() const { return node_; }
  int Level() const { return parentLevel_ + (node_->IsElement() ? 1 : 0); }

  void Next(bool descend) {
    if (descend) {
      if (Element* e = AsElement(node_); e && e->TemplateContent()) {
        parentLevel_ += 1;
        node_ = e->TemplateContent();
        return;
      }
      if (node_->FirstChild()) {
        parentLevel_ += node_->IsElement() ? 1 : 0;
        node_ = node_->FirstChild();
        return;
      }
    }
    while (node_ != root_) {
      if (Node* parent = node_->Parent()) {
        if (node_->NextSibling()) {
          node_ = node_->NextSibling();
          return;
        }
        node_ = parent;
        parentLevel_ -= parent->IsElement() ? 1 : 0;
        continue;
      }
      Element* host = node_->IsDocumentFragment() ? static_cast<DocumentFragment*>(node_)->TemplateHost() : nullptr;
      if (!host) break;
      if (host->FirstChild()) {
        node_ = host->FirstChild();
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

void CollectElementDescendants(Element& top, std::vector<RefPtr<Node>>& out) {
  CapWalk walk(top, 0);
  for (walk.Next(true); walk.GetNode(); walk.Next(true))
    if (walk.GetNode()->IsElement()) out.emplace_back(walk.GetNode());
}

}  // namespace

int ElementLevel(const Node& node) {
  int level = 0;
  for (const Node* n = &node; n; n = CapParent(*n))
    if (n->IsElement()) ++level;
  return level;
}

void EnforceNestingCap(Node& root, int rootLevel) {
  if (root.IsElement() && rootLevel > kMaxElementNesting) {
    // The root itself is too deep: it goes right after its ancestor at the deepest allowed level.
    std::vector<Node*> ancestors;
    for (Node* a = CapParent(root); a; a = CapParent(*a)) ancestors.push_back(a);
    Node* deepest = nullptr;
    int level = 0;
    for (auto it = ancestors.rbegin(); it != ancestors.rend() && !deepest; ++it)
      if ((*it)->IsElement() && ++level == kMaxElementNesting) deepest = *it;
    if (deepest && deepest->Parent()) {
      NodeTreeAccess::Insert(*deepest->Parent(), root, deepest->NextSibling());
      rootLevel = kMaxElementNesting;
    }
  }
  // First find the elements sitting exactly at the cap that still hold elements; flattening them
  // afterwards keeps the walk itself simple.
  std::vector<Element*> full;
  CapWalk walk(root, rootLevel - (root.IsElement() ? 1 : 0));
  while (walk.GetNode()) {
    bool descend = true;
    if (Element* e = AsElement(walk.GetNode()); e && walk.Level() >= kMaxElementNesting) {
      descend = false;
      bool holdsElements = e->TemplateContent() && e->TemplateContent()->HasChildren();
      for (Node* c = e->FirstChild(); c && !holdsElements; c = c->NextSibling()) holdsElements = c->IsElement();
      if (holdsElements) full.push_back(e);
    }
    walk.Next(descend);
  }
  for (Element* top : full) {
    std::vector<RefPtr<Node>> moved;
    CollectElementDescendants(*top, moved);
    Node* parent = top->Parent();
    Node* cursor = top;
    for (const RefPtr<Node>& m : moved) {
      if (parent) {
        NodeTreeAccess::Insert(*parent, *m, cursor->NextSibling());
        cursor = m.get();
      } else {
        NodeTreeAccess::Detach(*m);  // a capped element without a parent: the deep part is dropped
      }
    }
  }
}

}  // namespace vellum::engine
