#include "control/UndoHistory.h"

#include <new>
#include <utility>

bool CUndoHistory::Push(CXString&& text, UINT codePage) {
  const size_t keep = static_cast<size_t>(index_ + 1);
  const size_t redo = snapshots_.size() - keep;
  // Room for everything is made first, so that a push that cannot have it changes nothing.
  try {
    if (snapshots_.capacity() < keep + 1) snapshots_.reserve(keep + 1 > 2 * keep ? keep + 1 : 2 * keep);
    if (transactions_ > 0 && redo > 0) cutOff_.reserve(cutOff_.size() + redo);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (transactions_ > 0)
    for (size_t i = keep; i < snapshots_.size(); ++i) cutOff_.push_back(std::move(snapshots_[i]));
  snapshots_.erase(snapshots_.begin() + static_cast<std::ptrdiff_t>(keep), snapshots_.end());
  snapshots_.push_back(Snapshot{static_cast<CXString&&>(text), codePage});
  index_ = Count() - 1;
  if (transactions_ > 0) ++pushed_;
  return true;
}

void CUndoHistory::Clear() {
  snapshots_.clear();
  index_ = -1;
  if (transactions_ > 0) {
    cleared_ = true;
    cutOff_.clear();
  }
}

CUndoHistory::Transaction::Transaction(CUndoHistory& history) : history_(history) {
  if (history_.transactions_++ > 0) return;
  history_.startIndex_ = history_.index_;
  history_.pushed_ = 0;
  history_.cleared_ = false;
}

CUndoHistory::Transaction::~Transaction() {
  if (open_) {
    if (history_.transactions_ == 1) history_.RollBack();
    --history_.transactions_;
  }
}

void CUndoHistory::Transaction::Commit() {
  if (!open_) return;
  open_ = false;
  if (--history_.transactions_ == 0) history_.Forget();
}

void CUndoHistory::RollBack() {
  if (!cleared_ && pushed_ > 0) {
    const size_t keep = static_cast<size_t>(startIndex_ + 1);
    snapshots_.erase(snapshots_.begin() + static_cast<std::ptrdiff_t>(keep), snapshots_.end());
    // The branch goes back where it was: the vector held it before, so its room is still there.
    for (Snapshot& snapshot : cutOff_) snapshots_.push_back(std::move(snapshot));
    index_ = startIndex_;
  }
  Forget();
}

void CUndoHistory::Forget() {
  cutOff_.clear();
  pushed_ = 0;
  cleared_ = false;
}
