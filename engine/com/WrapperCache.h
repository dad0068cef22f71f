// One COM object per node: the document object keeps a table from node to its live wrapper, so the
// same node always gives the same object while one is alive. The table holds no references; a
// wrapper leaves it when it dies, and each wrapper holds the document object, so the table outlives
// every entry in it.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "dom/node.h"

namespace engine {

class CHtmlDocument;
class CNodeObject;

class CWrapperCache {
 public:
  CNodeObject* Find(const vellum::engine::Node* node) const;
  void Add(const vellum::engine::Node* node, CNodeObject* wrapper);  // may throw std::bad_alloc
  void Remove(const vellum::engine::Node* node, const CNodeObject* wrapper);
  size_t Size() const { return wrappers_.size(); }

 private:
  std::unordered_map<const vellum::engine::Node*, CNodeObject*> wrappers_;
};

// The wrapper of the node (found or made), asked for riid. A null node, or one that has no object
// of its own (the document node, a fragment), gives S_OK and null.
HRESULT WrapNode(CHtmlDocument& document, vellum::engine::Node* node, REFIID riid, void** out);

template <class Interface>
HRESULT WrapNodeAs(CHtmlDocument& document, vellum::engine::Node* node, Interface** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return WrapNode(document, node, __uuidof(Interface), reinterpret_cast<void**>(out));
}

}  // namespace engine
