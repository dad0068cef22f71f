#include "css/declaration_parser.h"

#include "css/css_scanner.h"
#include "css/css_text.h"

namespace vellum::engine::css {
namespace {

// Removes a trailing "!important" (any case, blanks allowed around '!').
Importance TakeImportance(std::u16string& value) {
  constexpr std::string_view kImportant = "important";
  if (value.size() < kImportant.size() + 1 ||
      !EqualsIgnoringAsciiCase(std::u16string_view(value).substr(value.size() - kImportant.size()), kImportant)) {
    return Importance::Normal;
  }
  std::u16string_view rest = std::u16string_view(value).substr(0, value.size() - kImportant.size());
  rest = TrimCssWhitespace(rest);
  if (rest.empty() || rest.back() != u'!') {
    return Importance::Normal;
  }
  rest.remove_suffix(1);
  value = std::u16string(TrimCssWhitespace(rest));
  return Importance::Important;
}

}  // namespace

std::optional<Declaration> ParseDeclaration(std::u16string_view text) {
  const std::size_t colon = FindTopLevel(text, 0, u":");
  if (colon == text.size()) {
    return std::nullopt;
  }
  std::optional<std::u16string> name = NormaliseValueText(text.substr(0, colon));
  if (!name || !IsIdentifier(*name)) {
    return std::nullopt;
  }
  std::optional<std::u16string> value = NormaliseValueText(text.substr(colon + 1));
  if (!value) {
    return std::nullopt;
  }
  Declaration declaration;
  declaration.importance = TakeImportance(*value);
  if (value->empty()) {
    return std::nullopt;
  }
  declaration.name = AsciiLowercase(*name);
  declaration.id = FindProperty(declaration.name);
  if (declaration.id && Info(*declaration.id).cssName != ToAsciiLossy(declaration.name)) {
    // Script names ("zIndex") and aliases are not CSS names: "zindex: 1" in a style is unknown.
    declaration.id.reset();
  }
  declaration.value = std::move(*value);
  return declaration;
}

void ParseDeclarationList(std::u16string_view text, const std::function<void(Declaration&&)>& sink) {
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t end = FindTopLevel(text, i, u";");
    if (std::optional<Declaration> declaration = ParseDeclaration(text.substr(i, end - i))) {
      sink(std::move(*declaration));
    }
    i = end + 1;
  }
}

}  // namespace vellum::engine::css
