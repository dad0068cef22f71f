// Where each element's text lies in a written page, and the one element whose replacement turns that
// page into another version of it: an undo that moved one element need not read the whole page back.
#pragma once

#include <string_view>
#include <vector>

struct ElementSpan {
  int start = 0;          // the element's indent
  int end = 0;            // past its end tag's line break; -1: its text cannot stand alone
  long sourceIndex = -1;  // its index in the document's "all" collection
  // False for html, body and frameset: their text never replaces them, but their start tag may be
  // written again.
  bool standsAlone = true;
};

struct ElementReplacement {
  bool unchanged = false;  // the two texts are the same: nothing to replace
  long sourceIndex = -1;   // the element to replace
  int from = 0;            // its replacement's markup in the new text, without indent or line break
  int length = 0;
  // When every difference lies inside the element's style attribute value, in both texts: that value
  // in the new text, as written (escaped). styleLength is -1 otherwise.
  int styleFrom = 0;
  int styleLength = -1;
};

// Finds the innermost element of current (spans in document order, an element before its descendants)
// whose span holds every byte where target differs from current. False when no kept span holds them all.
bool FindElementReplacement(std::string_view current, const std::vector<ElementSpan>& spans,
                            std::string_view target, ElementReplacement& replacement);

// One element's start tag written again: the bytes [from, to) of the text become `text`.
struct TagRewrite {
  int from = 0;
  int to = 0;
  std::string_view text;
};

// Where the start tag of the element with that span lies in the text: from its '<' up to the '>' that
// closes it. False when the writer's start tag is not found there.
bool StartTagOf(std::string_view text, const ElementSpan& span, int& from, int& to);

// The spans of the text once the rewrites (ascending, apart, none across a span's edge) are made in it.
void MoveSpans(std::vector<ElementSpan>& spans, const std::vector<TagRewrite>& rewrites);
