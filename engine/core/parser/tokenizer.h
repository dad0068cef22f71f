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

  void SetState(TokenizerState state) { state_ = state; }
  TokenizerState State() const { return state_; }
  // Name of the last start tag, for the "appropriate end tag" test of RCDATA and raw text.
  void SetLastStartTagName(std::u16string_view name) { lastStartTag_.assign(name); }

  // Tokenizes the whole input; the last token handed over is EndOfFile.
  void Run();

 private:
  static constexpr int kEof = -1;

  int Next() { return pos_ < input_.size() ? input_[pos_++] : (++pos_, kEof); }
  void Reconsume() { --pos_; }
  bool StartsWithAt(size_t at, std::u16string_view text) const;
  bool StartsWithIgnoringCaseAt(size_t at, std::u16string_view text) const;

  void AppendText(char16_t c) { text_.push_back(c); }
  void AppendText(std::u16string_view s) { text_.append(s); }
  void FlushText();
  void Emit(TokenType type);
  void EmitCurrentTag();
  void EmitComment();
  void EmitDoctype();
  void EmitEof();

  void StartTag(TokenType type);
  void StartComment(bool declaration);
  void StartDoctype();
  void StartAttribute();
  void FinishAttributeName();
  bool IsAppropriateEndTag() const { return !lastStartTag_.empty() && token_.name == lastStartTag_; }
  // "&" has been read: reads the reference (if any) and appends its characters to the attribute
  // value being read or to the text.
  void ConsumeCharacterReference(bool inAttribute);

  void StepData();
  void StepTextLike(TokenizerState lessThanState, bool allowReferences);
  // The "end tag name" states of RCDATA, RAWTEXT and script data differ only in where they return.
  void StepEndTagName(TokenizerState returnState, int c);

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
