#include "parser/tokenizer.h"

#include "parser/char_ref.h"
#include "encoding/utf.h"

namespace vellum::engine {

const char* tokenizerStateName(TokenizerState state) {
  static const char* const kNames[] = {
#define VELLUM_STATE_NAME(name) #name,
      VELLUM_TOKENIZER_STATES(VELLUM_STATE_NAME)
#undef VELLUM_STATE_NAME
  };
  return kNames[static_cast<size_t>(state)];
}

namespace {
bool isWhitespace(int c) { return c == '\t' || c == '\n' || c == '\f' || c == ' '; }
bool isUpper(int c) { return c >= 'A' && c <= 'Z'; }
bool isLower(int c) { return c >= 'a' && c <= 'z'; }
bool isAlpha(int c) { return isUpper(c) || isLower(c); }
bool isDigit(int c) { return c >= '0' && c <= '9'; }
bool isHexDigit(int c) { return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool isAlnum(int c) { return isAlpha(c) || isDigit(c); }
char16_t toLower(int c) { return static_cast<char16_t>(isUpper(c) ? c + 32 : c); }
constexpr char16_t kReplacement = u'\uFFFD';
// Tags with more attributes than this check duplicates through a set instead of a scan.
constexpr size_t kLinearDuplicateCheck = 24;
}  // namespace

Tokenizer::Tokenizer(std::u16string_view input, TokenSink& sink) : input_(input), sink_(sink) {}

bool Tokenizer::startsWithAt(size_t at, std::u16string_view text) const {
  return at <= input_.size() && input_.substr(at, text.size()) == text;
}

bool Tokenizer::startsWithIgnoringCaseAt(size_t at, std::u16string_view text) const {
  if (at > input_.size() || input_.size() - at < text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (toLower(input_[at + i]) != toLower(text[i])) return false;
  return true;
}

void Tokenizer::flushText() {
  if (text_.empty()) return;
  textToken_.type = TokenType::Characters;
  textToken_.data.swap(text_);
  sink_.processToken(textToken_);
  textToken_.data.swap(text_);
  text_.clear();
}

void Tokenizer::emit(TokenType type) {
  flushText();
  token_.type = type;
  sink_.processToken(token_);
}

void Tokenizer::emitCurrentTag() {
  token_.tag = lookupTag(token_.name);
  if (token_.type == TokenType::StartTag) lastStartTag_ = token_.name;
  emit(token_.type);
}

void Tokenizer::emitComment() {
  if (token_.isDeclaration) token_.markup = input_.substr(tokenStart_, std::min(pos_, input_.size()) - tokenStart_);
  emit(TokenType::Comment);
}

void Tokenizer::emitDoctype() {
  token_.markup = input_.substr(tokenStart_, std::min(pos_, input_.size()) - tokenStart_);
  emit(TokenType::Doctype);
}

void Tokenizer::emitEof() {
  emit(TokenType::EndOfFile);
  done_ = true;
}

void Tokenizer::startTag(TokenType type) {
  token_.type = type;
  token_.name.clear();
  token_.attributes.clear();
  token_.selfClosing = false;
  token_.tag = TagId::Unknown;
  attrNames_.clear();
  attrValue_ = &droppedValue_;
}

void Tokenizer::startComment(bool declaration) {
  token_.data.clear();
  token_.isDeclaration = declaration;
  token_.markup = {};
}

void Tokenizer::startDoctype() {
  token_.name.clear();
  token_.publicId.clear();
  token_.systemId.clear();
  token_.hasName = token_.hasPublicId = token_.hasSystemId = token_.forceQuirks = false;
}

void Tokenizer::startAttribute() {
  token_.attributes.emplace_back();
  attrValue_ = &droppedValue_;  // until the name is known to be new
}

void Tokenizer::finishAttributeName() {
  std::vector<TokenAttribute>& attrs = token_.attributes;
  if (attrs.empty() || attrValue_ != &droppedValue_) return;
  const std::u16string& name = attrs.back().name;
  bool duplicate = false;
  if (attrs.size() <= kLinearDuplicateCheck) {
    for (size_t i = 0; i + 1 < attrs.size() && !duplicate; ++i) duplicate = attrs[i].name == name;
  } else {
    if (attrNames_.empty())
      for (size_t i = 0; i + 1 < attrs.size(); ++i) attrNames_.insert(attrs[i].name);
    duplicate = !attrNames_.insert(name).second;
  }
  if (duplicate) {
    attrs.pop_back();
    droppedValue_.clear();
    attrValue_ = &droppedValue_;
  } else {
    attrValue_ = &attrs.back().value;
  }
}

void Tokenizer::consumeCharacterReference(bool inAttribute) {
  std::u16string& out = inAttribute ? *attrValue_ : text_;
  int c = pos_ < input_.size() ? input_[pos_] : kEof;
  if (isAlnum(c)) {
    NamedReferenceMatch m = matchNamedReference(input_.substr(pos_));
    if (m.length == 0) {
      out.push_back(u'&');
      return;
    }
    if (inAttribute && !m.endsWithSemicolon() && pos_ + m.length < input_.size()) {
      char16_t after = input_[pos_ + m.length];
      if (after == u'=' || isAlnum(after)) {
        out.push_back(u'&');
        return;
      }
    }
    pos_ += m.length;
    encoding::AppendCodePoint(out, m.first);
    if (m.second) encoding::AppendCodePoint(out, m.second);
    return;
  }
  if (c != '#') {
    out.push_back(u'&');
    return;
  }
  size_t start = pos_;
  ++pos_;
  bool hex = pos_ < input_.size() && (input_[pos_] == 'x' || input_[pos_] == 'X');
  if (hex) ++pos_;
  size_t digitsStart = pos_;
  char32_t value = 0;
  while (pos_ < input_.size() && (hex ? isHexDigit(input_[pos_]) : isDigit(input_[pos_]))) {
    int d = input_[pos_];
    int digit = isDigit(d) ? d - '0' : (toLower(d) - 'a' + 10);
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0x10FFFF) value = 0x110000;  // stays out of range however long the number runs
    ++pos_;
  }
  if (pos_ == digitsStart) {
    out.append(input_.substr(start - 1, pos_ - start + 1));  // "&#" or "&#x" as written
    return;
  }
  if (pos_ < input_.size() && input_[pos_] == ';') ++pos_;
  encoding::AppendCodePoint(out, numericReferenceValue(value));
}

void Tokenizer::stepData() {
  size_t start = pos_;
  while (pos_ < input_.size()) {
    char16_t c = input_[pos_];
    if (c == u'<' || c == u'&') break;
    ++pos_;
  }
  text_.append(input_.substr(start, pos_ - start));
  int c = next();
  if (c == kEof) return emitEof();
  if (c == '&') return consumeCharacterReference(false);
  tokenStart_ = pos_ - 1;
  state_ = TokenizerState::TagOpen;
}

// RCDATA, RAWTEXT, script data and PLAINTEXT: text up to "<" (not for PLAINTEXT), "&" (RCDATA
// only) or NUL, which these states replace.
void Tokenizer::stepTextLike(TokenizerState lessThanState, bool allowReferences) {
  bool stopAtLess = state_ != TokenizerState::Plaintext;
  size_t start = pos_;
  while (pos_ < input_.size()) {
    char16_t c = input_[pos_];
    if ((c == u'<' && stopAtLess) || (c == u'&' && allowReferences) || c == 0) break;
    ++pos_;
  }
  text_.append(input_.substr(start, pos_ - start));
  int c = next();
  if (c == kEof) return emitEof();
  if (c == 0) return appendText(kReplacement);
  if (c == '&') return consumeCharacterReference(false);
  tokenStart_ = pos_ - 1;
  state_ = lessThanState;
}

void Tokenizer::stepEndTagName(TokenizerState returnState, int c) {
  if (isWhitespace(c) && isAppropriateEndTag()) {
    state_ = TokenizerState::BeforeAttributeName;
  } else if (c == '/' && isAppropriateEndTag()) {
    state_ = TokenizerState::SelfClosingStartTag;
  } else if (c == '>' && isAppropriateEndTag()) {
    state_ = TokenizerState::Data;
    emitCurrentTag();
  } else if (isAlpha(c)) {
    token_.name.push_back(toLower(c));
    temp_.push_back(static_cast<char16_t>(c));
  } else {
    appendText(u"</");
    appendText(temp_);
    reconsume();
    state_ = returnState;
  }
}

void Tokenizer::run() {
  using S = TokenizerState;
  while (!done_) {
    switch (state_) {
      case S::Data:
        stepData();
        break;
      case S::Rcdata:
        stepTextLike(S::RcdataLessThanSign, true);
        break;
      case S::Rawtext:
        stepTextLike(S::RawtextLessThanSign, false);
        break;
      case S::ScriptData:
        stepTextLike(S::ScriptDataLessThanSign, false);
        break;
      case S::Plaintext:
        stepTextLike(S::Plaintext, false);
        break;

      case S::TagOpen: {
        int c = next();
        if (c == '!') {
          state_ = S::MarkupDeclarationOpen;
        } else if (c == '/') {
          state_ = S::EndTagOpen;
        } else if (isAlpha(c)) {
          startTag(TokenType::StartTag);
          reconsume();
          state_ = S::TagName;
        } else if (c == '?') {
          startComment(true);
          reconsume();
          state_ = S::BogusComment;
        } else {
          appendText(u'<');
          if (c == kEof) return emitEof();
          reconsume();
          state_ = S::Data;
        }
        break;
      }
      case S::EndTagOpen: {
        int c = next();
        if (isAlpha(c)) {
          startTag(TokenType::EndTag);
          reconsume();
          state_ = S::TagName;
        } else if (c == '>') {
          state_ = S::Data;
        } else if (c == kEof) {
          appendText(u"</");
          return emitEof();
        } else {
          startComment(true);
          reconsume();
          state_ = S::BogusComment;
        }
        break;
      }
      case S::TagName: {
        int c = next();
        while (isLower(c) || (c > '>' && !isUpper(c))) {
          token_.name.push_back(static_cast<char16_t>(c));
          c = next();
        }
        if (isWhitespace(c)) {
          state_ = S::BeforeAttributeName;
        } else if (c == '/') {
          state_ = S::SelfClosingStartTag;
        } else if (c == '>') {
          state_ = S::Data;
          emitCurrentTag();
        } else if (c == 0) {
          token_.name.push_back(kReplacement);
        } else if (c == kEof) {
          return emitEof();
        } else {
          token_.name.push_back(toLower(c));
        }
        break;
      }

      case S::RcdataLessThanSign:
      case S::RawtextLessThanSign: {
        int c = next();
        if (c == '/') {
          temp_.clear();
          state_ = state_ == S::RcdataLessThanSign ? S::RcdataEndTagOpen : S::RawtextEndTagOpen;
        } else {
          appendText(u'<');
          reconsume();
          state_ = state_ == S::RcdataLessThanSign ? S::Rcdata : S::Rawtext;
        }
        break;
      }
      case S::RcdataEndTagOpen:
      case S::RawtextEndTagOpen:
      case S::ScriptDataEndTagOpen:
      case S::ScriptDataEscapedEndTagOpen: {
        static constexpr struct {
          S open, name, back;
        } kMap[] = {{S::RcdataEndTagOpen, S::RcdataEndTagName, S::Rcdata},
                    {S::RawtextEndTagOpen, S::RawtextEndTagName, S::Rawtext},
                    {S::ScriptDataEndTagOpen, S::ScriptDataEndTagName, S::ScriptData},
                    {S::ScriptDataEscapedEndTagOpen, S::ScriptDataEscapedEndTagName, S::ScriptDataEscaped}};
        const auto* m = kMap;
        while (m->open != state_) ++m;
        int c = next();
        if (isAlpha(c)) {
          startTag(TokenType::EndTag);
          reconsume();
          state_ = m->name;
        } else {
          appendText(u"</");
          reconsume();
          state_ = m->back;
        }
        break;
      }
      case S::RcdataEndTagName:
        stepEndTagName(S::Rcdata, next());
        break;
      case S::RawtextEndTagName:
        stepEndTagName(S::Rawtext, next());
        break;
      case S::ScriptDataEndTagName:
        stepEndTagName(S::ScriptData, next());
        break;
      case S::ScriptDataEscapedEndTagName:
        stepEndTagName(S::ScriptDataEscaped, next());
        break;

      case S::ScriptDataLessThanSign: {
        int c = next();
        if (c == '/') {
          temp_.clear();
          state_ = S::ScriptDataEndTagOpen;
        } else if (c == '!') {
          state_ = S::ScriptDataEscapeStart;
          appendText(u"<!");
        } else {
          appendText(u'<');
          reconsume();
          state_ = S::ScriptData;
        }
        break;
      }
      case S::ScriptDataEscapeStart:
      case S::ScriptDataEscapeStartDash: {
        int c = next();
        if (c == '-') {
          state_ = state_ == S::ScriptDataEscapeStart ? S::ScriptDataEscapeStartDash : S::ScriptDataEscapedDashDash;
          appendText(u'-');
        } else {
          reconsume();
          state_ = S::ScriptData;
        }
        break;
      }
      case S::ScriptDataEscaped:
      case S::ScriptDataEscapedDash:
      case S::ScriptDataEscapedDashDash: {
        int c = next();
        if (c == '-') {
          state_ = state_ == S::ScriptDataEscaped ? S::ScriptDataEscapedDash : S::ScriptDataEscapedDashDash;
          appendText(u'-');
        } else if (c == '<') {
          state_ = S::ScriptDataEscapedLessThanSign;
        } else if (c == '>' && state_ == S::ScriptDataEscapedDashDash) {
          state_ = S::ScriptData;
          appendText(u'>');
        } else if (c == 0) {
          state_ = S::ScriptDataEscaped;
          appendText(kReplacement);
        } else if (c == kEof) {
          return emitEof();
        } else {
          state_ = S::ScriptDataEscaped;
          appendText(static_cast<char16_t>(c));
        }
        break;
      }
      case S::ScriptDataEscapedLessThanSign: {
        int c = next();
        if (c == '/') {
          temp_.clear();
          state_ = S::ScriptDataEscapedEndTagOpen;
        } else if (isAlpha(c)) {
          temp_.clear();
          appendText(u'<');
          reconsume();
          state_ = S::ScriptDataDoubleEscapeStart;
        } else {
          appendText(u'<');
          reconsume();
          state_ = S::ScriptDataEscaped;
        }
        break;
      }
      case S::ScriptDataDoubleEscapeStart:
      case S::ScriptDataDoubleEscapeEnd: {
        bool starting = state_ == S::ScriptDataDoubleEscapeStart;
        int c = next();
        if (isWhitespace(c) || c == '/' || c == '>') {
          bool isScript = temp_ == u"script";
          state_ = (isScript == starting) ? S::ScriptDataDoubleEscaped : S::ScriptDataEscaped;
          appendText(static_cast<char16_t>(c));
        } else if (isAlpha(c)) {
          temp_.push_back(toLower(c));
          appendText(static_cast<char16_t>(c));
        } else {
          reconsume();
          state_ = starting ? S::ScriptDataEscaped : S::ScriptDataDoubleEscaped;
        }
        break;
      }
      case S::ScriptDataDoubleEscaped:
      case S::ScriptDataDoubleEscapedDash:
      case S::ScriptDataDoubleEscapedDashDash: {
        int c = next();
        if (c == '-') {
          state_ = state_ == S::ScriptDataDoubleEscaped ? S::ScriptDataDoubleEscapedDash
                                                        : S::ScriptDataDoubleEscapedDashDash;
          appendText(u'-');
        } else if (c == '<') {
          state_ = S::ScriptDataDoubleEscapedLessThanSign;
          appendText(u'<');
        } else if (c == '>' && state_ == S::ScriptDataDoubleEscapedDashDash) {
          state_ = S::ScriptData;
          appendText(u'>');
        } else if (c == 0) {
          state_ = S::ScriptDataDoubleEscaped;
          appendText(kReplacement);
        } else if (c == kEof) {
          return emitEof();
        } else {
          state_ = S::ScriptDataDoubleEscaped;
          appendText(static_cast<char16_t>(c));
        }
        break;
      }
      case S::ScriptDataDoubleEscapedLessThanSign: {
        int c = next();
        if (c == '/') {
          temp_.clear();
          state_ = S::ScriptDataDoubleEscapeEnd;
          appendText(u'/');
        } else {
          reconsume();
          state_ = S::ScriptDataDoubleEscaped;
        }
        break;
      }

      case S::BeforeAttributeName: {
        int c = next();
        if (isWhitespace(c)) break;
        if (c == '/' || c == '>' || c == kEof) {
          reconsume();
          state_ = S::AfterAttributeName;
        } else if (c == '=') {
          startAttribute();
          token_.attributes.back().name.push_back(u'=');
          state_ = S::AttributeName;
        } else {
          startAttribute();
          reconsume();
          state_ = S::AttributeName;
        }
        break;
      }
      case S::AttributeName: {
        std::u16string& name = token_.attributes.back().name;
        int c = next();
        while (isLower(c) || c == '-' || c == '_' || c == ':' || isDigit(c)) {
          name.push_back(static_cast<char16_t>(c));
          c = next();
        }
        if (isWhitespace(c) || c == '/' || c == '>' || c == kEof) {
          finishAttributeName();
          reconsume();
          state_ = S::AfterAttributeName;
        } else if (c == '=') {
          finishAttributeName();
          state_ = S::BeforeAttributeValue;
        } else if (c == 0) {
          name.push_back(kReplacement);
        } else {
          name.push_back(toLower(c));
        }
        break;
      }
      case S::AfterAttributeName: {
        int c = next();
        if (isWhitespace(c)) break;
        if (c == '/') {
          state_ = S::SelfClosingStartTag;
        } else if (c == '=') {
          state_ = S::BeforeAttributeValue;
        } else if (c == '>') {
          state_ = S::Data;
          emitCurrentTag();
        } else if (c == kEof) {
          return emitEof();
        } else {
          startAttribute();
          reconsume();
          state_ = S::AttributeName;
        }
        break;
      }
      case S::BeforeAttributeValue: {
        int c = next();
        if (isWhitespace(c)) break;
        if (c == '"') {
          state_ = S::AttributeValueDoubleQuoted;
        } else if (c == '\'') {
          state_ = S::AttributeValueSingleQuoted;
        } else if (c == '>') {
          state_ = S::Data;
          emitCurrentTag();
        } else {
          reconsume();
          state_ = S::AttributeValueUnquoted;
        }
        break;
      }
      case S::AttributeValueDoubleQuoted:
      case S::AttributeValueSingleQuoted: {
        char16_t quote = state_ == S::AttributeValueDoubleQuoted ? u'"' : u'\'';
        size_t start = pos_;
        while (pos_ < input_.size()) {
          char16_t c = input_[pos_];
          if (c == quote || c == u'&' || c == 0) break;
          ++pos_;
        }
        attrValue_->append(input_.substr(start, pos_ - start));
        int c = next();
        if (c == quote) {
          state_ = S::AfterAttributeValueQuoted;
        } else if (c == '&') {
          consumeCharacterReference(true);
        } else if (c == 0) {
          attrValue_->push_back(kReplacement);
        } else {
          return emitEof();
        }
        break;
      }
      case S::AttributeValueUnquoted: {
        int c = next();
        if (isWhitespace(c)) {
          state_ = S::BeforeAttributeName;
        } else if (c == '&') {
          consumeCharacterReference(true);
        } else if (c == '>') {
          state_ = S::Data;
          emitCurrentTag();
        } else if (c == 0) {
          attrValue_->push_back(kReplacement);
        } else if (c == kEof) {
          return emitEof();
        } else {
          attrValue_->push_back(static_cast<char16_t>(c));
        }
        break;
      }
      case S::AfterAttributeValueQuoted: {
        int c = next();
        if (isWhitespace(c)) {
          state_ = S::BeforeAttributeName;
        } else if (c == '/') {
          state_ = S::SelfClosingStartTag;
        } else if (c == '>') {
          state_ = S::Data;
          emitCurrentTag();
        } else if (c == kEof) {
          return emitEof();
        } else {
          reconsume();
          state_ = S::BeforeAttributeName;
        }
        break;
      }
      case S::SelfClosingStartTag: {
        int c = next();
        if (c == '>') {
          token_.selfClosing = true;
          state_ = S::Data;
          emitCurrentTag();
        } else if (c == kEof) {
          return emitEof();
        } else {
          reconsume();
          state_ = S::BeforeAttributeName;
        }
        break;
      }

      case S::BogusComment: {
        int c = next();
        while (c != '>' && c != kEof && c != 0) {
          token_.data.push_back(static_cast<char16_t>(c));
          c = next();
        }
        if (c == 0) {
          token_.data.push_back(kReplacement);
          break;
        }
        state_ = S::Data;
        emitComment();
        if (c == kEof) return emitEof();
        break;
      }
      case S::MarkupDeclarationOpen: {
        if (startsWithAt(pos_, u"--")) {
          pos_ += 2;
          startComment(false);
          state_ = S::CommentStart;
        } else if (startsWithIgnoringCaseAt(pos_, u"doctype")) {
          pos_ += 7;
          state_ = S::Doctype;
        } else if (startsWithAt(pos_, u"[CDATA[")) {
          pos_ += 7;
          flushText();  // the tree must have seen every earlier token before it answers
          if (sink_.cdataSectionAllowed()) {
            state_ = S::CdataSection;
          } else {
            startComment(true);
            token_.data = u"[CDATA[";
            state_ = S::BogusComment;
          }
        } else {
          startComment(true);
          state_ = S::BogusComment;
        }
        break;
      }
      case S::CommentStart: {
        int c = next();
        if (c == '-') {
          state_ = S::CommentStartDash;
        } else if (c == '>') {
          state_ = S::Data;
          emitComment();
        } else {
          reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentStartDash: {
        int c = next();
        if (c == '-') {
          state_ = S::CommentEnd;
        } else if (c == '>') {
          state_ = S::Data;
          emitComment();
        } else if (c == kEof) {
          emitComment();
          return emitEof();
        } else {
          token_.data.push_back(u'-');
          reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::Comment: {
        size_t start = pos_;
        while (pos_ < input_.size()) {
          char16_t c = input_[pos_];
          if (c == u'<' || c == u'-' || c == 0) break;
          ++pos_;
        }
        token_.data.append(input_.substr(start, pos_ - start));
        int c = next();
        if (c == '<') {
          token_.data.push_back(u'<');
          state_ = S::CommentLessThanSign;
        } else if (c == '-') {
          state_ = S::CommentEndDash;
        } else if (c == 0) {
          token_.data.push_back(kReplacement);
        } else {
          emitComment();
          return emitEof();
        }
        break;
      }
      case S::CommentLessThanSign: {
        int c = next();
        if (c == '!') {
          token_.data.push_back(u'!');
          state_ = S::CommentLessThanSignBang;
        } else if (c == '<') {
          token_.data.push_back(u'<');
        } else {
          reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentLessThanSignBang: {
        int c = next();
        reconsume();
        if (c == '-') ++pos_;
        state_ = c == '-' ? S::CommentLessThanSignBangDash : S::Comment;
        break;
      }
      case S::CommentLessThanSignBangDash: {
        int c = next();
        if (c == '-') {
          state_ = S::CommentLessThanSignBangDashDash;
        } else {
          reconsume();
          state_ = S::CommentEndDash;
        }
        break;
      }
      case S::CommentLessThanSignBangDashDash:
        // Nested "<!--" is an error either way; the comment end state handles what follows.
        state_ = S::CommentEnd;
        break;
      case S::CommentEndDash: {
        int c = next();
        if (c == '-') {
          state_ = S::CommentEnd;
        } else if (c == kEof) {
          emitComment();
          return emitEof();
        } else {
          token_.data.push_back(u'-');
          reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentEnd: {
        int c = next();
        if (c == '>') {
          state_ = S::Data;
          emitComment();
        } else if (c == '!') {
          state_ = S::CommentEndBang;
        } else if (c == '-') {
          token_.data.push_back(u'-');
        } else if (c == kEof) {
          emitComment();
          return emitEof();
        } else {
          token_.data.append(u"--");
          reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentEndBang: {
        int c = next();
        if (c == '-') {
          token_.data.append(u"--!");
          state_ = S::CommentEndDash;
        } else if (c == '>') {
          state_ = S::Data;
          emitComment();
        } else if (c == kEof) {
          emitComment();
          return emitEof();
        } else {
          token_.data.append(u"--!");
          reconsume();
          state_ = S::Comment;
        }
        break;
      }

      case S::Doctype: {
        startDoctype();
        int c = next();
        if (isWhitespace(c)) {
          state_ = S::BeforeDoctypeName;
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          reconsume();
          state_ = S::BeforeDoctypeName;
        }
        break;
      }
      case S::BeforeDoctypeName: {
        int c = next();
        if (isWhitespace(c)) break;
        if (c == '>') {
          token_.forceQuirks = true;
          state_ = S::Data;
          emitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          token_.hasName = true;
          token_.name.push_back(c == 0 ? kReplacement : toLower(c));
          state_ = S::DoctypeName;
        }
        break;
      }
      case S::DoctypeName: {
        int c = next();
        if (isWhitespace(c)) {
          state_ = S::AfterDoctypeName;
        } else if (c == '>') {
          state_ = S::Data;
          emitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          token_.name.push_back(c == 0 ? kReplacement : toLower(c));
        }
        break;
      }
      case S::AfterDoctypeName: {
        int c = next();
        if (isWhitespace(c)) break;
        if (c == '>') {
          state_ = S::Data;
          emitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else if (startsWithIgnoringCaseAt(pos_ - 1, u"public")) {
          pos_ += 5;
          state_ = S::AfterDoctypePublicKeyword;
        } else if (startsWithIgnoringCaseAt(pos_ - 1, u"system")) {
          pos_ += 5;
          state_ = S::AfterDoctypeSystemKeyword;
        } else {
          token_.forceQuirks = true;
          reconsume();
          state_ = S::BogusDoctype;
        }
        break;
      }
      case S::AfterDoctypePublicKeyword:
      case S::BeforeDoctypePublicIdentifier:
      case S::AfterDoctypeSystemKeyword:
      case S::BeforeDoctypeSystemIdentifier: {
        bool isPublic = state_ == S::AfterDoctypePublicKeyword || state_ == S::BeforeDoctypePublicIdentifier;
        bool afterKeyword = state_ == S::AfterDoctypePublicKeyword || state_ == S::AfterDoctypeSystemKeyword;
        int c = next();
        if (isWhitespace(c)) {
          if (afterKeyword) state_ = isPublic ? S::BeforeDoctypePublicIdentifier : S::BeforeDoctypeSystemIdentifier;
        } else if (c == '"' || c == '\'') {
          if (isPublic) {
            token_.hasPublicId = true;
            state_ = c == '"' ? S::DoctypePublicIdentifierDoubleQuoted : S::DoctypePublicIdentifierSingleQuoted;
          } else {
            token_.hasSystemId = true;
            state_ = c == '"' ? S::DoctypeSystemIdentifierDoubleQuoted : S::DoctypeSystemIdentifierSingleQuoted;
          }
        } else if (c == '>') {
          token_.forceQuirks = true;
          state_ = S::Data;
          emitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          token_.forceQuirks = true;
          reconsume();
          state_ = S::BogusDoctype;
        }
        break;
      }
      case S::DoctypePublicIdentifierDoubleQuoted:
      case S::DoctypePublicIdentifierSingleQuoted:
      case S::DoctypeSystemIdentifierDoubleQuoted:
      case S::DoctypeSystemIdentifierSingleQuoted: {
        bool isPublic =
            state_ == S::DoctypePublicIdentifierDoubleQuoted || state_ == S::DoctypePublicIdentifierSingleQuoted;
        bool isDouble =
            state_ == S::DoctypePublicIdentifierDoubleQuoted || state_ == S::DoctypeSystemIdentifierDoubleQuoted;
        std::u16string& id = isPublic ? token_.publicId : token_.systemId;
        int c = next();
        if (c == (isDouble ? '"' : '\'')) {
          state_ = isPublic ? S::AfterDoctypePublicIdentifier : S::AfterDoctypeSystemIdentifier;
        } else if (c == '>') {
          token_.forceQuirks = true;
          state_ = S::Data;
          emitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          id.push_back(c == 0 ? kReplacement : static_cast<char16_t>(c));
        }
        break;
      }
      case S::AfterDoctypePublicIdentifier:
      case S::BetweenDoctypePublicAndSystemIdentifiers: {
        int c = next();
        if (isWhitespace(c)) {
          state_ = S::BetweenDoctypePublicAndSystemIdentifiers;
        } else if (c == '>') {
          state_ = S::Data;
          emitDoctype();
        } else if (c == '"' || c == '\'') {
          token_.hasSystemId = true;
          state_ = c == '"' ? S::DoctypeSystemIdentifierDoubleQuoted : S::DoctypeSystemIdentifierSingleQuoted;
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          token_.forceQuirks = true;
          reconsume();
          state_ = S::BogusDoctype;
        }
        break;
      }
      case S::AfterDoctypeSystemIdentifier: {
        int c = next();
        if (isWhitespace(c)) break;
        if (c == '>') {
          state_ = S::Data;
          emitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          emitDoctype();
          return emitEof();
        } else {
          reconsume();
          state_ = S::BogusDoctype;
        }
        break;
      }
      case S::BogusDoctype: {
        int c = next();
        while (c != '>' && c != kEof) c = next();
        if (c == '>') {
          state_ = S::Data;
          emitDoctype();
        } else {
          emitDoctype();
          return emitEof();
        }
        break;
      }

      case S::CdataSection: {
        size_t start = pos_;
        while (pos_ < input_.size() && input_[pos_] != u']') ++pos_;
        text_.append(input_.substr(start, pos_ - start));
        int c = next();
        if (c == kEof) return emitEof();
        state_ = S::CdataSectionBracket;
        break;
      }
      case S::CdataSectionBracket: {
        int c = next();
        if (c == ']') {
          state_ = S::CdataSectionEnd;
        } else {
          appendText(u']');
          reconsume();
          state_ = S::CdataSection;
        }
        break;
      }
      case S::CdataSectionEnd: {
        int c = next();
        if (c == ']') {
          appendText(u']');
        } else if (c == '>') {
          state_ = S::Data;
        } else {
          appendText(u"]]");
          reconsume();
          state_ = S::CdataSection;
        }
        break;
      }
    }
  }
}

}  // namespace vellum::engine
