#include "pattern/rexi_nfa_constructions.h"

#include <algorithm>
#include <vector>

namespace rexi_nfa {
namespace {

using SourcedEdge = REXI_NfaArena::SourcedEdge;

// Orders collected edges by their sources' numbers, and a source's edges by their sets in the engine's
// set order, keeping each (source, set) once (duplicates would only add work downstream). The keys
// order the sources; the sets of one source, few and seldom more than one, are then put in order.
void SortEntering(REXI_NfaArena& arena, std::pmr::vector<SourcedEdge>& entering) {
  if (entering.size() < 2) return;
  auto byKey = [](const SourcedEdge& x, const SourcedEdge& y) { return x.key < y.key; };
  if (entering.size() > 16) {
    std::sort(entering.begin(), entering.end(), byKey);
  } else {  // usually a handful: an insertion sort beats the library's
    for (size_t i = 1; i < entering.size(); ++i) {
      const SourcedEdge moving = entering[i];
      size_t j = i;
      for (; j > 0 && moving.key < entering[j - 1].key; --j) entering[j] = entering[j - 1];
      entering[j] = moving;
    }
  }
  entering.erase(std::unique(entering.begin(), entering.end(),
                             [](const SourcedEdge& x, const SourcedEdge& y) { return x.key == y.key; }),
                 entering.end());
  for (size_t first = 0; first < entering.size();) {
    size_t last = first + 1;
    while (last < entering.size() && entering[last].source == entering[first].source) ++last;
    for (size_t i = first + 1; i < last; ++i) {
      const SourcedEdge moving = entering[i];
      size_t j = i;
      for (; j > first && CharSet256Less{}(arena.SetOf(*moving.edge), arena.SetOf(*entering[j - 1].edge)); --j)
        entering[j] = entering[j - 1];
      entering[j] = moving;
    }
    first = last;
  }
}

// Collects the edges entering final nodes, in SortEntering's order, and, when asked, the final nodes
// themselves.
void CollectFinals(REXI_NfaArena& arena, REXI_NfaNode* start, std::pmr::vector<SourcedEdge>& entering,
                   std::pmr::vector<REXI_NfaNode*>* finals) {
  entering.clear();
  if (finals != nullptr) finals->clear();
  // The walk of ForEachReachable, with the collecting folded into its one pass over each node's edges.
  // The walk only reads, so its steps are paid in one sum at the end: running out of the budget then
  // fails the compile all the same, at the same token.
  const uint64_t stamp = arena.NewWalkStamp();
  start->walkStamp = stamp;
  start->walkNext = nullptr;
  REXI_NfaNode* pending = start;
  uint64_t steps = 0;
  while (pending != nullptr) {
    REXI_NfaNode* node = pending;
    pending = node->walkNext;
    steps += 1 + node->edgeCount;
    if (finals != nullptr && node->final) finals->push_back(node);
    for (const REXI_NfaEdge& edge : node->Edges()) {
      REXI_NfaNode* target = edge.target;
      if (target->final) entering.push_back({node, &edge, uint64_t{node->number} << 32 | edge.setId});
      if (target->walkStamp == stamp) continue;
      target->walkStamp = stamp;
      if (target->edgeCount == 0) {  // a leaf, like the end of most atoms: visited on the spot
        ++steps;
        if (finals != nullptr && target->final) finals->push_back(target);
        continue;
      }
      target->walkNext = pending;
      pending = target;
    }
  }
  arena.PayWalkSteps(steps);
  SortEntering(arena, entering);
}

// Appends copies of the edges 'from' has now; edges appended meanwhile are not copied again.
void CopyEdges(REXI_NfaArena& arena, const REXI_NfaNode* from, REXI_NfaNode* to) {
  const REXI_NfaEdge* edge = from->firstEdge;
  for (uint32_t count = from->edgeCount; count > 0; --count, edge = edge->next)
    arena.AddEdge(to, edge->setId, edge->target);
}

REXI_NfaNode* AtomOf(REXI_NfaArena& arena, uint32_t setId) {
  REXI_NfaNode* start = arena.NewNode(false);
  REXI_NfaNode* final = arena.NewNode(true);
  arena.AddEdge(start, setId, final);
  return start;
}

// A fragment that is one edge from a start into a final node without edges, as a character set atom
// makes: the walk of a concatenation would meet exactly these two nodes and that edge.
bool IsSingleStep(const REXI_NfaNode* a) {
  if (a->final || a->edgeCount != 1) return false;
  const REXI_NfaNode* target = a->firstEdge->target;
  return target != a && target->final && target->edgeCount == 0;
}

// The steps of a concatenation once A's entering edges and final nodes are collected.
REXI_NfaNode* ConcatenateCollected(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b,
                                   const std::pmr::vector<SourcedEdge>& entering,
                                   const std::pmr::vector<REXI_NfaNode*>& finalsOfA) {
  for (const SourcedEdge& sourced : entering) arena.AddEdge(sourced.source, sourced.edge->setId, b);
  const bool bothMatchEmpty = a->final && b->final;
  if (a->final) CopyEdges(arena, b, a);
  for (REXI_NfaNode* node : finalsOfA) node->final = false;
  if (bothMatchEmpty) a->final = true;
  return a;
}

// The steps of a star once the fragment's entering edges are collected.
REXI_NfaNode* StarCollected(REXI_NfaArena& arena, REXI_NfaNode* a, const std::pmr::vector<SourcedEdge>& entering) {
  for (const SourcedEdge& sourced : entering) arena.AddEdge(sourced.source, sourced.edge->setId, a);
  a->final = true;
  if (entering.empty()) return a;
  // The loops now lead into 'a'. A fresh start with the same edges keeps loops out of the start, so
  // that a later '?', '*' or alternative on this fragment cannot be re-entered after an iteration.
  REXI_NfaNode* start = arena.NewNode(true);
  start->definitionNumber = a->definitionNumber;
  CopyEdges(arena, a, start);
  return start;
}

// Clone, collecting on the way what a star over the copy and a concatenation after the original would
// collect: the edges entering final nodes of both, and the original's final nodes. Returns the copy;
// walkSteps is the steps of one walk over the original (or the copy: they have the same shape).
REXI_NfaNode* CloneCollecting(REXI_NfaArena& arena, REXI_NfaNode* start, std::pmr::vector<SourcedEdge>& entering,
                              std::pmr::vector<SourcedEdge>& copiesEntering, std::pmr::vector<REXI_NfaNode*>& finals,
                              uint64_t& walkSteps) {
  entering.clear();
  copiesEntering.clear();
  finals.clear();
  walkSteps = 0;
  const uint64_t stamp = arena.NewWalkStamp();
  REXI_NfaNode* pending = nullptr;
  auto copyOf = [&](REXI_NfaNode* original) {
    if (original->walkStamp != stamp) {
      original->walkStamp = stamp;
      original->copy = arena.NewNode(original->final);
      original->copy->definitionNumber = original->definitionNumber;
      if (original->final) finals.push_back(original);
      if (original->edgeCount == 0) {  // a leaf: nothing more to copy
        ++walkSteps;
      } else {
        original->walkNext = pending;
        pending = original;
      }
    }
    return original->copy;
  };
  REXI_NfaNode* result = copyOf(start);
  while (pending != nullptr) {
    REXI_NfaNode* original = pending;
    pending = original->walkNext;
    walkSteps += 1 + original->edgeCount;
    REXI_NfaNode* copy = original->copy;
    for (const REXI_NfaEdge& edge : original->Edges()) {
      arena.AddEdge(copy, edge.setId, copyOf(edge.target));
      if (!edge.target->final) continue;
      entering.push_back({original, &edge, uint64_t{original->number} << 32 | edge.setId});
      copiesEntering.push_back({copy, copy->lastEdge, uint64_t{copy->number} << 32 | edge.setId});
    }
  }
  arena.PayWalkSteps(walkSteps);  // the clone's own walk
  return result;
}

}  // namespace

REXI_NfaNode* SetAtom(REXI_NfaArena& arena, CharSet256 set, uint8_t endOfText) {
  set.Remove(endOfText);
  return AtomOf(arena, arena.InternSet(set));
}

REXI_NfaNode* ValueAtom(REXI_NfaArena& arena, uint8_t value, uint8_t endOfText) {
  return AtomOf(arena, value == endOfText ? arena.InternSet(CharSet256{}) : arena.InternValueSet(value));
}

REXI_NfaNode* Concatenate(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b) {
  if (IsSingleStep(a)) {  // most atoms: the general steps below, without the walk's bookkeeping
    arena.PayWalkSteps(3);
    arena.AddEdge(a, a->firstEdge->setId, b);
    a->firstEdge->target->final = false;
    return a;
  }
  std::pmr::vector<SourcedEdge>& entering = arena.ScratchEdges();
  std::pmr::vector<REXI_NfaNode*>& finalsOfA = arena.ScratchNodes();
  CollectFinals(arena, a, entering, &finalsOfA);
  return ConcatenateCollected(arena, a, b, entering, finalsOfA);
}

REXI_NfaNode* Alternate(REXI_NfaArena& arena, REXI_NfaNode* a, REXI_NfaNode* b) {
  CopyEdges(arena, b, a);
  if (b->final) a->final = true;
  return a;
}

REXI_NfaNode* Star(REXI_NfaArena& arena, REXI_NfaNode* a) {
  std::pmr::vector<SourcedEdge>& entering = arena.ScratchEdges();
  CollectFinals(arena, a, entering, nullptr);
  return StarCollected(arena, a, entering);
}

REXI_NfaNode* Optional(REXI_NfaArena&, REXI_NfaNode* a) {
  a->final = true;
  return a;
}

// A clone C of A, starred, after A. The walks of the star over C and of the concatenation over A
// would meet the nodes the cloning met, so they are paid for without being taken again.
REXI_NfaNode* Plus(REXI_NfaArena& arena, REXI_NfaNode* a) {
  std::pmr::vector<SourcedEdge>& entering = arena.ScratchEdges();
  std::pmr::vector<SourcedEdge>& copiesEntering = arena.ScratchCopiedEdges();
  std::pmr::vector<REXI_NfaNode*>& finalsOfA = arena.ScratchNodes();
  uint64_t walkSteps = 0;
  REXI_NfaNode* copy = CloneCollecting(arena, a, entering, copiesEntering, finalsOfA, walkSteps);
  SortEntering(arena, copiesEntering);
  arena.PayWalkSteps(walkSteps);
  REXI_NfaNode* repeated = StarCollected(arena, copy, copiesEntering);
  SortEntering(arena, entering);
  arena.PayWalkSteps(walkSteps);
  return ConcatenateCollected(arena, a, repeated, entering, finalsOfA);
}

REXI_NfaNode* CaseFold(REXI_NfaArena& arena, REXI_NfaNode* a, uint8_t endOfText) {
  // 'A'..'Z' are bits 1..26 of word 2; 'a'..'z' the same bits of word 3.
  constexpr uint32_t kLetterBits = 0x07FFFFFEu;
  ForEachReachable(arena, a, [&](REXI_NfaNode* node) {
    for (REXI_NfaEdge& edge : node->Edges()) {
      CharSet256 folded = arena.SetOf(edge);
      folded.SetWord(3, folded.Word(3) | (folded.Word(2) & kLetterBits));
      folded.Remove(endOfText);
      edge.setId = arena.InternSet(folded);
    }
  });
  return a;
}

REXI_NfaNode* Clone(REXI_NfaArena& arena, REXI_NfaNode* start) {
  const uint64_t stamp = arena.NewWalkStamp();
  REXI_NfaNode* pending = nullptr;
  auto copyOf = [&](REXI_NfaNode* original) {
    if (original->walkStamp != stamp) {
      original->walkStamp = stamp;
      original->copy = arena.NewNode(original->final);
      original->copy->definitionNumber = original->definitionNumber;
      if (original->edgeCount == 0) {  // a leaf: nothing more to copy
        arena.PayWalkSteps(1);
      } else {
        original->walkNext = pending;
        pending = original;
      }
    }
    return original->copy;
  };
  REXI_NfaNode* result = copyOf(start);
  while (pending != nullptr) {
    REXI_NfaNode* original = pending;
    pending = original->walkNext;
    arena.PayWalkSteps(1 + original->edgeCount);
    for (const REXI_NfaEdge& edge : original->Edges()) arena.AddEdge(original->copy, edge.setId, copyOf(edge.target));
  }
  return result;
}

void MarkDefinition(REXI_NfaArena& arena, REXI_NfaNode* start, int32_t definitionNumber) {
  ForEachReachable(arena, start, [&](REXI_NfaNode* node) {
    if (node->final) node->definitionNumber = definitionNumber;
  });
}

}  // namespace rexi_nfa
