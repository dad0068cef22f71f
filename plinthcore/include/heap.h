// The core support library's heaps.
//
// Every block handed out carries one pointer-sized header in front of it that names the heap owning it:
// null for the default heap, all bits set for the C runtime's own heap, otherwise the IHeap itself. So a
// block can always be returned to the right heap with Mem_Free, whoever allocated it.
#pragma once

#include <cstddef>

#include "plinthcore_api.h"

struct IHeap {
  // A block of at least size bytes, or null when the heap cannot supply it. Never throws.
  virtual void* Alloc(size_t size) = 0;
  // Grows or shrinks a block of this heap; null (and the old block untouched) when it cannot.
  virtual void* Realloc(void* block, size_t size) = 0;
  virtual void Free(void* block) = 0;
  // The usable size of a block of this heap.
  virtual size_t Size(const void* block) = 0;
};

// Owner tags stored in a block's header.
inline void* const kHeapTagDefault = nullptr;
inline void* const kHeapTagRuntime = reinterpret_cast<void*>(~static_cast<size_t>(0));

extern "C" {
// The process's default heap, created on first use with initialSize as its initial commit.
PLINTH_API IHeap* Mem_DefaultHeap(size_t initialSize);
// The C runtime's heap (malloc/free) behind the same interface; its blocks' tag is all bits set.
PLINTH_API IHeap* Mem_RuntimeHeap(void);
// A private heap; its blocks are tagged with the heap itself. Null when it cannot be created.
PLINTH_API IHeap* Mem_CreateHeap(size_t initialSize);
PLINTH_API void Mem_DestroyHeap(IHeap* heap);

// Shorthands for the default heap, and a free that finds the owner from the header.
PLINTH_API void* Mem_Alloc(size_t size);
PLINTH_API void* Mem_Realloc(void* block, size_t size);
PLINTH_API void Mem_Free(void* block);
// The owner tag of a block (null, all bits set, or an IHeap*).
PLINTH_API void* Mem_BlockOwner(const void* block);
}

// Base for objects that live on the default heap. Allocation failure yields a null pointer from the
// new-expression (the constructor does not run), so callers test the result instead of catching.
struct CHeapObject {
  static void* operator new(size_t size) noexcept { return Mem_Alloc(size); }
  static void operator delete(void* block) noexcept { Mem_Free(block); }
  static void* operator new[](size_t size) noexcept { return Mem_Alloc(size); }
  static void operator delete[](void* block) noexcept { Mem_Free(block); }
};
