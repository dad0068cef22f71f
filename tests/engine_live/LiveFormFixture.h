// A document shown in a container's window, worked with the window messages a user's mouse and
// keyboard produce, and read back through the object model.
#pragma once

#include <memory>
#include <string>

#include "EngineTestSupport.h"
#include "RecordingSite.h"

namespace lt {

// The container's top-level window. One serves every test: under Wine without a window manager,
// destroying a shown top-level window waits for the manager that never answers.
class HostWindow {
 public:
  HWND Hwnd() const;
};

// Holds a key down in the thread's keyboard state while it lives (Shift, Ctrl).
class HeldKey {
 public:
  explicit HeldKey(BYTE key);
  ~HeldKey();
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;

 private:
  BYTE saved_[256];
};

class LiveFormTest : public et::DocumentTest {
 protected:
  // Loads the page and activates it in a 400x300 window at the parent's origin.
  void Show(const std::wstring& html);
  void TearDown() override;

  // The mouse: a left click (button down and up) at view coordinates.
  void Click(int x, int y, WPARAM keys = 0);
  void ButtonDown(int x, int y, WPARAM keys = 0);
  void ButtonUp(int x, int y);
  // The keyboard as delivered to the focused view: a key press (down and up) and typed characters.
  void Press(UINT key);
  void Type(const std::wstring& text);
  // IOleInPlaceActiveObject::TranslateAccelerator with a key message for the window.
  HRESULT Translate(UINT key, UINT message = WM_KEYDOWN, HWND target = nullptr);
  HRESULT Tab() { return Translate(VK_TAB); }

  // The control's state as the object model reports it.
  std::wstring Value(const wchar_t* id);
  bool Checked(const wchar_t* id);
  LONG SelectedIndex(const wchar_t* id);
  bool OptionSelected(const wchar_t* selectId, LONG index);

  HWND view_ = nullptr;
  HostWindow parent_;
  std::unique_ptr<RecordingSite> site_;
};

// The popup list a drop-down select opened, if any (a visible list box window of this thread).
HWND OpenDropDownList();

}  // namespace lt
