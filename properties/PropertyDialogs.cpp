#include "properties/PropertyDialogs.h"

#include <commdlg.h>

#include "properties/ResourceText.h"
#include "resource_ids.h"
#include "window/WindowText.h"
#include "window/ModuleInstance.h"
#include "window/Trace.h"

namespace {

// The hook the common dialogs need once their hook flag is set; the dialogs' own processing does it all.
UINT_PTR CALLBACK QuietHook(HWND, UINT, WPARAM, LPARAM) { return 0; }

// The custom colours of the colour dialog, kept for the module's lifetime: white until the user stores one.
COLORREF customColours[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                              0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

// The text of a text area: the edit box holds any length, and the text goes in and out unconverted.
class CHTMLCodeDlg : public CDialogWindow {
 public:
  explicit CHTMLCodeDlg(std::wstring& text) : text_(text) {}

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM, bool& handled) override {
    if (msg == WM_INITDIALOG) {
      SendDlgItemMessageW(GetHwnd(), IDC_CODE_TEXT, EM_SETLIMITTEXT, 0, 0);
      SetDlgItemTextW(GetHwnd(), IDC_CODE_TEXT, text_.c_str());
      return TRUE;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDOK) {
      text_ = DialogItemText(GetHwnd(), IDC_CODE_TEXT);
      EndDialog(GetHwnd(), IDOK);
      return 0;
    }
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
      EndDialog(GetHwnd(), IDCANCEL);
      return 0;
    }
    handled = false;
    return 0;
  }

 private:
  std::wstring& text_;
};

bool IsBlankOrQuote(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'"' || c == L'\'';
}

}  // namespace

// --- options of a select ----------------------------------------------------------------------------------

std::wstring OptionLine(const SelectOption& option) {
  return option.value.empty() ? option.name : option.name + L" = " + option.value;
}

INT_PTR CSelOptionsDlg::Run(HWND owner) { return DoModal(owner, IDD_SELECT_OPTIONS); }

int CSelOptionsDlg::Selection() const { return static_cast<int>(SendMessageW(List(), LB_GETCURSEL, 0, 0)); }

void CSelOptionsDlg::FillOptionsList() {
  SendMessageW(List(), LB_RESETCONTENT, 0, 0);
  for (const SelectOption& option : options_) {
    if (SendMessageW(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(OptionLine(option).c_str())) < 0)
      TRACE("CSelOptionsDlg::FillOptionsList(): Can't add list string\n");
  }
}

void CSelOptionsDlg::OnSelectionChange() {
  const int at = Selection();
  if (at < 0 || at >= static_cast<int>(options_.size())) {
    SetDlgItemTextW(GetHwnd(), IDC_OPTION_NAME, L"");
    SetDlgItemTextW(GetHwnd(), IDC_OPTION_VALUE, L"");
    return;
  }
  SetDlgItemTextW(GetHwnd(), IDC_OPTION_NAME, options_[static_cast<size_t>(at)].name.c_str());
  SetDlgItemTextW(GetHwnd(), IDC_OPTION_VALUE, options_[static_cast<size_t>(at)].value.c_str());
}

void CSelOptionsDlg::OnNewOption() {
  SelectOption option{ResourceString(IDS_NEW_OPTION_NAME), ResourceString(IDS_NEW_OPTION_VALUE)};
  if (SendMessageW(List(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(OptionLine(option).c_str())) < 0) return;
  options_.push_back(std::move(option));
}

void CSelOptionsDlg::OnUpdate() {
  const int at = Selection();
  if (at < 0 || at >= static_cast<int>(options_.size())) return;
  SelectOption option{DialogItemText(GetHwnd(), IDC_OPTION_NAME), DialogItemText(GetHwnd(), IDC_OPTION_VALUE)};
  SendMessageW(List(), LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  SendMessageW(List(), LB_INSERTSTRING, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(OptionLine(option).c_str()));
  options_[static_cast<size_t>(at)] = std::move(option);
}

void CSelOptionsDlg::OnRemove() {
  const int at = Selection();
  if (at < 0 || at >= static_cast<int>(options_.size())) return;
  SendMessageW(List(), LB_DELETESTRING, static_cast<WPARAM>(at), 0);
  options_.erase(options_.begin() + at);
}

LRESULT CSelOptionsDlg::ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) {
  switch (msg) {
    case WM_INITDIALOG:
      FillOptionsList();
      return TRUE;
    case WM_VKEYTOITEM:
      if (reinterpret_cast<HWND>(lParam) == List() && LOWORD(wParam) == VK_DELETE) OnRemove();
      return -1;  // the list box goes on with its own handling of the key
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kList:
          if (HIWORD(wParam) == LBN_SELCHANGE) OnSelectionChange();
          return 0;
        case IDC_NEW_OPTION:
          OnNewOption();
          return 0;
        case IDC_UPDATE_OPTION:
          OnUpdate();
          return 0;
        case IDC_REMOVE_OPTION:
          OnRemove();
          return 0;
        case IDOK:
        case IDCANCEL:
          EndDialog(GetHwnd(), LOWORD(wParam));
          return 0;
        default:
          break;
      }
      break;
    default:
      break;
  }
  handled = false;
  return 0;
}

// --- the other dialogs ----------------------------------------------------------------------------------------

bool RunCodeDialog(HWND owner, std::wstring& text) {
  std::wstring edited = text;
  CHTMLCodeDlg dialog(edited);
  if (dialog.DoModal(owner, IDD_CODE_TEXT) != IDOK) return false;
  text = std::move(edited);
  return true;
}

std::wstring FirstFace(const std::wstring& family) {
  const size_t comma = family.find(L',');
  size_t begin = 0, end = comma == std::wstring::npos ? family.size() : comma;
  while (begin < end && IsBlankOrQuote(family[begin])) ++begin;
  while (end > begin && IsBlankOrQuote(family[end - 1])) --end;
  if (end - begin >= LF_FACESIZE) return std::wstring();
  return family.substr(begin, end - begin);
}

bool CChooseFontDlg::DoModal(HWND owner) {
  LOGFONTW font = {};
  font.lfHeight = 16;
  lstrcpynW(font.lfFaceName, face_.c_str(), LF_FACESIZE);
  CHOOSEFONTW choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.lpLogFont = &font;
  choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_INITTOLOGFONTSTRUCT |
                 CF_NOSTYLESEL | CF_NOSIZESEL | CF_NOSCRIPTSEL;
  choose.lpfnHook = QuietHook;
  choose.hInstance = Module_Instance();
  choose.lpTemplateName = MAKEINTRESOURCEW(IDD_CHOOSE_FONT);
  if (!ChooseFontW(&choose)) return false;
  face_ = font.lfFaceName;
  return true;
}

bool RunColourDialog(HWND owner, COLORREF initial, COLORREF& chosen) {
  CHOOSECOLORW choose = {};
  choose.lStructSize = sizeof choose;
  choose.hwndOwner = owner;
  choose.rgbResult = initial;
  choose.lpCustColors = customColours;
  choose.Flags = CC_ENABLEHOOK | (initial != 0 ? CC_RGBINIT : 0);
  choose.lpfnHook = QuietHook;
  if (!ChooseColorW(&choose)) return false;
  chosen = choose.rgbResult;
  return true;
}

bool RunOpenFileDialog(HWND owner, const std::wstring& initial, const std::wstring& filter, std::wstring& chosen) {
  // Room for the longest path the system takes, so that no choice is cut.
  std::wstring file(32768, L'\0');
  if (initial.size() < file.size()) initial.copy(file.data(), initial.size());
  wchar_t title[256] = {};
  OPENFILENAMEW open = {};
  open.lStructSize = sizeof open;
  open.hwndOwner = owner;
  open.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  open.lpstrFile = file.data();
  open.nMaxFile = static_cast<DWORD>(file.size());
  open.lpstrFileTitle = title;
  open.nMaxFileTitle = 256;
  open.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_ENABLESIZING;
  open.lpfnHook = QuietHook;
  if (!GetOpenFileNameW(&open)) return false;
  chosen.assign(file.c_str());
  return true;
}
