// The style side of the object model: an element's inline style, its computed style and a style
// element's sheet.
#pragma once

#include <windows.h>
#include <mshtml.h>

#include "dom/element.h"

namespace vellum::engine::com {

// IHTMLStyle over the element's style attribute (every change is written back to the attribute).
HRESULT CreateInlineStyle(vellum::engine::Element& element, IHTMLStyle** out);
// IHTMLCurrentStyle: the cascade of the element's document (inline style, <style> sheets, defaults).
HRESULT CreateCurrentStyle(vellum::engine::Element& element, IHTMLCurrentStyle** out);
// IHTMLStyleSheet over a STYLE element's text.
HRESULT CreateStyleSheet(vellum::engine::Element& styleElement, IHTMLStyleSheet** out);

}  // namespace vellum::engine::com
