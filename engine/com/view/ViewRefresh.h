// The painters of the views shown now on this thread, looked at after every object model call so
// that a change of the page repaints its view, whichever interface made it.
#pragma once

namespace vellum::engine::com {

class CViewPainter;

void WatchForChanges(CViewPainter& painter);
void StopWatching(CViewPainter& painter);

}  // namespace vellum::engine::com
