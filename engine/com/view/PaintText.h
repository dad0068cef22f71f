// The text of an element's own text nodes, in the element's font and colour, placed line by line
// where the layout's flow put it (the layout measures words by an average character width; each
// line's words are then drawn together with the font's real spacing).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "engine/com/view/PaintContext.h"

namespace engine {

// Words of one line with nothing else between them: drawn in one call.
struct TextRun {
  double x = 0;              // from the content edge
  double y = 0;
  std::u16string text;       // the words joined by single blanks
  bool aloneOnLine = false;  // no box shares the line, so text-align can move it
};

// Room for the runs of one element, kept from element to element so that painting a page of labels
// does not allocate for each of them.
struct TextRunBuffer {
  std::vector<TextRun> runs;  // the first `used` are the current element's
  std::size_t used = 0;
  std::vector<double> linesWithBoxes;  // y of the lines that hold an inline box

  TextRun& Next() {
    if (used == runs.size()) runs.emplace_back();
    TextRun& run = runs[used++];
    run.text.clear();
    return run;
  }
  void Reset() {
    used = 0;
    linesWithBoxes.clear();
  }
};

void PaintFlowText(const PaintContext& context, std::size_t boxIndex);

// The text as text-transform shows it.
std::wstring TransformedText(std::u16string_view text, TextCase textCase);

}  // namespace engine
