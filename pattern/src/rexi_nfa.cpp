#include "pattern/rexi_nfa.h"

#include "pattern/rexi_errors.h"

void RexiNfaArena::ThrowTooLarge() { throw RexaException(rexi_message::kTooLarge, RexaException::kAtCurrentToken); }

void RexiNfaArena::BeginConstruction() {
  nodesMade_ = 0;
  edgesMade_ = 0;
  walkSteps_ = 0;
}

void RexiNfaArena::ReleaseSince(const Mark& mark) {
  nodes_.ShrinkTo(mark.nodes);
  edges_.ShrinkTo(mark.edges);
  sets_.ShrinkTo(mark.sets);
}
