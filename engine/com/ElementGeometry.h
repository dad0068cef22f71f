// Geometry of the simple box model (until the layout engine answers): offsets from the style
// objects' boxes, client areas, offset parents and the element under a point.
#pragma once

#include <windows.h>

#include "dom/document.h"
#include "dom/element.h"

namespace engine {

class CHtmlDocument;

struct ClientArea {
  LONG left = 0;    // the left border width
  LONG top = 0;     // the top border width
  LONG width = 0;   // inside the borders
  LONG height = 0;
};

// The body fills the document window's client area (nothing while there is no window); any other
// element's client area is its border box minus its borders.
ClientArea ClientAreaOf(CHtmlDocument& document, vellum::engine::Element& element);

// The nearest positioned ancestor, else the body; null for the body itself and elements outside it.
vellum::engine::Element* OffsetParentOf(vellum::engine::Element& element);

// The topmost element whose border box holds the point (document window client coordinates), in
// paint order: z-index, then tree order, children over parents. The body over empty area; null when
// the document has no body.
vellum::engine::Element* ElementAtPoint(vellum::engine::Document& tree, LONG x, LONG y);

}  // namespace engine
