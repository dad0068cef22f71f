#include "control/UndoHistory.h"

#include <cstring>
#include <new>
#include <utility>

bool CUndoHistory::MakeDifference(const CXString& text, const CXString& previous, Snapshot& snapshot) {
  const char* now = text.GetString();
  const char* before = previous.GetString();
  const int length = text.GetLength(), beforeLength = previous.GetLength();
  int prefix = 0;
  while (prefix < length && prefix < beforeLength && now[prefix] == before[prefix]) ++prefix;
  int suffix = 0;
  while (suffix < length - prefix && suffix < beforeLength - prefix &&
         now[length - 1 - suffix] == before[beforeLength - 1 - suffix])
    ++suffix;
  snapshot.whole = false;
  snapshot.length = length;
  snapshot.prefix = prefix;
  snapshot.suffix = suffix;
  return snapshot.text.Assign(now + prefix, length - prefix - suffix);
}

const CXString* CUndoHistory::TextForDifference(int index) {
  if (index < 0) return nullptr;
  const Snapshot& snapshot = snapshots_[static_cast<size_t>(index)];
  if (snapshot.whole) return &snapshot.text;
  if (lastTextIndex_ != index) {
    CXString rebuilt;
    if (!TextAt(index, rebuilt)) return nullptr;
    lastText_ = static_cast<CXString&&>(rebuilt);
    lastTextIndex_ = index;
  }
  return &lastText_;
}

bool CUndoHistory::Push(CXString&& text, UINT codePage) {
  const size_t keep = static_cast<size_t>(index_ + 1);
  const size_t redo = snapshots_.size() - keep;
  // Everything that needs memory is made first, so that a push that cannot have it changes nothing.
  const bool whole = keep % static_cast<size_t>(kWholeEvery) == 0;
  Snapshot snapshot;
  snapshot.codePage = codePage;
  if (!whole) {
    const CXString* previous = TextForDifference(index_);
    if (!previous || !MakeDifference(text, *previous, snapshot)) return false;
  }
  try {
    if (snapshots_.capacity() < keep + 1) snapshots_.reserve(keep + 1 > 2 * keep ? keep + 1 : 2 * keep);
    if (transactions_ > 0 && redo > 0) cutOff_.reserve(cutOff_.size() + redo);
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (transactions_ > 0)
    for (size_t i = keep; i < snapshots_.size(); ++i) cutOff_.push_back(std::move(snapshots_[i]));
  snapshots_.erase(snapshots_.begin() + static_cast<std::ptrdiff_t>(keep), snapshots_.end());
  if (whole) {
    snapshot.whole = true;
    snapshot.length = text.GetLength();
    snapshot.text = static_cast<CXString&&>(text);
    lastText_.Empty();
    lastTextIndex_ = -1;
  }
  snapshots_.push_back(std::move(snapshot));
  index_ = Count() - 1;
  if (!whole) {
    // The text itself is kept whole beside its difference: the next push differs from it.
    lastText_ = static_cast<CXString&&>(text);
    lastTextIndex_ = index_;
  }
  if (transactions_ > 0) ++pushed_;
  return true;
}

bool CUndoHistory::TextAt(int i, CXString& text) const {
  text.Empty();
  if (i < 0 || i >= Count()) return false;
  if (i == lastTextIndex_) return text.Assign(lastText_.GetString(), lastText_.GetLength());
  // From the whole snapshot at or before i (or the kept text, when it lies between), difference by
  // difference.
  int from = i - i % kWholeEvery;
  while (from > 0 && !snapshots_[static_cast<size_t>(from)].whole) --from;
  const bool fromKept = lastTextIndex_ > from && lastTextIndex_ < i;
  if (fromKept) from = lastTextIndex_;
  const CXString& start = fromKept ? lastText_ : snapshots_[static_cast<size_t>(from)].text;
  if (!text.Assign(start.GetString(), start.GetLength())) return false;
  for (int at = from + 1; at <= i; ++at) {
    const Snapshot& step = snapshots_[static_cast<size_t>(at)];
    if (step.whole) {
      if (!text.Assign(step.text.GetString(), step.length)) return false;
      continue;
    }
    CXString next;
    char* out = next.GetBuffer(step.length);
    if (!out) {
      text.Empty();
      return false;
    }
    const int middle = step.length - step.prefix - step.suffix;
    memcpy(out, text.GetString(), static_cast<size_t>(step.prefix));
    memcpy(out + step.prefix, step.text.GetString(), static_cast<size_t>(middle));
    memcpy(out + step.prefix + middle, text.GetString() + text.GetLength() - step.suffix,
           static_cast<size_t>(step.suffix));
    next.ReleaseBuffer(step.length);
    text = static_cast<CXString&&>(next);
  }
  return true;
}

size_t CUndoHistory::StoredBytes() const {
  size_t bytes = static_cast<size_t>(lastText_.GetLength());
  for (const Snapshot& snapshot : snapshots_) bytes += static_cast<size_t>(snapshot.text.GetLength());
  return bytes;
}

size_t CUndoHistory::TextBytes() const {
  size_t bytes = 0;
  for (const Snapshot& snapshot : snapshots_) bytes += static_cast<size_t>(snapshot.length);
  return bytes;
}

void CUndoHistory::Clear() {
  snapshots_.clear();
  index_ = -1;
  lastText_.Empty();
  lastTextIndex_ = -1;
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
    // The kept text was of a snapshot the roll-back took away; the next push rebuilds what it needs.
    if (lastTextIndex_ > startIndex_) {
      lastText_.Empty();
      lastTextIndex_ = -1;
    }
  }
  Forget();
}

void CUndoHistory::Forget() {
  cutOff_.clear();
  pushed_ = 0;
  cleared_ = false;
}
