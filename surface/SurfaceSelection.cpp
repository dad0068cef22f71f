// The surface's selection: which elements are selected, in which order, and how clicks and drawn
// rectangles change that.
#include <algorithm>
#include <cwctype>
#include <memory>
#include <utility>

#include "surface/SurfaceOwner.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

bool IsBodyTag(BSTR tag) { return tag && CompareStringOrdinal(tag, -1, L"body", -1, TRUE) == CSTR_EQUAL; }

}  // namespace

void CVlmUIWin::ClearSelection() {
  for (CUIHTMLRect* r : selection_) delete r;
  selection_.clear();
}

void CVlmUIWin::AddToSelection(CUIHTMLRect* r) {
  if (!r || std::find(selection_.begin(), selection_.end(), r) != selection_.end()) return;
  // The rectangle is ours from the call on: a list that cannot grow must not leak it.
  try {
    selection_.push_back(r);
  } catch (...) {
    delete r;
    throw;
  }
}

void CVlmUIWin::RemoveFromSelection(CUIHTMLRect* r) {
  auto it = std::find(selection_.begin(), selection_.end(), r);
  if (it != selection_.end()) selection_.erase(it);
}

int CVlmUIWin::HitTestSelection(int x, int y) const {
  for (const CUIHTMLRect* r : selection_) {
    const int code = r->HitTest(x, y);
    if (code != kHitOutside) return code;
  }
  return kHitOutside;
}

CUIHTMLRect* CVlmUIWin::FindBySourceIndex(long index) const {
  for (CUIHTMLRect* r : selection_)
    if (r->SourceIndex() == index) return r;
  return nullptr;
}

CComRef<IHTMLElement> CVlmUIWin::SelectedElement() const {
  return selection_.empty() ? CComRef<IHTMLElement>() : selection_.back()->GetElement();
}

int CVlmUIWin::SelectElementAt(int x, int y, int clearFirst, int makePrimary) {
  CComRef<IHTMLDocument2> document = OwnerDocument();
  if (!document) return 0;
  CComRef<IHTMLElement> element(CDOMUtil(document).GetElementFromPoint(x, y));
  if (!element) return 0;
  CBstr tag;
  if (FAILED(element->get_tagName(tag.Out())) || !tag.get() || IsBodyTag(tag.get())) return 0;
  if (makePrimary == 1) {
    long index = -1;
    if (SUCCEEDED(element->get_sourceIndex(&index))) {
      if (CUIHTMLRect* existing = FindBySourceIndex(index)) {
        RemoveFromSelection(existing);
        AddToSelection(existing);
        return 1;
      }
    }
  }
  auto* r = new CUIHTMLRect(std::move(element));
  if (!r) throw ComOutOfMemory{};
  if (r->state == kStateFixed) {
    delete r;
    return 0;
  }
  if (clearFirst == 1) ClearSelection();
  AddToSelection(r);
  return 1;
}

int CVlmUIWin::SelectInRect(const RECT& rect, int additive) {
  CComRef<IHTMLDocument2> document = OwnerDocument();
  if (!document) return 0;
  CComRef<IHTMLElementCollection> all;
  if (FAILED(document->get_all(all.Out())) || !all) return 0;
  long count = 0;
  if (FAILED(all->get_length(&count))) return 0;
  for (long i = 0; i < count; ++i) {
    CVariant index, none;
    V_VT(&index) = VT_I4;
    V_I4(&index) = i;
    CComRef<IDispatch> item;
    if (FAILED(all->item(index.get(), none.get(), item.Out())) || !item) continue;
    CComRef<IHTMLElement> element;
    if (FAILED(item->QueryInterface(IID_IHTMLElement, element.OutVoid())) || !element) continue;
    auto* r = new CUIHTMLRect(std::move(element));
    if (!r) throw ComOutOfMemory{};
    if (r->state == kStateFixed || !r->IsInside(rect)) {
      delete r;
      continue;
    }
    CUIHTMLRect* existing = FindBySourceIndex(r->SourceIndex());
    if (!existing) {
      AddToSelection(r);
    } else {
      if (additive == 1) {
        RemoveFromSelection(existing);
        delete existing;
      }
      delete r;
    }
  }
  return 1;
}

void CVlmUIWin::RefreshSelection() {
  for (CUIHTMLRect* r : selection_) r->UpdateFromElement();
  Redraw();
}

int CVlmUIWin::ApplySelection() {
  if (Locked() || selection_.empty()) return 0;
  // The selection is written whole or not at all. Every value is made, and every style text kept,
  // before the first write: running out of memory then leaves the elements as they were (and the
  // rectangles are read back from them), and an edit whose snapshot fails puts the texts back.
  struct Pending {
    CUIHTMLRect::StyleValues values;
    CBstr before;
  };
  std::unique_ptr<Pending[]> pending;
  try {
    pending.reset(new Pending[selection_.size()]);
    for (size_t i = 0; i < selection_.size(); ++i) {
      if (selection_[i]->state == kStateFixed) continue;  // never written
      selection_[i]->PrepareStyle(pending[i].values);
      *pending[i].before.Out() = selection_[i]->TakeStyleText();
    }
  } catch (...) {
    // A drag or an alignment has moved the rectangles ahead of their elements: they show the elements again.
    for (CUIHTMLRect* r : selection_) r->UpdateFromElement();
    Redraw();
    throw;
  }
  for (size_t i = 0; i < selection_.size(); ++i) selection_[i]->WriteStyle(pending[i].values);
  if (owner_) {
    if (!owner_->SaveToUndo()) {
      for (size_t i = selection_.size(); i-- > 0;)
        if (selection_[i]->state != kStateFixed) selection_[i]->RestoreStyleText(pending[i].before.get());
      Redraw();
      return 0;
    }
    owner_->NotifyParent(VLMN_CHANGED, VLM_KIND_OTHER, nullptr, nullptr);
  }
  Redraw();
  return 1;
}
