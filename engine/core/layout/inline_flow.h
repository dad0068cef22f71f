#pragma once
// The simple flow of one container's content: inline-level content (words and inline boxes) runs left
// to right in lines that wrap at the available width, blocks stack between the lines, and <br> ends a
// line. The same builder measures content at unlimited width (its preferred width) and places it at
// the used width, so that content measured to fit never wraps when placed.

#include <limits>

namespace vellum::engine::layout {

struct FlowPoint {
  double x = 0;
  double y = 0;
};

struct FlowExtent {
  double width = 0;   // the widest line or block
  double height = 0;  // all lines and blocks
};

inline constexpr double kUnlimitedWidth = std::numeric_limits<double>::infinity();

class LineBuilder {
 public:
  // `spaceWidth` and `lineHeight` are those of the container's text.
  LineBuilder(double availableWidth, double spaceWidth, double lineHeight);

  // Collapsible white space: one blank before the next item on the same line.
  void AddSpace() { spacePending_ = true; }
  // Where a word of that width goes (words are items of the text's line height).
  FlowPoint AddWord(double width) { return AddInline(width, lineHeight_); }
  // The margin-edge origin of an inline-level box of that outer size (margins included).
  FlowPoint AddInline(double outerWidth, double outerHeight);
  // The margin-edge origin of a block; it gets a line of its own.
  FlowPoint AddBlock(double outerWidth, double outerHeight);
  void AddBreak();
  // Where an out-of-flow box that stood here in the flow would start.
  FlowPoint StaticPosition() const;
  // Lines closed so far: the number of the line the last item went on, counted from 0.
  int LineNumber() const { return lines_; }

  FlowExtent Finish();

 private:
  double SpaceBefore() const { return lineOpen_ && spacePending_ ? spaceWidth_ : 0.0; }
  bool WouldWrap(double width) const;
  void CloseLine();

  double available_;
  double spaceWidth_;
  double lineHeight_;
  double y_ = 0;         // top of the open line
  double x_ = 0;         // end of the open line's content
  double lineTall_ = 0;  // height of the open line so far
  double widest_ = 0;
  bool lineOpen_ = false;      // the line holds something
  bool spacePending_ = false;  // collapsed white space since the last item on the line
  int lines_ = 0;              // lines closed
};

}  // namespace vellum::engine::layout
