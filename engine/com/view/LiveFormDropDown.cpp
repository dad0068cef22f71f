#include "engine/com/view/LiveFormDropDown.h"

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "engine/com/EngineModule.h"
#include "engine/com/FormState.h"
#include "engine/com/HtmlDocument.h"

namespace vellum::engine::com {

using vellum::engine::Element;

namespace {

const wchar_t kListOfView[] = L"VellumLiveFormDropDown";  // view property: its open list
const wchar_t kStateOfList[] = L"VellumLiveFormDropDownState";
constexpr int kMaxVisibleRows = 8;  // longer lists scroll

struct CDropDownState {
  CHtmlDocument* document;                 // not referenced: the list never outlives the view
  vellum::engine::RefPtr<Element> select;  // the select the list chooses for
  HWND view;
  WNDPROC listProc;       // the list box's own window procedure
  bool finished = false;  // chosen or cancelled; the window goes soon
};

CDropDownState* StateOf(HWND list) { return static_cast<CDropDownState*>(GetPropW(list, kStateOfList)); }

enum class Outcome { Choose, Cancel };

// Ends the list once: applies the choice, gives the focus back to the view and hides the list, which
// the view destroys when this message is over.
void Finish(HWND list, CDropDownState& state, Outcome outcome) {
  if (state.finished) return;
  state.finished = true;
  if (outcome == Outcome::Choose) {
    try {
      LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
      std::vector<Element*> options = CFormState::Options(*state.select);
      // The page may have changed under the open list: a select no longer shown chooses nothing.
      bool current = state.select->IsConnected() && &state.select->GetDocument() == &state.document->Tree();
      if (current && row >= 0 && static_cast<size_t>(row) < options.size() &&
          !options[static_cast<size_t>(row)]->HasAttribute(u"disabled")) {
        state.document->FormState().SetSelected(*options[static_cast<size_t>(row)], true);
        state.document->RepaintView();
      }
    } catch (...) {
      // Out of memory: the list closes without choosing.
    }
  }
  if (GetFocus() == list) SetFocus(state.view);
  ShowWindow(list, SW_HIDE);
  PostMessageW(state.view, kDropDownDoneMessage, 0, 0);
}

LRESULT CALLBACK ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam) {
  CDropDownState* state = StateOf(list);
  if (!state) return DefWindowProcW(list, msg, wParam, lParam);
  WNDPROC listProc = state->listProc;
  switch (msg) {
    case WM_KEYDOWN:
      if (wParam == VK_RETURN || wParam == VK_ESCAPE || wParam == VK_TAB) {
        Finish(list, *state, wParam == VK_ESCAPE ? Outcome::Cancel : Outcome::Choose);
        return 0;
      }
      break;
    case WM_CHAR:
      if (wParam == L'\r' || wParam == 27 || wParam == L'\t') return 0;  // their key already ended the list
      break;
    case WM_LBUTTONUP: {
      LRESULT result = CallWindowProcW(listProc, list, msg, wParam, lParam);
      POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
      RECT client;
      GetClientRect(list, &client);
      if (PtInRect(&client, point)) Finish(list, *state, Outcome::Choose);
      return result;
    }
    case WM_KILLFOCUS:
      Finish(list, *state, Outcome::Cancel);
      break;
    case WM_NCDESTROY:
      RemovePropW(list, kStateOfList);
      SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listProc));
      if (GetPropW(state->view, kListOfView) == list) RemovePropW(state->view, kListOfView);
      delete state;
      return CallWindowProcW(listProc, list, msg, wParam, lParam);
  }
  return CallWindowProcW(listProc, list, msg, wParam, lParam);
}

void FillList(HWND list, const Element& select, long selected) {
  for (Element* option : CFormState::Options(select)) {
    std::u16string text = OptionText(*option);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(reinterpret_cast<const wchar_t*>(text.c_str())));
  }
  SendMessageW(list, LB_SETCURSEL, selected, 0);
}

}  // namespace

HWND DropDownList(HWND view) { return view ? static_cast<HWND>(GetPropW(view, kListOfView)) : nullptr; }

void CloseDropDown(HWND view) {
  HWND list = DropDownList(view);
  if (!list) return;
  RemovePropW(view, kListOfView);
  if (CDropDownState* state = StateOf(list)) state->finished = true;  // losing the focus now chooses nothing
  if (GetFocus() == list) SetFocus(view);
  DestroyWindow(list);
}

void OpenDropDown(CHtmlDocument& document, Element& select, const vellum::engine::layout::Rect& box) {
  HWND view = document.ViewWindow();
  if (!view || DropDownList(view)) return;
  std::vector<Element*> options = CFormState::Options(select);
  if (options.empty()) return;
  auto* state = new (std::nothrow) CDropDownState{&document, &select, view, nullptr};
  if (!state) return;
  POINT origin = {box.x, box.y + box.height};
  ClientToScreen(view, &origin);
  const int width = std::max(box.width, 20);
  HWND list = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, L"ListBox", L"",
                              WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, origin.x, origin.y, width, 100,
                              GetAncestor(view, GA_ROOT), nullptr, ModuleInstance(), nullptr);
  if (!list) {
    delete state;
    return;
  }
  // From here the list's window owns the state: destroying it frees everything.
  SetPropW(list, kStateOfList, state);
  state->listProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListProc)));
  SetPropW(view, kListOfView, list);
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  try {
    FillList(list, select, document.FormState().SelectedIndex(select));
  } catch (...) {
    CloseDropDown(view);
    return;
  }
  LRESULT rowHeight = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  if (rowHeight <= 0) rowHeight = 16;
  int rows = std::min<int>(static_cast<int>(options.size()), kMaxVisibleRows);
  RECT frame = {0, 0, 0, rows * static_cast<int>(rowHeight)};
  AdjustWindowRectEx(&frame, WS_POPUP | WS_BORDER, FALSE, WS_EX_TOOLWINDOW);
  SetWindowPos(list, nullptr, 0, 0, width, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER);
  ShowWindow(list, SW_SHOW);
  SetFocus(list);
}

}  // namespace vellum::engine::com
