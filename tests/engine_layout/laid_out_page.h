#pragma once
// A parsed document laid out in a viewport, with the lookups the layout tests share.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dom/document.h"
#include "dom/element.h"
#include "layout/layout_tree.h"
#include "parser/html_parser.h"

namespace vellum::engine::layout::testing {

inline constexpr int kViewportWidth = 800;
inline constexpr int kViewportHeight = 600;

class LaidOutPage {
 public:
  explicit LaidOutPage(std::u16string_view html, int width = kViewportWidth, int height = kViewportHeight,
                       TextMeasurer& measurer = FixedMeasurer())
      : document_(ParseDocument(html)), tree_(Layout(*document_, width, height, measurer)) {}

  Document& GetDocument() const { return *document_; }
  const LayoutTree& Tree() const { return tree_; }

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

  // "[10,20] 65x20": the border box in document window coordinates; "none" without a box.
  std::string Border(std::u16string_view id) const {
    const Box* box = tree_.BoxOf(ById(id));
    if (!box) {
      return "none";
    }
    return "[" + std::to_string(box->border.x) + "," + std::to_string(box->border.y) + "] " +
           std::to_string(box->border.width) + "x" + std::to_string(box->border.height);
  }

  // "[10,20] 65x20" from offsetLeft, offsetTop, and the border box size.
  std::string Offsets(std::u16string_view id) const {
    const Box* box = tree_.BoxOf(ById(id));
    if (!box) {
      return "none";
    }
    return "[" + std::to_string(box->offsetLeft) + "," + std::to_string(box->offsetTop) + "] " +
           std::to_string(box->border.width) + "x" + std::to_string(box->border.height);
  }

  // The id of the element at the point; "" for none, "?" for an element without an id.
  std::string HitId(int x, int y) const {
    const Element* hit = tree_.HitTest(x, y);
    if (!hit) {
      return "";
    }
    const Attribute* id = hit->FindAttribute(u"id");
    return id ? std::string(id->value.begin(), id->value.end()) : "?";
  }

 private:
  RefPtr<Document> document_;
  LayoutTree tree_;
};

}  // namespace vellum::engine::layout::testing
