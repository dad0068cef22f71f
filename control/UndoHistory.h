// The control's undo history: whole-document snapshots, oldest first, and the index of the one that
// matches the document now. Most snapshots are kept as their difference from the one before (what lies
// between the text they share at both ends), with every 32nd kept whole, so that a long run of small
// edits to a large form holds a few per cent of its texts and any snapshot is rebuilt from at most 31
// differences.
#pragma once

#include <windows.h>

#include <plinthcore.h>

#include <vector>

class CUndoHistory {
 public:
  int Count() const { return static_cast<int>(snapshots_.size()); }
  int Index() const { return index_; }
  // The snapshot's text, rebuilt; false (text empty) when memory runs out.
  bool TextAt(int i, CXString& text) const;
  CXString At(int i) const {
    CXString text;
    TextAt(i, text);
    return text;
  }
  // The code page the snapshot's text is written in (0: the ANSI code page).
  UINT CodePageAt(int i) const { return snapshots_[static_cast<size_t>(i)].codePage; }

  int CanUndo() const { return !snapshots_.empty() && index_ > 0 ? 1 : 0; }
  int CanRedo() const { return !snapshots_.empty() && index_ != Count() - 1 ? 1 : 0; }

  // Bytes the history holds for its snapshots, and the bytes of the texts they stand for.
  size_t StoredBytes() const;
  size_t TextBytes() const;

  // Drops the redo branch and appends text as the current state; false (the history as it was) when
  // memory runs out.
  bool Push(CXString&& text, UINT codePage);
  void Clear();

  // An edit that takes more than one snapshot and may still fail afterwards: until it commits, the
  // snapshots pushed since it began can be taken back, and the redo branch the first of them cut off
  // comes back with them. Rolling back allocates nothing. A transaction inside another belongs to the
  // outer one.
  class Transaction {
   public:
    explicit Transaction(CUndoHistory& history);
    ~Transaction();  // rolls back unless committed
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

   private:
    CUndoHistory& history_;
    bool open_ = true;
  };
  // Moves the index one step (the caller loads the snapshot at the new index).
  void StepBack() { --index_; }
  void StepForward() { ++index_; }

 private:
  struct Snapshot {
    bool whole = false;  // text is the serialised document; otherwise the difference from the one before:
    CXString text;       // the bytes between what the two share at their start and at their end
    int prefix = 0;      // bytes shared with the start of the snapshot before
    int suffix = 0;      // bytes shared with its end
    int length = 0;      // the serialised document's length
    UINT codePage = 0;   // what its bytes are in, so that it reads back as written
  };
  static constexpr int kWholeEvery = 32;
  // snapshot becomes text's difference from previous; false when memory runs out.
  static bool MakeDifference(const CXString& text, const CXString& previous, Snapshot& snapshot);
  // The text of the snapshot at index, for the next difference: kept from the last push or rebuilt.
  const CXString* TextForDifference(int index);
  void RollBack();
  void Forget();

  std::vector<Snapshot> snapshots_;  // oldest first
  int index_ = -1;                   // the snapshot of the current state; -1 when empty
  // The open transaction, if any: where the history stood when it began, how many snapshots it pushed
  // and the redo branch it cut off.
  int transactions_ = 0;
  int startIndex_ = -1;
  int pushed_ = 0;
  bool cleared_ = false;  // the history was cleared meanwhile: there is nothing to go back to
  std::vector<Snapshot> cutOff_;
  CXString lastText_;       // the whole text of the snapshot at lastTextIndex_ (the last one pushed)
  int lastTextIndex_ = -1;  // -1: none kept
};
