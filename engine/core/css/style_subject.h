#pragma once
// What style resolution needs to know about an element. The document's element class implements it;
// tests implement it with a few lines.

#include <string_view>

namespace vellum::engine::css {

class DeclarationBlock;

class StyleSubject {
 public:
  virtual std::u16string_view LocalName() const = 0;        // tag name in lower case ("input")
  virtual std::u16string_view IdAttribute() const = 0;      // "" when there is none
  virtual std::u16string_view ClassAttribute() const = 0;   // the class attribute as written
  virtual const StyleSubject* StyleParent() const = 0;      // the parent element; null at the root
  virtual const DeclarationBlock* InlineStyle() const = 0;  // null when the element has no style

 protected:
  ~StyleSubject() = default;
};

}  // namespace vellum::engine::css
