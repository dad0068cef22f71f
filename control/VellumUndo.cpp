// The undo history: snapshots of the whole document, and stepping back and forth through them.
#include <cstring>
#include <new>

#include "control/Vellum.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"
#include "window/FullRelayoutBaseline.h"
#include "window/ScopedAssign.h"
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
    CXString snapshot;
    if (!undo_.TextAt(target, snapshot)) {
      lastError = VLM_ERR_LOAD;
      return 0;
    }
    // Most steps undo an edit of one element (a move, a property): that element alone is replaced, and the
    // step is complete at once, as a load's completion would leave it.
    if (StepInPlace(snapshot, undo_.CodePageAt(target))) {
      if (step < 0)
        undo_.StepBack();
      else
        undo_.StepForward();
      insertKind_ = 0;
      ++historySteps_;
      ++stepsInPlace_;
      // As after a load, the step stands even when setting the page up runs out of memory.
      const UINT operationsFailed = failedOperations_;
      {
        CScopedAssign<DWORD> quiet(snapshotOnChange_, 0), silent(notifyOnChange_, 0);
        RunOperation(VLM_ERR_LOAD, 0, [&]() -> LRESULT {
          SetUpLoadedPage();
          return 0;
        });
      }
      lastError = failedOperations_ != operationsFailed ? VLM_ERR_LOAD : VLM_ERR_NONE;
      return 1;
    }
    // Reading a snapshot back is no edit: its completion takes no snapshot of its own.
    const DWORD snapshotOnChange = snapshotOnChange_;
    snapshotOnChange_ = 0;
    // A snapshot is read back in the code page it was written in: a page saved as koi8-r must not come
    // back through the ANSI code page. The history moves only once the snapshot is on its way in: a
    // load that cannot start leaves the document and the history's position as they were.
    if (!CDOMUtil(LentDocument()).LoadCode(snapshot.GetString(), undo_.CodePageAt(target))) {
      snapshotOnChange_ = snapshotOnChange;
      lastError = VLM_ERR_LOAD;
      return 0;
    }
    historyLoadRunning_ = true;
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

bool CVellum::StepInPlace(const CXString& snapshot, UINT codePage) {
  // Only a settled page can be patched, by the spans of its text as it is now: after a step that read its
  // snapshot back, that text is written first (far less than reading the page back again).
  if (FullRelayoutBaseline() || !tempFile_.IsEmpty() || !PageIsComplete()) return false;
  if (!WrittenTextIsCurrent() && !WrittenDocument()) return false;
  // A snapshot of a page that declared no code page was written in the ANSI one, which it declares now.
  auto resolved = [](UINT page) { return page == CP_ACP ? GetACP() : page; };
  if (!WrittenTextIsCurrent() || resolved(written_.codePage) != resolved(codePage)) return false;
  ElementReplacement replacement;
  const std::string_view target(snapshot.GetString(), static_cast<size_t>(snapshot.GetLength()));
  if (!FindElementReplacement(std::string_view(written_.text.GetString(), static_cast<size_t>(written_.text.GetLength())),
                              written_.spans, target, replacement))
    return false;
  if (replacement.unchanged) return true;
  // A move or a resize differs in the style attribute alone: that is set, and the element stays the one
  // it was (the engine then places its box again without laying the page out). A value with a
  // reference in it is left to the markup's reading.
  const std::string_view style =
      replacement.styleLength >= 0 ? target.substr(static_cast<size_t>(replacement.styleFrom), static_cast<size_t>(replacement.styleLength))
                                   : std::string_view();
  const bool styleOnly = replacement.styleLength >= 0 && style.find('&') == std::string_view::npos;
  CXStringW markup;
  const std::string_view text = styleOnly ? style : target.substr(static_cast<size_t>(replacement.from), static_cast<size_t>(replacement.length));
  if (!text.empty() && !markup.AssignConverted(text.data(), static_cast<int>(text.size()), codePage)) return false;
  CBstr value(markup.GetString());
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document_->get_all(all.Out())) || !all) return false;
  CComRef<IHTMLElement> element = CDOMUtil::ItemOfAll(all.get(), replacement.sourceIndex);
  if (!element) return false;
  if (styleOnly) {
    CComRef<IHTMLStyle> inlineStyle;
    if (FAILED(element->get_style(inlineStyle.Out())) || !inlineStyle || FAILED(inlineStyle->put_cssText(value.get())))
      return false;
  } else if (FAILED(element->put_outerHTML(value.get()))) {
    return false;
  }
  // The engine read the markup in the element's place; the page must now write out as the snapshot,
  // byte for byte, or it is read back whole after all.
  try {
    UINT writtenCodePage = 0;
    const CXString* written = WrittenDocument(&writtenCodePage);
    return written && resolved(writtenCodePage) == resolved(codePage) && written->GetLength() == snapshot.GetLength() &&
           std::memcmp(written->GetString(), snapshot.GetString(), static_cast<size_t>(snapshot.GetLength())) == 0;
  } catch (const ComOutOfMemory&) {
  } catch (const std::bad_alloc&) {
  }
  TRACE("CVellum::StepInPlace(): no memory to check the page: reading the snapshot back\n");
  return false;
}
