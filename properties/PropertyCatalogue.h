// Which rows the Basic page shows for an element: five categories and the properties that suit the
// element's kind, each bound to its attribute or style property, checked against its pattern.
#pragma once

#include <windows.h>
#include <mshtml.h>

class CPropertyGrid;

// The element's kind in the control's numbering (VLM_KIND_*); 0 without an element. Every select is a
// list (kind 10).
DWORD GetElementType(IHTMLElement* element);

// Adds the categories and rows for element to the end of grid; locked rows are disabled. Nothing without
// an element.
void BuildPropertyCatalogue(CPropertyGrid& grid, IHTMLElement* element, bool locked);
