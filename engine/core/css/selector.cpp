#include "css/selector.h"

#include <algorithm>

#include "css/css_scanner.h"
#include "css/css_text.h"

namespace vellum::engine::css {
namespace {

// Bounds the walk up the ancestors, so a malformed tree with a cycle cannot hang matching.
constexpr std::size_t kAncestorWalkBudget = 4096;

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

bool IsValidEscape(std::u16string_view text, std::size_t pos) {
  return pos + 1 < text.size() && text[pos] == u'\\' && text[pos + 1] != u'\n' && text[pos + 1] != u'\r' &&
         text[pos + 1] != u'\f';
}

bool StartsName(std::u16string_view text, std::size_t pos) {
  return pos < text.size() && (IsIdentifierChar(text[pos]) || IsValidEscape(text, pos));
}

bool StartsIdentifier(std::u16string_view text, std::size_t pos) {
  if (pos >= text.size()) {
    return false;
  }
  auto startsNameStart = [&](std::size_t at) {
    return at < text.size() &&
           ((IsIdentifierChar(text[at]) && !IsAsciiDigit(text[at]) && text[at] != u'-') || IsValidEscape(text, at));
  };
  if (text[pos] == u'-') {
    return startsNameStart(pos + 1) || (pos + 1 < text.size() && text[pos + 1] == u'-');
  }
  return startsNameStart(pos);
}

// Reads name characters and escapes ("\31 a", "\:") from `pos`.
std::u16string ReadName(std::u16string_view text, std::size_t& pos) {
  std::u16string name;
  while (pos < text.size()) {
    const char16_t c = text[pos];
    if (IsIdentifierChar(c)) {
      name.push_back(c);
      ++pos;
      continue;
    }
    if (!IsValidEscape(text, pos)) {
      break;
    }
    ++pos;
    if (HexValue(text[pos]) < 0) {
      name.push_back(text[pos++]);
      continue;
    }
    char32_t codePoint = 0;
    for (int digits = 0; digits < 6 && pos < text.size() && HexValue(text[pos]) >= 0; ++digits) {
      codePoint = codePoint * 16 + static_cast<char32_t>(HexValue(text[pos++]));
    }
    if (pos < text.size() && IsCssWhitespace(text[pos])) {
      ++pos;
    }
    if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
      codePoint = 0xFFFD;
    }
    if (codePoint >= 0x10000) {
      codePoint -= 0x10000;
      name.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
      name.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
    } else {
      name.push_back(static_cast<char16_t>(codePoint));
    }
  }
  return name;
}

bool SkipBlanks(std::u16string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsCssWhitespace(text[pos])) {
    ++pos;
  }
  return pos != start;
}

std::u16string CommentsToBlanks(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == u'/' && i + 1 < text.size() && text[i + 1] == u'*') {
      i = SkipComment(text, i);
      out.push_back(u' ');
    } else {
      out.push_back(text[i++]);
    }
  }
  return out;
}

struct SpecificityCount {
  std::uint32_t ids = 0, classes = 0, types = 0;
};

constexpr std::u16string_view kLegacyPseudoElements[] = {u"first-line", u"first-letter", u"before", u"after"};

class SelectorParser {
 public:
  explicit SelectorParser(std::u16string_view text) : text_(text) {}

  std::optional<std::vector<Selector>> ParseList() {
    std::vector<Selector> list;
    for (;;) {
      std::optional<Selector> selector = ParseComplex();
      if (!selector || list.size() == kSelectorListBudget) {
        return std::nullopt;
      }
      list.push_back(std::move(*selector));
      if (pos_ == text_.size()) {
        return list;
      }
      ++pos_;  // the ','
    }
  }

 private:
  std::optional<Selector> ParseComplex() {
    Selector selector;
    SpecificityCount count;
    std::vector<CompoundSelector> compounds;  // left to right
    std::vector<Combinator> combinators;
    SkipBlanks(text_, pos_);
    for (;;) {
      std::optional<CompoundSelector> compound = ParseCompound(selector, count);
      if (!compound || compounds.size() == kCompoundsPerSelectorBudget) {
        return std::nullopt;
      }
      compounds.push_back(std::move(*compound));
      const bool blank = SkipBlanks(text_, pos_);
      if (pos_ == text_.size() || text_[pos_] == u',') {
        break;
      }
      const char16_t c = text_[pos_];
      if (c == u'>' || c == u'+' || c == u'~') {
        // Sibling combinators are not evaluated: the selector is kept but never matches.
        selector.matchable = selector.matchable && c == u'>';
        combinators.push_back(c == u'>' ? Combinator::Child : Combinator::Descendant);
        ++pos_;
        SkipBlanks(text_, pos_);
      } else if (blank) {
        combinators.push_back(Combinator::Descendant);
      } else {
        return std::nullopt;
      }
    }
    selector.compounds.assign(compounds.rbegin(), compounds.rend());
    selector.combinators.assign(combinators.rbegin(), combinators.rend());
    selector.specificity =
        std::min(count.ids, 255u) << 16 | std::min(count.classes, 255u) << 8 | std::min(count.types, 255u);
    return selector;
  }

  std::optional<CompoundSelector> ParseCompound(Selector& selector, SpecificityCount& count) {
    CompoundSelector compound;
    const std::size_t start = pos_;
    if (pos_ < text_.size() && text_[pos_] == u'*') {
      ++pos_;
    } else if (StartsIdentifier(text_, pos_)) {
      compound.tag = AsciiLowercase(ReadName(text_, pos_));
      ++count.types;
    }
    if (pos_ < text_.size() && text_[pos_] == u'|') {
      return std::nullopt;  // namespaces have no meaning in an HTML document
    }
    for (;;) {
      if (pos_ >= text_.size()) {
        break;
      }
      const char16_t c = text_[pos_];
      if (c == u'#') {
        ++pos_;
        if (!StartsName(text_, pos_)) {
          return std::nullopt;
        }
        std::u16string id = ReadName(text_, pos_);
        if (!compound.id.empty() && !EqualsIgnoringAsciiCase(compound.id, id)) {
          selector.matchable = false;
        }
        compound.id = std::move(id);
        ++count.ids;
      } else if (c == u'.') {
        ++pos_;
        if (!StartsIdentifier(text_, pos_) || compound.classes.size() == kClassesPerCompoundBudget) {
          return std::nullopt;
        }
        compound.classes.push_back(ReadName(text_, pos_));
        ++count.classes;
      } else if (c == u'[') {
        const std::size_t close = FindTopLevel(text_, pos_ + 1, u"]");
        if (close == text_.size()) {
          return std::nullopt;
        }
        pos_ = close + 1;
        ++count.classes;
        selector.matchable = false;
      } else if (c == u':') {
        ++pos_;
        bool element = false;
        if (pos_ < text_.size() && text_[pos_] == u':') {
          ++pos_;
          element = true;
        }
        if (!StartsIdentifier(text_, pos_)) {
          return std::nullopt;
        }
        const std::u16string name = AsciiLowercase(ReadName(text_, pos_));
        if (pos_ < text_.size() && text_[pos_] == u'(') {
          const std::size_t close = FindTopLevel(text_, pos_ + 1, u")");
          if (close == text_.size()) {
            return std::nullopt;
          }
          pos_ = close + 1;
        }
        element = element || std::find(std::begin(kLegacyPseudoElements), std::end(kLegacyPseudoElements), name) !=
                                 std::end(kLegacyPseudoElements);
        ++(element ? count.types : count.classes);
        selector.matchable = false;
      } else {
        break;
      }
    }
    if (pos_ == start) {
      return std::nullopt;
    }
    return compound;
  }

  std::u16string_view text_;
  std::size_t pos_ = 0;
};

bool HasClass(std::u16string_view classAttribute, std::u16string_view name) {
  std::size_t i = 0;
  while (i < classAttribute.size()) {
    while (i < classAttribute.size() && IsCssWhitespace(classAttribute[i])) {
      ++i;
    }
    const std::size_t start = i;
    while (i < classAttribute.size() && !IsCssWhitespace(classAttribute[i])) {
      ++i;
    }
    if (i > start && EqualsIgnoringAsciiCase(classAttribute.substr(start, i - start), name)) {
      return true;
    }
  }
  return false;
}

bool CompoundMatches(const CompoundSelector& compound, const StyleSubject& element) {
  if (!compound.tag.empty() && !EqualsIgnoringAsciiCase(element.LocalName(), compound.tag)) {
    return false;
  }
  if (!compound.id.empty() && !EqualsIgnoringAsciiCase(element.IdAttribute(), compound.id)) {
    return false;
  }
  const std::u16string_view classes = element.ClassAttribute();
  return std::all_of(compound.classes.begin(), compound.classes.end(),
                     [classes](const std::u16string& name) { return HasClass(classes, name); });
}

// FailsCompletely means no element higher up can help either, which keeps matching linear in the
// depth of the tree instead of trying every combination of ancestors.
enum class MatchResult { Matches, FailsLocally, FailsCompletely };

MatchResult MatchFrom(const Selector& selector, std::size_t index, const StyleSubject& element) {
  if (!CompoundMatches(selector.compounds[index], element)) {
    return MatchResult::FailsLocally;
  }
  if (index + 1 == selector.compounds.size()) {
    return MatchResult::Matches;
  }
  const StyleSubject* ancestor = element.StyleParent();
  if (selector.combinators[index] == Combinator::Child) {
    return ancestor ? MatchFrom(selector, index + 1, *ancestor) : MatchResult::FailsCompletely;
  }
  for (std::size_t steps = 0; ancestor && steps < kAncestorWalkBudget; ++steps) {
    const MatchResult result = MatchFrom(selector, index + 1, *ancestor);
    if (result != MatchResult::FailsLocally) {
      return result;
    }
    ancestor = ancestor->StyleParent();
  }
  return MatchResult::FailsCompletely;
}

}  // namespace

std::optional<std::vector<Selector>> ParseSelectorList(std::u16string_view text) {
  const std::u16string plain = CommentsToBlanks(text);
  return SelectorParser(plain).ParseList();
}

bool Matches(const Selector& selector, const StyleSubject& element) {
  return selector.matchable && !selector.compounds.empty() && MatchFrom(selector, 0, element) == MatchResult::Matches;
}

}  // namespace vellum::engine::css
