// The in-place editors of button and list rows: an edit control that shows the value and cannot be typed
// into, with a square button at its right end that keeps the focus. The button of a button row opens the
// row's dialog ("..."); the arrow of a list row drops a list of its texts.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "window/MessageWindow.h"

class CProperty;

// A window of the editor other than the edit itself (its button, its drop list), whose messages the
// editor handles as a map of its own.
class CDropPart : public CMessageWindow {
 public:
  using Handler = LRESULT (*)(void* editor, CDropPart& part, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  CDropPart(void* editor, Handler handler) : editor_(editor), handler_(handler) {}
  LRESULT Previous(UINT msg, WPARAM wParam, LPARAM lParam) { return CallPreviousProc(msg, wParam, lParam); }

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
    return handler_(editor_, *this, msg, wParam, lParam, handled);
  }

 private:
  void* editor_;
  Handler handler_;
};

template <class T, bool Arrow>
class CPropertyDropWindowImpl : public CMessageWindow {
 public:
  static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  static constexpr DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | BS_OWNERDRAW;

  HWND Button() const { return button_.GetHwnd(); }

 protected:
  CPropertyDropWindowImpl() : button_(this, &ButtonMessage) {}

  // The edit over cell (a pixel shorter at top and bottom), attached to editor, with its button.
  static HWND CreateEdit(T* editor, HWND grid, const RECT& cell, const wchar_t* text);
  // What the control's WM_CREATE leaves to the editor: font, no border, margins, the button.
  bool SetUpEdit();

  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
  void OnFinalMessage() override { delete static_cast<T*>(this); }

  // The end of editing reaches the grid after the editor's own message has returned.
  void EndEditing(UINT message) { PostMessageW(GetParent(GetHwnd()), message, 0, reinterpret_cast<LPARAM>(GetHwnd())); }

 private:
  static LRESULT ButtonMessage(void* editor, CDropPart& part, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);
  void DrawButton(const DRAWITEMSTRUCT& item);

  CDropPart button_;
};

// A button row's editor: "..." runs the row's dialog.
class CPropertyButtonWindow : public CPropertyDropWindowImpl<CPropertyButtonWindow, false> {
 public:
  static HWND Create(HWND grid, const RECT& cell, const wchar_t* text, CProperty* item);

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  friend class CPropertyDropWindowImpl<CPropertyButtonWindow, false>;
  explicit CPropertyButtonWindow(CProperty* item) : item_(item) {}
  CProperty* item_;  // not owned
};

// A list row's editor: the arrow drops the list of texts; Enter or a click on a text takes it.
class CPropertyComboWindow : public CPropertyDropWindowImpl<CPropertyComboWindow, true> {
 public:
  static HWND Create(HWND grid, const RECT& cell, const wchar_t* text, const std::vector<std::wstring>& texts,
                     int index);

  // No integral height: the list opens exactly as high as the drop rule says.
  static constexpr DWORD kListStyle = WS_POPUP | WS_BORDER | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
  static constexpr int kMaxDropHeight = 140;

  HWND DropList() const { return list_.GetHwnd(); }

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  friend class CPropertyDropWindowImpl<CPropertyComboWindow, true>;
  CPropertyComboWindow() : list_(this, &ListMessage) {}
  bool CreateDropList();
  void ShowDropList();
  // Enter in the list, or a click on it: its selected text becomes the value.
  void TakeSelection();
  static LRESULT ListMessage(void* editor, CDropPart& part, UINT msg, WPARAM wParam, LPARAM lParam, bool& handled);

  CDropPart list_;
  int dropHeight_ = 0;  // 0 until the list is first shown
};
