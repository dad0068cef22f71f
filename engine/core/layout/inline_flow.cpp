#include "layout/inline_flow.h"

#include <algorithm>

namespace vellum::engine::layout {
namespace {

// Rounding in the widths measured must not push the last item of a fitting line onto the next one.
constexpr double kFitTolerance = 0.01;

}  // namespace

LineBuilder::LineBuilder(double availableWidth, double spaceWidth, double lineHeight)
    : available_(std::max(0.0, availableWidth)), spaceWidth_(spaceWidth), lineHeight_(lineHeight) {}

bool LineBuilder::WouldWrap(double width) const {
  return lineOpen_ && x_ + SpaceBefore() + width > available_ + kFitTolerance;
}

FlowPoint LineBuilder::AddInline(double outerWidth, double outerHeight) {
  double space = SpaceBefore();
  if (WouldWrap(outerWidth)) {
    CloseLine();
    space = 0;
  }
  const FlowPoint at{x_ + space, y_};
  x_ = at.x + outerWidth;
  lineTall_ = std::max(lineTall_, outerHeight);
  lineOpen_ = true;
  spacePending_ = false;
  return at;
}

FlowPoint LineBuilder::AddBlock(double outerWidth, double outerHeight) {
  CloseLine();
  const FlowPoint at{0, y_};
  y_ += outerHeight;
  widest_ = std::max(widest_, outerWidth);
  return at;
}

void LineBuilder::AddBreak() {
  lineTall_ = std::max(lineTall_, lineHeight_);
  lineOpen_ = true;
  CloseLine();
}

FlowPoint LineBuilder::StaticPosition() const { return {lineOpen_ ? x_ + SpaceBefore() : 0.0, y_}; }

FlowExtent LineBuilder::Finish() {
  CloseLine();
  return {widest_, y_};
}

void LineBuilder::CloseLine() {
  if (lineOpen_) {
    y_ += lineTall_;
    widest_ = std::max(widest_, x_);
    ++lines_;
  }
  x_ = lineTall_ = 0;
  lineOpen_ = spacePending_ = false;
}

}  // namespace vellum::engine::layout
