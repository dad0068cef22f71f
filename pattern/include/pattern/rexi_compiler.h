#pragma once
// The parser: recursive descent over the scanner's tokens, building the NFA as it goes, with the
// name dictionary of definitions. Errors are raised as REXA_Exception.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory_resource>
#include <string>
#include <vector>

#include "pattern/rexi_limits.h"
#include "pattern/rexi_nfa.h"
#include "pattern/rexi_scanner.h"

class REXI_Compiler {
 public:
  // The nodes and the parser's scratch lists come from 'memory', which must outlive the compiler.
  REXI_Compiler(uint8_t endOfText, const REXI_Limits& limits,
                std::pmr::memory_resource* memory = std::pmr::new_delete_resource());
  REXI_Compiler(const REXI_Compiler&) = delete;
  REXI_Compiler& operator=(const REXI_Compiler&) = delete;

  // pattern: alternation, then the end of the text. Returns the start of the NFA.
  REXI_NfaNode* ParsePattern(const char* text);
  // definition: identifier "=" alternation, then the end; stores the fragment under the identifier.
  void ParseDefinition(const char* text, int32_t definitionNumber);

  // The nodes of a compiled pattern are not needed once its DFA exists.
  REXI_NfaArena::Mark NodeMark() const { return arena_.GetMark(); }
  void ReleaseNodesSince(const REXI_NfaArena::Mark& mark) { arena_.ReleaseSince(mark); }
  size_t NodeCount() const { return arena_.NodeCount(); }
  REXI_NfaCounts Counts() const { return arena_.Counts(); }
  // The characters that take an edge of this compiler's NFA.
  const CharSet256& SetOf(const REXI_NfaEdge& edge) const { return arena_.SetOf(edge); }
  const REXI_SetTable& Sets() const { return arena_.Sets(); }
  // For walks over the nodes made here, by this compiler or by whoever reads its NFA.
  uint64_t NewWalkStamp() { return arena_.NewWalkStamp(); }

 private:
  struct Definition {
    REXI_NfaNode* start;
    int32_t number;
  };

  void Begin(const char* text);
  REXI_NfaNode* ParseAlternation();
  REXI_NfaNode* ParseSequence();
  REXI_NfaNode* ParsePostfixedAtom();
  REXI_NfaNode* ParseAtom();
  REXI_NfaNode* ParseGroup();
  REXI_NfaNode* ResolveIdentifier();
  void Expect(REXI_Token token);
  [[noreturn]] void Fail(const std::string& message) const;

  const uint8_t endOfText_;
  const REXI_Limits limits_;
  std::map<std::string, Definition> dictionary_;  // keyed by the identifier with its "$"
  REXI_Scanner scanner_;
  REXI_NfaArena arena_;
  std::pmr::vector<REXI_NfaNode*> atoms_;  // the atoms of the open sequences, innermost last
  int32_t depth_ = 0;                      // open parentheses around the atom being parsed
};
