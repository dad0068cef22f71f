#include "parser/tokenizer.h"

#include "parser/char_ref.h"
#include "encoding/utf.h"

namespace vellum::engine {

const char* TokenizerStateName(TokenizerState state) {
  static const char* const kNames[] = {
#define VELLUM_STATE_NAME(name) #name,
      VELLUM_TOKENIZER_STATES(VELLUM_STATE_NAME)
#undef VELLUM_STATE_NAME
  };
  return kNames[static_cast<size_t>(state)];
}

namespace {
bool IsWhitespace(int c) { return c == '\t' || c == '\n' || c == '\f' || c == ' '; }
bool IsUpper(int c) { return c >= 'A' && c <= 'Z'; }
bool IsLower(int c) { return c >= 'a' && c <= 'z'; }
bool IsAlpha(int c) { return IsUpper(c) || IsLower(c); }
bool IsDigit(int c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(int c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }
bool IsAlnum(int c) { return IsAlpha(c) || IsDigit(c); }
char16_t ToLower(int c) { return static_cast<char16_t>(IsUpper(c) ? c + 32 : c); }
constexpr char16_t kReplacement = u'\uFFFD';
// Tags with more attributes than this check duplicates through a set instead of a scan.
constexpr size_t kLinearDuplicateCheck = 24;
}  // namespace

Tokenizer::Tokenizer(std::u16string_view input, TokenSink& sink) : input_(input), sink_(sink) {}

bool Tokenizer::StartsWithAt(size_t at, std::u16string_view text) const {
  return at <= input_.size() && input_.substr(at, text.size()) == text;
}

bool Tokenizer::StartsWithIgnoringCaseAt(size_t at, std::u16string_view text) const {
  if (at > input_.size() || input_.size() - at < text.size()) return false;
  for (size_t i = 0; i < text.size(); ++i)
    if (ToLower(input_[at + i]) != ToLower(text[i])) return false;
  return true;
}

void Tokenizer::FlushText() {
  if (text_.empty()) return;
  textToken_.type = TokenType::Characters;
  textToken_.data.swap(text_);
  sink_.ProcessToken(textToken_);
  textToken_.data.swap(text_);
  text_.clear();
}

void Tokenizer::Emit(TokenType type) {
  FlushText();
  token_.type = type;
  sink_.ProcessToken(token_);
}

void Tokenizer::EmitCurrentTag() {
  token_.tag = LookupTag(token_.name);
  if (token_.type == TokenType::StartTag) lastStartTag_ = token_.name;
  Emit(token_.type);
}

void Tokenizer::EmitComment() {
  if (token_.isDeclaration) token_.markup = input_.substr(tokenStart_, std::min(pos_, input_.size()) - tokenStart_);
  Emit(TokenType::Comment);
}

void Tokenizer::EmitDoctype() {
  token_.markup = input_.substr(tokenStart_, std::min(pos_, input_.size()) - tokenStart_);
  Emit(TokenType::Doctype);
}

void Tokenizer::EmitEof() {
  Emit(TokenType::EndOfFile);
  done_ = true;
}

void Tokenizer::StartTag(TokenType type) {
  token_.type = type;
  token_.name.clear();
  token_.attributes.clear();
  token_.selfClosing = false;
  token_.tag = TagId::Unknown;
  attrNames_.clear();
  attrValue_ = &droppedValue_;
}

void Tokenizer::StartComment(bool declaration) {
  token_.data.clear();
  token_.isDeclaration = declaration;
  token_.markup = {};
}

void Tokenizer::StartDoctype() {
  token_.name.clear();
  token_.publicId.clear();
  token_.systemId.clear();
  token_.hasName = token_.hasPublicId = token_.hasSystemId = token_.forceQuirks = false;
}

void Tokenizer::StartAttribute() {
  token_.attributes.emplace_back();
  attrValue_ = &droppedValue_;  // until the name is known to be new
}

void Tokenizer::FinishAttributeName() {
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

void Tokenizer::ConsumeCharacterReference(bool inAttribute) {
  std::u16string& out = inAttribute ? *attrValue_ : text_;
  int c = pos_ < input_.size() ? input_[pos_] : kEof;
  if (IsAlnum(c)) {
    NamedReferenceMatch m = MatchNamedReference(input_.substr(pos_));
    if (m.length == 0) {
      out.push_back(u'&');
      return;
    }
    if (inAttribute && !m.EndsWithSemicolon() && pos_ + m.length < input_.size()) {
      char16_t after = input_[pos_ + m.length];
      if (after == u'=' || IsAlnum(after)) {
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
  while (pos_ < input_.size() && (hex ? IsHexDigit(input_[pos_]) : IsDigit(input_[pos_]))) {
    int d = input_[pos_];
    int digit = IsDigit(d) ? d - '0' : (ToLower(d) - 'a' + 10);
    value = value * (hex ? 16 : 10) + digit;
    if (value > 0x10FFFF) value = 0x110000;  // stays out of range however long the number runs
    ++pos_;
  }
  if (pos_ == digitsStart) {
    out.append(input_.substr(start - 1, pos_ - start + 1));  // "&#" or "&#x" as written
    return;
  }
  if (pos_ < input_.size() && input_[pos_] == ';') ++pos_;
  encoding::AppendCodePoint(out, NumericReferenceValue(value));
}

void Tokenizer::StepData() {
  size_t start = pos_;
  while (pos_ < input_.size()) {
    char16_t c = input_[pos_];
    if (c == u'<' || c == u'&') break;
    ++pos_;
  }
  text_.append(input_.substr(start, pos_ - start));
  int c = Next();
  if (c == kEof) return EmitEof();
  if (c == '&') return ConsumeCharacterReference(false);
  tokenStart_ = pos_ - 1;
  state_ = TokenizerState::TagOpen;
}

// RCDATA, RAWTEXT, script data and PLAINTEXT: text up to "<" (not for PLAINTEXT), "&" (RCDATA
// only) or NUL, which these states replace.
void Tokenizer::StepTextLike(TokenizerState lessThanState, bool allowReferences) {
  bool stopAtLess = state_ != TokenizerState::Plaintext;
  size_t start = pos_;
  while (pos_ < input_.size()) {
    char16_t c = input_[pos_];
    if ((c == u'<' && stopAtLess) || (c == u'&' && allowReferences) || c == 0) break;
    ++pos_;
  }
  text_.append(input_.substr(start, pos_ - start));
  int c = Next();
  if (c == kEof) return EmitEof();
  if (c == 0) return AppendText(kReplacement);
  if (c == '&') return ConsumeCharacterReference(false);
  tokenStart_ = pos_ - 1;
  state_ = lessThanState;
}

void Tokenizer::StepEndTagName(TokenizerState returnState, int c) {
  if (IsWhitespace(c) && IsAppropriateEndTag()) {
    state_ = TokenizerState::BeforeAttributeName;
  } else if (c == '/' && IsAppropriateEndTag()) {
    state_ = TokenizerState::SelfClosingStartTag;
  } else if (c == '>' && IsAppropriateEndTag()) {
    state_ = TokenizerState::Data;
    EmitCurrentTag();
  } else if (IsAlpha(c)) {
    token_.name.push_back(ToLower(c));
    temp_.push_back(static_cast<char16_t>(c));
  } else {
    AppendText(u"</");
    AppendText(temp_);
    Reconsume();
    state_ = returnState;
  }
}

void Tokenizer::Run() {
  using S = TokenizerState;
  while (!done_) {
    switch (state_) {
      case S::Data:
        StepData();
        break;
      case S::Rcdata:
        StepTextLike(S::RcdataLessThanSign, true);
        break;
      case S::Rawtext:
        StepTextLike(S::RawtextLessThanSign, false);
        break;
      case S::ScriptData:
        StepTextLike(S::ScriptDataLessThanSign, false);
        break;
      case S::Plaintext:
        StepTextLike(S::Plaintext, false);
        break;

      case S::TagOpen: {
        int c = Next();
        if (c == '!') {
          state_ = S::MarkupDeclarationOpen;
        } else if (c == '/') {
          state_ = S::EndTagOpen;
        } else if (IsAlpha(c)) {
          StartTag(TokenType::StartTag);
          Reconsume();
          state_ = S::TagName;
        } else if (c == '?') {
          StartComment(true);
          Reconsume();
          state_ = S::BogusComment;
        } else {
          AppendText(u'<');
          if (c == kEof) return EmitEof();
          Reconsume();
          state_ = S::Data;
        }
        break;
      }
      case S::EndTagOpen: {
        int c = Next();
        if (IsAlpha(c)) {
          StartTag(TokenType::EndTag);
          Reconsume();
          state_ = S::TagName;
        } else if (c == '>') {
          state_ = S::Data;
        } else if (c == kEof) {
          AppendText(u"</");
          return EmitEof();
        } else {
          StartComment(true);
          Reconsume();
          state_ = S::BogusComment;
        }
        break;
      }
      case S::TagName: {
        int c = Next();
        while (IsLower(c) || (c > '>' && !IsUpper(c))) {
          token_.name.push_back(static_cast<char16_t>(c));
          c = Next();
        }
        if (IsWhitespace(c)) {
          state_ = S::BeforeAttributeName;
        } else if (c == '/') {
          state_ = S::SelfClosingStartTag;
        } else if (c == '>') {
          state_ = S::Data;
          EmitCurrentTag();
        } else if (c == 0) {
          token_.name.push_back(kReplacement);
        } else if (c == kEof) {
          return EmitEof();
        } else {
          token_.name.push_back(ToLower(c));
        }
        break;
      }

      case S::RcdataLessThanSign:
      case S::RawtextLessThanSign: {
        int c = Next();
        if (c == '/') {
          temp_.clear();
          state_ = state_ == S::RcdataLessThanSign ? S::RcdataEndTagOpen : S::RawtextEndTagOpen;
        } else {
          AppendText(u'<');
          Reconsume();
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
        int c = Next();
        if (IsAlpha(c)) {
          StartTag(TokenType::EndTag);
          Reconsume();
          state_ = m->name;
        } else {
          AppendText(u"</");
          Reconsume();
          state_ = m->back;
        }
        break;
      }
      case S::RcdataEndTagName:
        StepEndTagName(S::Rcdata, Next());
        break;
      case S::RawtextEndTagName:
        StepEndTagName(S::Rawtext, Next());
        break;
      case S::ScriptDataEndTagName:
        StepEndTagName(S::ScriptData, Next());
        break;
      case S::ScriptDataEscapedEndTagName:
        StepEndTagName(S::ScriptDataEscaped, Next());
        break;

      case S::ScriptDataLessThanSign: {
        int c = Next();
        if (c == '/') {
          temp_.clear();
          state_ = S::ScriptDataEndTagOpen;
        } else if (c == '!') {
          state_ = S::ScriptDataEscapeStart;
          AppendText(u"<!");
        } else {
          AppendText(u'<');
          Reconsume();
          state_ = S::ScriptData;
        }
        break;
      }
      case S::ScriptDataEscapeStart:
      case S::ScriptDataEscapeStartDash: {
        int c = Next();
        if (c == '-') {
          state_ = state_ == S::ScriptDataEscapeStart ? S::ScriptDataEscapeStartDash : S::ScriptDataEscapedDashDash;
          AppendText(u'-');
        } else {
          Reconsume();
          state_ = S::ScriptData;
        }
        break;
      }
      case S::ScriptDataEscaped:
      case S::ScriptDataEscapedDash:
      case S::ScriptDataEscapedDashDash: {
        int c = Next();
        if (c == '-') {
          state_ = state_ == S::ScriptDataEscaped ? S::ScriptDataEscapedDash : S::ScriptDataEscapedDashDash;
          AppendText(u'-');
        } else if (c == '<') {
          state_ = S::ScriptDataEscapedLessThanSign;
        } else if (c == '>' && state_ == S::ScriptDataEscapedDashDash) {
          state_ = S::ScriptData;
          AppendText(u'>');
        } else if (c == 0) {
          state_ = S::ScriptDataEscaped;
          AppendText(kReplacement);
        } else if (c == kEof) {
          return EmitEof();
        } else {
          state_ = S::ScriptDataEscaped;
          AppendText(static_cast<char16_t>(c));
        }
        break;
      }
      case S::ScriptDataEscapedLessThanSign: {
        int c = Next();
        if (c == '/') {
          temp_.clear();
          state_ = S::ScriptDataEscapedEndTagOpen;
        } else if (IsAlpha(c)) {
          temp_.clear();
          AppendText(u'<');
          Reconsume();
          state_ = S::ScriptDataDoubleEscapeStart;
        } else {
          AppendText(u'<');
          Reconsume();
          state_ = S::ScriptDataEscaped;
        }
        break;
      }
      case S::ScriptDataDoubleEscapeStart:
      case S::ScriptDataDoubleEscapeEnd: {
        bool starting = state_ == S::ScriptDataDoubleEscapeStart;
        int c = Next();
        if (IsWhitespace(c) || c == '/' || c == '>') {
          bool isScript = temp_ == u"script";
          state_ = (isScript == starting) ? S::ScriptDataDoubleEscaped : S::ScriptDataEscaped;
          AppendText(static_cast<char16_t>(c));
        } else if (IsAlpha(c)) {
          temp_.push_back(ToLower(c));
          AppendText(static_cast<char16_t>(c));
        } else {
          Reconsume();
          state_ = starting ? S::ScriptDataEscaped : S::ScriptDataDoubleEscaped;
        }
        break;
      }
      case S::ScriptDataDoubleEscaped:
      case S::ScriptDataDoubleEscapedDash:
      case S::ScriptDataDoubleEscapedDashDash: {
        int c = Next();
        if (c == '-') {
          state_ = state_ == S::ScriptDataDoubleEscaped ? S::ScriptDataDoubleEscapedDash
                                                        : S::ScriptDataDoubleEscapedDashDash;
          AppendText(u'-');
        } else if (c == '<') {
          state_ = S::ScriptDataDoubleEscapedLessThanSign;
          AppendText(u'<');
        } else if (c == '>' && state_ == S::ScriptDataDoubleEscapedDashDash) {
          state_ = S::ScriptData;
          AppendText(u'>');
        } else if (c == 0) {
          state_ = S::ScriptDataDoubleEscaped;
          AppendText(kReplacement);
        } else if (c == kEof) {
          return EmitEof();
        } else {
          state_ = S::ScriptDataDoubleEscaped;
          AppendText(static_cast<char16_t>(c));
        }
        break;
      }
      case S::ScriptDataDoubleEscapedLessThanSign: {
        int c = Next();
        if (c == '/') {
          temp_.clear();
          state_ = S::ScriptDataDoubleEscapeEnd;
          AppendText(u'/');
        } else {
          Reconsume();
          state_ = S::ScriptDataDoubleEscaped;
        }
        break;
      }

      case S::BeforeAttributeName: {
        int c = Next();
        if (IsWhitespace(c)) break;
        if (c == '/' || c == '>' || c == kEof) {
          Reconsume();
          state_ = S::AfterAttributeName;
        } else if (c == '=') {
          StartAttribute();
          token_.attributes.back().name.push_back(u'=');
          state_ = S::AttributeName;
        } else {
          StartAttribute();
          Reconsume();
          state_ = S::AttributeName;
        }
        break;
      }
      case S::AttributeName: {
        std::u16string& name = token_.attributes.back().name;
        int c = Next();
        while (IsLower(c) || c == '-' || c == '_' || c == ':' || IsDigit(c)) {
          name.push_back(static_cast<char16_t>(c));
          c = Next();
        }
        if (IsWhitespace(c) || c == '/' || c == '>' || c == kEof) {
          FinishAttributeName();
          Reconsume();
          state_ = S::AfterAttributeName;
        } else if (c == '=') {
          FinishAttributeName();
          state_ = S::BeforeAttributeValue;
        } else if (c == 0) {
          name.push_back(kReplacement);
        } else {
          name.push_back(ToLower(c));
        }
        break;
      }
      case S::AfterAttributeName: {
        int c = Next();
        if (IsWhitespace(c)) break;
        if (c == '/') {
          state_ = S::SelfClosingStartTag;
        } else if (c == '=') {
          state_ = S::BeforeAttributeValue;
        } else if (c == '>') {
          state_ = S::Data;
          EmitCurrentTag();
        } else if (c == kEof) {
          return EmitEof();
        } else {
          StartAttribute();
          Reconsume();
          state_ = S::AttributeName;
        }
        break;
      }
      case S::BeforeAttributeValue: {
        int c = Next();
        if (IsWhitespace(c)) break;
        if (c == '"') {
          state_ = S::AttributeValueDoubleQuoted;
        } else if (c == '\'') {
          state_ = S::AttributeValueSingleQuoted;
        } else if (c == '>') {
          state_ = S::Data;
          EmitCurrentTag();
        } else {
          Reconsume();
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
        int c = Next();
        if (c == quote) {
          state_ = S::AfterAttributeValueQuoted;
        } else if (c == '&') {
          ConsumeCharacterReference(true);
        } else if (c == 0) {
          attrValue_->push_back(kReplacement);
        } else {
          return EmitEof();
        }
        break;
      }
      case S::AttributeValueUnquoted: {
        int c = Next();
        if (IsWhitespace(c)) {
          state_ = S::BeforeAttributeName;
        } else if (c == '&') {
          ConsumeCharacterReference(true);
        } else if (c == '>') {
          state_ = S::Data;
          EmitCurrentTag();
        } else if (c == 0) {
          attrValue_->push_back(kReplacement);
        } else if (c == kEof) {
          return EmitEof();
        } else {
          attrValue_->push_back(static_cast<char16_t>(c));
        }
        break;
      }
      case S::AfterAttributeValueQuoted: {
        int c = Next();
        if (IsWhitespace(c)) {
          state_ = S::BeforeAttributeName;
        } else if (c == '/') {
          state_ = S::SelfClosingStartTag;
        } else if (c == '>') {
          state_ = S::Data;
          EmitCurrentTag();
        } else if (c == kEof) {
          return EmitEof();
        } else {
          Reconsume();
          state_ = S::BeforeAttributeName;
        }
        break;
      }
      case S::SelfClosingStartTag: {
        int c = Next();
        if (c == '>') {
          token_.selfClosing = true;
          state_ = S::Data;
          EmitCurrentTag();
        } else if (c == kEof) {
          return EmitEof();
        } else {
          Reconsume();
          state_ = S::BeforeAttributeName;
        }
        break;
      }

      case S::BogusComment: {
        int c = Next();
        while (c != '>' && c != kEof && c != 0) {
          token_.data.push_back(static_cast<char16_t>(c));
          c = Next();
        }
        if (c == 0) {
          token_.data.push_back(kReplacement);
          break;
        }
        state_ = S::Data;
        EmitComment();
        if (c == kEof) return EmitEof();
        break;
      }
      case S::MarkupDeclarationOpen: {
        if (StartsWithAt(pos_, u"--")) {
          pos_ += 2;
          StartComment(false);
          state_ = S::CommentStart;
        } else if (StartsWithIgnoringCaseAt(pos_, u"doctype")) {
          pos_ += 7;
          state_ = S::Doctype;
        } else if (StartsWithAt(pos_, u"[CDATA[")) {
          pos_ += 7;
          FlushText();  // the tree must have seen every earlier token before it answers
          if (sink_.CdataSectionAllowed()) {
            state_ = S::CdataSection;
          } else {
            StartComment(true);
            token_.data = u"[CDATA[";
            state_ = S::BogusComment;
          }
        } else {
          StartComment(true);
          state_ = S::BogusComment;
        }
        break;
      }
      case S::CommentStart: {
        int c = Next();
        if (c == '-') {
          state_ = S::CommentStartDash;
        } else if (c == '>') {
          state_ = S::Data;
          EmitComment();
        } else {
          Reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentStartDash: {
        int c = Next();
        if (c == '-') {
          state_ = S::CommentEnd;
        } else if (c == '>') {
          state_ = S::Data;
          EmitComment();
        } else if (c == kEof) {
          EmitComment();
          return EmitEof();
        } else {
          token_.data.push_back(u'-');
          Reconsume();
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
        int c = Next();
        if (c == '<') {
          token_.data.push_back(u'<');
          state_ = S::CommentLessThanSign;
        } else if (c == '-') {
          state_ = S::CommentEndDash;
        } else if (c == 0) {
          token_.data.push_back(kReplacement);
        } else {
          EmitComment();
          return EmitEof();
        }
        break;
      }
      case S::CommentLessThanSign: {
        int c = Next();
        if (c == '!') {
          token_.data.push_back(u'!');
          state_ = S::CommentLessThanSignBang;
        } else if (c == '<') {
          token_.data.push_back(u'<');
        } else {
          Reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentLessThanSignBang: {
        int c = Next();
        Reconsume();
        if (c == '-') ++pos_;
        state_ = c == '-' ? S::CommentLessThanSignBangDash : S::Comment;
        break;
      }
      case S::CommentLessThanSignBangDash: {
        int c = Next();
        if (c == '-') {
          state_ = S::CommentLessThanSignBangDashDash;
        } else {
          Reconsume();
          state_ = S::CommentEndDash;
        }
        break;
      }
      case S::CommentLessThanSignBangDashDash:
        // Nested "<!--" is an error either way; the comment end state handles what follows.
        state_ = S::CommentEnd;
        break;
      case S::CommentEndDash: {
        int c = Next();
        if (c == '-') {
          state_ = S::CommentEnd;
        } else if (c == kEof) {
          EmitComment();
          return EmitEof();
        } else {
          token_.data.push_back(u'-');
          Reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentEnd: {
        int c = Next();
        if (c == '>') {
          state_ = S::Data;
          EmitComment();
        } else if (c == '!') {
          state_ = S::CommentEndBang;
        } else if (c == '-') {
          token_.data.push_back(u'-');
        } else if (c == kEof) {
          EmitComment();
          return EmitEof();
        } else {
          token_.data.append(u"--");
          Reconsume();
          state_ = S::Comment;
        }
        break;
      }
      case S::CommentEndBang: {
        int c = Next();
        if (c == '-') {
          token_.data.append(u"--!");
          state_ = S::CommentEndDash;
        } else if (c == '>') {
          state_ = S::Data;
          EmitComment();
        } else if (c == kEof) {
          EmitComment();
          return EmitEof();
        } else {
          token_.data.append(u"--!");
          Reconsume();
          state_ = S::Comment;
        }
        break;
      }

      case S::Doctype: {
        StartDoctype();
        int c = Next();
        if (IsWhitespace(c)) {
          state_ = S::BeforeDoctypeName;
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          Reconsume();
          state_ = S::BeforeDoctypeName;
        }
        break;
      }
      case S::BeforeDoctypeName: {
        int c = Next();
        if (IsWhitespace(c)) break;
        if (c == '>') {
          token_.forceQuirks = true;
          state_ = S::Data;
          EmitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          token_.hasName = true;
          token_.name.push_back(c == 0 ? kReplacement : ToLower(c));
          state_ = S::DoctypeName;
        }
        break;
      }
      case S::DoctypeName: {
        int c = Next();
        if (IsWhitespace(c)) {
          state_ = S::AfterDoctypeName;
        } else if (c == '>') {
          state_ = S::Data;
          EmitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          token_.name.push_back(c == 0 ? kReplacement : ToLower(c));
        }
        break;
      }
      case S::AfterDoctypeName: {
        int c = Next();
        if (IsWhitespace(c)) break;
        if (c == '>') {
          state_ = S::Data;
          EmitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else if (StartsWithIgnoringCaseAt(pos_ - 1, u"public")) {
          pos_ += 5;
          state_ = S::AfterDoctypePublicKeyword;
        } else if (StartsWithIgnoringCaseAt(pos_ - 1, u"system")) {
          pos_ += 5;
          state_ = S::AfterDoctypeSystemKeyword;
        } else {
          token_.forceQuirks = true;
          Reconsume();
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
        int c = Next();
        if (IsWhitespace(c)) {
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
          EmitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          token_.forceQuirks = true;
          Reconsume();
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
        int c = Next();
        if (c == (isDouble ? '"' : '\'')) {
          state_ = isPublic ? S::AfterDoctypePublicIdentifier : S::AfterDoctypeSystemIdentifier;
        } else if (c == '>') {
          token_.forceQuirks = true;
          state_ = S::Data;
          EmitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          id.push_back(c == 0 ? kReplacement : static_cast<char16_t>(c));
        }
        break;
      }
      case S::AfterDoctypePublicIdentifier:
      case S::BetweenDoctypePublicAndSystemIdentifiers: {
        int c = Next();
        if (IsWhitespace(c)) {
          state_ = S::BetweenDoctypePublicAndSystemIdentifiers;
        } else if (c == '>') {
          state_ = S::Data;
          EmitDoctype();
        } else if (c == '"' || c == '\'') {
          token_.hasSystemId = true;
          state_ = c == '"' ? S::DoctypeSystemIdentifierDoubleQuoted : S::DoctypeSystemIdentifierSingleQuoted;
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          token_.forceQuirks = true;
          Reconsume();
          state_ = S::BogusDoctype;
        }
        break;
      }
      case S::AfterDoctypeSystemIdentifier: {
        int c = Next();
        if (IsWhitespace(c)) break;
        if (c == '>') {
          state_ = S::Data;
          EmitDoctype();
        } else if (c == kEof) {
          token_.forceQuirks = true;
          EmitDoctype();
          return EmitEof();
        } else {
          Reconsume();
          state_ = S::BogusDoctype;
        }
        break;
      }
      case S::BogusDoctype: {
        int c = Next();
        while (c != '>' && c != kEof) c = Next();
        if (c == '>') {
          state_ = S::Data;
          EmitDoctype();
        } else {
          EmitDoctype();
          return EmitEof();
        }
        break;
      }

      case S::CdataSection: {
        size_t start = pos_;
        while (pos_ < input_.size() && input_[pos_] != u']') ++pos_;
        text_.append(input_.substr(start, pos_ - start));
        int c = Next();
        if (c == kEof) return EmitEof();
        state_ = S::CdataSectionBracket;
        break;
      }
      case S::CdataSectionBracket: {
        int c = Next();
        if (c == ']') {
          state_ = S::CdataSectionEnd;
        } else {
          AppendText(u']');
          Reconsume();
          state_ = S::CdataSection;
        }
        break;
      }
      case S::CdataSectionEnd: {
        int c = Next();
        if (c == ']') {
          AppendText(u']');
        } else if (c == '>') {
          state_ = S::Data;
        } else {
          AppendText(u"]]");
          Reconsume();
          state_ = S::CdataSection;
        }
        break;
      }
    }
  }
}

}  // namespace vellum::engine
