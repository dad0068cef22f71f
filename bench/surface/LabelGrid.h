// Large forms for the surface benchmarks: labels of 20 x 10 pixels, absolutely placed on a grid.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace bench_surface {

struct LabelGrid {
  int columns;  // labels in a row
  int pitchX;   // distance between the left edges of neighbours
  int pitchY;   // distance between rows

  POINT CellOrigin(int i) const { return {2 + (i % columns) * pitchX, 2 + (i / columns) * pitchY}; }

  // The form's text: count labels, numbered e0, e1 ..., in a body of the given size.
  std::string Form(int count, int width, int height) const {
    std::string html =
        "<html><body width=\"" + std::to_string(width) + "\" height=\"" + std::to_string(height) + "\">\n";
    char line[200];
    for (int i = 0; i < count; ++i) {
      const POINT at = CellOrigin(i);
      snprintf(line, sizeof line,
               "<span id=\"e%d\" style=\"position: absolute; left: %ldpx; top: %ldpx; width: 20px; height: "
               "10px;\">%d</span>\n",
               i, at.x, at.y, i);
      html += line;
    }
    return html + "</body></html>";
  }
};

}  // namespace bench_surface
