// One COM object per node: the document object finds a node's live wrapper, so the same node always
// gives the same object while one is alive. The node itself points at its wrapper (a walk over a
// large tree makes and drops a wrapper per node, so the lookup must cost no search); a node that
// already points at a wrapper of another document object has its wrapper for this one in a table.
// Neither holds references; a wrapper leaves the cache when it dies, and each wrapper holds the
// document object, so the cache outlives every entry in it.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "dom/node.h"

namespace vellum::engine::com {

class CHtmlDocument;
class CNodeObject;

class CWrapperCache {
 public:
  CNodeObject* Find(const vellum::engine::Node* node) const;
  void Add(const vellum::engine::Node* node, CNodeObject* wrapper);  // may throw std::bad_alloc
  void Remove(const vellum::engine::Node* node, const CNodeObject* wrapper);
  size_t Size() const { return count_; }

 private:
  // The wrapper the node points at, when it belongs to this cache.
  CNodeObject* Bound(const vellum::engine::Node* node) const;

  std::unordered_map<const vellum::engine::Node*, CNodeObject*> others_;  // nodes bound elsewhere
  size_t count_ = 0;                                                      // wrappers in the cache
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

}  // namespace vellum::engine::com
