// A window-procedure thunk: a few bytes of machine code that call a static procedure with the owning
// object in place of the window handle, so that a window finds its object without a lookup.
#pragma once

#include <windows.h>

class CWindowThunk {
 public:
  using ObjectProc = LRESULT(CALLBACK*)(HWND self, UINT msg, WPARAM wParam, LPARAM lParam);

  CWindowThunk() = default;
  CWindowThunk(const CWindowThunk&) = delete;
  CWindowThunk& operator=(const CWindowThunk&) = delete;
  ~CWindowThunk();

  // Builds the code; false when no executable memory can be had.
  bool Init(ObjectProc proc, void* object);
  WNDPROC GetWndProc() const { return reinterpret_cast<WNDPROC>(code_); }

 private:
  void* code_ = nullptr;  // block of the module's executable heap
};
