#include "pattern/rexi_scratch_memory.h"

#include <algorithm>
#include <new>

struct RexiBumpResource::HeapBlock {
  HeapBlock* previous;
};

RexiBumpResource::~RexiBumpResource() {
  while (heapBlocks_ != nullptr) {
    HeapBlock* previous = heapBlocks_->previous;
    ::operator delete(heapBlocks_);
    heapBlocks_ = previous;
  }
}

void* RexiBumpResource::AllocateFromHeap(size_t bytes, size_t alignment) {
  const size_t header = (sizeof(HeapBlock) + alignment - 1) / alignment * alignment;
  const size_t size = std::max(nextHeapBlockSize_, header + bytes + alignment);
  nextHeapBlockSize_ = std::max(nextHeapBlockSize_, size) * 2;
  std::byte* raw = static_cast<std::byte*>(::operator new(size));
  heapBlocks_ = new (raw) HeapBlock{heapBlocks_};
  next_ = raw + sizeof(HeapBlock);
  end_ = raw + size;
  return Allocate(bytes, alignment);
}
