#include "engine/com/NodeObject.h"

#include "dom/character_data.h"
#include "dom/element.h"
#include "engine/com/Attributes.h"
#include "engine/com/Collections.h"
#include "engine/com/ComValues.h"
#include "engine/com/HtmlDocument.h"
#include "engine/com/WrapperCache.h"

namespace vellum::engine::com {

using vellum::engine::MutationResult;
using vellum::engine::Node;
using vellum::engine::NodeType;
using vellum::engine::RefPtr;

namespace {

HRESULT ResultOf(MutationResult result) { return result == MutationResult::Ok ? S_OK : E_INVALIDARG; }

template <class Interface>
void ClearOut(Interface** out) {
  if (out) *out = nullptr;
}

// Hands the wrapper of `node` to an optional out-parameter.
HRESULT ReturnNode(CHtmlDocument& document, Node* node, IHTMLDOMNode** out) {
  return out ? WrapNodeAs(document, node, out) : S_OK;
}

}  // namespace

RefPtr<Node> NodeOf(IUnknown* object) {
  if (!object) return nullptr;
  CComRef<IEngineNode> engineNode;
  if (FAILED(object->QueryInterface(__uuidof(IEngineNode), engineNode.OutVoid())) || !engineNode) return nullptr;
  return RefPtr<Node>(engineNode->EngineNode());
}

CNodeObject::CNodeObject(CHtmlDocument& document, Node& node)
    : node_(&node), document_(CComRef<CHtmlDocument>::Share(&document)) {}

CNodeObject::~CNodeObject() { document_->Wrappers().Remove(node_.get(), this); }

HRESULT CNodeObject::get_nodeType(LONG* p) {
  if (!p) return E_POINTER;
  *p = static_cast<LONG>(node_->Type());
  return S_OK;
}

HRESULT CNodeObject::get_nodeName(BSTR* p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  if (const vellum::engine::Element* element = vellum::engine::AsElement(node_.get()))
    return GuardedRead([&] { return ReturnAsciiUpper(element->LocalName(), p); });
  return GuardedRead([&] { return ReturnString(node_->NodeName(), p); });
}

HRESULT CNodeObject::get_nodeValue(VARIANT* p) {
  if (!p) return E_POINTER;
  V_VT(p) = VT_EMPTY;
  if (auto* data = vellum::engine::AsCharacterData(node_.get()))
    return GuardedRead([&] { return ReturnStringVariant(data->Data(), p); });
  return ReturnNullVariant(p);
}

HRESULT CNodeObject::put_nodeValue(VARIANT v) {
  auto* data = vellum::engine::AsCharacterData(node_.get());
  if (!data) return S_OK;  // an element has no value of its own; the write is ignored
  return Guarded([&] {
    std::u16string text;
    HRESULT hr = TextOfVariant(v, text);
    if (SUCCEEDED(hr)) data->SetData(text);
    return hr;
  });
}

HRESULT CNodeObject::get_parentNode(IHTMLDOMNode** p) { return WrapNodeAs(*document_, node_->Parent(), p); }
HRESULT CNodeObject::get_firstChild(IHTMLDOMNode** p) { return WrapNodeAs(*document_, node_->FirstChild(), p); }
HRESULT CNodeObject::get_lastChild(IHTMLDOMNode** p) { return WrapNodeAs(*document_, node_->LastChild(), p); }
HRESULT CNodeObject::get_previousSibling(IHTMLDOMNode** p) {
  return WrapNodeAs(*document_, node_->PreviousSibling(), p);
}
HRESULT CNodeObject::get_nextSibling(IHTMLDOMNode** p) { return WrapNodeAs(*document_, node_->NextSibling(), p); }

HRESULT CNodeObject::hasChildNodes(VARIANT_BOOL* result) {
  if (!result) return E_POINTER;
  *result = ToVariantBool(node_->HasChildren());
  return S_OK;
}

HRESULT CNodeObject::get_childNodes(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  return GuardedRead(
      [&] { return CChildNodes::Create(*document_, *node_, IID_IDispatch, reinterpret_cast<void**>(p)); });
}

HRESULT CNodeObject::get_attributes(IDispatch** p) {
  if (!p) return E_POINTER;
  *p = nullptr;
  vellum::engine::Element* element = vellum::engine::AsElement(node_.get());
  if (!element) return S_OK;  // text and comments have none
  return GuardedRead(
      [&] { return CAttributeCollection::Create(*element, IID_IDispatch, reinterpret_cast<void**>(p)); });
}

HRESULT CNodeObject::appendChild(IHTMLDOMNode* child, IHTMLDOMNode** node) {
  ClearOut(node);
  return Guarded([&] {
    RefPtr<Node> newChild = NodeOf(child);
    if (!newChild) return E_INVALIDARG;
    HRESULT hr = ResultOf(node_->AppendChild(newChild));
    return SUCCEEDED(hr) ? ReturnNode(*document_, newChild.get(), node) : hr;
  });
}

HRESULT CNodeObject::insertBefore(IHTMLDOMNode* child, VARIANT reference, IHTMLDOMNode** node) {
  ClearOut(node);
  return Guarded([&] {
    RefPtr<Node> newChild = NodeOf(child);
    if (!newChild) return E_INVALIDARG;
    RefPtr<Node> before;
    if (!IsMissing(reference)) {
      before = NodeOf(UnknownOfVariant(reference));
      if (!before) return E_INVALIDARG;
    }
    HRESULT hr = ResultOf(node_->InsertBefore(newChild, before.get()));
    return SUCCEEDED(hr) ? ReturnNode(*document_, newChild.get(), node) : hr;
  });
}

HRESULT CNodeObject::removeChild(IHTMLDOMNode* child, IHTMLDOMNode** node) {
  ClearOut(node);
  return Guarded([&] {
    RefPtr<Node> oldChild = NodeOf(child);
    if (!oldChild || oldChild->Parent() != node_.get()) return E_INVALIDARG;
    HRESULT hr = ResultOf(node_->RemoveChild(oldChild.get()));
    return SUCCEEDED(hr) ? ReturnNode(*document_, oldChild.get(), node) : hr;
  });
}

HRESULT CNodeObject::replaceChild(IHTMLDOMNode* child, IHTMLDOMNode* old, IHTMLDOMNode** node) {
  ClearOut(node);
  return Guarded([&] {
    RefPtr<Node> newChild = NodeOf(child);
    RefPtr<Node> oldChild = NodeOf(old);
    if (!newChild || !oldChild || oldChild->Parent() != node_.get()) return E_INVALIDARG;
    if (newChild != oldChild) {
      HRESULT hr = ResultOf(node_->InsertBefore(newChild, oldChild.get()));
      if (FAILED(hr)) return hr;
      node_->RemoveChild(oldChild.get());
    }
    return ReturnNode(*document_, oldChild.get(), node);
  });
}

HRESULT CNodeObject::removeNode(VARIANT_BOOL deep, IHTMLDOMNode** removed) {
  ClearOut(removed);
  return Guarded([&] {
    RefPtr<Node> self = node_;
    if (Node* parent = self->Parent()) {
      if (deep == VARIANT_FALSE) {
        // The children take the node's place, in order.
        while (Node* child = self->FirstChild()) {
          HRESULT hr = ResultOf(parent->InsertBefore(RefPtr<Node>(child), self.get()));
          if (FAILED(hr)) return hr;
        }
      }
      self->Remove();
    }
    return ReturnNode(*document_, self.get(), removed);
  });
}

}  // namespace vellum::engine::com
