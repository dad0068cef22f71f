#include "propgrid/PropertyRows.h"

#include <cstring>

#include "comkit/VariantText.h"
#include "propgrid/PropertyDropWindow.h"
#include "propgrid/PropertyEditWindow.h"
#include "window/WindowText.h"

namespace {

constexpr UINT kCellTextFormat = DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_EDITCONTROL;
constexpr int kTextIndent = 2;

// A copy of source in target, which is cleared first; false when the copy fails.
bool CopyVariant(VARIANT& target, const VARIANT& source) {
  VARIANT copy;
  VariantInit(&copy);
  if (FAILED(VariantCopy(&copy, const_cast<VARIANT*>(&source)))) return false;
  VariantClear(&target);
  target = copy;
  return true;
}

}  // namespace

// --- every row ------------------------------------------------------------------------------------------

std::wstring CProperty::ValueText() const {
  const int length = GetValueTextLength();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  if (!GetValueText(text.data(), length + 1)) return std::wstring();
  text.resize(static_cast<size_t>(length));
  return text;
}

COLORREF CProperty::BackgroundOf(const PropertyDrawInfo& info) {
  return (info.state & PROP_DRAW_SELECTED) ? info.selectedBackground : info.background;
}

COLORREF CProperty::TextColourOf(const PropertyDrawInfo& info) const {
  if (info.state & PROP_DRAW_SELECTED) return info.selectedText;
  return enabled_ ? info.text : info.disabledText;
}

void CProperty::DrawCellText(HDC dc, RECT cell, const std::wstring& text, COLORREF colour, COLORREF background) {
  const COLORREF oldText = SetTextColor(dc, colour);
  const COLORREF oldBackground = SetBkColor(dc, background);
  const int oldMode = SetBkMode(dc, OPAQUE);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
  cell.left += kTextIndent;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &cell, kCellTextFormat);
  SetBkMode(dc, oldMode);
  SetBkColor(dc, oldBackground);
  SetTextColor(dc, oldText);
}

void CProperty::DrawName(HDC dc, const RECT& cell, const PropertyDrawInfo& info) {
  const HGDIOBJ oldFont = info.font ? SelectObject(dc, info.font) : nullptr;
  DrawCellText(dc, cell, name_, TextColourOf(info), BackgroundOf(info));
  if (oldFont) SelectObject(dc, oldFont);
}

// --- categories -------------------------------------------------------------------------------------------

void CCategoryProperty::DrawName(HDC dc, const RECT& cell, const PropertyDrawInfo& info) {
  const HGDIOBJ oldFont = info.categoryFont ? SelectObject(dc, info.categoryFont) : nullptr;
  const COLORREF background = (info.state & PROP_DRAW_SELECTED) ? info.selectedBackground : info.categoryBackground;
  DrawCellText(dc, cell, Name(), TextColourOf(info), background);
  if (oldFont) SelectObject(dc, oldFont);
}

void CCategoryProperty::DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) {
  const COLORREF oldBackground = SetBkColor(dc, info.categoryBackground);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
  SetBkColor(dc, oldBackground);
}

// A locked sheet still opens and closes its categories.
void CCategoryProperty::OnAction(int action, LPARAM) {
  if (action != PROP_ACTION_TOGGLE_CATEGORY && action != PROP_ACTION_ACTIVATE) return;
  if (!Owner()) return;
  SendMessageW(Owner(), expanded_ ? WM_PROP_COLLAPSE : WM_PROP_EXPAND, 0, reinterpret_cast<LPARAM>(this));
}

int CCategoryProperty::Expand(int row) {
  const HWND grid = Owner();
  if (!grid) return 0;
  SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
  int at = row + 1;
  size_t moved = 0;
  for (; moved < held_.size(); ++moved, ++at) {
    CProperty* item = held_[moved].get();
    const LRESULT index = SendMessageW(grid, LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(item));
    if (index == LB_ERR || index == LB_ERRSPACE) break;  // the rest stay held: nothing is lost
    SendMessageW(grid, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item));
    held_[moved].release();  // the grid's now
  }
  held_.erase(held_.begin(), held_.begin() + static_cast<std::ptrdiff_t>(moved));
  expanded_ = held_.empty();
  SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(grid, nullptr, TRUE);
  return expanded_ ? 1 : 0;
}

int CCategoryProperty::Collapse(int row) {
  const HWND grid = Owner();
  if (!grid) return 0;
  SendMessageW(grid, WM_SETREDRAW, FALSE, 0);
  const WPARAM next = static_cast<WPARAM>(row + 1);
  while (static_cast<LRESULT>(next) < SendMessageW(grid, LB_GETCOUNT, 0, 0)) {
    auto* item = reinterpret_cast<CProperty*>(SendMessageW(grid, LB_GETITEMDATA, next, 0));
    if (!item || item == reinterpret_cast<CProperty*>(LB_ERR) || item->GetKind() == PROP_KIND_CATEGORY) break;
    held_.reserve(held_.size() + 1);  // may throw: the row is still the grid's then
    // Cleared first, so that the grid does not destroy the row with its entry.
    SendMessageW(grid, LB_SETITEMDATA, next, 0);
    SendMessageW(grid, LB_DELETESTRING, next, 0);
    held_.emplace_back(item);
  }
  expanded_ = false;
  SendMessageW(grid, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(grid, nullptr, TRUE);
  return 1;
}

// --- value rows -------------------------------------------------------------------------------------------

void CPropertyItem::DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) {
  const HGDIOBJ oldFont = info.font ? SelectObject(dc, info.font) : nullptr;
  DrawCellText(dc, cell, ValueText(), IsEnabled() ? info.text : info.disabledText, info.background);
  if (oldFont) SelectObject(dc, oldFont);
}

bool CPropertyItem::TextOf(std::wstring& text) const { return VariantToText(value_.get(), text); }

int CPropertyItem::GetValueText(wchar_t* buffer, int capacity) const {
  std::wstring text;
  if (!buffer || !TextOf(text) || capacity <= static_cast<int>(text.size())) return 0;
  memcpy(buffer, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  return 1;
}

int CPropertyItem::GetValueTextLength() const {
  std::wstring text;
  return TextOf(text) ? static_cast<int>(text.size()) : 0;
}

int CPropertyItem::QueryValue(VARIANT* value) const {
  if (!value) return 0;
  VariantInit(value);
  return SUCCEEDED(VariantCopy(value, const_cast<VARIANT*>(&value_.get()))) ? 1 : 0;
}

int CPropertyItem::SetValue(const VARIANT& value) { return StoreValue(value) ? 1 : 0; }

bool CPropertyItem::StoreValue(const VARIANT& value) {
  if (&value == &value_.get()) return true;
  return CopyVariant(value_.get(), value);
}

HWND CPropertyEditItem::CreateEditor(HWND parent, const RECT& cell) {
  if (!IsEnabled()) return nullptr;
  std::wstring text;
  if (!TextOf(text)) return nullptr;
  const VARTYPE type = V_VT(&Value());
  editor_ = CPropertyEditWindow::Create(parent, cell, text.c_str(), type == VT_UI1 || type == VT_UI2 || type == VT_UI4);
  return editor_;
}

void CPropertyEditItem::OnAction(int action, LPARAM) {
  if (!IsEnabled() || !editor_ || !IsWindow(editor_)) return;
  if (action != PROP_ACTION_ACTIVATE && action != PROP_ACTION_FOCUS_EDITOR && action != PROP_ACTION_OPEN) return;
  SetFocus(editor_);
  SendMessageW(editor_, EM_SETSEL, 0, -1);
}

int CPropertyEditItem::UpdateFromEditor(HWND editor) {
  if (!IsEnabled()) return 0;
  std::wstring text;
  if (!WindowText(editor, text)) return 0;
  // Committing the text the row shows changes nothing: no validation, no message, no change.
  if (text == ValueText()) return 1;
  CVariant typed;
  typed.get() = TextVariant(text);
  const VARTYPE type = V_VT(&Value());
  if (type != VT_EMPTY && type != VT_BSTR && FAILED(VariantChangeType(&typed.get(), &typed.get(), 0, type))) return 0;
  return SetValue(typed.get());
}

// --- list rows --------------------------------------------------------------------------------------------

void CPropertyListItem::LoadTexts(const wchar_t* const* table) {
  texts_.clear();
  for (; table && *table; ++table) texts_.emplace_back(*table);
  if (index_ < 0 && !hasForeign_) index_ = 0;
}

void CPropertyListItem::SetIndex(int index) {
  index_ = index;
  hasForeign_ = false;
  foreign_.clear();
  CVariant value;
  V_VT(&value.get()) = VT_I4;
  V_I4(&value.get()) = index;
  StoreValue(value.get());
}

void CPropertyListItem::ShowText(const wchar_t* text) {
  const std::wstring wanted(text ? text : L"");
  for (size_t i = 0; i < texts_.size(); ++i) {
    if (texts_[i] == wanted) {
      SetIndex(static_cast<int>(i));
      return;
    }
  }
  SetIndex(-1);
  foreign_ = wanted;
  hasForeign_ = true;
}

int CPropertyListItem::SetValue(const VARIANT& value) {
  if (V_VT(&value) == VT_BSTR) {
    const std::wstring wanted(V_BSTR(&value) ? V_BSTR(&value) : L"", BstrLength(V_BSTR(&value)));
    for (size_t i = 0; i < texts_.size(); ++i) {
      if (texts_[i] == wanted) {
        SetIndex(static_cast<int>(i));
        return 1;
      }
    }
    return 0;  // none of the texts: the row stays as it was
  }
  CVariant index;
  if (FAILED(VariantChangeType(&index.get(), const_cast<VARIANT*>(&value), 0, VT_I4))) return 0;
  int at = V_I4(&index.get());
  if (at < 0 || at >= static_cast<int>(texts_.size())) at = 0;  // past the end wraps: actions cycle
  SetIndex(at);
  return 1;
}

bool CPropertyListItem::TextOf(std::wstring& text) const {
  if (index_ >= 0 && index_ < static_cast<int>(texts_.size())) {
    text = texts_[static_cast<size_t>(index_)];
    return true;
  }
  if (hasForeign_) {
    text = foreign_;
    return true;
  }
  text.clear();
  return false;
}

HWND CPropertyListItem::CreateEditor(HWND parent, const RECT& cell) {
  if (!IsEnabled()) return nullptr;
  std::wstring text;
  if (!TextOf(text)) return nullptr;
  dropDown_ = CPropertyComboWindow::Create(parent, cell, text.c_str(), texts_, index_);
  return dropDown_;
}

void CPropertyListItem::OnAction(int action, LPARAM) {
  if (!IsEnabled()) return;
  if (action == PROP_ACTION_ACTIVATE && Owner()) {
    CVariant next;
    V_VT(&next.get()) = VT_I4;
    V_I4(&next.get()) = index_ + 1;
    SendMessageW(Owner(), WM_PROP_SETVALUE, reinterpret_cast<WPARAM>(&next.get()), reinterpret_cast<LPARAM>(this));
  } else if (action == PROP_ACTION_OPEN && dropDown_ && IsWindow(dropDown_)) {
    SendMessageW(dropDown_, WM_COMMAND, 0, 0);
  }
}

int CPropertyListItem::UpdateFromEditor(HWND editor) {
  if (!IsEnabled()) return 0;
  std::wstring text;
  if (!WindowText(editor, text)) return 0;
  CVariant value;
  value.get() = TextVariant(text);
  return SetValue(value.get());
}

// --- button rows ------------------------------------------------------------------------------------------

// A path shows its file name; a font "Arial:12" would show "12" — what follows the last ':' or '\'.
bool CPropertyFileNameItem::TextOf(std::wstring& text) const {
  if (!CPropertyItem::TextOf(text)) return false;
  const size_t cut = text.find_last_of(L":\\");
  if (cut != std::wstring::npos) text.erase(0, cut + 1);
  return true;
}

HWND CPropertyFileNameItem::CreateEditor(HWND parent, const RECT& cell) {
  if (!IsEnabled()) return nullptr;
  std::wstring text;
  if (!TextOf(text)) return nullptr;
  return CPropertyButtonWindow::Create(parent, cell, text.c_str(), this);
}

void CPropertyFileNameItem::OnAction(int action, LPARAM) {
  if (!IsEnabled() || !Owner()) return;
  if (action != PROP_ACTION_ACTIVATE && action != PROP_ACTION_BROWSE && action != PROP_ACTION_OPEN) return;
  NMPROPERTYGRID notice = {};
  notice.hdr.hwndFrom = Owner();
  notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(Owner()));
  notice.hdr.code = static_cast<UINT>(PGN_EDIT);
  notice.item = this;
  SendMessageW(GetParent(Owner()), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

// --- check rows -------------------------------------------------------------------------------------------

void CPropertyCheckButtonItem::DrawValue(HDC dc, const RECT& cell, const PropertyDrawInfo& info) {
  const COLORREF oldBackground = SetBkColor(dc, info.background);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &cell, nullptr, 0, nullptr);
  SetBkColor(dc, oldBackground);
  const int side = (cell.bottom - cell.top) - 4;
  if (side <= 0) return;
  RECT box = {cell.left + kTextIndent, cell.top + 2, cell.left + kTextIndent + side, cell.top + 2 + side};
  UINT state = DFCS_BUTTONCHECK | DFCS_FLAT;
  if (checked_) state |= DFCS_CHECKED;
  if (!IsEnabled()) state |= DFCS_INACTIVE;
  DrawFrameControl(dc, &box, DFC_BUTTON, state);
}

void CPropertyCheckButtonItem::OnAction(int action, LPARAM) {
  if (!IsEnabled() || !Owner()) return;
  if (action != PROP_ACTION_TOGGLE_CHECK && action != PROP_ACTION_ACTIVATE && action != PROP_ACTION_OPEN) return;
  CVariant toggled;
  V_VT(&toggled.get()) = VT_BOOL;
  V_BOOL(&toggled.get()) = checked_ ? VARIANT_FALSE : VARIANT_TRUE;
  SendMessageW(Owner(), WM_PROP_SETVALUE, reinterpret_cast<WPARAM>(&toggled.get()), reinterpret_cast<LPARAM>(this));
}

int CPropertyCheckButtonItem::QueryValue(VARIANT* value) const {
  if (!value) return 0;
  VariantInit(value);
  V_VT(value) = VT_BOOL;
  V_BOOL(value) = checked_ ? VARIANT_TRUE : VARIANT_FALSE;
  return 1;
}

int CPropertyCheckButtonItem::SetValue(const VARIANT& value) {
  CVariant flag;
  if (FAILED(VariantChangeType(&flag.get(), const_cast<VARIANT*>(&value), 0, VT_BOOL))) return 0;
  checked_ = V_BOOL(&flag.get()) != VARIANT_FALSE;
  return 1;
}
