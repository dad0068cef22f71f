// The insertion templates: what each insertable kind of element is made of.
#pragma once

#include <windows.h>

#include <plinthcore.h>

#include "document/DOMUtil.h"

// Rectangles smaller than this in both directions (a click, a slip of the mouse) get the default size.
constexpr int kInsertMinimumDrawn = 5;
constexpr int kInsertDefaultWidth = 65;
constexpr int kInsertDefaultHeight = 20;

// The rectangle an element is inserted at: as drawn, or the default size at its top-left corner when it
// is empty or below the minimum in both directions.
RECT InsertionRect(const RECT& drawn);

// The record of one template and the strings it points at.
struct InsertionRecord {
  HTMLElementCreateData record;  // points into the strings below
  CXStringW id;                  // prefix and counter: "label1", "textbox2"
  CXStringW style;               // "position: absolute; " and the rectangle
  CXStringW attributes;          // the kind's further attributes
  CXStringW innerHTML;           // the kind's content
};

// Fills out for kind (1..12) with the id number counter at rect; clsid is used by kind 12 only.
// False for any other kind. Running out of memory throws ComOutOfMemory.
bool BuildInsertionRecord(DWORD kind, DWORD counter, const RECT& rect, const CLSID& clsid, InsertionRecord& out);
