#pragma once
// Style resolution for the elements of a document tree: the cascade's view of an element (tag, id,
// class, parent, its style attribute) and the document's <style> sheets, each element resolved once
// per resolver.

#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "css/cascade.h"
#include "css/declaration_block.h"
#include "css/style_subject.h"
#include "dom/document.h"

namespace vellum::engine::css {

// A parsed sheet for `cssText`, shared with every other caller that asks for the same text. A few
// recent sheets are kept, so that reading many computed values parses each sheet once.
std::shared_ptr<const StyleSheet> SharedStyleSheet(std::u16string_view cssText);

// Whether the <style> element's sheet applies (no type, or a CSS type).
bool IsCssStyleElement(const Element& element);

// The sheets of every <style> element of the document, in document order.
class DocumentSheets {
 public:
  explicit DocumentSheets(const Document& document);
  SheetList List() const { return pointers_; }

 private:
  std::vector<std::shared_ptr<const StyleSheet>> sheets_;
  std::vector<const StyleSheet*> pointers_;
};

// The cascade's view of one element; its parent is the view of the parent element. Valid while the
// element's attributes stay as they were.
class ElementStyleSubject final : public StyleSubject {
 public:
  ElementStyleSubject(const Element& element, const ElementStyleSubject* parent);

  std::u16string_view LocalName() const override { return element_.LocalName(); }
  std::u16string_view IdAttribute() const override;
  std::u16string_view ClassAttribute() const override;
  const StyleSubject* StyleParent() const override { return parent_; }
  const DeclarationBlock* InlineStyle() const override { return inlineStyle_; }

 private:
  const Element& element_;
  const ElementStyleSubject* parent_;
  const DeclarationBlock* inlineStyle_ = nullptr;  // the parsed style attribute, when there is one
};

// Elements resolved by one resolver beyond this many get the default style.
inline constexpr std::size_t kResolvedElementBudget = 4096;

// Computed styles of one document's elements, each computed once with its ancestors. The tree and
// its attributes must not change while a resolver is in use: make one per query.
class ElementStyleResolver {
 public:
  explicit ElementStyleResolver(const Document& document) : sheets_(document) {}

  // The reference stays valid for the resolver's life.
  const ComputedStyle& StyleOf(const Element& element);

 private:
  struct Resolved {
    ElementStyleSubject subject;
    ComputedStyle style;
  };

  DocumentSheets sheets_;
  std::unordered_map<const Element*, std::unique_ptr<Resolved>> resolved_;
};

// The computed style of one element (its inline style over the document's sheets over the defaults).
ComputedStyle ComputeElementStyle(const Element& element);

}  // namespace vellum::engine::css
