#include "pattern/rexi_compiler.h"

#include "pattern/rexi_errors.h"
#include "pattern/rexi_nfa_constructions.h"

REXI_Compiler::REXI_Compiler(uint8_t endOfText, const REXI_Limits& limits, std::pmr::memory_resource* memory)
    : endOfText_(endOfText), limits_(limits), arena_(limits, memory), atoms_(memory) {
  atoms_.reserve(16);  // the atoms of the open sequences: a dozen in the longest property pattern
}

void REXI_Compiler::Begin(const char* text) {
  scanner_.Reset(text);
  arena_.BeginConstruction();
  depth_ = 0;
  atoms_.clear();
  scanner_.Next();
}

REXI_NfaNode* REXI_Compiler::ParsePattern(const char* text) {
  try {
    Begin(text);
    REXI_NfaNode* start = ParseAlternation();
    if (scanner_.Token() != REXI_Token::End) Fail(rexi_message::kUnexpectedSymbol);
    return start;
  } catch (REXA_Exception& error) {
    if (error.Position() < 0) error.SetPosition(scanner_.TokenPosition());
    throw;
  }
}

void REXI_Compiler::ParseDefinition(const char* text, int32_t definitionNumber) {
  try {
    Begin(text);
    if (scanner_.Token() != REXI_Token::Identifier) Fail(rexi_message::Expected(REXI_Token::Identifier));
    const std::string name = scanner_.Identifier();
    scanner_.Next();
    Expect(REXI_Token::Equals);
    REXI_NfaNode* start = ParseAlternation();
    if (scanner_.Token() != REXI_Token::End) Fail(rexi_message::kUnexpectedSymbol);
    rexi_nfa::MarkDefinition(arena_, start, definitionNumber);
    dictionary_.insert_or_assign(name, Definition{start, definitionNumber});
  } catch (REXA_Exception& error) {
    if (error.Position() < 0) error.SetPosition(scanner_.TokenPosition());
    throw;
  }
}

REXI_NfaNode* REXI_Compiler::ParseAlternation() {
  REXI_NfaNode* result = ParseSequence();
  while (scanner_.Token() == REXI_Token::Bar) {
    scanner_.Next();
    REXI_NfaNode* alternative = ParseSequence();
    result = rexi_nfa::Alternate(arena_, result, alternative);
  }
  return result;
}

REXI_NfaNode* REXI_Compiler::ParseSequence() {
  // Nested sequences stack their atoms above this one's and take them off again before it goes on.
  const size_t first = atoms_.size();
  REXI_NfaNode* atom = ParsePostfixedAtom();
  atoms_.push_back(atom);
  while (REXI_StartsAtom(scanner_.Token())) {
    atom = ParsePostfixedAtom();
    atoms_.push_back(atom);
  }
  // Joined from the right: each join then walks one atom instead of everything to its left.
  REXI_NfaNode* result = atoms_.back();
  for (size_t i = atoms_.size() - 1; i-- > first;) result = rexi_nfa::Concatenate(arena_, atoms_[i], result);
  atoms_.resize(first);
  return result;
}

REXI_NfaNode* REXI_Compiler::ParsePostfixedAtom() {
  REXI_NfaNode* atom = ParseAtom();
  switch (scanner_.Token()) {
    case REXI_Token::Star:
      scanner_.Next();
      return rexi_nfa::Star(arena_, atom);
    case REXI_Token::Plus:
      scanner_.Next();
      return rexi_nfa::Plus(arena_, atom);
    case REXI_Token::Question:
      scanner_.Next();
      return rexi_nfa::Optional(arena_, atom);
    case REXI_Token::CaseFold:
      scanner_.Next();
      return rexi_nfa::CaseFold(arena_, atom, endOfText_);
    default:
      return atom;
  }
}

REXI_NfaNode* REXI_Compiler::ParseAtom() {
  switch (scanner_.Token()) {
    case REXI_Token::Identifier:
      return ResolveIdentifier();
    case REXI_Token::Set: {
      // Most atoms are one written character; their set need not be copied and looked up whole.
      const int value = scanner_.SingleValue();
      REXI_NfaNode* atom = value >= 0 ? rexi_nfa::ValueAtom(arena_, static_cast<uint8_t>(value), endOfText_)
                                      : rexi_nfa::SetAtom(arena_, scanner_.Set(), endOfText_);
      scanner_.Next();
      return atom;
    }
    case REXI_Token::Open:
      return ParseGroup();
    default:
      Fail(rexi_message::kAtomExpected);
  }
}

REXI_NfaNode* REXI_Compiler::ParseGroup() {
  if (depth_ >= limits_.maxNestingDepth) Fail(rexi_message::kNestedTooDeeply);
  ++depth_;
  scanner_.Next();
  REXI_NfaNode* inner = ParseAlternation();
  Expect(REXI_Token::Close);
  --depth_;
  return inner;
}

REXI_NfaNode* REXI_Compiler::ResolveIdentifier() {
  auto found = dictionary_.find(scanner_.Identifier());
  if (found == dictionary_.end()) Fail(scanner_.Identifier() + rexi_message::kNotInDictionary);
  REXI_NfaNode* copy = rexi_nfa::Clone(arena_, found->second.start);
  scanner_.Next();
  return copy;
}

void REXI_Compiler::Expect(REXI_Token token) {
  if (scanner_.Token() != token) Fail(rexi_message::Expected(token));
  scanner_.Next();
}

void REXI_Compiler::Fail(const std::string& message) const { throw REXA_Exception(message, scanner_.TokenPosition()); }
