#pragma once
// A stand-in geometry derived from computed styles alone, good enough for a design surface of
// absolutely positioned form elements, until a real layout replaces it:
//  - Sizes are border boxes: an element's width and height in its style are its box (padding and
//    border inside), so a measured box written back into the style never grows the element.
//  - An element without a width or height gets a natural size: form controls and images a fixed,
//    platform-like size (or their size attributes), other elements the extent of their content.
//  - Absolutely positioned elements sit at left/top (plus margins) in their offset parent, the nearest
//    positioned ancestor or the body. An absolute element without left/top stays where it would be in
//    the flow.
//  - Flow: in-flow children are placed in rows, without wrapping. Inline-level children (text,
//    inline elements, form controls) share a row left to right; block-level children and <br> start
//    a new one. Relative positioning shifts the box by left/top.
//  - Text is measured by an average character width and a line height from the font size.
//  - The root and the body sit at 0,0; the body's size is its style size or 0 (the view gives it the
//    window's client area).
// Percentages resolve against the nearest ancestor whose style gives that dimension in absolute units;
// without one they count as auto.

#include <cstddef>

#include "css/element_style.h"

namespace vellum::engine::css {

struct BoxEstimate {
    int left = 0;    // border edge from the offset parent's padding edge
    int top = 0;
    int width = 0;   // border box
    int height = 0;
};

// Nodes measured for one estimate beyond this many count as empty (each costs a style resolution), so
// that no page makes a query slow.
inline constexpr std::size_t kMeasuredNodeBudget = 1024;

BoxEstimate EstimateBox(const Element& element);
BoxEstimate EstimateBox(const Element& element, ElementStyleResolver& styles);

// The element that the box's left and top are measured from; null for the root and the body.
const Element* OffsetParentOf(const Element& element, ElementStyleResolver& styles);

}  // namespace vellum::engine::css
