// CVlmUIWin: the transparent design surface over the page. It owns the selection and turns the mouse
// into selecting, moving, resizing and drawing rectangles.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <plinthcore.h>

#include "control/MessageWindow.h"
#include "surface/UIRect.h"

class CVellum;

// Surface modes.
enum SurfaceMode : int {
  kModeIdle = 1,
  kModeInsertArmed = 2,
  kModeDrawing = 3,
  kModeResizing = 4,
  kModeMoving = 5,
};

class CVlmUIWin : public CMessageWindow, public CHeapObject {
 public:
  static constexpr int kControlId = 4096;
  static constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;  // 0x56000000
  static constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TRANSPARENT;                         // 0x28

  explicit CVlmUIWin(CVellum* owner) : owner_(owner) {}
  ~CVlmUIWin() override;

  // Creates the window as a child of parent covering rect; false when it cannot be made.
  bool Create(HWND parent, const RECT& rect);
  void Destroy();

  // Selection.
  void ClearSelection();
  int HasSelection() const { return 0; }
  int HasMultipleSelection() const { return 0; }
  IHTMLElement* SelectedElement() const { return nullptr; }
  void RefreshSelection() { Redraw(); }
  void ApplySelection() {}

  // Modes.
  int ArmInsertion();
  int DisarmInsertion();
  int Mode() const { return mode_; }

  // Moving and resizing (the control's arrow keys use them too); nothing to move without a selection.
  int BeginMove(int, int) { return 0; }
  int EndMove(int, int) { return 0; }
  int BeginResize(int, int, int) { return 0; }
  int EndResize(int, int) { return 0; }

  // Element commands over the selection.
  int DeleteSelection() { return 0; }
  int CanCut() const;
  int CanPaste() const;
  int CopySelection() { return 0; }
  int CutSelection() { return 0; }
  int PasteFromClipboard() { return 0; }
  int AlignTops() { return 0; }
  int AlignBottoms() { return 0; }
  int AlignLefts() { return 0; }
  int AlignRights() { return 0; }
  int MakeSameWidth() { return 0; }
  int MakeSameHeight() { return 0; }
  int MakeSameSize() { return 0; }

  // Painting.
  void Redraw();
  void RedrawDocument(const RECT& rect);
  void SetDocWindow(HWND docWindow);
  HWND DocWindow() const { return docWindow_; }

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  bool Locked() const;
  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnPaint();

  CVellum* owner_;                 // the control (not owned); may be null
  int mode_ = kModeIdle;           // SurfaceMode
  int resizeHandle_ = 0;           // hit code of the resize in progress
  int bandAdditive_ = 0;           // the rectangle being drawn adds to the selection
  HWND docWindow_ = nullptr;       // the document's window, repainted under the surface
  CUIRect band_;                   // the rectangle being drawn
};
