#pragma once
// The tokenizer: reads one token ahead over a zero-terminated 8-bit pattern.

#include <cstdint>
#include <string>

#include "pattern/charset256.h"
#include "pattern/rexi_tokens.h"

class REXI_Scanner {
 public:
  // Starts over on a new text; the token is "end of string" until the first Next().
  void Reset(const char* text);
  // Skips blanks and reads one token. A bracket set without its "]" raises REXA_Exception.
  void Next();

  REXI_Token Token() const { return token_; }
  const CharSet256& Set() const {                                                      // of a Set token
    if (singleValue_ >= 0) set_ = CharSet256::Of(static_cast<uint8_t>(singleValue_));  // made when asked for
    return set_;
  }
  // Of a Set token that is one written character (not "." nor brackets): that value, else -1.
  int SingleValue() const { return singleValue_; }
  const std::string& Identifier() const { return identifier_; }  // of an Identifier token, with its "$"
  int32_t TokenPosition() const { return static_cast<int32_t>(tokenStart_ - text_); }

 private:
  struct Character {
    uint8_t value;  // 0 at the end of the text
    bool escaped;   // written with a backslash
  };

  Character ReadCharacter();
  void ReadBracketSet();
  void ReadIdentifier();
  uint8_t Peek(int offset = 0) const { return static_cast<uint8_t>(current_[offset]); }

  const char* text_ = "";        // start of the pattern
  const char* tokenStart_ = "";  // start of the current token
  const char* current_ = "";     // reading position
  mutable CharSet256 set_;
  int singleValue_ = -1;
  std::string identifier_;
  REXI_Token token_ = REXI_Token::End;
};
