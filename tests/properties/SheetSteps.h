// Steps for the modal driver that work the element property sheet: its pages, its grid's rows, the
// dialogs rows open, and its buttons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ModalDriver.h"

class CProperty;

namespace pt {

using vt::ModalDriver;

// The sheet's page shown now (null when window is no property sheet).
HWND CurrentPage(HWND sheet);
// The Basic page's grid.
HWND GridOf(HWND sheet);
// The grid row with the name: the first value row of that name, else the category; null when none.
CProperty* RowNamed(HWND grid, const std::wstring& name, int* index = nullptr);
std::vector<std::wstring> RowNames(HWND grid);

// Sets a row's value as an editor's commit does (WM_PROP_SETVALUE with a text).
ModalDriver::Step SetRowText(const std::wstring& name, const std::wstring& text);
// Clicks a button of the sheet (PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW) as the mouse does.
ModalDriver::Step PressSheetButton(int button);
// Asks the grid to run the row's dialog (as the "..." button does): PGN_EDIT reaches the page.
ModalDriver::Step OpenRowDialog(const std::wstring& name);

}  // namespace pt
