// A property page as the grid sees it: a window that reflects its controls' notifications back to them
// (through ReflectToControl, as the sheet's pages do) and records the notification codes they send it.
#pragma once

#include <windows.h>

#include <vector>

namespace gt {

class GridPage {
 public:
  // A child of parent, or a visible top-level window when parent is null.
  GridPage(HWND parent, RECT box);
  GridPage(const GridPage&) = delete;
  GridPage& operator=(const GridPage&) = delete;
  ~GridPage();

  HWND Hwnd() const { return hwnd_; }
  const std::vector<int>& Notices() const { return notices_; }
  int Count(int code) const;
  void Clear() { notices_.clear(); }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  std::vector<int> notices_;
};

}  // namespace gt
