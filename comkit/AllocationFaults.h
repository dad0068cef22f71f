// A fault-injection point for the allocations whose failure the code treats as running out of memory:
// the engine strings (BSTR) it makes and the support library's strings where a failure throws
// ComOutOfMemory. Every such allocation asks AllocationFaultDue once, just before it allocates. A test
// plans "the Nth of them from now fails" and so reaches each failure path of an operation in turn; with
// nothing planned, the question is one load and one compare.
//
// The state is per module (inline variables), which is what the tests want: they link the control's
// code into their own executable. Single-threaded, like the windows that run the control.
#pragma once

#include <windows.h>
#include <oleauto.h>

namespace comkit {

struct AllocationFaults {
  static inline unsigned countdown = 0;  // checked allocations left until the planned failure; 0: none
  static inline unsigned injected = 0;   // planned failures that have happened since the module loaded
};

// Plans the nth checked allocation from now (n >= 1) to fail; 0 drops the plan.
inline void FailNthAllocation(unsigned n) { AllocationFaults::countdown = n; }

// True for the one allocation planned to fail (the plan is then spent).
inline bool AllocationFaultDue() {
  if (AllocationFaults::countdown == 0) [[likely]]
    return false;
  if (--AllocationFaults::countdown != 0) return false;
  ++AllocationFaults::injected;
  return true;
}

// SysAllocString and SysAllocStringLen behind the injection point: null as when memory runs out.
inline BSTR AllocString(const OLECHAR* text) { return AllocationFaultDue() ? nullptr : SysAllocString(text); }
inline BSTR AllocStringLen(const OLECHAR* text, UINT length) {
  return AllocationFaultDue() ? nullptr : SysAllocStringLen(text, length);
}

// A plan for one scope: the nth checked allocation inside it fails; Fired tells whether it came before
// the scope ended (if not, the operation made fewer than n of them). The plan never outlives the scope.
class ScopedAllocationFault {
 public:
  explicit ScopedAllocationFault(unsigned n) : injectedBefore_(AllocationFaults::injected) { FailNthAllocation(n); }
  ~ScopedAllocationFault() { FailNthAllocation(0); }
  ScopedAllocationFault(const ScopedAllocationFault&) = delete;
  ScopedAllocationFault& operator=(const ScopedAllocationFault&) = delete;

  bool Fired() const { return AllocationFaults::injected != injectedBefore_; }

 private:
  unsigned injectedBefore_;
};

}  // namespace comkit
