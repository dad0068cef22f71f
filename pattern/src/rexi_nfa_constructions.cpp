#include "pattern/rexi_nfa_constructions.h"

#include <algorithm>
#include <vector>

namespace rexi_nfa {
namespace {

using SourcedEdge = REXI_NfaArena::SourcedEdge;

// Collects the edges entering final nodes, each (source, set) once (duplicates would only add work
// downstream), and, when asked, the final nodes themselves.
void CollectFinals(REXI_NfaArena& arena, REXI_NfaNode* start, std::vector<SourcedEdge>& entering,
                   std::vector<REXI_NfaNode*>* finals) {
  entering.clear();
  if (finals != nullptr) finals->clear();
  ForEachReachable(arena, start, [&](REXI_NfaNode* node) {
    if (finals != nullptr && node->final) finals->push_back(node);
    for (const REXI_NfaEdge& edge : node->Edges())
      if (edge.target->final) entering.push_back({node, &edge});
  });
  std::sort(entering.begin(), entering.end(), [](const SourcedEdge& x, const SourcedEdge& y) {
    if (x.source != y.source) return x.source->number < y.source->number;
    return CharSet256Less{}(x.edge->set, y.edge->set);
  });
  entering.erase(std::unique(entering.begin(), entering.end(),
                             [](const SourcedEdge& x, const SourcedEdge& y) {
                               return x.source == y.source && x.edge->set == y.edge->set;
                             }),
                 entering.end());
}

// Appends copies of the edges 'from' has now; edges appended meanwhile are not copied again.
void CopyEdges(REXI_NfaArena& arena, const REXI_NfaNode* from, REXI_NfaNode* to) {
  const REXI_NfaEdge* edge = from->firstEdge;
  for (uint32_t count = from->edgeCount; count > 0; --count, edge = edge->next)
    arena.AddEdge(to, edge->set, edge->target);
}

}  // namespace

REXI_NfaNode* SetAtom(REXI_NfaArena& arena, CharSet256 set, uint8_t endOfText) {
  set.Remove(endOfText);
  REXI_NfaNode* start = arena.NewNode(false);
  REXI_NfaNode* final = arena.NewNode(true);
  arena.AddEdge(start, set, final);
  return start;
}

REXI_NfaNode* Concatenate(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b) {
  std::vector<SourcedEdge>& entering = arena.ScratchEdges();
  std::vector<REXI_NfaNode*>& finalsOfA = arena.ScratchNodes();
  CollectFinals(arena, a, entering, &finalsOfA);
  for (const SourcedEdge& sourced : entering) arena.AddEdge(sourced.source, sourced.edge->set, b);
  const bool bothMatchEmpty = a->final && b->final;
  if (a->final) CopyEdges(arena, b, a);
  for (REXI_NfaNode* node : finalsOfA) node->final = false;
  if (bothMatchEmpty) a->final = true;
  return a;
}

REXI_NfaNode* Alternate(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b) {
  CopyEdges(arena, b, a);
  if (b->final) a->final = true;
  return a;
}

REXI_NfaNode* Star(REXI_NfaArena& arena, REXI_NfaNode* a) {
  std::vector<SourcedEdge>& entering = arena.ScratchEdges();
  CollectFinals(arena, a, entering, nullptr);
  for (const SourcedEdge& sourced : entering) arena.AddEdge(sourced.source, sourced.edge->set, a);
  a->final = true;
  if (entering.empty()) return a;
  // The loops now lead into 'a'. A fresh start with the same edges keeps loops out of the start, so
  // that a later '?', '*' or alternative on this fragment cannot be re-entered after an iteration.
  REXI_NfaNode* start = arena.NewNode(true);
  start->definitionNumber = a->definitionNumber;
  CopyEdges(arena, a, start);
  return start;
}

REXI_NfaNode* Optional(REXI_NfaArena&, REXI_NfaNode* a) {
  a->final = true;
  return a;
}

REXI_NfaNode* Plus(REXI_NfaArena& arena, REXI_NfaNode* a) {
  REXI_NfaNode* repeated = Star(arena, Clone(arena, a));
  return Concatenate(arena, a, repeated);
}

REXI_NfaNode* CaseFold(REXI_NfaArena& arena, REXI_NfaNode* a, uint8_t endOfText) {
  // 'A'..'Z' are bits 1..26 of word 2; 'a'..'z' the same bits of word 3.
  constexpr uint32_t kLetterBits = 0x07FFFFFEu;
  ForEachReachable(arena, a, [&](REXI_NfaNode* node) {
    for (REXI_NfaEdge& edge : node->Edges()) {
      edge.set.SetWord(3, edge.set.Word(3) | (edge.set.Word(2) & kLetterBits));
      edge.set.Remove(endOfText);
    }
  });
  return a;
}

REXI_NfaNode* Clone(REXI_NfaArena& arena, REXI_NfaNode* start) {
  const uint64_t stamp = REXI_NewWalkStamp();
  REXI_NfaNode* pending = nullptr;
  auto copyOf = [&](REXI_NfaNode* original) {
    if (original->walkStamp != stamp) {
      original->walkStamp = stamp;
      original->copy = arena.NewNode(original->final);
      original->copy->definitionNumber = original->definitionNumber;
      original->walkNext = pending;
      pending = original;
    }
    return original->copy;
  };
  REXI_NfaNode* result = copyOf(start);
  while (pending != nullptr) {
    REXI_NfaNode* original = pending;
    pending = original->walkNext;
    arena.PayWalkSteps(1 + original->edgeCount);
    for (const REXI_NfaEdge& edge : original->Edges()) arena.AddEdge(original->copy, edge.set, copyOf(edge.target));
  }
  return result;
}

void MarkDefinition(REXI_NfaArena& arena, REXI_NfaNode* start, int32_t definitionNumber) {
  ForEachReachable(arena, start, [&](REXI_NfaNode* node) {
    if (node->final) node->definitionNumber = definitionNumber;
  });
}

}  // namespace rexi_nfa
