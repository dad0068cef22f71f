#include "engine/com/view/ViewRefresh.h"

#include <algorithm>
#include <vector>

#include "engine/com/ComValues.h"
#include "engine/com/view/ViewPainter.h"

namespace vellum::engine::com {

namespace {

// Documents live on the thread that made them, so each thread has its own list; it exists only
// while a view on that thread has painted.
thread_local std::vector<CViewPainter*>* watched = nullptr;

}  // namespace

void WatchForChanges(CViewPainter& painter) {
  if (!watched) watched = new std::vector<CViewPainter*>;
  if (std::find(watched->begin(), watched->end(), &painter) == watched->end()) watched->push_back(&painter);
}

void StopWatching(CViewPainter& painter) {
  if (!watched) return;
  watched->erase(std::remove(watched->begin(), watched->end(), &painter), watched->end());
  if (watched->empty()) {
    delete watched;
    watched = nullptr;
  }
}

void AfterObjectModelCall() noexcept {
  if (!watched) return;
  for (CViewPainter* painter : *watched) painter->CheckForChanges();
}

}  // namespace vellum::engine::com
