// The undo history: snapshots of the whole document, and stepping back and forth through them.
#include "control/Vellum.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"
#include "window/Trace.h"

int CVellum::SaveToUndo() {
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
  snapshotOnChange_ = 0;
  if (step < 0) undo_.StepBack();
  else undo_.StepForward();
  // A snapshot is read back in the code page it was written in: a page saved as koi8-r must not come
  // back through the ANSI code page.
  if (!CDOMUtil(LentDocument()).LoadCode(undo_.At(undo_.Index()).GetString(),
                                                   undo_.CodePageAt(undo_.Index()))) {
    lastError = VLM_ERR_LOAD;
    return 0;
  }
  if (surface_) {
    surface_->ClearSelection();
    surface_->Redraw();
  }
  lastError = VLM_ERR_NONE;
  return 1;
}
