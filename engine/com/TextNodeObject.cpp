#include "engine/com/TextNodeObject.h"

namespace vellum::engine::com {

CTextNode* CTextNode::Create(CHtmlDocument& document, vellum::engine::Node& node) {
  return new CTextNode(document, node);
}

const NamedPropertyTable<CTextNode>& CTextNode::Properties() {
  static const NamedProperty<CTextNode> kEntries[] = {
      {L"nodeValue", 1, [](CTextNode& t, VARIANT* r) { return t.get_nodeValue(r); },
       [](CTextNode& t, const VARIANT& v) { return t.put_nodeValue(v); }},
      {L"nodeName", 2,
       [](CTextNode& t, VARIANT* r) {
         V_VT(r) = VT_BSTR;
         return t.get_nodeName(&V_BSTR(r));
       },
       nullptr},
      {L"nodeType", 3,
       [](CTextNode& t, VARIANT* r) {
         V_VT(r) = VT_I4;
         return t.get_nodeType(&V_I4(r));
       },
       nullptr},
  };
  static const NamedPropertyTable<CTextNode> kTable(kEntries);
  return kTable;
}

}  // namespace vellum::engine::com
