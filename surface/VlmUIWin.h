// CVlmUIWin: the transparent design surface over the page. It owns the selection and turns the mouse
// into selecting, moving, resizing and drawing rectangles.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include <vector>

#include <plinthcore.h>

#include "window/MessageWindow.h"
#include "surface/UIHTMLRect.h"

class ISurfaceOwner;
class CDOMUtil;

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
  static constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TRANSPARENT;                        // 0x28

  explicit CVlmUIWin(ISurfaceOwner* owner) : owner_(owner) {}

  // Creates the window as a child of parent covering rect; false when it cannot be made.
  bool Create(HWND parent, const RECT& rect);
  // The owner is done with the surface: it forgets the owner at once and destroys its window; the
  // object goes once its own outermost message (or the owner's hold on it) has returned. Any of its
  // operations still on the stack sees the owner gone and stops there.
  void Dismiss();
  // False once dismissed: an operation that has just notified the host checks it before going on.
  bool Attached() const { return owner_ != nullptr; }

  // Selection (SurfaceSelection.cpp). The last rectangle is the primary selection.
  int SelectElementAt(int x, int y, int clearFirst, int makePrimary);
  int SelectInRect(const RECT& rect, int additive);
  void ClearSelection();
  void AddToSelection(CUIHTMLRect* r);       // takes ownership unless r is already listed
  void RemoveFromSelection(CUIHTMLRect* r);  // gives ownership back to the caller
  int HitTestSelection(int x, int y) const;
  CUIHTMLRect* FindBySourceIndex(long index) const;
  int HasSelection() const { return selection_.empty() ? 0 : 1; }
  int HasMultipleSelection() const { return selection_.size() > 1 ? 1 : 0; }
  CComRef<IHTMLElement> SelectedElement() const;
  const std::vector<CUIHTMLRect*>& Selection() const { return selection_; }
  void RefreshSelection();
  // Writes every rectangle into its element's style and takes an undo snapshot; 0 (the elements as they
  // were) when the snapshot cannot be taken. Running out of memory throws ComOutOfMemory or
  // std::bad_alloc before anything is written.
  int ApplySelection();

  // Modes.
  int ArmInsertion();
  int DisarmInsertion();
  int Mode() const { return mode_; }

  // Moving, resizing and drawing rectangles (SurfaceDrag.cpp); the control's arrow keys use the first two
  // families too.
  int BeginMove(int x, int y);
  int MoveStep(int x, int y);
  int EndMove(int x, int y);
  int BeginResize(int x, int y, int code);
  int ResizeStep(int x, int y);
  int EndResize(int x, int y);
  int BeginBand(int x, int y, int additive);
  int BandStep(int x, int y);
  int EndBand(int x, int y);

  // Element commands over the selection (SurfaceCommands.cpp, SurfaceClipboard.cpp).
  int DeleteSelection();
  int DeselectAt(int x, int y);
  int CanCut() const;
  int CanPaste() const;
  int CopySelection();
  int CutSelection();
  // inserted, when given, says whether the paste added anything to the page (garbage on the clipboard may
  // parse to nothing).
  int PasteFromClipboard(bool* inserted = nullptr);
  int AlignTops();
  int AlignBottoms();
  int AlignLefts();
  int AlignRights();
  int MakeSameWidth();
  int MakeSameHeight();
  int MakeSameSize();

  // Painting. While a CHeldRedraw is alive, Redraw() only notes that it is due, and the last hold to end
  // redraws once: an edit made of several steps inside one message (a nudge, the release of a drag)
  // shows its result, not each step.
  void Redraw();
  class CHeldRedraw {
   public:
    explicit CHeldRedraw(CVlmUIWin& surface) : surface_(surface) { ++surface_.redrawsHeld_; }
    ~CHeldRedraw() {
      if (--surface_.redrawsHeld_ == 0 && surface_.redrawDue_) {
        surface_.redrawDue_ = false;
        surface_.Redraw();
      }
    }
    CHeldRedraw(const CHeldRedraw&) = delete;
    CHeldRedraw& operator=(const CHeldRedraw&) = delete;

   private:
    CVlmUIWin& surface_;
  };
  void RedrawDocument(const RECT& rect);
  void RedrawDocument(HRGN region);
  void DrawTrackers(HDC dc);
  void SetCursorFor(int code);
  void SetDocWindow(HWND docWindow);

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  bool Locked() const;
  // The owner's document; empty when there is no owner or document.
  CComRef<IHTMLDocument2> OwnerDocument() const;
  RECT Bounds() const;  // the client area: no rectangle may leave it during a drag
  // The step every drag of mode `mode` shares: every rectangle must allow it, else nothing happens.
  template <class Allows, class Apply>
  int DragStep(int mode, Allows allows, Apply apply);
  template <class Allows, class Apply>
  int EndDrag(int mode, Allows allows, Apply apply);
  // Applies change to every rectangle with the primary one as reference, then writes them back.
  template <class Change>
  int Align(Change change);
  void TrackMouse(int x, int y);  // posts the track rectangle of a bare mouse position
  template <class Operation>
  LRESULT RunMouseOperation(Operation&& operation);

  LRESULT OnLeftButtonDown(int x, int y, WPARAM keys);
  LRESULT OnLeftButtonUp(int x, int y);
  void ApplyDrag();
  LRESULT OnRightButtonDown(int x, int y);
  LRESULT OnMouseMove(int x, int y, WPARAM keys);
  LRESULT OnEraseBackground(HDC dc);
  LRESULT OnPaint(bool& handled);
  void OnFinalMessage() override;
  ~CVlmUIWin() override;

  ISurfaceOwner* owner_;                 // the control (not owned); may be null
  std::vector<CUIHTMLRect*> selection_;  // owned, in the order selected
  std::vector<RECT> drawn_;              // the extents of marks that may be on screen
  bool drawnUnknown_ = false;            // too many to list: the next Redraw() repaints all
  HRGN redrawing_ = nullptr;             // what Redraw() is repainting, while it does
  int redrawsHeld_ = 0;                  // CHeldRedraw objects alive
  bool redrawDue_ = false;               // a Redraw() was asked for meanwhile
  int mode_ = kModeIdle;                 // SurfaceMode
  int resizeHandle_ = 0;                 // hit code of the resize in progress
  int bandAdditive_ = 0;                 // the rectangle being drawn adds to the selection
  HWND docWindow_ = nullptr;             // the document's window, repainted under the surface
  CUIRect band_;                         // the rectangle being drawn
};
