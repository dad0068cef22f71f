// The live form: the page's controls worked with the mouse and the keyboard in the document window.
// A CLiveForm is made for one message and keeps nothing itself: the focus and caret live in the
// document's CViewFocus, the values in its CFormState, an open drop-down list in its own window.
// Every change invalidates the view so that the painter shows it.
#pragma once

#include <windows.h>

#include "engine/com/view/LiveFormControls.h"
#include "engine/com/view/LiveFormFocusOrder.h"
#include "engine/com/view/LiveFormTextEdit.h"
#include "engine/com/view/ViewScrolling.h"

namespace vellum::engine::com {

class CHtmlDocument;

// Routes the view's input messages to the live form; false for messages it leaves to the default
// window procedure (result untouched then).
bool LiveFormMessageMap(CHtmlDocument& document, HWND view, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

// IOleInPlaceActiveObject::TranslateAccelerator for the view: S_OK when the live form handled the
// key (it must then not be dispatched), S_FALSE when it is not for the view or not a key the form
// takes at this stage (the container dispatches it, typed characters arrive as WM_CHAR).
HRESULT LiveFormTranslateAccelerator(CHtmlDocument& document, const MSG& msg);

enum class FocusOrigin { Keyboard, Mouse };  // Tab selects a text box's whole text; a click places the caret
enum class Modifiers : unsigned { None = 0, Shift = 1, Control = 2 };
inline bool Has(Modifiers set, Modifiers one) { return (static_cast<unsigned>(set) & static_cast<unsigned>(one)) != 0; }
inline Modifiers operator|(Modifiers a, Modifiers b) {
  return static_cast<Modifiers>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}

class CLiveForm {
 public:
  explicit CLiveForm(CHtmlDocument& document);

  // Mouse (view client coordinates).
  void OnButtonDown(POINT point, Modifiers modifiers);
  void OnMouseMove(POINT point);
  void OnButtonUp(POINT point);
  void OnCaptureLost();
  // The wheel over a list box or text area scrolls it (`delta` in WHEEL_DELTA units, positive away
  // from the user); false when there is nothing under the point to scroll.
  bool OnWheel(POINT point, int delta);
  // Keyboard: true when the focused control took the key.
  bool OnKeyDown(UINT key, Modifiers modifiers);
  bool OnKeyUp(UINT key);
  bool OnChar(wchar_t typed);
  // Tab and Shift+Tab: true when the focus moved to a control, false when it left the page.
  bool MoveFocus(TabDirection direction);
  void OnViewFocusLost();
  void OnViewDestroyed();

  // The focused control, if it can still take the focus (it may have been removed or disabled since).
  vellum::engine::Element* FocusedControl();
  void Focus(vellum::engine::Element* control, FocusOrigin origin);

 private:
  // Text entry of the focused control (LiveFormTyping.cpp).
  bool TextKeyDown(vellum::engine::Element& control, UINT key, Modifiers modifiers);
  bool TypeText(vellum::engine::Element& control, std::u16string_view typed);
  bool ShortcutKeyDown(vellum::engine::Element& control, UINT key);  // Ctrl+A, C, X, V
  TextEdit CurrentEdit(const vellum::engine::Element& control);
  void ApplyEdit(vellum::engine::Element& control, const TextEdit& edit, bool textChanged);
  void PlaceCaretAt(vellum::engine::Element& control, POINT point, Selecting selecting);
  // Check boxes, radios, buttons and selects (LiveFormChoices.cpp).
  bool ChoiceKeyDown(vellum::engine::Element& control, UINT key, Modifiers modifiers);
  void Activate(vellum::engine::Element& control);
  void ChooseListRow(vellum::engine::Element& select, POINT point, Modifiers modifiers);
  bool StepSelection(vellum::engine::Element& select, UINT key);
  bool StepRadio(vellum::engine::Element& radio, UINT key);
  void SetPressed(bool pressed);
  // Scrolling lists and text areas (LiveFormScrolling.cpp).
  ScrollExtent ScrollExtentOf(const vellum::engine::Element& control, const vellum::engine::layout::Rect& box);
  bool ClickScrollBar(vellum::engine::Element& control, POINT point);  // false when the point is off the bar
  void ScrollBy(vellum::engine::Element& control, long items);
  void KeepRowInSight(vellum::engine::Element& select, long row);

  void Changed();  // the view shows the new state
  const vellum::engine::layout::Rect* BoxOf(const vellum::engine::Element& element);
  vellum::engine::Element* ControlAt(POINT point, bool& throughLabel);

  CHtmlDocument& document_;
};

}  // namespace vellum::engine::com
