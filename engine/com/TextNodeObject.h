// The object of a text node: IHTMLDOMNode (nodeType 3, nodeName "#text", nodeValue its text) and the
// engine's IMarkupView.
#pragma once

#include "engine/com/NamedProperties.h"
#include "engine/com/NodeObject.h"
#include "engine/com/Recycled.h"

namespace vellum::engine::com {

class CTextNode final : public CNodeObject, public CRecycled<CTextNode> {
 public:
  static CTextNode* Create(CHtmlDocument& document, vellum::engine::Node& node);
  ENGINE_IUNKNOWN_METHODS
  ENGINE_IDISPATCH_FROM_TABLE(Properties())
  static const NamedPropertyTable<CTextNode>& Properties();

 private:
  CTextNode(CHtmlDocument& document, vellum::engine::Node& node) : CNodeObject(document, node) {}
  ~CTextNode() override = default;
  HRESULT QueryInterfaceImpl(REFIID riid, void** out) {
    return QueryInterfaceOf<IHTMLDOMNode, IDispatch, IEngineNode, IMarkupView>(this, riid, out);
  }
  LONG refs_ = 1;
};

}  // namespace vellum::engine::com
