// Records the texts handed to TRACE while it lives (for tests that link the control's internals).
#pragma once

#include <string>
#include <vector>

#include "window/Trace.h"

namespace vt {

class TraceRecorder {
 public:
  TraceRecorder() {
    previous_ = SetTraceHook(&TraceRecorder::Hook);
    Current() = this;
  }
  ~TraceRecorder() {
    SetTraceHook(previous_);
    Current() = nullptr;
  }
  const std::vector<std::string>& Texts() const { return texts_; }
  bool Saw(const std::string& text) const {
    for (const auto& t : texts_)
      if (t == text) return true;
    return false;
  }

 private:
  static TraceRecorder*& Current() {
    static TraceRecorder* current = nullptr;
    return current;
  }
  static void Hook(const char* format, uintptr_t, uintptr_t, uintptr_t) {
    if (Current()) Current()->texts_.push_back(format ? format : "");
  }
  TraceHook previous_ = nullptr;
  std::vector<std::string> texts_;
};

}  // namespace vt
