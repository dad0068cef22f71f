#pragma once
// The parser: recursive descent over the scanner's tokens, building the NFA as it goes, with the
// name dictionary of definitions. Errors are raised as RexaException.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory_resource>
#include <string>
#include <vector>

#include "pattern/rexi_limits.h"
#include "pattern/rexi_nfa.h"
#include "pattern/rexi_scanner.h"

class RexiCompiler {
 public:
  // The nodes and the parser's scratch lists come from 'memory', which must outlive the compiler.
  RexiCompiler(uint8_t endOfText, const RexiLimits& limits,
               std::pmr::memory_resource* memory = std::pmr::new_delete_resource());
  RexiCompiler(const RexiCompiler&) = delete;
  RexiCompiler& operator=(const RexiCompiler&) = delete;

  // pattern: alternation, then the end of the text. Returns the start of the NFA.
  RexiNfaNode* ParsePattern(const char* text);
  // definition: identifier "=" alternation, then the end; stores the fragment under the identifier.
  void ParseDefinition(const char* text, int32_t definitionNumber);

  // The nodes of a compiled pattern are not needed once its DFA exists.
  RexiNfaArena::Mark NodeMark() const { return arena_.GetMark(); }
  void ReleaseNodesSince(const RexiNfaArena::Mark& mark) { arena_.ReleaseSince(mark); }
  size_t NodeCount() const { return arena_.NodeCount(); }
  RexiNfaCounts Counts() const { return arena_.Counts(); }
  // The characters that take an edge of this compiler's NFA.
  const CharSet256& SetOf(const RexiNfaEdge& edge) const { return arena_.SetOf(edge); }
  const RexiSetTable& Sets() const { return arena_.Sets(); }
  // For walks over the nodes made here, by this compiler or by whoever reads its NFA.
  uint64_t NewWalkStamp() { return arena_.NewWalkStamp(); }

 private:
  struct Definition {
    RexiNfaNode* start;
    int32_t number;
  };

  void Begin(const char* text);
  RexiNfaNode* ParseAlternation();
  RexiNfaNode* ParseSequence();
  RexiNfaNode* ParsePostfixedAtom();
  RexiNfaNode* ParseAtom();
  RexiNfaNode* ParseGroup();
  RexiNfaNode* ResolveIdentifier();
  void Expect(RexiToken token);
  [[noreturn]] void Fail(const std::string& message) const;

  const uint8_t endOfText_;
  const RexiLimits limits_;
  std::map<std::string, Definition> dictionary_;  // keyed by the identifier with its "$"
  RexiScanner scanner_;
  RexiNfaArena arena_;
  std::pmr::vector<RexiNfaNode*> atoms_;  // the atoms of the open sequences, innermost last
  int32_t depth_ = 0;                     // open parentheses around the atom being parsed
};
