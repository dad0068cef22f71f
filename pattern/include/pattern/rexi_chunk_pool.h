#pragma once
// Storage for many small records with stable addresses, allocated a chunk at a time and initialised
// only when handed out. The records made after a given count can be dropped together.

#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

template <class T, size_t kChunkSize>
class REXI_ChunkPool {
  static_assert(std::is_trivially_destructible_v<T>, "records are dropped without destruction");

public:
  T* New() {
    if (size_ == chunks_.size() * kChunkSize) chunks_.push_back(std::make_unique_for_overwrite<Slot[]>(kChunkSize));
    T* item = new (chunks_[size_ / kChunkSize][size_ % kChunkSize].bytes) T{};
    ++size_;
    return item;
  }
  size_t Size() const { return size_; }
  // Drops every record made after the first 'size'; their chunks go back to the heap.
  void ShrinkTo(size_t size) {
    if (size >= size_) return;
    size_ = size;
    chunks_.resize((size_ + kChunkSize - 1) / kChunkSize);
  }

private:
  struct Slot {
    alignas(T) std::byte bytes[sizeof(T)];
  };

  std::vector<std::unique_ptr<Slot[]>> chunks_;
  size_t size_ = 0;
};
