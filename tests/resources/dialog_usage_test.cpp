// The templates at work: handed to the window system the way the property sheet, the font dialog and
// the module's own dialogs will use them.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "dialog_template_reader.h"
#include "resource_module.h"

namespace vellum::test {
namespace {

constexpr int kChooseFontDialog = 103;
constexpr int kBasicPage = 106;
constexpr int kSelectOptionsDialog = 107;
constexpr int kCodeTextDialog = 108;
constexpr int kCustomPage = 109;

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, 256);
  return text;
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

// Runs the thread's messages (through the dialog manager when a dialog is given) until the condition
// holds or the time is up; answers the condition.
bool PumpUntil(const std::function<bool()>& condition, HWND dialog = nullptr,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(3000)) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (dialog && IsDialogMessageW(dialog, &message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

// What a dialog procedure saw while a test drove the dialog.
struct DialogRecord {
  std::vector<WORD> commands;  // ids of WM_COMMAND that came from buttons or the dialog manager

  bool Received(WORD id) const { return std::find(commands.begin(), commands.end(), id) != commands.end(); }
};

INT_PTR CALLBACK RecordingDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  auto* record = reinterpret_cast<DialogRecord*>(GetWindowLongPtrW(dialog, DWLP_USER));
  // Edit and list notifications are not commands; button clicks and the dialog manager's OK are.
  if (message == WM_COMMAND && record && HIWORD(wParam) == BN_CLICKED) {
    record->commands.push_back(LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

// A dialog made from the module's template, owned by a hidden frame (property pages need a parent).
class CreatedDialog {
 public:
  explicit CreatedDialog(int dialogId) : bytes_(LoadDialogTemplateBytes(ResourceModule(), dialogId)) {
    if (bytes_.empty()) return;
    frame_ = CreateWindowExW(0, L"Static", L"frame", WS_OVERLAPPEDWINDOW, 0, 0, 800, 700, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
    dialog_ = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()),
                                         frame_, RecordingDialogProc, reinterpret_cast<LPARAM>(&record_));
  }
  ~CreatedDialog() {
    if (dialog_) DestroyWindow(dialog_);
    if (frame_) DestroyWindow(frame_);
  }
  CreatedDialog(const CreatedDialog&) = delete;
  CreatedDialog& operator=(const CreatedDialog&) = delete;

  HWND Window() const { return dialog_; }
  const DialogRecord& Record() const { return record_; }

 private:
  std::vector<std::byte> bytes_;
  DialogRecord record_;
  HWND frame_ = nullptr;
  HWND dialog_ = nullptr;
};

class DialogUsage : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(ResourceModule(), nullptr) << "module with the resources not found"; }
};

// ---- Labels and buttons show their whole text in the dialog font ------------------------------------------

class DialogTextFits : public DialogUsage, public ::testing::WithParamInterface<int> {};

TEST_P(DialogTextFits, EveryLabelAndButtonTextFitsItsControl) {
  CreatedDialog created(GetParam());
  ASSERT_NE(created.Window(), nullptr);
  HDC dc = GetDC(created.Window());
  for (HWND child = GetWindow(created.Window(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::wstring className = ClassName(child);
    if (CompareStringOrdinal(className.c_str(), -1, L"Static", -1, TRUE) != CSTR_EQUAL &&
        CompareStringOrdinal(className.c_str(), -1, L"Button", -1, TRUE) != CSTR_EQUAL)
      continue;
    const std::wstring text = WindowText(child);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, previous);
    RECT client = {};
    GetClientRect(child, &client);
    EXPECT_LE(extent.cx, client.right) << testing::PrintToString(text);
    EXPECT_LE(extent.cy, client.bottom) << testing::PrintToString(text);
  }
  ReleaseDC(created.Window(), dc);
}

INSTANTIATE_TEST_SUITE_P(EveryTemplate, DialogTextFits,
                         testing::Values(kChooseFontDialog, kBasicPage, kSelectOptionsDialog, kCodeTextDialog,
                                         kCustomPage));

// ---- Modal dialogs of the module ----------------------------------------------------------------------

TEST_F(DialogUsage, OkIsTheDefaultButtonOfTheModalDialogs) {
  for (int dialogId : {kChooseFontDialog, kSelectOptionsDialog, kCodeTextDialog}) {
    CreatedDialog created(dialogId);
    ASSERT_NE(created.Window(), nullptr) << dialogId;
    const LRESULT defaultId = SendMessageW(created.Window(), DM_GETDEFID, 0, 0);
    EXPECT_EQ(HIWORD(defaultId), DC_HASDEFID) << dialogId;
    EXPECT_EQ(LOWORD(defaultId), IDOK) << dialogId;
  }
}

TEST_F(DialogUsage, EnterInTheTextBoxPressesOk) {
  CreatedDialog created(kCodeTextDialog);
  ASSERT_NE(created.Window(), nullptr);
  HWND text = GetDlgItem(created.Window(), 1013);
  ASSERT_NE(text, nullptr);
  SetFocus(text);
  SetWindowTextW(text, L"first line");

  MSG enter = {text, WM_KEYDOWN, VK_RETURN, 0x001C0001, static_cast<DWORD>(GetMessageTime()), {}};
  if (!IsDialogMessageW(created.Window(), &enter)) {
    TranslateMessage(&enter);
    DispatchMessageW(&enter);
  }
  const DialogRecord& record = created.Record();
  EXPECT_TRUE(PumpUntil([&] { return record.Received(IDOK); }, created.Window()));
  EXPECT_FALSE(record.Received(IDCANCEL));
  EXPECT_EQ(WindowText(text), L"first line") << "Enter must not reach the text";
}

// ---- The font dialog with the module's template ----------------------------------------------------------

constexpr UINT kInspectFontDialog = WM_APP + 1;

struct FontDialogProbe {
  std::wstring caption;
  LRESULT faceCount = -1;
  std::wstring firstFace;
};

FontDialogProbe* activeFontProbe = nullptr;

// Looks at the running dialog once its initialisation is over, picks the first face and presses OK.
UINT_PTR CALLBACK FontDialogHook(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    PostMessageW(dialog, kInspectFontDialog, 0, 0);
    return TRUE;
  }
  if (message != kInspectFontDialog || !activeFontProbe) return FALSE;
  activeFontProbe->caption = WindowText(dialog);
  HWND faces = GetDlgItem(dialog, 1136);
  if (faces) {
    activeFontProbe->faceCount = SendMessageW(faces, CB_GETCOUNT, 0, 0);
    wchar_t face[LF_FACESIZE] = {};
    if (SendMessageW(faces, CB_GETLBTEXTLEN, 0, 0) < LF_FACESIZE)
      SendMessageW(faces, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(face));
    activeFontProbe->firstFace = face;
    SendMessageW(faces, CB_SETCURSEL, 0, 0);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE), reinterpret_cast<LPARAM>(faces));
  }
  PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  return TRUE;
}

TEST_F(DialogUsage, FontDialogRunsOnTheTemplateAndReturnsTheChosenFace) {
  FontDialogProbe probe;
  activeFontProbe = &probe;
  LOGFONTW font = {};
  font.lfHeight = 16;
  CHOOSEFONTW choose = {};
  choose.lStructSize = sizeof choose;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_INITTOLOGFONTSTRUCT |
                 CF_NOSTYLESEL | CF_NOSIZESEL | CF_NOSCRIPTSEL;
  choose.lpfnHook = FontDialogHook;
  choose.hInstance = ResourceModule();
  choose.lpTemplateName = MAKEINTRESOURCEW(kChooseFontDialog);
  const BOOL chosen = ChooseFontW(&choose);
  activeFontProbe = nullptr;

  EXPECT_TRUE(chosen) << "common dialog error " << CommDlgExtendedError();
  EXPECT_EQ(probe.caption, L"Choose font");
  EXPECT_GT(probe.faceCount, 0) << "the dialog fills the template's face list";
  EXPECT_FALSE(probe.firstFace.empty());
  EXPECT_EQ(std::wstring(font.lfFaceName), probe.firstFace);
}

// ---- The property sheet pages ---------------------------------------------------------------------------

INT_PTR CALLBACK PassivePageProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// One sheet serves every case: under Wine without a window manager, taking a shown window down waits
// for a map state that never changes, which costs seconds per sheet.
class PropertySheetPages : public DialogUsage {
 protected:
  static void SetUpTestSuite() {
    if (!ResourceModule()) return;
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_TAB_CLASSES};
    InitCommonControlsEx(&init);
    PROPSHEETPAGEW pages[2] = {};
    const int templates[2] = {kBasicPage, kCustomPage};
    for (int i = 0; i < 2; ++i) {
      pages[i].dwSize = sizeof pages[i];
      pages[i].hInstance = ResourceModule();
      pages[i].pszTemplate = MAKEINTRESOURCEW(templates[i]);
      pages[i].pfnDlgProc = PassivePageProc;
    }
    PROPSHEETHEADERW header = {};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS;
    header.pszCaption = L"Element properties";
    header.nPages = 2;
    header.ppsp = pages;
    sheet_ = reinterpret_cast<HWND>(PropertySheetW(&header));
  }
  static void TearDownTestSuite() {
    if (sheet_) DestroyWindow(sheet_);
    sheet_ = nullptr;
  }
  void SetUp() override {
    DialogUsage::SetUp();
    ASSERT_NE(sheet_, nullptr) << "the property sheet could not be created from the page templates";
  }

  static HWND ShowPage(int index) {
    SendMessageW(sheet_, PSM_SETCURSEL, index, 0);
    return reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
  }

  static inline HWND sheet_ = nullptr;
};

TEST_F(PropertySheetPages, TabsAreTitledByThePageCaptions) {
  HWND tabs = reinterpret_cast<HWND>(SendMessageW(sheet_, PSM_GETTABCONTROL, 0, 0));
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0), 2);
  const wchar_t* const titles[] = {L"Basic", L"Custom"};
  for (int i = 0; i < 2; ++i) {
    wchar_t text[64] = {};
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    ASSERT_TRUE(SendMessageW(tabs, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&item)));
    EXPECT_STREQ(text, titles[i]);
  }
}

TEST_F(PropertySheetPages, BasicPageHoldsTheOwnerDrawnGridListBox) {
  HWND page = ShowPage(0);
  ASSERT_NE(page, nullptr);
  HWND grid = GetDlgItem(page, 1000);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(CompareStringOrdinal(ClassName(grid).c_str(), -1, L"ListBox", -1, TRUE), CSTR_EQUAL);
  // The scroll bar style comes and goes with the content, so only the list box's own styles are asked.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(grid, GWL_STYLE));
  EXPECT_EQ(style & (LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT),
            static_cast<DWORD>(LBS_OWNERDRAWVARIABLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT));
  EXPECT_TRUE(GetWindowLongPtrW(grid, GWL_EXSTYLE) & WS_EX_STATICEDGE);
  EXPECT_TRUE(IsWindowVisible(grid));
}

TEST_F(PropertySheetPages, CustomPageHoldsTheAttributeBoxesAndButtons) {
  HWND page = ShowPage(1);
  ASSERT_NE(page, nullptr);
  for (int id : {1014, 1015}) {
    HWND box = GetDlgItem(page, id);
    ASSERT_NE(box, nullptr) << id;
    EXPECT_EQ(CompareStringOrdinal(ClassName(box).c_str(), -1, L"Edit", -1, TRUE), CSTR_EQUAL) << id;
    EXPECT_TRUE(GetWindowLongPtrW(box, GWL_STYLE) & ES_AUTOHSCROLL) << id;
  }
  ASSERT_NE(GetDlgItem(page, 1017), nullptr);
  ASSERT_NE(GetDlgItem(page, 1016), nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(page, 1017)), L"Get");
  EXPECT_EQ(WindowText(GetDlgItem(page, 1016)), L"Set");
}

}  // namespace
}  // namespace vellum::test
