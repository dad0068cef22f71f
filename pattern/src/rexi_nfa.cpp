#include "pattern/rexi_nfa.h"

#include <atomic>

#include "pattern/rexi_errors.h"

namespace {
[[noreturn]] void ThrowTooLarge() {
  throw REXA_Exception(rexi_message::kTooLarge, REXA_Exception::kAtCurrentToken);
}
}  // namespace

uint64_t REXI_NewWalkStamp() {
  static std::atomic<uint64_t> lastStamp{0};
  return ++lastStamp;
}

REXI_NfaNode* REXI_NfaArena::NewNode(bool final) {
  if (++nodesMade_ > limits_.maxNfaNodes) ThrowTooLarge();
  REXI_NfaNode* node = nodes_.New();
  node->number = nodeCounter_++;
  node->final = final;
  return node;
}

void REXI_NfaArena::AddEdge(REXI_NfaNode* from, const CharSet256& set, REXI_NfaNode* to) {
  if (++edgesMade_ > limits_.maxNfaEdges) ThrowTooLarge();
  REXI_NfaEdge* edge = edges_.New();
  edge->set = set;
  edge->target = to;
  if (from->lastEdge != nullptr)
    from->lastEdge->next = edge;
  else
    from->firstEdge = edge;
  from->lastEdge = edge;
  ++from->edgeCount;
}

void REXI_NfaArena::BeginConstruction() {
  nodesMade_ = 0;
  edgesMade_ = 0;
  walkSteps_ = 0;
}

void REXI_NfaArena::PayWalkSteps(uint64_t steps) {
  walkSteps_ += steps;
  if (walkSteps_ > limits_.maxNfaWalkSteps) ThrowTooLarge();
}

void REXI_NfaArena::ReleaseSince(const Mark& mark) {
  nodes_.ShrinkTo(mark.nodes);
  edges_.ShrinkTo(mark.edges);
}
