// The designer's main window: a menu bar, the toolbox, the form on its scrollable canvas and a status
// bar, around one QX_VELLUM control. Menus, accelerators, the toolbox and scripts all reach the same
// operations below.
#pragma once

#include <windows.h>

#include <string>

#include "FormCanvas.h"
#include "FormFiles.h"
#include "window/MessageWindow.h"

class CDesignerWindow : public CMessageWindow {
 public:
  // Makes the window and its control; false (with a message in error) when it cannot.
  bool Create(bool show, std::wstring& error);

  HWND Control() const { return control_; }
  HWND StatusBar() const { return status_; }
  HWND Toolbox() const { return toolbox_; }
  // The window a click or a key reaches on the form: the design surface, or the page in preview.
  HWND Surface() const;
  const std::wstring& Path() const { return path_; }
  bool Dirty() const { return dirty_; }
  // A script drives the window: it asks nothing (no save prompts, no dialogs but the sheet's).
  void SetScripted(bool scripted) { scripted_ = scripted; }
  // The application ends with its window (a window made by a test does not end the test).
  void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }

  // The operations of the menus. Each answers whether it did what it was asked.
  bool New();
  bool Open(const std::wstring& path);  // an empty path asks for one
  bool Save();
  bool SaveAs(const std::wstring& path);  // an empty path asks for one
  // Runs a menu command (the toolbox's and the accelerators' too); false when it failed or was refused.
  bool RunCommand(UINT id);
  // Asks whether to save unsaved changes: true when the caller may go on (saved, or not wanted).
  bool MaySetAside();
  // Lets pending work (a load's completion, posted notifications) finish.
  void Settle();
  // Enables every command as the control answers now.
  void UpdateCommands();
  // The accelerators and the control's own keys, for the message loop; true when msg was taken.
  bool TranslateKeys(MSG& msg);
  std::wstring StatusText(int part) const;

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  bool CreateChildren(std::wstring& error);
  void Layout();
  void UpdateTitle();
  void UpdateRecentMenu();
  void OnControlNotice(const NMHDR& notice);
  bool LoadText(const std::string& bytes);
  // The form is now the file at path, unchanged: title, recent files.
  void BecomeFile(const std::wstring& path);
  // Tells a person what failed (a script reads its failure from the result instead).
  void Complain(const std::wstring& text) const;
  bool InsertObject();
  void SetStatus(int part, const std::wstring& text);
  LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageW(control_, msg, wParam, lParam);
  }

  HWND toolbox_ = nullptr;
  HWND status_ = nullptr;
  HWND control_ = nullptr;
  HACCEL accelerators_ = nullptr;
  CFormCanvas canvas_;
  std::wstring path_;   // the file the form was opened from or saved to; empty for a new form
  bool dirty_ = false;  // changed since it was opened or saved
  bool scripted_ = false;
  bool quitOnDestroy_ = false;
  form_files::RecentFiles recent_;
};

// Status bar parts.
enum : int { kStatusTrack = 0, kStatusForm = 1, kStatusMessage = 2 };
