#pragma once
// Elements: a name in a namespace, attributes in the order they were first set, and for title,
// style and script the text held as a property instead of child nodes.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dom/node.h"
#include "dom/tag_names.h"

namespace vellum::engine {

class DocumentFragment;

// Namespaces an attribute can carry (only attributes of SVG and MathML elements get one).
enum class AttributeNamespace : uint8_t { None, XLink, Xml, Xmlns };

struct Attribute {
  std::u16string name;  // local name; lower-case for HTML elements
  std::u16string value;
  AttributeNamespace ns = AttributeNamespace::None;

  // "xlink:href" style name for namespaced attributes, the local name otherwise.
  std::u16string QualifiedName() const;
};

// What the style stage derives from an element's style attribute (its parsed declarations), kept
// with the element so that reading it again costs no parse. The element drops it whenever one of
// its attributes changes, so a holder never reads data of an older attribute text.
class StyleAttributeCache {
 public:
  virtual ~StyleAttributeCache() = default;
};

class Element final : public Node {
 public:
  Namespace Ns() const { return ns_; }
  TagId GetTagId() const { return tag_; }
  bool Is(TagId tag) const { return tag_ == tag && ns_ == Namespace::Html; }
  bool IsHtml() const { return ns_ == Namespace::Html; }
  // Lower-case for HTML elements; SVG names keep their adjusted case ("foreignObject").
  std::u16string_view LocalName() const;
  // The name the object model reports: the local name in upper case.
  std::u16string TagName() const;

  const std::vector<Attribute>& Attributes() const { return attributes_; }
  // Changes with every change of the attributes and is never the same for two elements, so that a
  // cache of something worked out from them (a computed style) can tell at once whether it still holds.
  uint64_t AttributesStamp() const { return attributesStamp_; }
  // Looks a name up without regard to ASCII case.
  const Attribute* FindAttribute(std::u16string_view name) const;
  bool HasAttribute(std::u16string_view name) const { return FindAttribute(name) != nullptr; }
  // An existing attribute keeps its place; a new one goes last. The name is stored lower-case.
  void SetAttribute(std::u16string_view name, std::u16string_view value);
  bool RemoveAttribute(std::u16string_view name);

  // The style stage's cache (see StyleAttributeCache); null until it is filled, and after any change
  // of an attribute.
  StyleAttributeCache* GetStyleAttributeCache() const { return styleCache_.get(); }
  void SetStyleAttributeCache(std::unique_ptr<StyleAttributeCache> cache) const { styleCache_ = std::move(cache); }

  // title, style and script keep their text here and never have child nodes.
  bool HoldsTextAsProperty() const;
  const std::u16string& Text() const;
  void SetText(std::u16string_view text);
  void AppendText(std::u16string_view text);

  // The contents of a template element (null for every other element).
  DocumentFragment* TemplateContent() const { return templateContent_.get(); }

 private:
  friend class Document;
  friend class TreeBuilder;
  friend class OpenElements;
  friend class Node;
  Element(Document* document, Namespace ns, TagId tag, std::u16string_view localName);
  ~Element() override;
  void ReleaseTemplateContent();
  // Called after each change of attributes_.
  void AttributesChanged();

  Namespace ns_;
  TagId tag_;
  bool onParserStack_ = false;  // kept by the parser's stack of open elements
  uint64_t attributesStamp_;
  // Rarely needed parts stay out of line, which keeps the common element small.
  std::unique_ptr<std::u16string> localName_;  // null when tagName(tag_) is the local name
  std::vector<Attribute> attributes_;
  std::unique_ptr<std::u16string> text_;  // title, style and script only
  RefPtr<DocumentFragment> templateContent_;
  mutable std::unique_ptr<StyleAttributeCache> styleCache_;  // derived from attributes_
};

// Element's nodes are known to be elements when the node type says so.
inline Element* AsElement(Node* node) { return node && node->IsElement() ? static_cast<Element*>(node) : nullptr; }
inline const Element* AsElement(const Node* node) {
  return node && node->IsElement() ? static_cast<const Element*>(node) : nullptr;
}

// Inline: attribute and tag lookups compare a few short names on every call.
inline bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'A' && x <= u'Z') x = static_cast<char16_t>(x + 32);
    if (y >= u'A' && y <= u'Z') y = static_cast<char16_t>(y + 32);
    if (x != y) return false;
  }
  return true;
}
std::u16string ToAsciiLower(std::u16string_view text);
std::u16string ToAsciiUpper(std::u16string_view text);

}  // namespace vellum::engine
