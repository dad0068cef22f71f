#include "control/UndoHistory.h"

#include <new>

bool CUndoHistory::Push(CXString&& text, UINT codePage) {
  try {
    if (index_ != -1 && index_ != Count() - 1) snapshots_.resize(static_cast<size_t>(index_) + 1);
    snapshots_.push_back(Snapshot{static_cast<CXString&&>(text), codePage});
  } catch (const std::bad_alloc&) {
    return false;
  }
  index_ = Count() - 1;
  return true;
}

void CUndoHistory::Clear() {
  snapshots_.clear();
  index_ = -1;
}
