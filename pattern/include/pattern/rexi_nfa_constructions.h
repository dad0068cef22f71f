#pragma once
// The NFA constructions. A fragment is named by its start node; every construction returns the
// fragment of its result. Invariant kept by all of them: no edge leads into a fragment's start, so
// marking the start final or giving it more edges never changes what happens after a loop.

#include <cstdint>

#include "pattern/charset256.h"
#include "pattern/rexi_nfa.h"

namespace rexi_nfa {

// Calls visit(node) once for every node reachable from start, start first. Walks do not nest.
template <class Visit>
void ForEachReachable(REXI_NfaArena& arena, REXI_NfaNode* start, Visit&& visit);

REXI_NfaNode* SetAtom(REXI_NfaArena& arena, CharSet256 set, uint8_t endOfText);
// The same for the set of one value, without building the set.
REXI_NfaNode* ValueAtom(REXI_NfaArena& arena, uint8_t value, uint8_t endOfText);
REXI_NfaNode* Concatenate(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b);
REXI_NfaNode* Alternate(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b);
REXI_NfaNode* Star(REXI_NfaArena& arena, REXI_NfaNode* a);
REXI_NfaNode* Optional(REXI_NfaArena& arena, REXI_NfaNode* a);
REXI_NfaNode* Plus(REXI_NfaArena& arena, REXI_NfaNode* a);
// Capital letters on the fragment's edges also take the matching small letters (one direction only).
REXI_NfaNode* CaseFold(REXI_NfaArena& arena, REXI_NfaNode* a, uint8_t endOfText);
REXI_NfaNode* Clone(REXI_NfaArena& arena, REXI_NfaNode* start);
// Gives every final node of the fragment the definition number.
void MarkDefinition(REXI_NfaArena& arena, REXI_NfaNode* start, int32_t definitionNumber);

}  // namespace rexi_nfa

template <class Visit>
void rexi_nfa::ForEachReachable(REXI_NfaArena& arena, REXI_NfaNode* start, Visit&& visit) {
  const uint64_t stamp = arena.NewWalkStamp();
  start->walkStamp = stamp;
  start->walkNext = nullptr;
  REXI_NfaNode* pending = start;
  while (pending != nullptr) {
    REXI_NfaNode* node = pending;
    pending = node->walkNext;
    arena.PayWalkSteps(1 + node->edgeCount);
    visit(node);
    for (REXI_NfaEdge& edge : node->Edges()) {
      if (edge.target->walkStamp != stamp) {
        edge.target->walkStamp = stamp;
        edge.target->walkNext = pending;
        pending = edge.target;
      }
    }
  }
}
