#include "SVFramework/Utilities/Storage/ReuseAllocator.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <thread>
#include <vector>

namespace SV {
namespace {

struct Record {
  double values[3];
};

using RecordPool = ReuseAllocator<Record, 4>;

TEST(ReuseAllocator, TheLastFreedBlockIsReusedFirst) {
  RecordPool pool(false);
  std::vector<void*> blocks;
  for (int i = 0; i < 6; ++i) blocks.push_back(pool.Allocate(sizeof(Record)));
  pool.Free(blocks[3]);
  pool.Free(blocks[5]);
  EXPECT_EQ(pool.GetFreeBlockCount(), 2u);
  EXPECT_EQ(pool.Allocate(sizeof(Record)), blocks[5]);
  EXPECT_EQ(pool.Allocate(sizeof(Record)), blocks[3]);
  EXPECT_NE(pool.Allocate(sizeof(Record)), blocks[0]);
  EXPECT_EQ(pool.GetBlockCount(), 7u);
}

TEST(ReuseAllocator, BlocksHoldAWholeObjectEach) {
  RecordPool pool(false);
  auto* first = static_cast<Record*>(pool.Allocate(sizeof(Record)));
  auto* second = static_cast<Record*>(pool.Allocate(sizeof(Record)));
  std::memset(first, 0x11, sizeof(Record));
  std::memset(second, 0x22, sizeof(Record));
  EXPECT_EQ(reinterpret_cast<unsigned char*>(first)[sizeof(Record) - 1], 0x11);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(first) % alignof(std::max_align_t), 0u);
  pool.Free(second);
  pool.Free(first);
}

TEST(ReuseAllocator, AnotherSizeComesFromTheHeapAndGoesBackThere) {
  RecordPool pool(false);
  for (const size_t size : {size_t{1}, sizeof(Record) + 8, size_t{4096}}) {
    void* block = pool.Allocate(size);
    std::memset(block, 0x5A, size);
    pool.Free(block);
  }
  EXPECT_EQ(pool.GetBlockCount(), 0u);
  EXPECT_EQ(pool.GetFreeBlockCount(), 0u);
}

TEST(ReuseAllocator, ABlockOfAnotherPoolIsRefused) {
  RecordPool pool(false), other(false);
  pool.Allocate(sizeof(Record));
  void* foreign = other.Allocate(sizeof(Record));
  EXPECT_THROW(pool.Free(foreign), Exception<std::invalid_argument>);
  EXPECT_EQ(pool.GetFreeBlockCount(), 0u);
  pool.Free(nullptr);
  other.Free(foreign);
}

TEST(ReuseAllocator, DestroyingThePoolReleasesBlocksStillInUse) {
  RecordPool pool(false);
  for (int i = 0; i < 9; ++i) pool.Allocate(sizeof(Record));
  EXPECT_EQ(pool.GetBlockCount(), 9u);
}

TEST(ReuseAllocator, AThreadSafePoolServesSeveralThreads) {
  RecordPool pool(true);
  constexpr int kThreads = 4;
  constexpr int kHeld = 8;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&pool, t] {
      for (int round = 0; round < 200; ++round) {
        std::vector<Record*> held;
        for (int i = 0; i < kHeld; ++i) {
          held.push_back(static_cast<Record*>(pool.Allocate(sizeof(Record))));
          held.back()->values[0] = t;
        }
        for (Record* record : held) {
          EXPECT_EQ(record->values[0], t) << "no block is handed to two threads at once";
          pool.Free(record);
        }
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_LE(pool.GetBlockCount(), uint32_t{kThreads * kHeld});
  EXPECT_EQ(pool.GetFreeBlockCount(), pool.GetBlockCount());
}

}  // namespace
}  // namespace SV
