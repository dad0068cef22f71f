#include "pattern/rexi_scanner.h"

#include <array>

#include "pattern/rexi_errors.h"

namespace {

constexpr bool IsBlank(uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// What a character starts, as far as the tokenizer's first look goes.
enum class Lead : uint8_t { Plain, Blank, Other };

constexpr std::array<Lead, 256> MakeLeads() {
  std::array<Lead, 256> leads{};
  for (int c = 0; c < 256; ++c) leads[c] = IsBlank(static_cast<uint8_t>(c)) ? Lead::Blank : Lead::Plain;
  for (unsigned char c : {'\0', '*', '+', '=', '?', '|', '(', ')', '.', '[', '$', '\\'}) leads[c] = Lead::Other;
  return leads;
}

// Most characters of a pattern stand for themselves; they are told apart with one look-up rather than
// a switch whose jump the processor cannot foresee.
constexpr std::array<Lead, 256> kLeads = MakeLeads();
bool IsLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

int HexValue(uint8_t c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

void REXI_Scanner::Reset(const char* text) {
  text_ = tokenStart_ = current_ = text;
  token_ = REXI_Token::End;
  set_.Clear();
  singleValue_ = -1;
  identifier_.clear();
}

void REXI_Scanner::Next() {
  while (kLeads[Peek()] == Lead::Blank) ++current_;
  tokenStart_ = current_;
  const uint8_t c = Peek();
  if (kLeads[c] == Lead::Plain) {
    token_ = REXI_Token::Set;
    singleValue_ = c;
    ++current_;
    return;
  }
  switch (c) {
    case 0:
      token_ = REXI_Token::End;
      return;  // never consumed
    case '*':
      token_ = REXI_Token::Star;
      ++current_;
      return;
    case '+':
      token_ = REXI_Token::Plus;
      ++current_;
      return;
    case '=':
      token_ = REXI_Token::Equals;
      ++current_;
      return;
    case '?':
      token_ = REXI_Token::Question;
      ++current_;
      return;
    case '|':
      token_ = REXI_Token::Bar;
      ++current_;
      return;
    case '(':
      token_ = REXI_Token::Open;
      ++current_;
      return;
    case ')':
      token_ = REXI_Token::Close;
      ++current_;
      return;
    case '.':
      token_ = REXI_Token::Set;
      set_ = CharSet256::All();
      singleValue_ = -1;
      ++current_;
      return;
    case '[':
      token_ = REXI_Token::Set;
      ++current_;
      singleValue_ = -1;
      ReadBracketSet();
      return;
    default:
      break;
  }
  if (c == '$' && (IsLetter(Peek(1)) || Peek(1) == '_')) {
    ReadIdentifier();
    return;
  }
  if (c == '\\' && Peek(1) == 'i') {
    token_ = REXI_Token::CaseFold;
    current_ += 2;
    return;
  }
  token_ = REXI_Token::Set;
  singleValue_ = ReadCharacter().value;
}

void REXI_Scanner::ReadIdentifier() {
  const char* start = current_++;
  while (IsLetter(Peek()) || IsDigit(Peek()) || Peek() == '_') ++current_;
  identifier_.assign(start, current_);
  token_ = REXI_Token::Identifier;
}

REXI_Scanner::Character REXI_Scanner::ReadCharacter() {
  const uint8_t c = Peek();
  if (c == 0) return {0, false};
  ++current_;
  if (c != '\\') return {c, false};
  const uint8_t escaped = Peek();
  switch (escaped) {
    case 0:
      return {0, true};  // a trailing backslash: the terminator stays unread
    case 'a':
      ++current_;
      return {7, true};
    case 'b':
      ++current_;
      return {8, true};
    case 'n':
      ++current_;
      return {10, true};
    case 'r':
      ++current_;
      return {13, true};
    case 't':
      ++current_;
      return {9, true};
    case 'v':
      ++current_;
      return {11, true};
    case 'x': {
      ++current_;
      const int high = HexValue(Peek());
      const int low = high < 0 ? -1 : HexValue(Peek(1));  // never look past the terminator
      if (low < 0) return {'x', true};
      current_ += 2;
      return {static_cast<uint8_t>(high * 16 + low), true};
    }
    case '0':
      ++current_;
      return {0, true};  // the NUL escape, like "\x00"
    default:
      ++current_;
      return {escaped, true};
  }
}

void REXI_Scanner::ReadBracketSet() {
  set_.Clear();
  Character current = ReadCharacter();
  const bool complemented = current.value == '^' && !current.escaped;
  if (complemented) current = ReadCharacter();
  bool closed = false;
  while (current.value != 0) {
    if (current.value == ']' && !current.escaped) {
      closed = true;
      break;
    }
    const Character following = ReadCharacter();
    if (following.value == '-' && !following.escaped) {
      const Character last = ReadCharacter();
      if (last.value == 0) break;
      set_.AddRange(current.value, last.value);
      current = ReadCharacter();
    } else {
      set_.Add(current.value);
      current = following;
    }
  }
  if (!closed) throw REXA_Exception(rexi_message::kClosingBracketMissing, TokenPosition());
  if (complemented) set_.Complement();
}
