// What the design surface needs of the control it lies over. The control implements it; the surface
// knows nothing else of it.
#pragma once

#include <windows.h>
#include <mshtml.h>

class CMessageWindow;

class ISurfaceOwner {
 public:
  // The hosted page; null when there is none.
  virtual IHTMLDocument2* Document() const = 0;
  // 1 while the form's structure is locked.
  virtual DWORD LockMode() const = 0;
  // The control's window, which takes the focus back from the surface.
  virtual HWND ControlWindow() const = 0;
  // A VLMN_* notification to the control's parent; the track and window rectangles only for the codes
  // that carry them.
  virtual void NotifyParent(UINT code, UINT kind, const RECT* track, const RECT* window) = 0;
  // The Element menu for a point of the surface's client area.
  virtual void ShowElementMenu(int x, int y) = 0;
  // An undo snapshot of the document as it is now; 1 on success.
  virtual int SaveToUndo() = 0;
  // Inserts the armed kind at the rectangle the user drew (flag: the band adds to the selection).
  virtual int InsertElementAt(const RECT& rect, int flag) = 0;
  // The surface ended one of its own operations (a click, a drag) because memory ran out: error
  // (VLM_ERR_*) becomes the control's last error.
  virtual void OperationFailed(DWORD error) = 0;

  // Notifications reach a host that may destroy the control or switch it to preview from its handler.
  // The surface holds this window object for the length of each of its own messages, so that the
  // control outlives every call the surface is still making into it.
  virtual CMessageWindow& LifetimeWindow() = 0;
  // The surface's window went away without the control dismissing it (its parent was destroyed).
  virtual void SurfaceDestroyed() = 0;

 protected:
  ~ISurfaceOwner() = default;
};
