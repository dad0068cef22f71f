// The property grid: an owner-drawn list box, taken over by subclassing, whose entries are property rows.
// It draws each row as a name and a value column with a divider the mouse can drag, turns keys and clicks
// into the rows' actions and in-place editors, and tells its parent when a value changed. Its parent
// reflects WM_DRAWITEM, WM_MEASUREITEM and WM_COMMAND back to it (OCM_ messages, 0x2000 added), as a
// property page does.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <olectl.h>  // OCM_DRAWITEM and the other reflected messages

#include <memory>
#include <string>

#include "propgrid/GridProtocol.h"
#include "propgrid/PropertyRows.h"
#include "window/MessageWindow.h"

class CPropertyGrid : public CMessageWindow {
 public:
  CPropertyGrid() = default;
  ~CPropertyGrid() override;

  // Takes over the list box; false when it cannot.
  bool SubclassGrid(HWND listBox);
  // Appends a row; the grid owns it from then on. Null (and the row destroyed) when the list refuses it.
  CProperty* AddItem(std::unique_ptr<CProperty> item);
  // The row at index; null for an index outside the rows.
  CProperty* GetItem(int index) const;
  int GetCount() const;
  // The x of the divider between the name and the value column, in client pixels.
  int Divider() const { return divider_; }
  // The editor open on a row, or null.
  HWND Editor() const { return editor_; }
  // Commits the open editor (as losing the focus would): before the selection moves, the grid scrolls, a
  // category folds, or the page applies.
  void CommitEditor();

  const PropertyDrawInfo& DrawInfo() const { return info_; }

 protected:
  LRESULT ProcessMessage(UINT msg, WPARAM wParam, LPARAM lParam, bool& handled) override;

 private:
  void BuildDrawInfo();
  void ReleaseDrawInfo();
  int RowHeight() const { return rowHeight_; }
  void DrawRow(const DRAWITEMSTRUCT& item);
  RECT ValueCell(int index) const;
  int IndexOf(const CProperty* row) const;
  // Opens the row's editor over its value cell; false when the row has none.
  bool OpenEditor(int index);
  void EndEditing(HWND editor, bool take);
  void ValueChanged(CProperty* row);
  void Notify(int code, CProperty* row);
  bool OnKeyDown(UINT key);
  bool OnChar(wchar_t c);
  void OnLeftButtonDown(POINT point);
  void OnDoubleClick(POINT point);
  void DeleteRowsOnDestroy();
  // The tip over a value too long for its cell: the row under the mouse and its whole text.
  void CreateTip();
  void TrackTip(POINT point);
  LRESULT OnTipText(NMTTDISPINFOW& request);

  PropertyDrawInfo info_ = {};
  int rowHeight_ = 16;
  int divider_ = 0;  // 0 until the first measure: then half the width
  bool draggingDivider_ = false;
  HWND tip_ = nullptr;            // the tooltip that shows long values whole
  int tipRow_ = -1;               // the row the mouse is over
  std::wstring tipText_;          // what the tip shows now
  HWND editor_ = nullptr;         // the open editor
  CProperty* editing_ = nullptr;  // the row it edits
};
