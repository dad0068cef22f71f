// The engine's storage: the set table that names edge sets, the scratch memory of a compile and the
// chunked pools that hold NFA nodes.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "pattern/rexi_chunk_pool.h"
#include "pattern/rexi_scratch_memory.h"
#include "pattern/rexi_set_table.h"

TEST(RexiSetTable, EqualSetsShareOneNameAndDifferentSetsDoNot) {
  REXI_SetTable table(std::pmr::new_delete_resource());
  std::vector<uint32_t> names;
  for (int value = 0; value < 256; ++value) names.push_back(table.Intern(CharSet256::Of(static_cast<uint8_t>(value))));
  for (int value = 0; value < 256; ++value) {
    EXPECT_EQ(table.Intern(CharSet256::Of(static_cast<uint8_t>(value))), names[value]);
    EXPECT_EQ(table[names[value]], CharSet256::Of(static_cast<uint8_t>(value)));
  }
  EXPECT_EQ(table.Count(), 256u);
  EXPECT_NE(table.Intern(CharSet256::All()), table.Intern(CharSet256()));
}

TEST(RexiSetTable, ShrinkingForgetsLaterSetsOnly) {
  REXI_SetTable table(std::pmr::new_delete_resource());
  const uint32_t digit = table.Intern(CharSet256::Of('1'));
  const size_t kept = table.Count();
  for (int value = 'a'; value <= 'z'; ++value) table.Intern(CharSet256::Of(static_cast<uint8_t>(value)));
  table.ShrinkTo(kept);
  EXPECT_EQ(table.Count(), kept);
  EXPECT_EQ(table.Intern(CharSet256::Of('1')), digit);
  EXPECT_EQ(table.Intern(CharSet256::Of('q')), kept);  // named afresh
}

TEST(RexiScratchMemory, ServesMoreThanItsBlockAndKeepsEveryAllocationIntact) {
  REXI_ScratchMemory<1024> scratch;
  std::vector<std::pair<uint8_t*, size_t>> blocks;
  for (size_t size : {100, 700, 3000, 10, 50000, 8, 200000}) {
    auto* block = static_cast<uint8_t*>(scratch.Resource()->allocate(size, 16));
    ASSERT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u);
    std::memset(block, static_cast<int>(blocks.size()), size);
    blocks.emplace_back(block, size);
  }
  for (size_t i = 0; i < blocks.size(); ++i)
    for (size_t at : {size_t{0}, blocks[i].second - 1}) ASSERT_EQ(blocks[i].first[at], i);
}

TEST(RexiScratchMemory, LatestAllocationIsTakenBackSoAGrowingTableStaysInPlace) {
  REXI_ScratchMemory<4096> scratch;
  std::pmr::memory_resource* memory = scratch.Resource();
  void* first = memory->allocate(64, 8);
  memory->deallocate(first, 64, 8);
  EXPECT_EQ(memory->allocate(128, 8), first);
}

namespace {
struct Record {
  uint64_t value;
};
}  // namespace

TEST(RexiChunkPool, ShrinkingDropsTheLatestRecordsAndNewOnesFollowTheKeptOnes) {
  REXI_ChunkPool<Record, 4> pool(std::pmr::new_delete_resource());
  std::vector<Record*> records;
  for (uint64_t i = 0; i < 10; ++i) {
    records.push_back(pool.New());
    EXPECT_EQ(records.back()->value, 0u);  // handed out initialised
    records.back()->value = i;
  }
  EXPECT_EQ(pool.Size(), 10u);
  pool.ShrinkTo(5);
  EXPECT_EQ(pool.Size(), 5u);
  for (uint64_t i = 0; i < 5; ++i) EXPECT_EQ(records[i]->value, i);
  Record* next = pool.New();
  EXPECT_EQ(next, records[5]);  // the slot after the kept ones, in the kept chunk
  EXPECT_EQ(next->value, 0u);
  pool.ShrinkTo(0);
  EXPECT_EQ(pool.Size(), 0u);
  EXPECT_NE(pool.New(), nullptr);
}
