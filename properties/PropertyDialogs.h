// The dialogs that compound property rows open: the options of a select, the text of a text area, and
// the common font, colour and open-file dialogs. Each answers true for OK, with the result in its last
// argument, and false for Cancel or a dialog that cannot be shown. Texts stay wide throughout.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window/DialogWindow.h"

// The first face of a font family list ("'Times New Roman', serif" gives Times New Roman), or empty when
// it is longer than a LOGFONT face name holds.
std::wstring FirstFace(const std::wstring& family);

struct SelectOption {
  std::wstring name;   // the option's text
  std::wstring value;  // its value
};

// The options dialog: edits the list it is given in place; putting it back after Cancel is the caller's.
class CSelOptionsDlg : public CDialogWindow {
 public:
  explicit CSelOptionsDlg(std::vector<SelectOption>& options) : options_(options) {}
  // 1 for OK, 2 for Cancel.
  INT_PTR Run(HWND owner);

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void FillOptionsList();
  void OnSelectionChange();
  void OnNewOption();
  void OnUpdate();
  void OnRemove();
  int Selection() const;
  HWND List() const { return GetDlgItem(GetHwnd(), kList); }

  static constexpr int kList = 1006;
  std::vector<SelectOption>& options_;
};

// The line the options list shows for an option: "name = value", or the name alone without a value.
std::wstring OptionLine(const SelectOption& option);

bool RunCodeDialog(HWND owner, std::wstring& text);
// The common font dialog on the module's face-only template: it starts on the first face of a font
// family and answers the face chosen.
class CChooseFontDlg {
 public:
  explicit CChooseFontDlg(const std::wstring& family) : face_(FirstFace(family)) {}
  // True on OK, with Face() the face chosen.
  bool DoModal(HWND owner);
  const std::wstring& Face() const { return face_; }

 private:
  std::wstring face_;
};
bool RunColourDialog(HWND owner, COLORREF initial, COLORREF& chosen);
// filter: pairs of zero-terminated texts ending in an empty one, as the dialog takes it.
bool RunOpenFileDialog(HWND owner, const std::wstring& initial, const std::wstring& filter, std::wstring& chosen);
