#include "dom/node.h"

#include <vector>

#include "dom/document.h"
#include "dom/element.h"
#include "dom/nesting_cap.h"

namespace vellum::engine {

Node::Node(NodeType type, Document* document) : type_(type), document_(document) {
  if (type != NodeType::Document) document_->NodeCreated();
}

Node::~Node() = default;

Element* Node::ParentElement() const { return AsElement(parent_); }

size_t Node::ChildCount() const {
  size_t n = 0;
  for (Node* c = firstChild_; c; c = c->next_) ++n;
  return n;
}

Node* Node::ChildAt(size_t index) const {
  Node* c = firstChild_;
  while (c && index--) c = c->next_;
  return c;
}

bool Node::IsInclusiveAncestorOf(const Node* other) const {
  for (; other; other = other->parent_)
    if (other == this) return true;
  return false;
}

bool Node::IsConnected() const {
  const Node* n = this;
  while (n->parent_) n = n->parent_;
  return n->IsDocument();
}

std::u16string Node::NodeName() const {
  switch (type_) {
    case NodeType::Element:
      return static_cast<const Element*>(this)->TagName();
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

int32_t Node::SourceIndex() const {
  if (!IsElement() && !IsComment()) return -1;
  document_->All();
  return allStamp_ == document_->allStamp_ ? static_cast<int32_t>(allIndex_) : -1;
}

void Node::Unref() const {
  if (--refCount_ == 0) Destroy(const_cast<Node*>(this));
}

// Destruction runs as a work list: releasing a node queues the children it frees instead of
// recursing into them.
void Node::Destroy(Node* node) {
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
    if (n->IsDocument()) {
      static_cast<Document*>(n)->LastReferenceReleased();
      continue;
    }
    n->ReleaseChildren();
    if (Element* e = AsElement(n)) e->ReleaseTemplateContent();
    Document* document = n->document_;
    delete n;
    document->NodeDestroyed();
  }
  pending = nullptr;
}

void Node::ReleaseChildren() {
  while (Node* c = firstChild_) UnlinkChild(c);
}

void Node::LinkChild(Node* child, Node* before) {
  child->Ref();
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
  document_->TreeChanged();
}

void Node::UnlinkChild(Node* child) {
  if (child->prev_)
    child->prev_->next_ = child->next_;
  else
    firstChild_ = child->next_;
  if (child->next_)
    child->next_->prev_ = child->prev_;
  else
    lastChild_ = child->prev_;
  child->parent_ = child->prev_ = child->next_ = nullptr;
  document_->TreeChanged();
  child->Unref();
}

MutationResult Node::CheckInsertion(const Node& child, const Node* reference) const {
  if (reference && reference->parent_ != this) return MutationResult::NotFound;
  if (IsText() || IsComment() || child.IsDocument()) return MutationResult::HierarchyError;
  if (child.IsInclusiveAncestorOf(this)) return MutationResult::HierarchyError;
  if (const Element* e = AsElement(this); e && e->HoldsTextAsProperty()) return MutationResult::HierarchyError;
  if (IsDocument() && child.IsText()) return MutationResult::HierarchyError;
  return MutationResult::Ok;
}

MutationResult Node::InsertBefore(const RefPtr<Node>& child, Node* reference) {
  if (!child) return MutationResult::HierarchyError;
  if (MutationResult r = CheckInsertion(*child, reference); r != MutationResult::Ok) return r;
  if (&child->GetDocument() != document_) return MutationResult::HierarchyError;
  if (child->IsDocumentFragment()) {
    if (child.get() == reference) return MutationResult::HierarchyError;
    std::vector<RefPtr<Node>> moved;
    for (Node* c = child->firstChild_; c; c = c->next_) moved.emplace_back(c);
    for (const RefPtr<Node>& c : moved) {
      if (MutationResult r = CheckInsertion(*c, reference); r != MutationResult::Ok) return r;
    }
    for (const RefPtr<Node>& c : moved) {
      child->UnlinkChild(c.get());
      LinkChild(c.get(), reference);
    }
    int level = ElementLevel(*this);
    for (const RefPtr<Node>& c : moved) EnforceNestingCap(*c, level + (c->IsElement() ? 1 : 0));
    return MutationResult::Ok;
  }
  if (reference == child.get()) reference = reference->next_;
  if (child->parent_) child->parent_->UnlinkChild(child.get());
  LinkChild(child.get(), reference);
  EnforceNestingCap(*child, ElementLevel(*child));
  return MutationResult::Ok;
}

MutationResult Node::AppendChild(const RefPtr<Node>& child) { return InsertBefore(child, nullptr); }

MutationResult Node::RemoveChild(Node* child) {
  if (!child || child->parent_ != this) return MutationResult::NotFound;
  UnlinkChild(child);
  return MutationResult::Ok;
}

void Node::Remove() {
  if (parent_) parent_->UnlinkChild(this);
}

void Node::RemoveAllChildren() { ReleaseChildren(); }

void NodeTreeAccess::Insert(Node& parent, Node& child, Node* before) {
  RefPtr<Node> keepAlive(&child);
  if (child.parent_) child.parent_->UnlinkChild(&child);
  parent.LinkChild(&child, before);
}

void NodeTreeAccess::Detach(Node& child) {
  if (child.parent_) child.parent_->UnlinkChild(&child);
}

}  // namespace vellum::engine
