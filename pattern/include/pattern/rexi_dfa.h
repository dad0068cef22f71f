#pragma once
// The deterministic automaton: each state a flat record with its full 256-entry successor row, so
// matching costs one lookup per character. Two shared stop states exist once for the process.

#include <cstddef>
#include <cstdint>
#include <memory>

struct REXI_DfaState {
  int32_t number = -2;              // definition number of an accepting state, else -2
  bool stop = false;                // reaching this state ends a match attempt
  bool accept = false;              // the text read so far is a match
  const REXI_DfaState* links[256];  // successor per character value; all set when built
};

namespace rexi_detail {
constexpr REXI_DfaState MakeSharedStopState(int32_t number, const REXI_DfaState* linkTarget) {
  REXI_DfaState state;
  state.number = number;
  state.stop = true;
  for (const REXI_DfaState*& link : state.links) link = linkTarget;
  return state;
}
inline constexpr REXI_DfaState kDeadStateObject = MakeSharedStopState(-2, &kDeadStateObject);
inline constexpr REXI_DfaState kEndStateObject = MakeSharedStopState(-1, &kEndStateObject);
}  // namespace rexi_detail

// No match can go on: its links are never followed.
inline constexpr const REXI_DfaState* kDeadState = &rexi_detail::kDeadStateObject;
// The end of the text was reached outside an accepting state; every link leads back to it.
inline constexpr const REXI_DfaState* kEndState = &rexi_detail::kEndStateObject;

// Owns the states of one compiled pattern (never the shared ones), in one block; the first state is
// the start state.
class REXI_Dfa {
 public:
  // The states' links are left for the builder to set, every one of them.
  explicit REXI_Dfa(size_t stateCount)
      : states_(std::make_unique_for_overwrite<REXI_DfaState[]>(stateCount)), count_(stateCount) {}

  REXI_DfaState& State(size_t index) { return states_[index]; }
  const REXI_DfaState* Start() const { return count_ != 0 ? &states_[0] : kEndState; }
  size_t StateCount() const { return count_; }

 private:
  std::unique_ptr<REXI_DfaState[]> states_;
  size_t count_;
};
