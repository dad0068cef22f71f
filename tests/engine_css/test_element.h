#pragma once
// A minimal element tree for style tests.

#include <memory>
#include <string>
#include <vector>

#include "css/declaration_block.h"
#include "css/style_subject.h"

namespace vellum::engine::css::testing {

class TestElement final : public StyleSubject {
 public:
  explicit TestElement(std::u16string tag, std::u16string id = {}, std::u16string classes = {})
      : tag_(std::move(tag)), id_(std::move(id)), classes_(std::move(classes)) {}

  TestElement& Add(std::u16string tag, std::u16string id = {}, std::u16string classes = {}) {
    children_.push_back(std::make_unique<TestElement>(std::move(tag), std::move(id), std::move(classes)));
    children_.back()->parent_ = this;
    return *children_.back();
  }
  TestElement& WithStyle(std::u16string_view css) {
    style_ = std::make_unique<DeclarationBlock>(css);
    return *this;
  }

  std::u16string_view LocalName() const override { return tag_; }
  std::u16string_view IdAttribute() const override { return id_; }
  std::u16string_view ClassAttribute() const override { return classes_; }
  const StyleSubject* StyleParent() const override { return parent_; }
  const DeclarationBlock* InlineStyle() const override { return style_.get(); }

 private:
  std::u16string tag_, id_, classes_;
  const TestElement* parent_ = nullptr;
  std::unique_ptr<DeclarationBlock> style_;
  std::vector<std::unique_ptr<TestElement>> children_;
};

}  // namespace vellum::engine::css::testing
