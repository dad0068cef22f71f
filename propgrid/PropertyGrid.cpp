#include "propgrid/PropertyGrid.h"

#include <windowsx.h>

#include <string>

namespace {

constexpr int kDividerGrip = 3;  // pixels either side of the divider that take a drag
constexpr int kMinColumn = 20;   // narrowest a column may be dragged to

// What a row shows and holds, to tell whether an edit or an action changed it (a check row has a value
// but no text; a list row's foreign text has no index).
struct RowState {
  std::wstring text;
  CVariant value;
  bool hasValue = false;
};

void Capture(const CProperty& row, RowState& state) {
  state.text = row.ValueText();
  VariantClear(&state.value.get());
  state.hasValue = row.QueryValue(&state.value.get()) != 0;
}

bool Changed(const CProperty& row, const RowState& before) {
  RowState after;
  Capture(row, after);
  if (after.text != before.text || after.hasValue != before.hasValue) return true;
  if (!after.hasValue) return false;
  const VARIANT& a = before.value.get();
  const VARIANT& b = after.value.get();
  if (V_VT(&a) != V_VT(&b)) return true;
  if (V_VT(&a) == VT_EMPTY) return false;
  return VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), LOCALE_USER_DEFAULT, 0) != VARCMP_EQ;
}

}  // namespace

CPropertyGrid::~CPropertyGrid() { ReleaseDrawInfo(); }

bool CPropertyGrid::SubclassGrid(HWND listBox) {
  if (!listBox || !Attach(listBox)) return false;
  BuildDrawInfo();
  RECT client;
  GetClientRect(listBox, &client);
  divider_ = client.right / 2;
  CreateTip();
  return true;
}

// --- rows -------------------------------------------------------------------------------------------------

CProperty* CPropertyGrid::AddItem(std::unique_ptr<CProperty> item) {
  if (!item || !GetHwnd()) return nullptr;
  item->SetOwner(GetHwnd());
  const LRESULT index = SendMessageW(GetHwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item->Name().c_str()));
  if (index == LB_ERR || index == LB_ERRSPACE) return nullptr;
  SendMessageW(GetHwnd(), LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.get()));
  return item.release();
}

int CPropertyGrid::GetCount() const {
  const LRESULT count = GetHwnd() ? SendMessageW(GetHwnd(), LB_GETCOUNT, 0, 0) : 0;
  return count > 0 ? static_cast<int>(count) : 0;
}

CProperty* CPropertyGrid::GetItem(int index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  const LRESULT data = SendMessageW(GetHwnd(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<CProperty*>(data);
}

int CPropertyGrid::IndexOf(const CProperty* row) const {
  const int count = GetCount();
  for (int i = 0; i < count; ++i)
    if (GetItem(i) == row) return i;
  return -1;
}

// The grid owns its rows: an entry deleted takes its row along (a category folding its rows clears the
// entry's data first), and so does the list's end.
void CPropertyGrid::DeleteRowsOnDestroy() {
  for (int i = GetCount() - 1; i >= 0; --i) {
    CProperty* row = GetItem(i);
    SendMessageW(GetHwnd(), LB_SETITEMDATA, static_cast<WPARAM>(i), 0);
    delete row;
  }
}

// --- drawing ----------------------------------------------------------------------------------------------

void CPropertyGrid::BuildDrawInfo() {
  ReleaseDrawInfo();
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(GetHwnd(), WM_GETFONT, 0, 0));
  if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW face = {};
  GetObjectW(font, sizeof face, &face);
  info_.font = CreateFontIndirectW(&face);
  face.lfWeight = FW_BOLD;
  info_.categoryFont = CreateFontIndirectW(&face);
  info_.categoryBackground = GetSysColor(COLOR_3DFACE);
  info_.categoryBrush = CreateSolidBrush(info_.categoryBackground);
  info_.text = GetSysColor(COLOR_WINDOWTEXT);
  info_.background = GetSysColor(COLOR_WINDOW);
  info_.selectedText = GetSysColor(COLOR_HIGHLIGHTTEXT);
  info_.selectedBackground = GetSysColor(COLOR_HIGHLIGHT);
  info_.disabledText = GetSysColor(COLOR_GRAYTEXT);
  // The row fits the font's cell with a little air, whatever the resolution.
  HDC dc = GetDC(GetHwnd());
  const HGDIOBJ old = SelectObject(dc, info_.font);
  TEXTMETRICW metrics = {};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(GetHwnd(), dc);
  rowHeight_ = metrics.tmHeight + metrics.tmExternalLeading + 4;
  if (rowHeight_ < 8) rowHeight_ = 8;
  if (GetCount() > 0) SendMessageW(GetHwnd(), LB_SETITEMHEIGHT, 0, rowHeight_);
}

void CPropertyGrid::ReleaseDrawInfo() {
  if (info_.font) DeleteObject(info_.font);
  if (info_.categoryFont) DeleteObject(info_.categoryFont);
  if (info_.categoryBrush) DeleteObject(info_.categoryBrush);
  info_.font = info_.categoryFont = nullptr;
  info_.categoryBrush = nullptr;
}

RECT CPropertyGrid::ValueCell(int index) const {
  RECT cell = {};
  SendMessageW(GetHwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&cell));
  cell.left = divider_ + 1;
  return cell;
}

void CPropertyGrid::DrawRow(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  CProperty* row = reinterpret_cast<CProperty*>(item.itemData);
  if (!row) return;
  PropertyDrawInfo info = info_;
  info.state = (item.itemState & ODS_SELECTED) ? PROP_DRAW_SELECTED : 0;
  const RECT& box = item.rcItem;
  const int glyph = rowHeight_;  // the column of the categories' +/- glyph
  RECT margin = {box.left, box.top, box.left + glyph, box.bottom};
  FillRect(item.hDC, &margin, info_.categoryBrush);
  RECT name = {box.left + glyph, box.top, divider_, box.bottom};
  RECT value = {divider_ + 1, box.top, box.right, box.bottom};
  row->DrawName(item.hDC, name, info);
  row->DrawValue(item.hDC, value, info);
  if (row->GetKind() == PROP_KIND_CATEGORY) {
    // A +/- square in the margin.
    const int side = (glyph / 2) | 1;
    const int left = box.left + (glyph - side) / 2, top = box.top + (box.bottom - box.top - side) / 2;
    const HGDIOBJ oldPen = SelectObject(item.hDC, GetStockObject(BLACK_PEN));
    const HGDIOBJ oldBrush = SelectObject(item.hDC, GetStockObject(WHITE_BRUSH));
    Rectangle(item.hDC, left, top, left + side, top + side);
    const int middle = top + side / 2, centre = left + side / 2;
    MoveToEx(item.hDC, left + 2, middle, nullptr);
    LineTo(item.hDC, left + side - 2, middle);
    if (!static_cast<CCategoryProperty*>(row)->IsExpanded()) {
      MoveToEx(item.hDC, centre, top + 2, nullptr);
      LineTo(item.hDC, centre, top + side - 2);
    }
    SelectObject(item.hDC, oldBrush);
    SelectObject(item.hDC, oldPen);
  } else {
    // The divider and the line under the row.
    const HPEN pen = CreatePen(PS_SOLID, 1, info_.categoryBackground);
    const HGDIOBJ oldPen = SelectObject(item.hDC, pen);
    MoveToEx(item.hDC, divider_, box.top, nullptr);
    LineTo(item.hDC, divider_, box.bottom);
    MoveToEx(item.hDC, box.left + glyph, box.bottom - 1, nullptr);
    LineTo(item.hDC, box.right, box.bottom - 1);
    SelectObject(item.hDC, oldPen);
    DeleteObject(pen);
  }
}

// --- editing ----------------------------------------------------------------------------------------------

bool CPropertyGrid::OpenEditor(int index) {
  CProperty* row = GetItem(index);
  if (!row || row->GetKind() == PROP_KIND_CATEGORY) return false;
  if (editor_ && editing_ == row) return true;
  CommitEditor();
  HWND editor = row->CreateEditor(GetHwnd(), ValueCell(index));
  if (!editor) return false;
  editor_ = editor;
  editing_ = row;
  SetFocus(editor);
  return true;
}

void CPropertyGrid::CommitEditor() {
  if (editor_ && IsWindow(editor_)) EndEditing(editor_, true);
}

// Ends the edit in editor: the row takes its value (take) and the editor goes. A posted end that arrives
// after the editor is already gone finds nothing to do.
void CPropertyGrid::EndEditing(HWND editor, bool take) {
  if (!editor || editor != editor_) return;
  CProperty* row = editing_;
  editor_ = nullptr;
  editing_ = nullptr;
  if (take && row && IndexOf(row) >= 0) {
    RowState before;
    Capture(*row, before);
    row->UpdateFromEditor(editor);
    if (Changed(*row, before)) ValueChanged(row);
  }
  if (IsWindow(editor)) {
    const bool hadFocus = GetFocus() == editor || IsChild(editor, GetFocus());
    DestroyWindow(editor);
    if (hadFocus) SetFocus(GetHwnd());
  }
}

void CPropertyGrid::ValueChanged(CProperty* row) {
  const int index = IndexOf(row);
  if (index >= 0) {
    RECT box = {};
    SendMessageW(GetHwnd(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&box));
    InvalidateRect(GetHwnd(), &box, FALSE);
  }
  Notify(PGN_VALUECHANGED, row);
}

void CPropertyGrid::Notify(int code, CProperty* row) {
  NMPROPERTYGRID notice = {};
  notice.hdr.hwndFrom = GetHwnd();
  notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(GetHwnd()));
  notice.hdr.code = static_cast<UINT>(code);
  notice.item = row;
  CWindowHold hold(this);
  SendMessageW(GetParent(GetHwnd()), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

// --- the tip of long values -------------------------------------------------------------------------------

void CPropertyGrid::CreateTip() {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&classes);
  tip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetHwnd(), nullptr,
                         GetModuleHandleW(nullptr), nullptr);
  if (!tip_) return;
  TTTOOLINFOW tool = {};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetHwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(GetHwnd());
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, 600);
}

// A new row under the mouse takes the old tip down, so that the next one asks for its own text.
void CPropertyGrid::TrackTip(POINT point) {
  const LRESULT hit = SendMessageW(GetHwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  const int row = HIWORD(hit) || point.x <= divider_ ? -1 : LOWORD(hit);
  if (row == tipRow_) return;
  tipRow_ = row;
  if (tip_) SendMessageW(tip_, TTM_POP, 0, 0);
}

LRESULT CPropertyGrid::OnTipText(NMTTDISPINFOW& request) {
  tipText_.clear();
  if (CProperty* row = GetItem(tipRow_); row && row->GetKind() != PROP_KIND_CATEGORY && editing_ != row) {
    const std::wstring text = row->ValueText();
    const RECT cell = ValueCell(tipRow_);
    HDC dc = GetDC(GetHwnd());
    const HGDIOBJ old = SelectObject(dc, info_.font);
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(GetHwnd(), dc);
    if (extent.cx + 2 > cell.right - cell.left) tipText_ = text;
  }
  request.lpszText = tipText_.data();
  request.szText[0] = 0;
  request.hinst = nullptr;
  return 0;
}

// --- input ------------------------------------------------------------------------------------------------

bool CPropertyGrid::OnKeyDown(UINT key) {
  const int index = static_cast<int>(SendMessageW(GetHwnd(), LB_GETCURSEL, 0, 0));
  CProperty* row = GetItem(index);
  const bool alt = GetKeyState(VK_MENU) < 0;
  switch (key) {
    case VK_UP:
    case VK_DOWN:
      if (key == VK_DOWN && alt && row) {
        row->OnAction(PROP_ACTION_OPEN, 0);
        OpenEditor(index);
        if (row->GetKind() == PROP_KIND_LIST) row->OnAction(PROP_ACTION_OPEN, 0);
        return true;
      }
      [[fallthrough]];
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      CommitEditor();
      return false;  // the list box moves the selection
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_RIGHT:
    case VK_ADD:
      if (row && row->GetKind() == PROP_KIND_CATEGORY) {
        const bool open = key == VK_RIGHT || key == VK_ADD;
        if (open != static_cast<CCategoryProperty*>(row)->IsExpanded()) row->OnAction(PROP_ACTION_TOGGLE_CATEGORY, 0);
      }
      return true;
    case VK_RETURN:
    case VK_F2:
      if (!row) return true;
      if (row->GetKind() == PROP_KIND_CATEGORY)
        row->OnAction(PROP_ACTION_TOGGLE_CATEGORY, 0);
      else if (OpenEditor(index))
        row->OnAction(PROP_ACTION_FOCUS_EDITOR, 0);
      return true;
    case VK_F4:
      if (row && OpenEditor(index) && row->GetKind() == PROP_KIND_LIST) row->OnAction(PROP_ACTION_OPEN, 0);
      return true;
    case VK_SPACE:
      if (row && row->GetKind() == PROP_KIND_CHECK) row->OnAction(PROP_ACTION_TOGGLE_CHECK, 0);
      return true;
    default:
      return false;
  }
}

// A character typed on an edit row starts its editor with that character.
bool CPropertyGrid::OnChar(wchar_t c) {
  if (c < L' ' || c == L'+' || c == L'-') return c == L'+' || c == L'-' || c == L' ';
  const int index = static_cast<int>(SendMessageW(GetHwnd(), LB_GETCURSEL, 0, 0));
  CProperty* row = GetItem(index);
  if (!row || row->GetKind() != PROP_KIND_EDIT || !row->IsEnabled()) return true;
  if (!OpenEditor(index)) return true;
  SetWindowTextW(editor_, L"");
  SendMessageW(editor_, WM_CHAR, c, 0);
  return true;
}

void CPropertyGrid::OnLeftButtonDown(POINT point) {
  if (point.x >= divider_ - kDividerGrip && point.x <= divider_ + kDividerGrip) {
    CommitEditor();
    draggingDivider_ = true;
    SetCapture(GetHwnd());
    return;
  }
  CommitEditor();
  // The list box selects the row first.
  CallPreviousProc(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
  const LRESULT hit = SendMessageW(GetHwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(hit)) return;  // below the last row
  const int index = LOWORD(hit);
  CProperty* row = GetItem(index);
  if (!row) return;
  if (row->GetKind() == PROP_KIND_CATEGORY) {
    if (point.x < rowHeight_) row->OnAction(PROP_ACTION_TOGGLE_CATEGORY, 0);
    return;
  }
  if (point.x > divider_) OpenEditor(index);
}

void CPropertyGrid::OnDoubleClick(POINT point) {
  const LRESULT hit = SendMessageW(GetHwnd(), LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
  if (HIWORD(hit)) return;
  CProperty* row = GetItem(LOWORD(hit));
  if (!row) return;
  switch (row->GetKind()) {
    case PROP_KIND_CATEGORY:
      row->OnAction(PROP_ACTION_TOGGLE_CATEGORY, 0);
      break;
    case PROP_KIND_LIST:
      CommitEditor();
      row->OnAction(PROP_ACTION_ACTIVATE, 0);
      break;
    case PROP_KIND_CHECK:
      row->OnAction(PROP_ACTION_TOGGLE_CHECK, 0);
      break;
    default:
      break;
  }
}

// --- the message map --------------------------------------------------------------------------------------

LRESULT CPropertyGrid::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case OCM_DRAWITEM:
      DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case OCM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
      measure->itemHeight = static_cast<UINT>(rowHeight_);
      return TRUE;
    }
    case OCM_COMMAND:
      // The list reports the selection on every click: only a move to another row ends the edit.
      if (HIWORD(wParam) == LBN_SELCHANGE && editing_ &&
          SendMessageW(GetHwnd(), LB_GETCURSEL, 0, 0) != IndexOf(editing_))
        CommitEditor();
      return 0;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: {
      RECT client;
      GetClientRect(GetHwnd(), &client);
      if (divider_ == 0 && client.right > 0) divider_ = client.right / 2;
      handled = false;
      return 0;
    }
    case WM_SETTINGCHANGE:
      BuildDrawInfo();
      InvalidateRect(GetHwnd(), nullptr, TRUE);
      return 0;
    case WM_PROP_UPDATE:
      EndEditing(reinterpret_cast<HWND>(lParam), true);
      return 0;
    case WM_PROP_CANCEL:
      EndEditing(reinterpret_cast<HWND>(lParam), false);
      return 0;
    case WM_PROP_SETVALUE: {
      auto* row = reinterpret_cast<CProperty*>(lParam);
      auto* value = reinterpret_cast<VARIANT*>(wParam);
      if (!row || !value || IndexOf(row) < 0) return 0;
      RowState before;
      Capture(*row, before);
      const int result = row->SetValue(*value);
      if (result && Changed(*row, before)) ValueChanged(row);
      return result;
    }
    case WM_PROP_EDIT: {
      auto* row = reinterpret_cast<CProperty*>(lParam);
      if (!row || IndexOf(row) < 0) return 0;
      CommitEditor();  // a dialog never opens over an editor
      Notify(PGN_EDIT, row);
      return 1;
    }
    case WM_PROP_EXPAND:
    case WM_PROP_COLLAPSE: {
      auto* category = reinterpret_cast<CProperty*>(lParam);
      const int index = IndexOf(category);
      if (index < 0 || category->GetKind() != PROP_KIND_CATEGORY) return 0;
      CommitEditor();
      auto* folding = static_cast<CCategoryProperty*>(category);
      return msg == WM_PROP_EXPAND ? folding->Expand(index) : folding->Collapse(index);
    }
    case LB_DELETESTRING: {
      CProperty* row = GetItem(static_cast<int>(wParam));
      if (row && row == editing_) EndEditing(editor_, false);
      const LRESULT result = CallPreviousProc(msg, wParam, lParam);
      if (result != LB_ERR) delete row;
      return result;
    }
    case LB_RESETCONTENT:
      EndEditing(editor_, false);
      DeleteRowsOnDestroy();
      handled = false;
      return 0;
    case WM_DESTROY:
      EndEditing(editor_, false);
      DeleteRowsOnDestroy();
      if (tip_) DestroyWindow(tip_);
      tip_ = nullptr;
      handled = false;
      return 0;
    case WM_KEYDOWN:
      if (OnKeyDown(static_cast<UINT>(wParam))) return 0;
      handled = false;
      return 0;
    case WM_SYSKEYDOWN:
      if (wParam == VK_DOWN && OnKeyDown(VK_DOWN)) return 0;
      handled = false;
      return 0;
    case WM_CHAR:
      if (OnChar(static_cast<wchar_t>(wParam))) return 0;
      handled = false;
      return 0;
    case WM_LBUTTONDOWN: {
      const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      OnLeftButtonDown(point);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      const POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      OnDoubleClick(point);
      return 0;
    }
    case WM_NOTIFY:
      if (reinterpret_cast<NMHDR*>(lParam)->code == TTN_GETDISPINFOW &&
          reinterpret_cast<NMHDR*>(lParam)->hwndFrom == tip_)
        return OnTipText(*reinterpret_cast<NMTTDISPINFOW*>(lParam));
      handled = false;
      return 0;
    case WM_MOUSEMOVE:
      TrackTip(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      if (draggingDivider_) {
        RECT client;
        GetClientRect(GetHwnd(), &client);
        int x = GET_X_LPARAM(lParam);
        if (x < rowHeight_ + kMinColumn) x = rowHeight_ + kMinColumn;
        if (x > client.right - kMinColumn) x = client.right - kMinColumn;
        divider_ = x;
        InvalidateRect(GetHwnd(), nullptr, FALSE);
        return 0;
      }
      if (GET_X_LPARAM(lParam) >= divider_ - kDividerGrip && GET_X_LPARAM(lParam) <= divider_ + kDividerGrip) {
        SetCursor(LoadCursorW(nullptr, IDC_SIZEWE));
        return 0;
      }
      handled = false;
      return 0;
    case WM_LBUTTONUP:
      if (draggingDivider_) {
        draggingDivider_ = false;
        ReleaseCapture();
        return 0;
      }
      handled = false;
      return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      CommitEditor();
      handled = false;
      return 0;
    case WM_GETDLGCODE:
      return CallPreviousProc(msg, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      handled = false;
      return 0;
  }
}
