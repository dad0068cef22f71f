// The undo history: snapshots of the whole document, and stepping back and forth through them.
#include "control/Vellum.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"
#include "window/Trace.h"

int CVellum::SaveToUndo() {
  const LRESULT saved = RunOperation(VLM_ERR_UNDO_MEMORY, 0, [&]() -> LRESULT {
    CXString text;
    UINT codePage = 0;
    if (!SerializeDocument(text, &codePage)) {
      TRACE("CVellum::SaveToUndo(): can't save to undo, memory allocation failed\n");
      lastError = VLM_ERR_TEMP_WRITE;
      return 0;
    }
    if (!undo_.Push(static_cast<CXString&&>(text), codePage)) {
      TRACE("CVellum::SaveToUndo(): can't save to undo, memory allocation failed\n");
      lastError = VLM_ERR_UNDO_MEMORY;
      return 0;
    }
    lastError = VLM_ERR_NONE;
    return 1;
  });
  if (!saved) ++failedSnapshots_;
  return static_cast<int>(saved);
}

int CVellum::Undo() { return StepThroughHistory(-1); }

int CVellum::Redo() { return StepThroughHistory(+1); }

int CVellum::StepThroughHistory(int step) {
  if (!document_) {
    lastError = VLM_ERR_NO_DOCUMENT;
    return 0;
  }
  if (!(step < 0 ? CanUndo() : CanRedo())) {
    lastError = VLM_ERR_NOTHING_TO_UNDO;
    return 0;
  }
  return static_cast<int>(RunOperation(VLM_ERR_LOAD, 0, [&]() -> LRESULT {
    const int target = undo_.Index() + (step < 0 ? -1 : 1);
    // Reading a snapshot back is no edit: its completion takes no snapshot of its own.
    const DWORD snapshotOnChange = snapshotOnChange_;
    snapshotOnChange_ = 0;
    // A snapshot is read back in the code page it was written in: a page saved as koi8-r must not come
    // back through the ANSI code page. The history moves only once the snapshot is on its way in: a
    // load that cannot start leaves the document and the history's position as they were.
    CXString snapshot;
    if (!undo_.TextAt(target, snapshot) ||
        !CDOMUtil(LentDocument()).LoadCode(snapshot.GetString(), undo_.CodePageAt(target))) {
      snapshotOnChange_ = snapshotOnChange;
      lastError = VLM_ERR_LOAD;
      return 0;
    }
    if (step < 0)
      undo_.StepBack();
    else
      undo_.StepForward();
    if (surface_) {
      surface_->ClearSelection();
      surface_->Redraw();
    }
    lastError = VLM_ERR_NONE;
    return 1;
  }));
}
