// Memory for the objects a caller makes and drops by the thousand while it walks a document (node
// objects, child lists, attributes, inline styles): a freed block goes onto a short list of its class
// and the next object of that class takes it, instead of a round trip through the system heap for
// every object. The list keeps at most kRecycleBudget blocks; the rest go back to the heap.
#pragma once

#include <atomic>
#include <cstddef>
#include <new>
#include <thread>

namespace vellum::engine::com {

inline constexpr std::size_t kRecycleBudget = 256;

// The freed blocks of one size. Objects may be released on another thread than the one that made
// them, so the list takes a short lock (it is held for a few instructions).
template <std::size_t Size>
class CBlockRecycler {
 public:
  static CBlockRecycler& Instance() {
    static CBlockRecycler recycler;
    return recycler;
  }

  void* Take() {
    Lock();
    FreeBlock* block = head_;
    if (block) {
      head_ = block->next;
      --count_;
    }
    Unlock();
    return block ? static_cast<void*>(block) : ::operator new(Size);
  }

  void Give(void* memory) noexcept {
    Lock();
    const bool kept = count_ < kRecycleBudget;
    if (kept) {
      auto* block = static_cast<FreeBlock*>(memory);
      block->next = head_;
      head_ = block;
      ++count_;
    }
    Unlock();
    if (!kept) ::operator delete(memory);
  }

 private:
  struct FreeBlock {
    FreeBlock* next;
  };
  static_assert(Size >= sizeof(FreeBlock));

  CBlockRecycler() = default;
  ~CBlockRecycler() {
    while (head_) {
      FreeBlock* next = head_->next;
      ::operator delete(head_);
      head_ = next;
    }
  }
  void Lock() noexcept {
    while (locked_.exchange(true, std::memory_order_acquire)) std::this_thread::yield();
  }
  void Unlock() noexcept { locked_.store(false, std::memory_order_release); }

  std::atomic<bool> locked_{false};
  FreeBlock* head_ = nullptr;  // the most recently freed block
  std::size_t count_ = 0;      // blocks on the list
};

// Base of a final class whose objects take their memory from the recycler of their size.
template <class Object>
class CRecycled {
 public:
  static void* operator new(std::size_t size) {
    return size == sizeof(Object) ? CBlockRecycler<sizeof(Object)>::Instance().Take() : ::operator new(size);
  }
  static void operator delete(void* memory, std::size_t size) noexcept {
    if (size == sizeof(Object)) {
      CBlockRecycler<sizeof(Object)>::Instance().Give(memory);
    } else {
      ::operator delete(memory);
    }
  }
};

}  // namespace vellum::engine::com
