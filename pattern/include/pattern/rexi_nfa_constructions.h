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
void ForEachReachable(RexiNfaArena& arena, RexiNfaNode* start, Visit&& visit);

RexiNfaNode* SetAtom(RexiNfaArena& arena, CharSet256 set, uint8_t endOfText);
// The same for the set of one value, without building the set.
RexiNfaNode* ValueAtom(RexiNfaArena& arena, uint8_t value, uint8_t endOfText);
RexiNfaNode* Concatenate(RexiNfaArena& arena, RexiNfaNode* a, RexiNfaNode* b);
RexiNfaNode* Alternate(RexiNfaArena& arena, RexiNfaNode* a, RexiNfaNode* b);
RexiNfaNode* Star(RexiNfaArena& arena, RexiNfaNode* a);
RexiNfaNode* Optional(RexiNfaArena& arena, RexiNfaNode* a);
RexiNfaNode* Plus(RexiNfaArena& arena, RexiNfaNode* a);
// Capital letters on the fragment's edges also take the matching small letters (one direction only).
RexiNfaNode* CaseFold(RexiNfaArena& arena, RexiNfaNode* a, uint8_t endOfText);
RexiNfaNode* Clone(RexiNfaArena& arena, RexiNfaNode* start);
// Gives every final node of the fragment the definition number.
void MarkDefinition(RexiNfaArena& arena, RexiNfaNode* start, int32_t definitionNumber);

}  // namespace rexi_nfa

template <class Visit>
void rexi_nfa::ForEachReachable(RexiNfaArena& arena, RexiNfaNode* start, Visit&& visit) {
  const uint64_t stamp = arena.NewWalkStamp();
  start->walkStamp = stamp;
  start->walkNext = nullptr;
  RexiNfaNode* pending = start;
  while (pending != nullptr) {
    RexiNfaNode* node = pending;
    pending = node->walkNext;
    arena.PayWalkSteps(1 + node->edgeCount);
    visit(node);
    for (RexiNfaEdge& edge : node->Edges()) {
      if (edge.target->walkStamp != stamp) {
        edge.target->walkStamp = stamp;
        edge.target->walkNext = pending;
        pending = edge.target;
      }
    }
  }
}
