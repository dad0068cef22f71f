// What the property grid, its rows, its editors and the page that holds it say to each other: the grid's
// messages, its notifications, the actions it passes to rows, and the record rows draw with.
#pragma once

#include <windows.h>

// Messages the grid window receives.
enum : UINT {
  WM_PROP_UPDATE = WM_USER + 465,    // lParam the editor: take its value, end editing
  WM_PROP_CANCEL = WM_USER + 466,    // lParam the editor: end editing, value unchanged
  WM_PROP_SETVALUE = WM_USER + 467,  // wParam the new VARIANT*, lParam the row
  WM_PROP_EXPAND = WM_USER + 468,    // lParam the category
  WM_PROP_COLLAPSE = WM_USER + 469,  // lParam the category
  // Posted by a row that needs its dialog once the current edit is over: lParam the row. The grid asks
  // its parent to run it (PGN_EDIT) when the row is still one of its rows.
  WM_PROP_EDIT = WM_USER + 470,
};

// Notifications to the grid's parent: an NMHDR followed by the row.
enum : int {
  PGN_VALUECHANGED = -3003,
  PGN_EDIT = -3006,
};

class CProperty;

struct NMPROPERTYGRID {
  NMHDR hdr;
  CProperty* item;
};

// Actions the grid passes to a row's OnAction.
enum : int {
  PROP_ACTION_TOGGLE_CATEGORY = 2,  // a category expands or collapses
  PROP_ACTION_TOGGLE_CHECK = 3,     // a check row toggles
  PROP_ACTION_ACTIVATE = 4,         // the row's main action: toggle, next option, focus the editor, dialog
  PROP_ACTION_BROWSE = 5,           // the button editor's "..." was clicked
  PROP_ACTION_FOCUS_EDITOR = 6,     // the editor takes the focus with its whole text selected
  PROP_ACTION_OPEN = 7,             // open what the row edits with: drop list, dialog, editor
};

// The kinds GetKind answers.
enum : BYTE {
  PROP_KIND_CATEGORY = 1,
  PROP_KIND_VALUE = 2,
  PROP_KIND_EDIT = 3,
  PROP_KIND_LIST = 4,
  PROP_KIND_CHECK = 6,
};

// What the grid hands each row with the device context and the cell to draw in. The grid owns the GDI
// objects.
struct PropertyDrawInfo {
  HFONT font;            // names and values
  HFONT categoryFont;    // category names (bold)
  HBRUSH categoryBrush;  // the band behind category rows
  COLORREF text;
  COLORREF background;
  COLORREF selectedText;
  COLORREF selectedBackground;
  COLORREF categoryBackground;
  COLORREF disabledText;
  UINT state;  // PROP_DRAW_SELECTED when the row being drawn is selected
};

enum : UINT { PROP_DRAW_SELECTED = 1 };
