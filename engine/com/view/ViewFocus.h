// What the live form is doing right now, shared by the input handling (which changes it) and the
// painter (which shows it): the control with the keyboard focus, the caret in its text, a button
// held down under the mouse, and how far each list box and text area is scrolled.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "dom/element.h"

namespace vellum::engine::com {

// The first row a list box shows, or the first line a text area shows, per control; controls never
// scrolled show from the top. The controls are held so that an entry never names a freed element.
class CViewScroll {
 public:
  std::size_t FirstShown(const vellum::engine::Element& control) const {
    for (const Entry& entry : entries_)
      if (entry.control.get() == &control) return entry.first;
    return 0;
  }

  void SetFirstShown(vellum::engine::Element& control, std::size_t first) {
    auto at = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& entry) { return entry.control.get() == &control; });
    if (at != entries_.end()) {
      if (first == 0)
        entries_.erase(at);  // back at the top: the same as never scrolled
      else
        at->first = first;
      return;
    }
    if (first == 0) return;
    // A page has few scrolled controls; past the budget the one scrolled longest ago goes back to the top.
    if (entries_.size() >= kBudget) entries_.erase(entries_.begin());
    entries_.push_back({&control, first});
  }

 private:
  static constexpr std::size_t kBudget = 64;
  struct Entry {
    vellum::engine::RefPtr<vellum::engine::Element> control;
    std::size_t first = 0;
  };
  std::vector<Entry> entries_;
};

struct CViewFocus {
  vellum::engine::RefPtr<vellum::engine::Element> element;  // the focused control, or null
  std::size_t caret = 0;            // caret in the focused text control's value, in UTF-16 units
  std::size_t selectionAnchor = 0;  // other end of the selected text (equal to caret: no selection)
  bool pressed = false;             // the focused button, check box or radio is held down
  std::size_t firstVisible = 0;     // first character shown in the focused one-line text box
  CViewScroll scroll;               // scroll positions of lists and text areas, focused or not

  // The focus leaves its control; the controls stay scrolled where they were.
  void Blur() {
    CViewScroll kept = std::move(scroll);
    *this = CViewFocus();
    scroll = std::move(kept);
  }
  // A new page: nothing focused, nothing scrolled.
  void Clear() { *this = CViewFocus(); }
};

}  // namespace vellum::engine::com
