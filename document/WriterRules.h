// What the HTML writer decides from names and text alone: which tags it treats specially, whose content
// it writes exactly or unescaped, which need no end tag, and which characters of text and attribute values
// it escapes. Portable (no system calls), so that the same rules can be checked natively as well.
#pragma once

namespace writer_rules {

// How engine text is protected before it goes into the output.
enum class HtmlEscape {
  None,       // written unchanged (comments, style sheets, scripts, tag and attribute names)
  Text,       // element content: "<" before a tag-like start, "&" before a reference-like start, CR
  Attribute,  // a double-quoted attribute value: every '"', "&" before a reference-like start, CR
};

// What a character that needs escaping becomes.
enum class Replacement { None, Ampersand, LessThan, Quote, CarriageReturn };

// The special tags, by their lower-cased name.
enum class Special { None, Meta, Style, Title, Script, Head, Input };

// Exact, ordinal comparison of a null-terminated text with an ASCII literal.
template <class Ch>
bool EqualsAscii(const Ch* text, const char* literal) {
  if (!text) return *literal == 0;
  while (*text && static_cast<unsigned>(*text) == static_cast<unsigned char>(*literal)) {
    ++text;
    ++literal;
  }
  return *text == 0 && *literal == 0;
}

template <class Ch>
bool IsBlank(Ch c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The part of text between its leading and trailing white space.
template <class Ch>
void TrimBlanks(const Ch*& text, int& length) {
  while (length > 0 && IsBlank(text[0])) {
    ++text;
    --length;
  }
  while (length > 0 && IsBlank(text[length - 1])) --length;
}

template <class Ch>
Special SpecialOf(const Ch* lowerTag) {
  // Most tags of a form start with a letter none of these starts with.
  switch (lowerTag[0]) {
    case 'm':
    case 's':
    case 't':
    case 'h':
    case 'i':
      break;
    default:
      return Special::None;
  }
  static const struct {
    const char* tag;
    Special special;
  } kSpecials[] = {{"meta", Special::Meta},     {"style", Special::Style}, {"title", Special::Title},
                   {"script", Special::Script}, {"head", Special::Head},   {"input", Special::Input}};
  for (const auto& s : kSpecials)
    if (EqualsAscii(lowerTag, s.tag)) return s.special;
  return Special::None;
}

// Elements whose text the parser reads literally (no references, no tags): their text is written
// unescaped, or every save would add a level of escaping. noscript is among them only for a parser
// that runs scripts, which ours does not.
template <class Ch>
bool HoldsRawText(const Ch* lowerTag) {
  return EqualsAscii(lowerTag, "iframe") || EqualsAscii(lowerTag, "noembed") || EqualsAscii(lowerTag, "noframes") ||
         EqualsAscii(lowerTag, "xmp") || EqualsAscii(lowerTag, "plaintext");
}

// After this start tag the parser reads the rest of the text as the element's content: no end tag can
// follow it, or it would be read back as content.
template <class Ch>
bool EndsMarkup(const Ch* lowerTag) {
  return EqualsAscii(lowerTag, "plaintext");
}

// The parser drops one line break right after these start tags, so the writer's own break goes there.
template <class Ch>
bool DropsLeadingLineBreak(const Ch* lowerTag) {
  return EqualsAscii(lowerTag, "pre") || EqualsAscii(lowerTag, "listing") || EqualsAscii(lowerTag, "textarea");
}

// Elements whose content is its text exactly, blanks and line breaks included (raw text too): nothing is
// indented or broken inside them.
template <class Ch>
bool KeepsContentExactly(const Ch* lowerTag) {
  return DropsLeadingLineBreak(lowerTag) || EqualsAscii(lowerTag, "plaintext") || HoldsRawText(lowerTag);
}

// False for the tags written without an end tag (comments, which the engine names "#comment", too).
template <class Ch>
bool NeedsEndTagLower(const Ch* lowerTag) {
  // Most tags of a form (span, select, option, textarea, div...) start with a letter none of the list
  // starts with, and are settled without a comparison.
  switch (lowerTag ? lowerTag[0] : 0) {
    case 'm':
    case 'l':
    case 'i':
    case 'b':
    case 'f':
    case 'a':
    case 'p':
    case 'c':
    case 'h':
    case '#':
      break;
    default:
      return true;
  }
  static const char* const kWithoutEndTag[] = {"meta",  "link", "input", "img",      "br",   "frame",   "area",
                                               "param", "col",  "hr",    "basefont", "base", "#comment"};
  for (const char* tag : kWithoutEndTag)
    if (EqualsAscii(lowerTag, tag)) return false;
  return true;
}

// Whether the writer's treatment of a tag depends on its element being HTML: an SVG or MathML element
// of the same name (an icon's title, a "textarea" in a drawing) is written like any other element.
template <class Ch>
bool DependsOnVocabulary(const Ch* lowerTag) {
  return SpecialOf(lowerTag) != Special::None || KeepsContentExactly(lowerTag) || !NeedsEndTagLower(lowerTag);
}

// Whether raw text ends with the start of its element's own end tag ("</style" in a style sheet the end
// of the page cut short): any blank written after it would complete that end tag, so the element's end
// tag has to follow the text directly.
template <class Ch>
bool EndsWithEndTagOpen(const Ch* text, int length, const char* lowerTag) {
  int tagLength = 0;
  while (lowerTag[tagLength]) ++tagLength;
  const int start = length - tagLength - 2;
  if (start < 0 || text[start] != '<' || text[start + 1] != '/') return false;
  for (int i = 0; i < tagLength; ++i) {
    Ch c = text[start + 2 + i];
    if (c >= 'A' && c <= 'Z') c = static_cast<Ch>(c - 'A' + 'a');
    if (c != static_cast<Ch>(lowerTag[i])) return false;
  }
  return true;
}

// Whether a script's text, written as it is and followed by a line break, leaves the parser where
// "</script>" ends the script. Text that opens "<!--" and then "<script" without closing both again puts
// the parser where it reads an end tag as more script (a script the end of the page cut short); a
// "-->" after it brings the parser back.
template <class Ch>
bool ScriptTextCloses(const Ch* text, int length) {
  enum class State { Data, Escaped, EscapedDash, EscapedDashDash, Double, DoubleDash, DoubleDashDash };
  auto lower = [](Ch c) { return c >= 'A' && c <= 'Z' ? static_cast<Ch>(c - 'A' + 'a') : c; };
  auto isDelimiter = [](Ch c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == '/' || c == '>';
  };
  // "<" at i followed by word (lower case) and a delimiter; the break written after the text counts.
  auto tagAt = [&](int i, const char* word) {
    int j = i + 1;
    for (; *word; ++word, ++j)
      if (j >= length || lower(text[j]) != static_cast<Ch>(*word)) return 0;
    return j >= length || isDelimiter(text[j]) ? j - i : 0;
  };
  State state = State::Data;
  for (int i = 0; i < length;) {
    const Ch c = text[i];
    switch (state) {
      case State::Data:
        if (c == '<' && i + 3 < length && text[i + 1] == '!' && text[i + 2] == '-' && text[i + 3] == '-') {
          state = State::EscapedDashDash;
          i += 4;
          continue;
        }
        break;
      case State::Escaped:
      case State::EscapedDash:
      case State::EscapedDashDash:
        if (c == '-') {
          state = state == State::Escaped ? State::EscapedDash : State::EscapedDashDash;
        } else if (c == '>' && state == State::EscapedDashDash) {
          state = State::Data;
        } else if (c == '<' && tagAt(i, "script")) {
          state = State::Double;
          i += tagAt(i, "script");
          continue;
        } else {
          state = State::Escaped;
        }
        break;
      case State::Double:
      case State::DoubleDash:
      case State::DoubleDashDash:
        if (c == '-') {
          state = state == State::Double ? State::DoubleDash : State::DoubleDashDash;
        } else if (c == '>' && state == State::DoubleDashDash) {
          state = State::Data;
        } else if (c == '<' && i + 1 < length && text[i + 1] == '/' && tagAt(i + 1, "script")) {
          state = State::Escaped;
          i += 1 + tagAt(i + 1, "script");
          continue;
        } else {
          state = State::Double;
        }
        break;
    }
    ++i;
  }
  return state != State::Double && state != State::DoubleDash && state != State::DoubleDashDash;
}

// The metas the writer adds to a page (generator, content type), by the lower-cased value of their name
// attribute. It writes their "NAME" and "CONTENT" attributes in its own spelling whenever it writes them,
// so that a page read back from its own text is written the same again.
template <class Ch>
bool IsOwnMetaName(const Ch* lowerName) {
  return EqualsAscii(lowerName, "generator") || EqualsAscii(lowerName, "content-type");
}

namespace detail {

template <class Ch>
bool IsAsciiLetter(Ch c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "&" followed by a letter, digit or "#" would be read as the start of a character reference.
template <class Ch>
bool StartsReference(const Ch* text, int length, int i) {
  if (i + 1 >= length) return false;
  const Ch next = text[i + 1];
  return IsAsciiLetter(next) || (next >= '0' && next <= '9') || next == '#';
}

// "<" followed by a letter, "/", "!" or "?" would be read as a tag, comment or declaration.
template <class Ch>
bool StartsMarkup(const Ch* text, int length, int i) {
  if (i + 1 >= length) return false;
  const Ch next = text[i + 1];
  return IsAsciiLetter(next) || next == '/' || next == '!' || next == '?';
}

}  // namespace detail

// What text[i] is written as under escape.
template <class Ch>
Replacement ReplacementAt(const Ch* text, int length, int i, HtmlEscape escape) {
  switch (text[i]) {
    case '&':
      return escape != HtmlEscape::None && detail::StartsReference(text, length, i) ? Replacement::Ampersand
                                                                                    : Replacement::None;
    case '<':
      return escape == HtmlEscape::Text && detail::StartsMarkup(text, length, i) ? Replacement::LessThan
                                                                                 : Replacement::None;
    case '"':
      return escape == HtmlEscape::Attribute ? Replacement::Quote : Replacement::None;
    // The parser reads a carriage return as a line break: only a reference brings one back.
    case '\r':
      return escape != HtmlEscape::None ? Replacement::CarriageReturn : Replacement::None;
    default:
      return Replacement::None;
  }
}

}  // namespace writer_rules
