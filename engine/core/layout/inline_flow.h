#pragma once
// The simple flow of one container's content: inline-level content runs left to right in lines that
// wrap at the available width (text between words), blocks stack between the lines, and <br> ends a
// line. The same builder measures content at unlimited width (its preferred width) and places it at
// the used width, so that content measured to fit never wraps when placed.

#include <limits>
#include <string_view>

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
    // `charWidth` and `lineHeight` are those of the container's text.
    LineBuilder(double availableWidth, double charWidth, double lineHeight);

    void AddText(std::u16string_view text);
    // The margin-edge origin of an inline-level box of that outer size (margins included).
    FlowPoint AddInline(double outerWidth, double outerHeight);
    // The margin-edge origin of a block; it gets a line of its own.
    FlowPoint AddBlock(double outerWidth, double outerHeight);
    void AddBreak();
    // Where an out-of-flow box that stood here in the flow would start.
    FlowPoint StaticPosition() const;

    FlowExtent Finish();

private:
    double SpaceBefore() const { return lineOpen_ && spacePending_ ? charWidth_ : 0.0; }
    void CloseLine();

    double available_;
    double charWidth_;
    double lineHeight_;
    double y_ = 0;             // top of the open line
    double x_ = 0;             // end of the open line's content
    double lineTall_ = 0;      // height of the open line so far
    double widest_ = 0;
    bool lineOpen_ = false;    // the line holds something
    bool spacePending_ = false;  // collapsed white space since the last item on the line
};

}  // namespace vellum::engine::layout
