// What every node wrapper shares: the node it stands for, the document object it belongs to, its
// place in that document's wrapper cache, and the IHTMLDOMNode interface.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "dom/node.h"
#include "engine/MarkupView.h"
#include "engine/com/ComObject.h"
#include "notimpl.h"

namespace vellum::engine::com {

class CHtmlDocument;

// Private interface through which the engine recognises its own node objects among the interface
// pointers a caller hands back (appendChild, removeChild, contains, select add ...).
MIDL_INTERFACE("8f0b7d0e-3c51-4d2a-9a57-6d1e2f4b9c31")
IEngineNode : public IUnknown {
  // The node (valid while the caller holds the interface).
  virtual vellum::engine::Node* STDMETHODCALLTYPE EngineNode() = 0;
};

// The node behind an interface pointer of this engine; null for anything else.
vellum::engine::RefPtr<vellum::engine::Node> NodeOf(IUnknown* object);

class CNodeObject : public IHTMLDOMNodeNotImpl, public IEngineNode, public IMarkupView, private CLiveObject {
 public:
  vellum::engine::Node& GetNode() const { return *node_; }
  CHtmlDocument& GetDocument() const { return *document_; }

  vellum::engine::Node* STDMETHODCALLTYPE EngineNode() override { return node_.get(); }

  // IHTMLDOMNode
  HRESULT STDMETHODCALLTYPE get_nodeType(LONG* p) override;
  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* p) override;
  HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* p) override;
  HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT v) override;
  HRESULT STDMETHODCALLTYPE get_parentNode(IHTMLDOMNode** p) override;
  HRESULT STDMETHODCALLTYPE get_firstChild(IHTMLDOMNode** p) override;
  HRESULT STDMETHODCALLTYPE get_lastChild(IHTMLDOMNode** p) override;
  HRESULT STDMETHODCALLTYPE get_previousSibling(IHTMLDOMNode** p) override;
  HRESULT STDMETHODCALLTYPE get_nextSibling(IHTMLDOMNode** p) override;
  HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL* result) override;
  HRESULT STDMETHODCALLTYPE get_childNodes(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE get_attributes(IDispatch** p) override;
  HRESULT STDMETHODCALLTYPE appendChild(IHTMLDOMNode* child, IHTMLDOMNode** node) override;
  HRESULT STDMETHODCALLTYPE insertBefore(IHTMLDOMNode* child, VARIANT reference, IHTMLDOMNode** node) override;
  HRESULT STDMETHODCALLTYPE removeChild(IHTMLDOMNode* child, IHTMLDOMNode** node) override;
  HRESULT STDMETHODCALLTYPE replaceChild(IHTMLDOMNode* child, IHTMLDOMNode* old, IHTMLDOMNode** node) override;
  HRESULT STDMETHODCALLTYPE removeNode(VARIANT_BOOL deep, IHTMLDOMNode** removed) override;

  // IMarkupView (NodeMarkupView.cpp)
  HRESULT STDMETHODCALLTYPE LendNodeName(const wchar_t** text, UINT* length) override;
  HRESULT STDMETHODCALLTYPE LendNodeValue(const wchar_t** text, UINT* length) override;
  HRESULT STDMETHODCALLTYPE GetAttributeCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE LendAttribute(UINT index, const wchar_t** name, UINT* nameLength, const wchar_t** value,
                                          UINT* valueLength) override;
  HRESULT STDMETHODCALLTYPE LendStyleText(const wchar_t** text, UINT* length) override;

 protected:
  // Enters the document's wrapper cache and holds a reference to the document object, so that the
  // cache outlives every wrapper in it.
  CNodeObject(CHtmlDocument& document, vellum::engine::Node& node);
  virtual ~CNodeObject();

 private:
  friend class CWrapperCache;
  vellum::engine::RefPtr<vellum::engine::Node> node_;
  CComRef<CHtmlDocument> document_;
};

}  // namespace vellum::engine::com

__CRT_UUID_DECL(vellum::engine::com::IEngineNode, 0x8f0b7d0e, 0x3c51, 0x4d2a, 0x9a, 0x57, 0x6d, 0x1e, 0x2f, 0x4b, 0x9c,
                0x31)
