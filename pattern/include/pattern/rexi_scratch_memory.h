#pragma once
// Memory for the short-lived tables of one compile: handed out by bumping a pointer through a block
// inside the scratch object (so, usually, on the caller's stack) and, past its end, through blocks
// taken from the heap; everything is given back at once when the object goes. A compile of a pattern
// of ordinary size then costs no heap traffic at all.

#include <cstddef>
#include <cstdint>
#include <memory_resource>

class REXI_BumpResource final : public std::pmr::memory_resource {
 public:
  REXI_BumpResource(std::byte* block, size_t size) : next_(block), end_(block + size) {}
  REXI_BumpResource(const REXI_BumpResource&) = delete;
  REXI_BumpResource& operator=(const REXI_BumpResource&) = delete;
  ~REXI_BumpResource() override;

  // The same as allocate(), for callers that know the type: no virtual call.
  void* Allocate(size_t bytes, size_t alignment) {
    const uintptr_t at = (reinterpret_cast<uintptr_t>(next_) + alignment - 1) & ~(uintptr_t{alignment} - 1);
    if (at + bytes > reinterpret_cast<uintptr_t>(end_)) return AllocateFromHeap(bytes, alignment);
    next_ = reinterpret_cast<std::byte*>(at + bytes);
    return reinterpret_cast<void*>(at);
  }

 private:
  struct HeapBlock;

  void* do_allocate(size_t bytes, size_t alignment) override { return Allocate(bytes, alignment); }
  // The most recent allocation is taken back, so a table that grows at the end does not leave holes.
  void do_deallocate(void* pointer, size_t bytes, size_t) override {
    if (static_cast<std::byte*>(pointer) + bytes == next_) next_ = static_cast<std::byte*>(pointer);
  }
  bool do_is_equal(const std::pmr::memory_resource& other) const noexcept override { return this == &other; }

  void* AllocateFromHeap(size_t bytes, size_t alignment);

  std::byte* next_;
  std::byte* end_;
  HeapBlock* heapBlocks_ = nullptr;  // most recent first
  size_t nextHeapBlockSize_ = 64 * 1024;
};

// Enough for the NFA and the tables of every property pattern.
inline constexpr size_t kRexiScratchBytes = 48 * 1024;

template <size_t BlockBytes>
class REXI_ScratchMemory {
 public:
  REXI_ScratchMemory() = default;
  REXI_ScratchMemory(const REXI_ScratchMemory&) = delete;
  REXI_ScratchMemory& operator=(const REXI_ScratchMemory&) = delete;

  REXI_BumpResource* Resource() { return &resource_; }

 private:
  alignas(std::max_align_t) std::byte block_[BlockBytes];
  REXI_BumpResource resource_{block_, BlockBytes};
};
