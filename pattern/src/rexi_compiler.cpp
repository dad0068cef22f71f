#include "pattern/rexi_compiler.h"

#include "pattern/rexi_errors.h"
#include "pattern/rexi_nfa_constructions.h"

RexiCompiler::RexiCompiler(uint8_t endOfText, const RexiLimits& limits, std::pmr::memory_resource* memory)
    : endOfText_(endOfText), limits_(limits), arena_(limits, memory), atoms_(memory) {
  atoms_.reserve(16);  // the atoms of the open sequences: a dozen in the longest property pattern
}

void RexiCompiler::Begin(const char* text) {
  scanner_.Reset(text);
  arena_.BeginConstruction();
  depth_ = 0;
  atoms_.clear();
  scanner_.Next();
}

RexiNfaNode* RexiCompiler::ParsePattern(const char* text) {
  try {
    Begin(text);
    RexiNfaNode* start = ParseAlternation();
    if (scanner_.Token() != RexiToken::End) Fail(rexi_message::kUnexpectedSymbol);
    return start;
  } catch (RexaException& error) {
    if (error.Position() < 0) error.SetPosition(scanner_.TokenPosition());
    throw;
  }
}

void RexiCompiler::ParseDefinition(const char* text, int32_t definitionNumber) {
  try {
    Begin(text);
    if (scanner_.Token() != RexiToken::Identifier) Fail(rexi_message::Expected(RexiToken::Identifier));
    const std::string name = scanner_.Identifier();
    scanner_.Next();
    Expect(RexiToken::Equals);
    RexiNfaNode* start = ParseAlternation();
    if (scanner_.Token() != RexiToken::End) Fail(rexi_message::kUnexpectedSymbol);
    rexi_nfa::MarkDefinition(arena_, start, definitionNumber);
    dictionary_.insert_or_assign(name, Definition{start, definitionNumber});
  } catch (RexaException& error) {
    if (error.Position() < 0) error.SetPosition(scanner_.TokenPosition());
    throw;
  }
}

RexiNfaNode* RexiCompiler::ParseAlternation() {
  RexiNfaNode* result = ParseSequence();
  while (scanner_.Token() == RexiToken::Bar) {
    scanner_.Next();
    RexiNfaNode* alternative = ParseSequence();
    result = rexi_nfa::Alternate(arena_, result, alternative);
  }
  return result;
}

RexiNfaNode* RexiCompiler::ParseSequence() {
  // Nested sequences stack their atoms above this one's and take them off again before it goes on.
  const size_t first = atoms_.size();
  RexiNfaNode* atom = ParsePostfixedAtom();
  atoms_.push_back(atom);
  while (REXI_StartsAtom(scanner_.Token())) {
    atom = ParsePostfixedAtom();
    atoms_.push_back(atom);
  }
  // Joined from the right: each join then walks one atom instead of everything to its left.
  RexiNfaNode* result = atoms_.back();
  for (size_t i = atoms_.size() - 1; i-- > first;) result = rexi_nfa::Concatenate(arena_, atoms_[i], result);
  atoms_.resize(first);
  return result;
}

RexiNfaNode* RexiCompiler::ParsePostfixedAtom() {
  RexiNfaNode* atom = ParseAtom();
  switch (scanner_.Token()) {
    case RexiToken::Star:
      scanner_.Next();
      return rexi_nfa::Star(arena_, atom);
    case RexiToken::Plus:
      scanner_.Next();
      return rexi_nfa::Plus(arena_, atom);
    case RexiToken::Question:
      scanner_.Next();
      return rexi_nfa::Optional(arena_, atom);
    case RexiToken::CaseFold:
      scanner_.Next();
      return rexi_nfa::CaseFold(arena_, atom, endOfText_);
    default:
      return atom;
  }
}

RexiNfaNode* RexiCompiler::ParseAtom() {
  switch (scanner_.Token()) {
    case RexiToken::Identifier:
      return ResolveIdentifier();
    case RexiToken::Set: {
      // Most atoms are one written character; their set need not be copied and looked up whole.
      const int value = scanner_.SingleValue();
      RexiNfaNode* atom = value >= 0 ? rexi_nfa::ValueAtom(arena_, static_cast<uint8_t>(value), endOfText_)
                                     : rexi_nfa::SetAtom(arena_, scanner_.Set(), endOfText_);
      scanner_.Next();
      return atom;
    }
    case RexiToken::Open:
      return ParseGroup();
    default:
      Fail(rexi_message::kAtomExpected);
  }
}

RexiNfaNode* RexiCompiler::ParseGroup() {
  if (depth_ >= limits_.maxNestingDepth) Fail(rexi_message::kNestedTooDeeply);
  ++depth_;
  scanner_.Next();
  RexiNfaNode* inner = ParseAlternation();
  Expect(RexiToken::Close);
  --depth_;
  return inner;
}

RexiNfaNode* RexiCompiler::ResolveIdentifier() {
  auto found = dictionary_.find(scanner_.Identifier());
  if (found == dictionary_.end()) Fail(scanner_.Identifier() + rexi_message::kNotInDictionary);
  RexiNfaNode* copy = rexi_nfa::Clone(arena_, found->second.start);
  scanner_.Next();
  return copy;
}

void RexiCompiler::Expect(RexiToken token) {
  if (scanner_.Token() != token) Fail(rexi_message::Expected(token));
  scanner_.Next();
}

void RexiCompiler::Fail(const std::string& message) const { throw RexaException(message, scanner_.TokenPosition()); }
