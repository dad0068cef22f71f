#include "dom/node.h"

#include <vector>

#include "dom/document.h"
#include "dom/element.h"
#include "dom/nesting_cap.h"

namespace vellum::engine {

Node::Node(NodeType type, Document* document) : type_(type), document_(document) {
  if (type != NodeType::Document) document_->nodeCreated();
}

Node::~Node() = default;

Element* Node::parentElement() const { return asElement(parent_); }

size_t Node::childCount() const {
  size_t n = 0;
  for (Node* c = firstChild_; c; c = c->next_) ++n;
  return n;
}

Node* Node::childAt(size_t index) const {
  Node* c = firstChild_;
  while (c && index--) c = c->next_;
  return c;
}

bool Node::isInclusiveAncestorOf(const Node* other) const {
  for (; other; other = other->parent_)
    if (other == this) return true;
  return false;
}

bool Node::isConnected() const {
  const Node* n = this;
  while (n->parent_) n = n->parent_;
  return n->isDocument();
}

std::u16string Node::nodeName() const {
  switch (type_) {
    case NodeType::Element:
      return static_cast<const Element*>(this)->tagName();
    case NodeType::Text:
      return u"#text";
    case NodeType::Comment:
      return u"#comment";
    case NodeType::Document:
      return u"#document";
    case NodeType::DocumentFragment:
      return u"#document-fragment";
  }
  return {};
}

int32_t Node::sourceIndex() const {
  if (!isElement() && !isComment()) return -1;
  document_->all();
  return allStamp_ == document_->allStamp_ ? static_cast<int32_t>(allIndex_) : -1;
}

void Node::unref() const {
  if (--refCount_ == 0) destroy(const_cast<Node*>(this));
}

// Destruction runs as a work list: releasing a node queues the children it frees instead of
// recursing into them.
void Node::destroy(Node* node) {
  thread_local std::vector<Node*>* pending = nullptr;
  if (pending) {
    pending->push_back(node);
    return;
  }
  std::vector<Node*> queue{node};
  pending = &queue;
  while (!queue.empty()) {
    Node* n = queue.back();
    queue.pop_back();
    if (n->isDocument()) {
      static_cast<Document*>(n)->lastReferenceReleased();
      continue;
    }
    n->releaseChildren();
    if (Element* e = asElement(n)) e->releaseTemplateContent();
    Document* document = n->document_;
    delete n;
    document->nodeDestroyed();
  }
  pending = nullptr;
}

void Node::releaseChildren() {
  while (Node* c = firstChild_) unlinkChild(c);
}

void Node::linkChild(Node* child, Node* before) {
  child->ref();
  child->parent_ = this;
  child->next_ = before;
  child->prev_ = before ? before->prev_ : lastChild_;
  if (child->prev_)
    child->prev_->next_ = child;
  else
    firstChild_ = child;
  if (before)
    before->prev_ = child;
  else
    lastChild_ = child;
  document_->treeChanged();
}

void Node::unlinkChild(Node* child) {
  if (child->prev_)
    child->prev_->next_ = child->next_;
  else
    firstChild_ = child->next_;
  if (child->next_)
    child->next_->prev_ = child->prev_;
  else
    lastChild_ = child->prev_;
  child->parent_ = child->prev_ = child->next_ = nullptr;
  document_->treeChanged();
  child->unref();
}

MutationResult Node::checkInsertion(const Node& child, const Node* reference) const {
  if (reference && reference->parent_ != this) return MutationResult::NotFound;
  if (isText() || isComment() || child.isDocument()) return MutationResult::HierarchyError;
  if (child.isInclusiveAncestorOf(this)) return MutationResult::HierarchyError;
  if (const Element* e = asElement(this); e && e->holdsTextAsProperty()) return MutationResult::HierarchyError;
  if (isDocument() && child.isText()) return MutationResult::HierarchyError;
  return MutationResult::Ok;
}

MutationResult Node::insertBefore(const RefPtr<Node>& child, Node* reference) {
  if (!child) return MutationResult::HierarchyError;
  if (MutationResult r = checkInsertion(*child, reference); r != MutationResult::Ok) return r;
  if (&child->document() != document_) return MutationResult::HierarchyError;
  if (child->isDocumentFragment()) {
    if (child.get() == reference) return MutationResult::HierarchyError;
    std::vector<RefPtr<Node>> moved;
    for (Node* c = child->firstChild_; c; c = c->next_) moved.emplace_back(c);
    for (const RefPtr<Node>& c : moved) {
      if (MutationResult r = checkInsertion(*c, reference); r != MutationResult::Ok) return r;
    }
    for (const RefPtr<Node>& c : moved) {
      child->unlinkChild(c.get());
      linkChild(c.get(), reference);
    }
    int level = elementLevel(*this);
    for (const RefPtr<Node>& c : moved) enforceNestingCap(*c, level + (c->isElement() ? 1 : 0));
    return MutationResult::Ok;
  }
  if (reference == child.get()) reference = reference->next_;
  if (child->parent_) child->parent_->unlinkChild(child.get());
  linkChild(child.get(), reference);
  enforceNestingCap(*child, elementLevel(*child));
  return MutationResult::Ok;
}

MutationResult Node::appendChild(const RefPtr<Node>& child) { return insertBefore(child, nullptr); }

MutationResult Node::removeChild(Node* child) {
  if (!child || child->parent_ != this) return MutationResult::NotFound;
  unlinkChild(child);
  return MutationResult::Ok;
}

void Node::remove() {
  if (parent_) parent_->unlinkChild(this);
}

void Node::removeAllChildren() { releaseChildren(); }

void NodeTreeAccess::insert(Node& parent, Node& child, Node* before) {
  RefPtr<Node> keepAlive(&child);
  if (child.parent_) child.parent_->unlinkChild(&child);
  parent.linkChild(&child, before);
}

void NodeTreeAccess::detach(Node& child) {
  if (child.parent_) child.parent_->unlinkChild(&child);
}

}  // namespace vellum::engine
