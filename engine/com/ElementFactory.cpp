// The one place that knows which class stands for which element: a node's tag decides, once, when
// its object is made.
#include "engine/com/ContentElementObjects.h"
#include "engine/com/ElementObject.h"
#include "engine/com/FormElementObjects.h"
#include "engine/com/HeadElementObjects.h"

namespace vellum::engine::com {

using vellum::engine::Element;
using vellum::engine::TagId;

CElement* CElement::Create(CHtmlDocument& document, vellum::engine::Node& node) {
  if (node.IsComment()) return CCommentElement::Create(document, node);
  const Element* element = vellum::engine::AsElement(&node);
  // An element of another namespace (SVG, MathML) may share a tag's name, never its interfaces.
  if (!element || !element->IsHtml()) return CGenericElement::Create(document, node);
  switch (element->GetTagId()) {
    case TagId::Input:
      return CInputElement::Create(document, node);
    case TagId::Textarea:
      return CTextAreaElement::Create(document, node);
    case TagId::Select:
      return CSelectElement::Create(document, node);
    case TagId::Option:
      return COptionElement::Create(document, node);
    case TagId::Meta:
      return CMetaElement::Create(document, node);
    case TagId::Style:
      return CStyleElement::Create(document, node);
    case TagId::Script:
      return CScriptElement::Create(document, node);
    case TagId::Title:
      return CTitleElement::Create(document, node);
    case TagId::Body:
      return CBodyElement::Create(document, node);
    case TagId::Img:
      return CImgElement::Create(document, node);
    default:
      return CGenericElement::Create(document, node);
  }
}

}  // namespace vellum::engine::com
