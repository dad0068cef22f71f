#include "pattern/rexi_nfa.h"

#include "pattern/rexi_errors.h"

void REXI_NfaArena::ThrowTooLarge() { throw REXA_Exception(rexi_message::kTooLarge, REXA_Exception::kAtCurrentToken); }

void REXI_NfaArena::BeginConstruction() {
  nodesMade_ = 0;
  edgesMade_ = 0;
  walkSteps_ = 0;
}

void REXI_NfaArena::ReleaseSince(const Mark& mark) {
  nodes_.ShrinkTo(mark.nodes);
  edges_.ShrinkTo(mark.edges);
  sets_.ShrinkTo(mark.sets);
}
