#pragma once
// Parsed documents for the tests of style resolution over the node tree.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dom/document.h"
#include "parser/html_parser.h"

namespace vellum::engine::css::testing {

class TestDocument {
 public:
  explicit TestDocument(std::u16string_view html) : document_(ParseDocument(html)) {}

  Document& GetDocument() const { return *document_; }

  // The element whose id attribute is `id`; fails the test when there is none.
  Element& ById(std::u16string_view id) const {
    for (Node* node : document_->All()) {
      Element* element = AsElement(node);
      const Attribute* attribute = element ? element->FindAttribute(u"id") : nullptr;
      if (attribute && attribute->value == id) {
        return *element;
      }
    }
    ADD_FAILURE() << "no element with that id";
    return *document_->Body();
  }

 private:
  RefPtr<Document> document_;
};

}  // namespace vellum::engine::css::testing
