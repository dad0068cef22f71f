#pragma once
// Storage for many small records with stable addresses, allocated a chunk at a time from a memory
// resource and initialised only when handed out. The records made after a given count can be dropped
// together.

#include <cstddef>
#include <memory_resource>
#include <new>
#include <type_traits>
#include <vector>

template <class T, size_t ChunkSize>
class REXI_ChunkPool {
  static_assert(std::is_trivially_destructible_v<T>, "records are dropped without destruction");

 public:
  explicit REXI_ChunkPool(std::pmr::memory_resource* memory) : chunks_(memory) { chunks_.reserve(4); }
  REXI_ChunkPool(const REXI_ChunkPool&) = delete;
  REXI_ChunkPool& operator=(const REXI_ChunkPool&) = delete;
  ~REXI_ChunkPool() { ShrinkTo(0); }

  T* New() {
    if (next_ == chunkEnd_) StartChunk();
    return new ((next_++)->bytes) T{};
  }
  size_t Size() const {
    return chunks_.empty() ? 0 : (chunks_.size() - 1) * ChunkSize + static_cast<size_t>(next_ - chunks_.back());
  }
  // Drops every record made after the first 'size'; their chunks go back to the memory resource.
  void ShrinkTo(size_t size) {
    if (size >= Size()) return;
    const size_t chunksKept = (size + ChunkSize - 1) / ChunkSize;
    for (size_t chunk = chunksKept; chunk < chunks_.size(); ++chunk)
      Memory()->deallocate(chunks_[chunk], sizeof(Slot) * ChunkSize, alignof(Slot));
    chunks_.resize(chunksKept);
    if (chunks_.empty()) {
      next_ = chunkEnd_ = nullptr;
    } else {
      next_ = chunks_.back() + (size - (chunksKept - 1) * ChunkSize);
      chunkEnd_ = chunks_.back() + ChunkSize;
    }
  }

 private:
  struct Slot {
    alignas(T) std::byte bytes[sizeof(T)];
  };

  void StartChunk() {
    chunks_.push_back(static_cast<Slot*>(Memory()->allocate(sizeof(Slot) * ChunkSize, alignof(Slot))));
    next_ = chunks_.back();
    chunkEnd_ = next_ + ChunkSize;
  }
  std::pmr::memory_resource* Memory() const { return chunks_.get_allocator().resource(); }

  std::pmr::vector<Slot*> chunks_;
  Slot* next_ = nullptr;      // the next free slot of the last chunk
  Slot* chunkEnd_ = nullptr;  // the end of the last chunk
};
