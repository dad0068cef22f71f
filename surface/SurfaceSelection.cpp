// The surface's selection: which elements are selected, in which order, and how clicks and drawn
// rectangles change that.
#include <algorithm>
#include <cwctype>
#include <utility>

#include "surface/SurfaceOwner.h"
#include "comkit/ComRef.h"
#include "comkit/ComText.h"
#include "document/DOMUtil.h"
#include "surface/VlmUIWin.h"
#include "vellum.h"

namespace {

bool IsBodyTag(BSTR tag) {
  return tag && CompareStringOrdinal(tag, -1, L"body", -1, TRUE) == CSTR_EQUAL;
}

}  // namespace

void CVlmUIWin::ClearSelection() {
  for (CUIHTMLRect* r : selection_) delete r;
  selection_.clear();
}

void CVlmUIWin::AddToSelection(CUIHTMLRect* r) {
  if (!r || std::find(selection_.begin(), selection_.end(), r) != selection_.end()) return;
  selection_.push_back(r);
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
  if (FAILED(element->get_tagName(tag.out())) || !tag.get() || IsBodyTag(tag.get())) return 0;
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
  if (FAILED(document->get_all(all.out())) || !all) return 0;
  long count = 0;
  if (FAILED(all->get_length(&count))) return 0;
  for (long i = 0; i < count; ++i) {
    CVariant index, none;
    V_VT(&index) = VT_I4;
    V_I4(&index) = i;
    CComRef<IDispatch> item;
    if (FAILED(all->item(index.get(), none.get(), item.out())) || !item) continue;
    CComRef<IHTMLElement> element;
    if (FAILED(item->QueryInterface(IID_IHTMLElement, element.outVoid())) || !element) continue;
    auto* r = new CUIHTMLRect(std::move(element));
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

void CVlmUIWin::ApplySelection() {
  if (Locked() || selection_.empty()) return;
  for (CUIHTMLRect* r : selection_) r->ApplyToElement();
  if (owner_) {
    owner_->SaveToUndo();
    owner_->NotifyParent(VLMN_CHANGED, VLM_KIND_OTHER, nullptr, nullptr);
  }
  Redraw();
}
