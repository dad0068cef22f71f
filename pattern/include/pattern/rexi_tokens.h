#pragma once
// The pattern tokens: one list yields the codes and the names that compile messages quote.

#include <cstdint>

#define REXI_TOKEN_LIST(X)           \
  X(End, 1, "end of string")         \
  X(Illegal, 2, "illegal character") \
  X(Identifier, 4, "")               \
  X(Star, 32, "*")                   \
  X(Plus, 64, "+")                   \
  X(Equals, 128, "=")                \
  X(Question, 256, "?")              \
  X(Bar, 512, "|")                   \
  X(Set, 1024, "[<characters>]")     \
  X(Open, 2048, "(")                 \
  X(Close, 4096, ")")                \
  X(CaseFold, 8192, "")

enum class REXI_Token : uint32_t {
#define REXI_TOKEN_ENUM(name, code, text) name = code,
  REXI_TOKEN_LIST(REXI_TOKEN_ENUM)
#undef REXI_TOKEN_ENUM
};

constexpr const char* REXI_TokenName(REXI_Token token) {
  switch (token) {
#define REXI_TOKEN_NAME(name, code, text) \
  case REXI_Token::name:                  \
    return text;
    REXI_TOKEN_LIST(REXI_TOKEN_NAME)
#undef REXI_TOKEN_NAME
  }
  return "";
}

// A sequence goes on while the look-ahead token can start an atom: an identifier, a set or "(".
constexpr uint32_t kRexiAtomStartMask = 3076;
static_assert(kRexiAtomStartMask == (static_cast<uint32_t>(REXI_Token::Identifier) |
                                     static_cast<uint32_t>(REXI_Token::Set) | static_cast<uint32_t>(REXI_Token::Open)));

constexpr bool REXI_StartsAtom(REXI_Token token) { return (static_cast<uint32_t>(token) & kRexiAtomStartMask) != 0; }
