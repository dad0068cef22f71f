// Client areas and offset parents: the body's from the document window, every other element's from
// the document's layout.
#pragma once

#include <windows.h>

#include "dom/document.h"
#include "dom/element.h"

namespace vellum::engine::com {

class CHtmlDocument;

struct ClientArea {
  LONG left = 0;   // the left border width
  LONG top = 0;    // the top border width
  LONG width = 0;  // inside the borders
  LONG height = 0;
};

// The body fills the document window's client area (nothing while there is no window); any other
// element's client area is its border box minus its borders.
ClientArea ClientAreaOf(CHtmlDocument& document, vellum::engine::Element& element);

// The nearest positioned ancestor, else the body; null for the body itself and elements outside it.
vellum::engine::Element* OffsetParentOf(vellum::engine::Element& element);

}  // namespace vellum::engine::com
