#include "heap.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kHeader = sizeof(void*);
// The largest request that still leaves room for the header without wrapping around.
constexpr size_t kMaxRequest = SIZE_MAX / 2;

void* TagOf(const void* block) { return static_cast<void* const*>(block)[-1]; }
void* Stamp(void* raw, void* tag) {
  *static_cast<void**>(raw) = tag;
  return static_cast<char*>(raw) + kHeader;
}
void* RawOf(void* block) { return static_cast<char*>(block) - kHeader; }
const void* RawOf(const void* block) { return static_cast<const char*>(block) - kHeader; }

// A Win32 private heap whose blocks carry `tag` in their header.
//
// The system maps every large block afresh and unmaps it when freed, so a text of a few megabytes
// written again and again (a saved form, read after every change) pays for faulting in all its pages
// each time. The heap therefore keeps the last large block freed and hands it out again to the next
// large request it fits well.
class CWin32Heap final : public IHeap {
 public:
  CWin32Heap(HANDLE handle, void* tag) : handle_(handle), tag_(tag) {}
  HANDLE Handle() const { return handle_; }

  void* Alloc(size_t size) override {
    if (!handle_ || size > kMaxRequest) return nullptr;
    const size_t rawSize = size + kHeader;
    void* raw = rawSize >= kLargeBlock ? TakeSpare(rawSize) : nullptr;
    if (!raw) raw = HeapAlloc(handle_, 0, rawSize);
    return raw ? Stamp(raw, tag_) : nullptr;
  }
  void* Realloc(void* block, size_t size) override {
    if (!block) return Alloc(size);
    if (!handle_ || size > kMaxRequest) return nullptr;
    void* raw = HeapReAlloc(handle_, 0, RawOf(block), size + kHeader);
    return raw ? static_cast<char*>(raw) + kHeader : nullptr;
  }
  void Free(void* block) override {
    if (!block || !handle_) return;
    void* raw = RawOf(block);
    const SIZE_T rawSize = HeapSize(handle_, 0, raw);
    if (rawSize != static_cast<SIZE_T>(-1) && rawSize >= kLargeBlock && rawSize <= kLargestSpare)
      raw = InterlockedExchangePointer(&spare_, raw);
    if (raw) HeapFree(handle_, 0, raw);
  }
  size_t Size(const void* block) override {
    if (!block || !handle_) return 0;
    SIZE_T raw = HeapSize(handle_, 0, RawOf(block));
    return raw == static_cast<SIZE_T>(-1) ? 0 : raw - kHeader;
  }
  void DropSpare() {
    if (void* spare = InterlockedExchangePointer(&spare_, nullptr)) HeapFree(handle_, 0, spare);
  }

 private:
  static constexpr size_t kLargeBlock = 256 * 1024;
  static constexpr size_t kLargestSpare = 64 * 1024 * 1024;

  // The spare block when it holds rawSize bytes without wasting more than as much again.
  void* TakeSpare(size_t rawSize) {
    void* spare = InterlockedExchangePointer(&spare_, nullptr);
    if (!spare) return nullptr;
    const SIZE_T spareSize = HeapSize(handle_, 0, spare);
    if (spareSize != static_cast<SIZE_T>(-1) && spareSize >= rawSize && spareSize / 2 <= rawSize) return spare;
    HeapFree(handle_, 0, spare);
    return nullptr;
  }

  HANDLE handle_;
  void* tag_;
  void* volatile spare_ = nullptr;
};

// malloc/free behind the heap interface.
class CRuntimeHeap final : public IHeap {
 public:
  void* Alloc(size_t size) override {
    if (size > kMaxRequest) return nullptr;
    void* raw = std::malloc(size + kHeader);
    return raw ? Stamp(raw, kHeapTagRuntime) : nullptr;
  }
  void* Realloc(void* block, size_t size) override {
    if (!block) return Alloc(size);
    if (size > kMaxRequest) return nullptr;
    void* raw = std::realloc(RawOf(block), size + kHeader);
    return raw ? static_cast<char*>(raw) + kHeader : nullptr;
  }
  void Free(void* block) override {
    if (block) std::free(RawOf(block));
  }
  size_t Size(const void* block) override { return block ? _msize(const_cast<void*>(RawOf(block))) - kHeader : 0; }
};

CRuntimeHeap runtimeHeap;

// The default heap lives in static storage so that creating it needs no allocation of its own.
alignas(CWin32Heap) unsigned char defaultHeapStorage[sizeof(CWin32Heap)];
CWin32Heap* defaultHeap = nullptr;

IHeap* OwnerOf(const void* block) {
  void* tag = TagOf(block);
  if (tag == kHeapTagDefault) return defaultHeap;
  if (tag == kHeapTagRuntime) return &runtimeHeap;
  return static_cast<IHeap*>(tag);
}

}  // namespace

extern "C" {

IHeap* Mem_DefaultHeap(size_t initialSize) {
  if (!defaultHeap) {
    HANDLE handle = HeapCreate(0, initialSize, 0);
    if (!handle) return nullptr;
    defaultHeap = new (defaultHeapStorage) CWin32Heap(handle, kHeapTagDefault);
  }
  return defaultHeap;
}

IHeap* Mem_RuntimeHeap(void) { return &runtimeHeap; }

IHeap* Mem_CreateHeap(size_t initialSize) {
  HANDLE handle = HeapCreate(0, initialSize, 0);
  if (!handle) return nullptr;
  // The heap object is itself a block of the runtime heap, so that it outlives everything it hands out.
  void* place = runtimeHeap.Alloc(sizeof(CWin32Heap));
  if (!place) {
    HeapDestroy(handle);
    return nullptr;
  }
  auto* heap = new (place) CWin32Heap(handle, nullptr);
  *heap = CWin32Heap(handle, static_cast<IHeap*>(heap));
  return heap;
}

void Mem_DestroyHeap(IHeap* heap) {
  if (!heap || heap == defaultHeap || heap == &runtimeHeap) return;
  auto* win32 = static_cast<CWin32Heap*>(heap);
  win32->DropSpare();
  HeapDestroy(win32->Handle());
  win32->~CWin32Heap();
  runtimeHeap.Free(win32);
}

void* Mem_Alloc(size_t size) {
  IHeap* heap = Mem_DefaultHeap(0);
  return heap ? heap->Alloc(size) : nullptr;
}

void* Mem_Realloc(void* block, size_t size) {
  if (!block) return Mem_Alloc(size);
  IHeap* owner = OwnerOf(block);
  return owner ? owner->Realloc(block, size) : nullptr;
}

void Mem_Free(void* block) {
  if (!block) return;
  if (IHeap* owner = OwnerOf(block)) owner->Free(block);
}

void* Mem_BlockOwner(const void* block) { return block ? TagOf(block) : nullptr; }

}  // extern "C"
