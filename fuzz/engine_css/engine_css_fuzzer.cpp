// Feeds arbitrary bytes through the document decoder, then through the style attribute parser, the
// style sheet parser and the cascade, checking that saved style text reads back unchanged.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "css/cascade.h"
#include "css/declaration_block.h"
#include "css/style_sheet.h"
#include "encoding/document_decoder.h"

namespace {

using namespace vellum::engine;

class Element final : public css::StyleSubject {
 public:
  Element(std::u16string_view tag, std::u16string_view id, std::u16string_view classes, const Element* parent,
          const css::DeclarationBlock* style)
      : tag_(tag), id_(id), classes_(classes), parent_(parent), style_(style) {}
  std::u16string_view LocalName() const override { return tag_; }
  std::u16string_view IdAttribute() const override { return id_; }
  std::u16string_view ClassAttribute() const override { return classes_; }
  const StyleSubject* StyleParent() const override { return parent_; }
  const css::DeclarationBlock* InlineStyle() const override { return style_; }

 private:
  std::u16string_view tag_, id_, classes_;
  const Element* parent_;
  const css::DeclarationBlock* style_;
};

void RequireStableCssText(const css::DeclarationBlock& style) {
  const std::u16string text = style.CssText();
  if (css::DeclarationBlock(text).CssText() != text) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const encoding::BuiltinCodePageConverter converter;
  const std::u16string text = encoding::DecodeDocument(bytes, converter).text;

  const css::DeclarationBlock inlineStyle(text);
  RequireStableCssText(inlineStyle);

  // The first line names a property, the rest is a value given to it as automation would.
  css::DeclarationBlock scripted(u"left: 1px; margin: 2px");
  const std::size_t newline = text.find(u'\n');
  if (newline != std::u16string::npos) {
    scripted.Set(std::u16string_view(text).substr(0, newline), std::u16string_view(text).substr(newline + 1));
    RequireStableCssText(scripted);
  }

  const css::StyleSheet sheet(text);
  const css::StyleSheet* sheets[] = {&sheet};
  const Element html(u"html", u"", u"", nullptr, nullptr);
  const Element body(u"body", u"main", u"a b", &html, &scripted);
  const Element span(u"span", u"x", u"c", &body, &inlineStyle);
  const css::ComputedStyle bodyStyle = css::ComputeStyle(body, sheets, nullptr);
  const css::ComputedStyle spanStyle = css::ComputeStyle(span, sheets, &bodyStyle);
  for (std::size_t i = 0; i < css::kPropertyCount; ++i) {
    (void)spanStyle.Value(static_cast<css::PropertyId>(i));
  }
  (void)spanStyle.ZIndex();
  return 0;
}
