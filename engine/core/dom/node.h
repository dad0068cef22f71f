#pragma once
// The node tree. Every node is reference counted: a parent holds one reference on each child, and any
// outside holder (an object-model wrapper, the parser's stacks) holds its own. A node removed from
// the tree stays valid for as long as someone holds it; destruction is iterative, so no tree shape
// can exhaust the stack.

#include <cstdint>
#include <string>
#include <string_view>

#include "dom/ref_ptr.h"

namespace vellum::engine {

class Document;
class Element;

enum class NodeType : uint8_t {
  Element = 1,
  Text = 3,
  Comment = 8,
  Document = 9,
  DocumentFragment = 11,
};

enum class MutationResult : uint8_t {
  Ok,
  HierarchyError,  // the new child would contain its parent, or the parent cannot hold that child
  NotFound,        // the reference node is not a child of this node
};

class Node {
 public:
  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;

  NodeType Type() const { return type_; }
  bool IsElement() const { return type_ == NodeType::Element; }
  bool IsText() const { return type_ == NodeType::Text; }
  bool IsComment() const { return type_ == NodeType::Comment; }
  bool IsDocument() const { return type_ == NodeType::Document; }
  bool IsDocumentFragment() const { return type_ == NodeType::DocumentFragment; }

  // The document that created this node; the document itself for the document node.
  Document& GetDocument() const { return *document_; }

  Node* Parent() const { return parent_; }
  Element* ParentElement() const;
  Node* FirstChild() const { return firstChild_; }
  Node* LastChild() const { return lastChild_; }
  Node* NextSibling() const { return next_; }
  Node* PreviousSibling() const { return prev_; }
  bool HasChildren() const { return firstChild_ != nullptr; }
  size_t ChildCount() const;
  Node* ChildAt(size_t index) const;
  bool IsInclusiveAncestorOf(const Node* other) const;
  // True when the node hangs below its document (directly or through ancestors).
  bool IsConnected() const;

  // "#text", "#comment", "#document", "#document-fragment" or the element's upper-case tag name.
  std::u16string NodeName() const;

  // Position in the document's `all` list (elements and comments in pre-order); -1 when the node is
  // not in that list (text, detached nodes).
  int32_t SourceIndex() const;

  // Tree mutation with the checks an object model needs. A document fragment given as the new child
  // gives up its children instead. Inserting a node that already has a parent moves it.
  MutationResult AppendChild(const RefPtr<Node>& child);
  MutationResult InsertBefore(const RefPtr<Node>& child, Node* reference);
  MutationResult RemoveChild(Node* child);
  // Detaches this node from its parent, if any.
  void Remove();
  void RemoveAllChildren();

  // The object model's wrapper of this node while one is alive; the node neither owns nor references it.
  void* Binding() const { return binding_; }
  void SetBinding(void* binding) const { binding_ = binding; }

  void Ref() const { ++refCount_; }
  void Unref() const;
  uint32_t RefCount() const { return refCount_; }

 protected:
  Node(NodeType type, Document* document);
  virtual ~Node();

 private:
  friend class Document;
  friend class TreeBuilder;
  friend class NodeTreeAccess;

  // Links without checks: the parser and the checked operations above use these.
  void LinkChild(Node* child, Node* before);
  void UnlinkChild(Node* child);
  MutationResult CheckInsertion(const Node& child, const Node* reference) const;
  static void Destroy(Node* node);
  void ReleaseChildren();

  NodeType type_;
  mutable uint32_t refCount_ = 0;
  Document* document_;
  Node* parent_ = nullptr;
  Node* firstChild_ = nullptr;
  Node* lastChild_ = nullptr;
  Node* prev_ = nullptr;
  Node* next_ = nullptr;
  // Stamp and index of the last `all` list this node was placed in (see Document::all()).
  mutable uint32_t allStamp_ = 0;
  mutable uint32_t allIndex_ = 0;
  mutable void* binding_ = nullptr;
};

// Unchecked tree edits for the parser and the markup operations, which keep the tree valid by
// construction and must not pay for the object-model checks.
class NodeTreeAccess {
 public:
  static void Insert(Node& parent, Node& child, Node* before);
  static void Detach(Node& child);
};

}  // namespace vellum::engine
