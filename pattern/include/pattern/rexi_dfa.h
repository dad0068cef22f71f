#pragma once
// The deterministic automaton: each state a flat record with its full 256-entry successor row, so
// matching costs one lookup per character. Two shared stop states exist once for the process.

#include <cstddef>
#include <cstdint>
#include <memory>

struct RexiDfaState {
  int32_t number = -2;             // definition number of an accepting state, else -2
  bool stop = false;               // reaching this state ends a match attempt
  bool accept = false;             // the text read so far is a match
  const RexiDfaState* links[256];  // successor per character value; all set when built
};

namespace rexi_detail {
constexpr RexiDfaState MakeSharedStopState(int32_t number, const RexiDfaState* linkTarget) {
  RexiDfaState state;
  state.number = number;
  state.stop = true;
  for (const RexiDfaState*& link : state.links) link = linkTarget;
  return state;
}
inline constexpr RexiDfaState kDeadState = MakeSharedStopState(-2, &kDeadState);
inline constexpr RexiDfaState kEndState = MakeSharedStopState(-1, &kEndState);
}  // namespace rexi_detail

// No match can go on: its links are never followed.
inline constexpr const RexiDfaState* kDeadState = &rexi_detail::kDeadState;
// The end of the text was reached outside an accepting state; every link leads back to it.
inline constexpr const RexiDfaState* kEndState = &rexi_detail::kEndState;

// Owns the states of one compiled pattern (never the shared ones), in one block; the first state is
// the start state.
class RexiDfa {
 public:
  // The states' links are left for the builder to set, every one of them.
  explicit RexiDfa(size_t stateCount)
      : states_(std::make_unique_for_overwrite<RexiDfaState[]>(stateCount)), count_(stateCount) {}

  RexiDfaState& State(size_t index) { return states_[index]; }
  const RexiDfaState* Start() const { return count_ != 0 ? &states_[0] : kEndState; }
  size_t StateCount() const { return count_; }

 private:
  std::unique_ptr<RexiDfaState[]> states_;
  size_t count_;
};
