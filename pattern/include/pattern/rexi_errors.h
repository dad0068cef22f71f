#pragma once
// Compile errors: the exception raised inside the parser and the record handed out at its boundary.

#include <cstdint>
#include <exception>
#include <string>

#include "pattern/rexi_tokens.h"

class REXA_Exception : public std::exception {
 public:
  // A position below zero means "where the scanner stands"; the parser fills it in on the way out.
  static constexpr int32_t kAtCurrentToken = -1;

  REXA_Exception(std::string message, int32_t position) : message_(std::move(message)), position_(position) {}

  const std::string& Message() const { return message_; }
  int32_t Position() const { return position_; }
  void SetPosition(int32_t position) { position_ = position; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
  int32_t position_;
};

struct REXI_CompileResult {
  static constexpr int32_t kSuccess = 0;
  static constexpr int32_t kNameError = 1;     // in the identifier part of a definition
  static constexpr int32_t kPatternError = 2;  // in the pattern

  int32_t code = kSuccess;
  std::string message;
  int32_t position = 0;
};

namespace rexi_message {
inline constexpr const char* kClosingBracketMissing = "closing ] missing";
inline constexpr const char* kUnexpectedSymbol = "unexpected symbol";
inline constexpr const char* kAtomExpected = "[,',( or ident expected";
inline constexpr const char* kNotInDictionary = " not found in name dictionary";
inline constexpr const char* kExpectedSuffix = " expected\r\n  ";
inline constexpr const char* kNestedTooDeeply = "pattern nested too deeply";
inline constexpr const char* kTooLarge = "pattern too large for the automaton budget";
inline constexpr const char* kTooManyStates = "pattern needs too many automaton states";

inline std::string Expected(REXI_Token token) { return std::string(REXI_TokenName(token)) + kExpectedSuffix; }
}  // namespace rexi_message
