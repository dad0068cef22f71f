#include "DesignerWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <evbus.h>

#include <algorithm>
#include <vector>

#include "Toolbox.h"
#include "resource.h"
#include "vellum.h"

namespace {

constexpr wchar_t kClass[] = L"VellumDesigner";
constexpr wchar_t kAppName[] = L"Vellum Designer";
constexpr char kBlankForm[] = "<html><head><title>Form</title></head><body></body></html>";
constexpr int kControlId = 1;

// Commands that are one message to the control, answered 1 when done.
struct MessageCommand {
  UINT command;
  UINT message;
};
constexpr MessageCommand kMessageCommands[] = {
    {ID_EDIT_CUT, VLM_CUT},
    {ID_EDIT_COPY, VLM_COPY},
    {ID_EDIT_PASTE, VLM_PASTE},
    {ID_EDIT_DELETE, VLM_DELETESELECTION},
    {ID_EDIT_PROPERTIES, VLM_PROPERTIES},
    {ID_INSERT_CANCEL, VLM_CANCELINSERT},
};

// The alignment family, enabled together by VLM_CANALIGN.
constexpr MessageCommand kAlignments[] = {
    {ID_FORMAT_ALIGN_LEFTS, VLM_ALIGNLEFTS}, {ID_FORMAT_ALIGN_RIGHTS, VLM_ALIGNRIGHTS},
    {ID_FORMAT_ALIGN_TOPS, VLM_ALIGNTOPS},   {ID_FORMAT_ALIGN_BOTTOMS, VLM_ALIGNBOTTOMS},
    {ID_FORMAT_SAME_WIDTH, VLM_SAMEWIDTH},   {ID_FORMAT_SAME_HEIGHT, VLM_SAMEHEIGHT},
    {ID_FORMAT_SAME_SIZE, VLM_SAMESIZE},
};

// Rejected property input: its help text goes to the status bar of the window that asked.
void OnHostEvent(int, const char* text, int, int, void* context) {
  auto* window = static_cast<CDesignerWindow*>(context);
  if (!window || !text) return;
  const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(size > 0 ? size : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), size);
  wide.resize(wcslen(wide.c_str()));
  // One line in the status bar: the help text's line breaks and tabs become blanks.
  for (wchar_t& c : wide)
    if (c == L'\n' || c == L'\t' || c == L'\r') c = L' ';
  SendMessageW(window->StatusBar(), SB_SETTEXTW, kStatusMessage, reinterpret_cast<LPARAM>(wide.c_str()));
}

// The object dialog: a CLSID typed or picked from the registered controls.
struct ObjectChoice {
  CLSID clsid = {};
};

void ListRegisteredControls(HWND list) {
  HKEY classes = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_READ, &classes) != ERROR_SUCCESS) return;
  wchar_t name[64];
  for (DWORD i = 0;; ++i) {
    DWORD length = 64;
    if (RegEnumKeyExW(classes, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    HKEY control = nullptr;
    const std::wstring path = std::wstring(name) + L"\\Control";
    if (RegOpenKeyExW(classes, path.c_str(), 0, KEY_READ, &control) != ERROR_SUCCESS) continue;
    RegCloseKey(control);
    wchar_t title[128] = {};
    LONG bytes = sizeof title;
    RegQueryValueW(classes, name, title, &bytes);
    const std::wstring line = std::wstring(title[0] ? title : L"(unnamed)") + L"  " + name;
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  RegCloseKey(classes);
}

INT_PTR CALLBACK ObjectDialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      ListRegisteredControls(GetDlgItem(dialog, IDC_CLSID_LIST));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_CLSID_LIST && HIWORD(wParam) == LBN_SELCHANGE) {
        const HWND list = GetDlgItem(dialog, IDC_CLSID_LIST);
        const int at = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        const int length = static_cast<int>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(at), 0));
        if (at >= 0 && length > 0) {
          std::wstring line(static_cast<size_t>(length) + 1, L'\0');
          SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(line.data()));
          const size_t brace = line.rfind(L'{');
          if (brace != std::wstring::npos) SetDlgItemTextW(dialog, IDC_CLSID_TEXT, line.c_str() + brace);
        }
        return TRUE;
      }
      if (LOWORD(wParam) == IDOK) {
        wchar_t text[64] = {};
        GetDlgItemTextW(dialog, IDC_CLSID_TEXT, text, 64);
        auto* choice = reinterpret_cast<ObjectChoice*>(GetWindowLongPtrW(dialog, DWLP_USER));
        if (FAILED(CLSIDFromString(text, &choice->clsid))) {
          MessageBoxW(dialog, L"Type a CLSID such as {00000000-0000-0000-0000-000000000000}, or pick a control.",
                      kAppName, MB_OK | MB_ICONEXCLAMATION);
          return TRUE;
        }
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

std::wstring AskPath(HWND owner, const std::wstring& current, bool save) {
  std::wstring file(32768, L'\0');
  current.copy(file.data(), std::min(current.size(), file.size() - 1));
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"HTML forms (*.html;*.htm)\0*.html;*.htm\0All files\0*.*\0";
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrDefExt = L"html";
  dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  const BOOL chosen = save ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
  return chosen ? std::wstring(file.c_str()) : std::wstring();
}

}  // namespace

// --- making the window -------------------------------------------------------------------------------------

bool CDesignerWindow::Create(bool show, std::wstring& error) {
  static const ATOM registered = [] {
    WNDCLASSW frame = {};
    frame.lpfnWndProc = DefWindowProcW;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = kClass;
    return RegisterClassW(&frame);
  }();
  if (!registered) {
    error = L"the main window class could not be registered";
    return false;
  }
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAIN_MENU));
  const HWND window = CreateWindowExW(0, kClass, kAppName, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                      CW_USEDEFAULT, 800, 600, nullptr, menu, GetModuleHandleW(nullptr), nullptr);
  if (!window || !Attach(window)) {
    error = L"the main window could not be created";
    return false;
  }
  accelerators_ = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  if (!CreateChildren(error)) return false;
  recent_.Load();
  UpdateRecentMenu();
  Get_IEvents()->SetHandler(OnHostEvent, this);
  if (show) {
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
  }
  Layout();
  Send(VLM_SETDESIGNMODE, 1);
  Settle();
  dirty_ = false;
  UpdateTitle();
  UpdateCommands();
  return true;
}

bool CDesignerWindow::CreateChildren(std::wstring& error) {
  toolbox_ = CreateToolbox(GetHwnd());
  status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0, GetHwnd(),
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!toolbox_ || !status_ || !canvas_.Create(GetHwnd())) {
    error = L"the toolbox, the status bar or the canvas could not be created";
    return false;
  }
  control_ = CreateWindowExW(0, VELLUM_CLASS_NAME_W, L"", WS_CHILD | WS_VISIBLE, CFormCanvas::kMargin,
                             CFormCanvas::kMargin, 400, 150, canvas_.GetHwnd(), reinterpret_cast<HMENU>(kControlId),
                             GetModuleHandleW(nullptr), nullptr);
  if (!control_) {
    error = L"the form control (QX_VELLUM) could not be created: is vellum.dll beside the designer?";
    return false;
  }
  canvas_.Hold(control_);
  return true;
}

void CDesignerWindow::Layout() {
  RECT client;
  GetClientRect(GetHwnd(), &client);
  SendMessageW(toolbox_, TB_AUTOSIZE, 0, 0);
  SendMessageW(status_, WM_SIZE, 0, 0);
  RECT tools, status;
  GetWindowRect(toolbox_, &tools);
  GetWindowRect(status_, &status);
  const int top = tools.bottom - tools.top, bottom = status.bottom - status.top;
  const int parts[] = {client.right / 3, 2 * client.right / 3, -1};
  SendMessageW(status_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(parts));
  MoveWindow(canvas_.GetHwnd(), 0, top, client.right, std::max(0L, client.bottom - top - bottom), TRUE);
}

HWND CDesignerWindow::Surface() const {
  if (HWND surface = FindWindowExW(control_, nullptr, L"QX_VELLUM_SURFACE", nullptr)) return surface;
  return control_;
}

// --- files -------------------------------------------------------------------------------------------------

void CDesignerWindow::Settle() {
  // A load completes through the message loop; posted notifications arrive the same way.
  for (int idle = 0, rounds = 0; idle < 3 && rounds < 200; ++rounds) {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      any = true;
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    idle = any ? 0 : idle + 1;
    Sleep(any ? 0 : 10);
  }
}

void CDesignerWindow::Complain(const std::wstring& text) const {
  if (!scripted_) MessageBoxW(GetHwnd(), text.c_str(), kAppName, MB_OK | MB_ICONERROR);
}

bool CDesignerWindow::LoadText(const std::string& bytes) {
  if (Send(VLM_LOADCODE, 0, reinterpret_cast<LPARAM>(bytes.c_str())) != 1) return false;
  Settle();
  return true;
}

bool CDesignerWindow::MaySetAside() {
  if (!dirty_ || scripted_) return true;
  const std::wstring name = path_.empty() ? L"the new form" : form_files::FileNameOf(path_);
  const std::wstring question = L"Save the changes to " + name + L"?";
  switch (MessageBoxW(GetHwnd(), question.c_str(), kAppName, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
      return Save();
    case IDNO:
      return true;
    default:
      return false;
  }
}

bool CDesignerWindow::New() {
  if (!MaySetAside()) return false;
  if (!LoadText(kBlankForm)) return false;
  path_.clear();
  dirty_ = false;
  UpdateTitle();
  UpdateCommands();
  return true;
}

bool CDesignerWindow::Open(const std::wstring& requested) {
  if (!MaySetAside()) return false;
  const std::wstring chosen = requested.empty() ? AskPath(GetHwnd(), path_, false) : requested;
  if (chosen.empty()) return false;
  const std::wstring path = form_files::FullPath(chosen);
  std::string bytes;
  if (!form_files::ReadBytes(path, bytes)) {
    Complain(L"The file " + path + L" cannot be read.");
    return false;
  }
  // The control reads a file by its own path, which keeps the page's declared character set; a path with
  // characters outside the ANSI code page goes in as text instead.
  std::string ansi;
  bool loaded = false;
  if (form_files::AnsiPath(path, ansi)) {
    loaded = Send(VLM_LOADFILE, 0, reinterpret_cast<LPARAM>(ansi.c_str())) == 1;
    Settle();
  } else {
    loaded = LoadText(bytes);
  }
  if (!loaded) {
    Complain(L"The file " + path + L" cannot be opened as a form.");
    return false;
  }
  BecomeFile(path);
  UpdateCommands();
  canvas_.Relayout();
  return true;
}

bool CDesignerWindow::Save() { return SaveAs(path_.empty() ? std::wstring() : path_); }

bool CDesignerWindow::SaveAs(const std::wstring& requested) {
  const std::wstring chosen = requested.empty() ? AskPath(GetHwnd(), path_, true) : requested;
  if (chosen.empty()) return false;
  const std::wstring path = form_files::FullPath(chosen);
  const LRESULT size = Send(VLM_GETCODE);
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0) + 1, '\0');
  if (size <= 0 || Send(VLM_GETCODE, 0, reinterpret_cast<LPARAM>(bytes.data())) != 1) {
    Complain(L"The form could not be written out.");
    return false;
  }
  bytes.resize(static_cast<size_t>(size));
  if (!form_files::WriteBytes(path, bytes)) {
    Complain(L"The file " + path + L" cannot be written.");
    return false;
  }
  BecomeFile(path);
  SetStatus(kStatusMessage, L"Saved " + path_);
  return true;
}

void CDesignerWindow::BecomeFile(const std::wstring& path) {
  path_ = path;
  dirty_ = false;
  recent_.Add(path_);
  UpdateRecentMenu();
  UpdateTitle();
}

// --- commands ------------------------------------------------------------------------------------------------

bool CDesignerWindow::InsertObject() {
  ObjectChoice choice;
  if (DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_OBJECT_CLSID), GetHwnd(), ObjectDialogProc,
                      reinterpret_cast<LPARAM>(&choice)) != IDOK)
    return false;
  return Send(VLM_BEGININSERT, VLM_KIND_OBJECT, reinterpret_cast<LPARAM>(&choice.clsid)) == 1;
}

bool CDesignerWindow::RunCommand(UINT id) {
  bool done = false;
  switch (id) {
    case ID_FILE_NEW:
      return New();
    case ID_FILE_OPEN:
      return Open(std::wstring());
    case ID_FILE_SAVE:
      return Save();
    case ID_FILE_SAVE_AS:
      return SaveAs(std::wstring());
    case ID_FILE_EXIT:
      PostMessageW(GetHwnd(), WM_CLOSE, 0, 0);
      return true;
    case ID_EDIT_UNDO:
    case ID_EDIT_REDO:
      done = Send(id == ID_EDIT_UNDO ? VLM_UNDO : VLM_REDO) == 1;
      Settle();                 // the snapshot loads through the message loop
      if (done) dirty_ = true;  // the history moves without a change notice
      break;
    case ID_INSERT_OBJECT:
      done = InsertObject();
      break;
    case ID_VIEW_DESIGN:
    case ID_VIEW_PREVIEW:
      done = Send(VLM_SETDESIGNMODE, id == ID_VIEW_DESIGN ? 1 : 0) == 1;
      Settle();
      break;
    case ID_VIEW_LOCK: {
      const bool locked = GetMenuState(GetMenu(GetHwnd()), ID_VIEW_LOCK, MF_BYCOMMAND) & MF_CHECKED;
      Send(VLM_SETLOCK, locked ? 0 : 1);
      CheckMenuItem(GetMenu(GetHwnd()), ID_VIEW_LOCK, MF_BYCOMMAND | (locked ? MF_UNCHECKED : MF_CHECKED));
      done = true;
      break;
    }
    default:
      if (id > ID_INSERT_BASE && id < ID_INSERT_OBJECT) {
        done = Send(VLM_BEGININSERT, id - ID_INSERT_BASE) == 1;
        if (done) SetStatus(kStatusMessage, L"Draw the new element on the form (Esc cancels).");
      } else if (id >= ID_FILE_RECENT_FIRST && id <= ID_FILE_RECENT_LAST) {
        const size_t at = id - ID_FILE_RECENT_FIRST;
        if (at < recent_.Paths().size()) return Open(recent_.Paths()[at]);
      } else {
        for (const MessageCommand& alignment : kAlignments)
          if (alignment.command == id) done = Send(alignment.message) == 1;
        for (const MessageCommand& command : kMessageCommands)
          if (command.command == id) done = Send(command.message) == 1;
      }
      break;
  }
  UpdateTitle();
  UpdateCommands();
  return done;
}

void CDesignerWindow::UpdateCommands() {
  HMENU menu = GetMenu(GetHwnd());
  if (!menu || !control_) return;
  const bool design = Send(VLM_ISDESIGNMODE) == 1;
  const bool locked = GetMenuState(menu, ID_VIEW_LOCK, MF_BYCOMMAND) & MF_CHECKED;
  auto enable = [&](UINT id, bool on) { EnableMenuItem(menu, id, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED)); };
  enable(ID_EDIT_UNDO, Send(VLM_CANUNDO) == 1);
  enable(ID_EDIT_REDO, Send(VLM_CANREDO) == 1);
  enable(ID_EDIT_CUT, Send(VLM_CANCUT) == 1);
  enable(ID_EDIT_COPY, Send(VLM_CANCOPY) == 1);
  enable(ID_EDIT_PASTE, Send(VLM_CANPASTE) == 1);
  enable(ID_EDIT_DELETE, design && !locked && Send(VLM_CANCOPY) == 1);
  enable(ID_EDIT_PROPERTIES, design);
  const bool canAlign = Send(VLM_CANALIGN) == 1;
  for (const MessageCommand& alignment : kAlignments) enable(alignment.command, canAlign);
  for (UINT id = ID_INSERT_LABEL; id <= ID_INSERT_OBJECT; ++id) enable(id, design && !locked);
  enable(ID_INSERT_CANCEL, design);
  CheckMenuRadioItem(menu, ID_VIEW_DESIGN, ID_VIEW_PREVIEW, design ? ID_VIEW_DESIGN : ID_VIEW_PREVIEW, MF_BYCOMMAND);
  EnableToolbox(toolbox_, design && !locked);
}

void CDesignerWindow::UpdateTitle() {
  const std::wstring name = path_.empty() ? L"Untitled" : form_files::FileNameOf(path_);
  SetWindowTextW(GetHwnd(), ((dirty_ ? L"*" : L"") + name + L" - " + kAppName).c_str());
}

void CDesignerWindow::UpdateRecentMenu() {
  HMENU file = GetSubMenu(GetMenu(GetHwnd()), 0);
  if (!file) return;
  for (UINT id = ID_FILE_RECENT_FIRST; id <= ID_FILE_RECENT_LAST; ++id) DeleteMenu(file, id, MF_BYCOMMAND);
  // The recent files sit between the two separators after Save As.
  const UINT at = 5;
  if (recent_.Paths().empty()) {
    InsertMenuW(file, at, MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_RECENT_FIRST, L"(no recent files)");
    return;
  }
  for (size_t i = 0; i < recent_.Paths().size(); ++i) {
    const std::wstring item = L"&" + std::to_wstring(i + 1) + L" " + recent_.Paths()[i];
    InsertMenuW(file, at + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING, ID_FILE_RECENT_FIRST + i, item.c_str());
  }
}

void CDesignerWindow::SetStatus(int part, const std::wstring& text) {
  SendMessageW(status_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

std::wstring CDesignerWindow::StatusText(int part) const {
  const LRESULT length = LOWORD(SendMessageW(status_, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  SendMessageW(status_, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return text;
}

void CDesignerWindow::OnControlNotice(const NMHDR& notice) {
  const auto& record = reinterpret_cast<const VLMNOTIFY&>(notice);
  switch (notice.code) {
    case VLMN_CHANGED:
      dirty_ = true;
      UpdateTitle();
      UpdateCommands();
      break;
    case VLMN_TRACKRECT: {
      const RECT& r = record.rcTrack;
      SetStatus(kStatusTrack, std::to_wstring(r.left) + L", " + std::to_wstring(r.top) + L"   " +
                                  std::to_wstring(r.right - r.left) + L" x " + std::to_wstring(r.bottom - r.top));
      break;
    }
    case VLMN_RESIZED: {
      // The window's new rectangle; the form is its client area inside the design frame.
      RECT client = {}, window = {};
      GetClientRect(control_, &client);
      GetWindowRect(control_, &window);
      const int frameX = (window.right - window.left) - client.right,
                frameY = (window.bottom - window.top) - client.bottom;
      const RECT& r = record.rcWindow;
      SetStatus(kStatusForm, L"Form " + std::to_wstring(r.right - r.left - frameX) + L" x " +
                                 std::to_wstring(r.bottom - r.top - frameY));
      break;
    }
    case VLMN_ELEMENTINSERTED:
      SetStatus(kStatusMessage, L"");
      UpdateCommands();
      break;
    default:
      break;
  }
}

bool CDesignerWindow::TranslateKeys(MSG& msg) {
  // The page's own keys in preview (a form's access keys, tab order) come first.
  if (control_ && (msg.hwnd == control_ || IsChild(control_, msg.hwnd)) &&
      Send(VLM_TRANSLATEACCEL, 0, reinterpret_cast<LPARAM>(&msg)) == 1)
    return true;
  return accelerators_ && TranslateAcceleratorW(GetHwnd(), accelerators_, &msg);
}

LRESULT CDesignerWindow::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_SIZE:
      Layout();
      return 0;
    case WM_COMMAND:
      if (lParam == 0 || reinterpret_cast<HWND>(lParam) == toolbox_) {
        RunCommand(LOWORD(wParam));
        return 0;
      }
      break;
    case WM_NOTIFY: {
      const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
      if (notice && notice->hwndFrom == control_) {
        OnControlNotice(*notice);
        return 0;
      }
      break;
    }
    case WM_INITMENUPOPUP:
      UpdateCommands();
      return 0;
    case WM_CLOSE:
      if (MaySetAside()) DestroyWindow(GetHwnd());
      return 0;
    case WM_DESTROY:
      Get_IEvents()->SetHandler(nullptr, nullptr);
      DestroyToolboxIcons(toolbox_);
      if (quitOnDestroy_) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  handled = false;
  return 0;
}
