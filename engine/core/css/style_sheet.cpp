#include "css/style_sheet.h"

#include "css/css_scanner.h"
#include "css/css_text.h"

namespace vellum::engine::css {
namespace {

// Whether an @media prelude ("screen, print", "all and (min-width: 100px)") includes the screen.
bool MediaListIncludesScreen(std::u16string_view prelude) {
  const std::u16string media = AsciiLowercase(TrimCssWhitespace(prelude));
  if (media.empty()) {
    return true;
  }
  std::size_t start = 0;
  while (start <= media.size()) {
    std::size_t end = media.find(u',', start);
    if (end == std::u16string::npos) {
      end = media.size();
    }
    std::vector<std::u16string_view> words = SplitComponents(std::u16string_view(media).substr(start, end - start));
    if (!words.empty() && words.front() == u"only") {
      words.erase(words.begin());
    }
    if (!words.empty() && (words.front() == u"screen" || words.front() == u"all")) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

// Inside an @media block further at-rules are skipped whole.
enum class Nesting { TopLevel, InsideMedia };

class SheetParser {
 public:
  SheetParser(std::u16string_view text, std::vector<StyleRule>& rules) : text_(text), rules_(rules) {}

  void ParseRules(std::size_t begin, std::size_t end, Nesting nesting) {
    std::size_t i = begin;
    while (i < end && rules_.size() < kRulesPerSheetBudget) {
      const std::u16string_view rest = text_.substr(i, end - i);
      const char16_t c = text_[i];
      if (IsCssWhitespace(c)) {
        ++i;
      } else if (rest.starts_with(u"/*")) {
        i = std::min(SkipComment(text_, i), end);
      } else if (rest.starts_with(u"<!--")) {
        i += 4;
      } else if (rest.starts_with(u"-->")) {
        i += 3;
      } else if (c == u'}') {
        ++i;  // a stray closer ends nothing at this level
      } else if (c == u'@') {
        i = ParseAtRule(i, end, nesting);
      } else {
        i = ParseQualifiedRule(i, end);
      }
    }
  }

 private:
  std::size_t Find(std::size_t from, std::size_t end, std::u16string_view stops) const {
    return std::min(FindTopLevel(text_.substr(0, end), from, stops), end);
  }

  std::size_t ParseAtRule(std::size_t at, std::size_t end, Nesting nesting) {
    std::size_t nameEnd = at + 1;
    while (nameEnd < end && IsIdentifierChar(text_[nameEnd])) {
      ++nameEnd;
    }
    const std::u16string name = AsciiLowercase(text_.substr(at + 1, nameEnd - at - 1));
    const std::size_t stop = Find(nameEnd, end, u";{");
    if (stop == end || text_[stop] == u';') {
      return stop + 1;  // @import, @charset and the like: nothing to apply
    }
    const std::size_t close = Find(stop + 1, end, u"}");
    if (nesting == Nesting::TopLevel && name == u"media" &&
        MediaListIncludesScreen(text_.substr(nameEnd, stop - nameEnd))) {
      ParseRules(stop + 1, close, Nesting::InsideMedia);
    }
    return close + 1;
  }

  std::size_t ParseQualifiedRule(std::size_t at, std::size_t end) {
    const std::size_t open = Find(at, end, u"{");
    if (open == end) {
      return end;  // a selector with no block is dropped
    }
    const std::size_t close = Find(open + 1, end, u"}");
    if (std::optional<std::vector<Selector>> selectors = ParseSelectorList(text_.substr(at, open - at))) {
      rules_.push_back(StyleRule{std::move(*selectors), DeclarationBlock(text_.substr(open + 1, close - open - 1))});
    }
    return close + 1;
  }

  std::u16string_view text_;
  std::vector<StyleRule>& rules_;
};

}  // namespace

void StyleSheet::SetCssText(std::u16string_view cssText) {
  text_.assign(cssText);
  rules_.clear();
  SheetParser(text_, rules_).ParseRules(0, text_.size(), Nesting::TopLevel);
}

}  // namespace vellum::engine::css
