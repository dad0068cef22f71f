#include "pattern/rexi_scratch_memory.h"

#include <algorithm>
#include <new>

struct REXI_BumpResource::HeapBlock {
  HeapBlock* previous;
};

REXI_BumpResource::~REXI_BumpResource() {
  while (heapBlocks_ != nullptr) {
    HeapBlock* previous = heapBlocks_->previous;
    ::operator delete(heapBlocks_);
    heapBlocks_ = previous;
  }
}

void* REXI_BumpResource::AllocateFromHeap(size_t bytes, size_t alignment) {
  const size_t header = (sizeof(HeapBlock) + alignment - 1) / alignment * alignment;
  const size_t size = std::max(nextHeapBlockSize_, header + bytes + alignment);
  nextHeapBlockSize_ = std::max(nextHeapBlockSize_, size) * 2;
  std::byte* raw = static_cast<std::byte*>(::operator new(size));
  heapBlocks_ = new (raw) HeapBlock{heapBlocks_};
  next_ = raw + sizeof(HeapBlock);
  end_ = raw + size;
  return Allocate(bytes, alignment);
}
