// The control's undo history: whole-document snapshots, oldest first, and the index of the one that
// matches the document now.
#pragma once

#include <windows.h>

#include <plinthcore.h>

#include <vector>

class CUndoHistory {
 public:
  int Count() const { return static_cast<int>(snapshots_.size()); }
  int Index() const { return index_; }
  const CXString& At(int i) const { return snapshots_[static_cast<size_t>(i)].text; }
  // The code page the snapshot's text is written in (0: the ANSI code page).
  UINT CodePageAt(int i) const { return snapshots_[static_cast<size_t>(i)].codePage; }

  int CanUndo() const { return !snapshots_.empty() && index_ > 0 ? 1 : 0; }
  int CanRedo() const { return !snapshots_.empty() && index_ != Count() - 1 ? 1 : 0; }

  // Drops the redo branch and appends text as the current state; false when memory runs out.
  bool Push(CXString&& text, UINT codePage);
  void Clear();
  // Moves the index one step (the caller loads the snapshot at the new index).
  void StepBack() { --index_; }
  void StepForward() { ++index_; }

 private:
  struct Snapshot {
    CXString text;      // the serialised document
    UINT codePage = 0;  // what its bytes are in, so that it reads back as written
  };
  std::vector<Snapshot> snapshots_;  // oldest first
  int index_ = -1;                   // the snapshot of the current state; -1 when empty
};
