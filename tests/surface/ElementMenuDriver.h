// Drives the Element menu the way a user would, from inside its modal loop: a thread hook sees the menu
// come up, records the states of its items, and then posts the keys that choose an item or dismiss it.
#pragma once

#include <windows.h>

#include <map>
#include <vector>

namespace st {

class ElementMenuDriver {
 public:
  // keys: posted once the menu waits for input (VK_DOWN steps through the items, VK_RETURN chooses,
  // VK_ESCAPE dismisses).
  explicit ElementMenuDriver(std::vector<UINT> keys);
  ~ElementMenuDriver();
  ElementMenuDriver(const ElementMenuDriver&) = delete;
  ElementMenuDriver& operator=(const ElementMenuDriver&) = delete;

  bool Shown() const { return shown_; }
  // The item's state as the menu came up (MF_GRAYED, MF_DISABLED bits); -1 when it was not seen.
  int State(UINT id) const;
  bool Grayed(UINT id) const { return (State(id) & MF_GRAYED) != 0; }
  POINT Position() const { return position_; }  // where the menu appeared, in screen coordinates

  // Keys that reach the n-th item (counting from 0, separators included) and choose it.
  static std::vector<UINT> Choose(int position);
  static std::vector<UINT> Dismiss() { return {VK_ESCAPE}; }

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void Seen(const CWPSTRUCT& message);

  HHOOK hook_ = nullptr;
  UINT_PTR timer_ = 0;
  std::vector<UINT> keys_;
  bool shown_ = false;
  bool keysPosted_ = false;
  std::map<UINT, int> states_;
  POINT position_ = {-1, -1};
};

}  // namespace st
