#pragma once
// The HTML tokenizer: a state machine over newline-normalised UTF-16 text (see InputText) that
// hands each token to a TokenSink as soon as it is complete. The sink may switch the state (the
// tree builder does so after <title>, <script> and the like) before the next character is read.

#include <string>
#include <string_view>
#include <unordered_set>

#include "parser/token.h"
#include "parser/tokenizer_states.h"

namespace vellum::engine {

class Tokenizer {
 public:
  Tokenizer(std::u16string_view input, TokenSink& sink);

  void setState(TokenizerState state) { state_ = state; }
  TokenizerState state() const { return state_; }
  // Name of the last start tag, for the "appropriate end tag" test of RCDATA and raw text.
  void setLastStartTagName(std::u16string_view name) { lastStartTag_.assign(name); }

  // Tokenizes the whole input; the last token handed over is EndOfFile.
  void run();

 private:
  static constexpr int kEof = -1;

  int next() { return pos_ < input_.size() ? input_[pos_++] : (++pos_, kEof); }
  void reconsume() { --pos_; }
  bool startsWithAt(size_t at, std::u16string_view text) const;
  bool startsWithIgnoringCaseAt(size_t at, std::u16string_view text) const;

  void appendText(char16_t c) { text_.push_back(c); }
  void appendText(std::u16string_view s) { text_.append(s); }
  void flushText();
  void emit(TokenType type);
  void emitCurrentTag();
  void emitComment();
  void emitDoctype();
  void emitEof();

  void startTag(TokenType type);
  void startComment(bool declaration);
  void startDoctype();
  void startAttribute();
  void finishAttributeName();
  bool isAppropriateEndTag() const { return !lastStartTag_.empty() && token_.name == lastStartTag_; }
  // "&" has been read: reads the reference (if any) and appends its characters to the attribute
  // value being read or to the text.
  void consumeCharacterReference(bool inAttribute);

  void stepData();
  void stepTextLike(TokenizerState lessThanState, bool allowReferences);
  // The "end tag name" states of RCDATA, RAWTEXT and script data differ only in where they return.
  void stepEndTagName(TokenizerState returnState, int c);

  std::u16string_view input_;
  TokenSink& sink_;
  size_t pos_ = 0;
  TokenizerState state_ = TokenizerState::Data;
  bool done_ = false;

  Token token_;          // the tag, comment or doctype being read
  Token textToken_;      // character runs, apart so that a run never disturbs token_
  std::u16string text_;  // characters waiting to be handed over as one run
  std::u16string temp_;  // the temporary buffer of the end-tag and script-escape states
  std::u16string lastStartTag_;
  size_t tokenStart_ = 0;                         // where the current markup began (its "<")
  std::u16string* attrValue_ = nullptr;           // where the current attribute's value goes
  std::u16string droppedValue_;                   // value of a duplicate attribute, thrown away
  std::unordered_set<std::u16string> attrNames_;  // duplicate check for tags with many attributes
};

}  // namespace vellum::engine
