// Backgrounds and borders of ordinary boxes, with every CSS 2 border style.
#pragma once

#include <windows.h>

#include "engine/com/view/PaintStyles.h"

namespace vellum::engine::com {

void PaintBackground(HDC dc, const RECT& borderBox, const BoxPaint& style);
void PaintBorder(HDC dc, const RECT& borderBox, const BoxPaint& style);

}  // namespace vellum::engine::com
