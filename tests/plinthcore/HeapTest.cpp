#include <gtest/gtest.h>
#include <plinthcore.h>

#include <cstdint>

namespace {

TEST(Heap, DefaultHeapBlocksCarryANullOwnerTag) {
  void* block = Mem_Alloc(32);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(static_cast<void* const*>(block)[-1], nullptr);
  EXPECT_EQ(Mem_BlockOwner(block), kHeapTagDefault);
  EXPECT_GE(Mem_DefaultHeap(0)->Size(block), 32u);
  Mem_Free(block);
}

TEST(Heap, RuntimeHeapBlocksCarryAllBitsSet) {
  IHeap* runtime = Mem_RuntimeHeap();
  void* block = runtime->Alloc(16);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(Mem_BlockOwner(block)), ~uintptr_t{0});
  Mem_Free(block);  // returns it to malloc's heap through the tag
}

TEST(Heap, PrivateHeapBlocksNameTheirHeapAndGoBackToIt) {
  IHeap* heap = Mem_CreateHeap(4096);
  ASSERT_NE(heap, nullptr);
  void* block = heap->Alloc(100);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(Mem_BlockOwner(block), heap);
  void* grown = Mem_Realloc(block, 10000);
  ASSERT_NE(grown, nullptr);
  EXPECT_EQ(Mem_BlockOwner(grown), heap);
  Mem_Free(grown);
  Mem_DestroyHeap(heap);
}

// A large block freed is kept for the next large request it fits; whatever the heap hands out must be
// a whole, writable block of at least the size asked for, and freeing must not lose track of any.
TEST(Heap, LargeBlocksFreedAndTakenAgainStayWhole) {
  IHeap* heap = Mem_DefaultHeap(0);
  const size_t sizes[] = {1 << 20, 1 << 20, 700000, 300000, 3 << 20, 1 << 20, 100, 1 << 19};
  for (size_t size : sizes) {
    auto* block = static_cast<unsigned char*>(Mem_Alloc(size));
    ASSERT_NE(block, nullptr) << size;
    EXPECT_GE(heap->Size(block), size);
    EXPECT_EQ(Mem_BlockOwner(block), kHeapTagDefault);
    block[0] = 1;
    block[size - 1] = 2;
    auto* grown = static_cast<unsigned char*>(Mem_Realloc(block, size + 4096));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(grown[0], 1);
    EXPECT_EQ(grown[size - 1], 2);
    Mem_Free(grown);
  }
}

TEST(Heap, TwoLargeBlocksAliveAtOnceAreDistinct) {
  void* first = Mem_Alloc(1 << 20);
  Mem_Free(first);
  void* second = Mem_Alloc(1 << 20);  // may be the kept block
  void* third = Mem_Alloc(1 << 20);   // cannot be
  ASSERT_NE(second, nullptr);
  ASSERT_NE(third, nullptr);
  EXPECT_NE(second, third);
  Mem_Free(second);
  Mem_Free(third);
  IHeap* heap = Mem_CreateHeap(0);  // a private heap keeps its own block and drops it when destroyed
  ASSERT_NE(heap, nullptr);
  heap->Free(heap->Alloc(1 << 20));
  Mem_DestroyHeap(heap);
}

TEST(Heap, DefaultHeapIsOneInstance) { EXPECT_EQ(Mem_DefaultHeap(0), Mem_DefaultHeap(1 << 20)); }

TEST(Heap, ImpossibleAllocationsFailCleanly) {
  EXPECT_EQ(Mem_Alloc(SIZE_MAX), nullptr);  // would wrap around with the header
  EXPECT_EQ(Mem_Alloc(SIZE_MAX - 4), nullptr);
  EXPECT_EQ(Mem_Alloc(size_t{1} << 50), nullptr);  // a petabyte: the system refuses
  EXPECT_EQ(Mem_RuntimeHeap()->Alloc(SIZE_MAX - 1), nullptr);
  void* block = Mem_Alloc(8);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(Mem_Realloc(block, size_t{1} << 50), nullptr);
  EXPECT_EQ(Mem_BlockOwner(block), kHeapTagDefault);  // the old block is still whole
  Mem_Free(block);
}

TEST(Heap, HeapObjectsYieldNullWhenNoMemory) {
  struct Huge : CHeapObject {
    char bytes[1] = {0};
    static void* operator new(size_t) noexcept { return Mem_Alloc(size_t{1} << 50); }
  };
  Huge* huge = new Huge;
  EXPECT_EQ(huge, nullptr);
  struct Small : CHeapObject {
    int value = 7;
  };
  Small* small = new Small;
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(small->value, 7);
  EXPECT_EQ(Mem_BlockOwner(small), kHeapTagDefault);
  delete small;
}

TEST(Heap, FreeingNullDoesNothing) {
  Mem_Free(nullptr);
  Mem_DestroyHeap(nullptr);
  Mem_DestroyHeap(Mem_DefaultHeap(0));  // the shared heaps are never destroyed
  void* block = Mem_Alloc(4);
  EXPECT_NE(block, nullptr);
  Mem_Free(block);
}

}  // namespace
