#include "engine/com/WrapperCache.h"

#include "engine/com/ElementObject.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/TextNodeObject.h"

namespace vellum::engine::com {

using vellum::engine::Node;

CNodeObject* CWrapperCache::Bound(const Node* node) const {
  auto* wrapper = static_cast<CNodeObject*>(node->Binding());
  return wrapper && &wrapper->GetDocument().Wrappers() == this ? wrapper : nullptr;
}

CNodeObject* CWrapperCache::Find(const Node* node) const {
  if (CNodeObject* wrapper = Bound(node)) return wrapper;
  if (others_.empty()) return nullptr;
  auto found = others_.find(node);
  return found == others_.end() ? nullptr : found->second;
}

void CWrapperCache::Add(const Node* node, CNodeObject* wrapper) {
  if (node->Binding()) {
    others_.emplace(node, wrapper);
  } else {
    node->SetBinding(wrapper);
  }
  ++count_;
}

void CWrapperCache::Remove(const Node* node, const CNodeObject* wrapper) {
  if (node->Binding() == wrapper) {
    node->SetBinding(nullptr);
    --count_;
    return;
  }
  auto found = others_.find(node);
  if (found != others_.end() && found->second == wrapper) {
    others_.erase(found);
    --count_;
  }
}

namespace {

// A new wrapper for a node that has none, holding its first reference; null for nodes that get none.
CNodeObject* MakeWrapper(CHtmlDocument& document, Node& node) {
  if (node.IsElement() || node.IsComment()) return CElement::Create(document, node);
  if (node.IsText()) return CTextNode::Create(document, node);
  return nullptr;
}

}  // namespace

HRESULT WrapNode(CHtmlDocument& document, Node* node, REFIID riid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (!node) return S_OK;
  CWrapperCache& cache = document.Wrappers();
  if (IHTMLDOMNode* existing = cache.Find(node)) return existing->QueryInterface(riid, out);
  CNodeObject* wrapper = nullptr;
  try {
    wrapper = MakeWrapper(document, *node);
    if (!wrapper) return S_OK;
    cache.Add(node, wrapper);
  } catch (const std::bad_alloc&) {
    if (wrapper) static_cast<IHTMLDOMNode*>(wrapper)->Release();
    return E_OUTOFMEMORY;
  }
  IHTMLDOMNode* created = wrapper;
  HRESULT hr = created->QueryInterface(riid, out);
  created->Release();
  return hr;
}

}  // namespace vellum::engine::com
