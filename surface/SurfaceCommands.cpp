// Commands over the selection: deleting, dropping one element from it, and the alignment family that
// lines the selection up with the primary element.
#include <memory>
#include <vector>

#include "window/Trace.h"
#include "surface/SurfaceOwner.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

int CVlmUIWin::DeleteSelection() {
  if (Locked() || !owner_) return 0;
  // Removed elements are kept, with the places they stood in and their rectangles, until the snapshot
  // is taken: a deletion whose snapshot fails puts every element back and reselects it. The lists are
  // made before the first removal, so that running out of memory removes nothing.
  const std::vector<CUIHTMLRect*> selected = selection_;
  std::unique_ptr<RemovedNode[]> removals(new RemovedNode[selected.size()]);
  std::vector<CUIHTMLRect*> removedRects;
  removedRects.reserve(selected.size());
  int removed = 0;
  for (CUIHTMLRect* r : selected) {
    CComRef<IHTMLDocument2> document = OwnerDocument();
    if (!document) break;
    // Indices shift as elements go, so each one is read just before its element is removed.
    const long index = r->SourceIndex();
    if (index < 0 || !CDOMUtil(document).RemoveElementBySourceIndex(index, &removals[removedRects.size()])) continue;
    RemoveFromSelection(r);
    removedRects.push_back(r);
    removed = 1;
  }
  if (!owner_->SaveToUndo()) {
    for (size_t i = removedRects.size(); i-- > 0;) CDOMUtil::Restore(removals[i]);
    selection_ = selected;
    Redraw();
    return 0;
  }
  for (CUIHTMLRect* r : removedRects) delete r;
  owner_->NotifyParent(VLMN_CHANGED, VLM_KIND_OTHER, nullptr, nullptr);
  Redraw();
  return removed;
}

int CVlmUIWin::DeselectAt(int x, int y) {
  CComRef<IHTMLDocument2> document = OwnerDocument();
  if (!document) return 0;
  CComRef<IHTMLElement> element(CDOMUtil(document).GetElementFromPoint(x, y));
  long index = -1;
  if (!element || FAILED(element->get_sourceIndex(&index))) {
    TRACE("CVlmUIWind::RemoveElement(): Can't get element source index");
    return 0;
  }
  if (CUIHTMLRect* r = FindBySourceIndex(index)) {
    RemoveFromSelection(r);
    delete r;
  }
  Redraw();
  return 1;
}

template <class Change>
int CVlmUIWin::Align(Change change) {
  if (Locked() || selection_.size() < 2) return 0;
  const RECT reference = selection_.back()->rect;
  for (CUIHTMLRect* r : selection_) change(r->rect, reference);
  return ApplySelection();
}

int CVlmUIWin::AlignLefts() {
  return Align([](RECT& r, const RECT& ref) {
    const int width = r.right - r.left;
    r.left = ref.left;
    r.right = ref.left + width;
  });
}

int CVlmUIWin::AlignTops() {
  return Align([](RECT& r, const RECT& ref) {
    const int height = r.bottom - r.top;
    r.top = ref.top;
    r.bottom = ref.top + height;
  });
}

int CVlmUIWin::AlignRights() {
  return Align([](RECT& r, const RECT& ref) {
    const int width = r.right - r.left;
    r.right = ref.right;
    r.left = ref.right - width;
  });
}

int CVlmUIWin::AlignBottoms() {
  return Align([](RECT& r, const RECT& ref) {
    const int height = r.bottom - r.top;
    r.bottom = ref.bottom;
    r.top = ref.bottom - height;
  });
}

int CVlmUIWin::MakeSameWidth() {
  return Align([](RECT& r, const RECT& ref) { r.right = r.left + (ref.right - ref.left); });
}

int CVlmUIWin::MakeSameHeight() {
  return Align([](RECT& r, const RECT& ref) { r.bottom = r.top + (ref.bottom - ref.top); });
}

int CVlmUIWin::MakeSameSize() {
  return Align([](RECT& r, const RECT& ref) {
    r.right = r.left + (ref.right - ref.left);
    r.bottom = r.top + (ref.bottom - ref.top);
  });
}
