#include "SVFramework/Utilities/Storage/BufferT.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace SV {
namespace {

// An allocator that records every call and can be told to fail.
class RecordingAllocator : public IAllocator {
public:
  void* Alloc(size_t size) override {
    ++allocations;
    return failNext ? nullptr : GetSystemAllocator().Alloc(size);
  }
  void* AllocZeroed(size_t count, size_t size) override { return GetSystemAllocator().AllocZeroed(count, size); }
  void* Realloc(void* block, size_t size) override {
    ++reallocations;
    lastReallocSize = size;
    return failNext && size ? nullptr : GetSystemAllocator().Realloc(block, size);
  }
  void Free(void* block) override {
    if (block) ++frees;
    GetSystemAllocator().Free(block);
  }
  int allocations = 0, reallocations = 0, frees = 0;
  size_t lastReallocSize = 0;
  bool failNext = false;
};

RecordingAllocator& Recorder() {
  static RecordingAllocator recorder;
  return recorder;
}

IAllocator& RecorderSource() { return Recorder(); }

template <uint32_t G, uint32_t S>
using RecordedBuffer = BufferT<G, S, 8, char*, RecorderSource>;

class BufferTest : public testing::Test {
protected:
  void SetUp() override { Recorder() = RecordingAllocator(); }
};

TEST_F(BufferTest, StringBufferKeepsItsBlockWhileAtMost128BytesWouldBeSpare) {
  RecordedBuffer<1, 128> buffer(200, 0, false);
  EXPECT_EQ(buffer.GetCapacity(), 200u);
  buffer.SetSize(72);
  EXPECT_EQ(buffer.GetCapacity(), 200u);
  EXPECT_EQ(Recorder().reallocations, 0);
  buffer.SetSize(71);
  EXPECT_EQ(buffer.GetCapacity(), 71u);
  EXPECT_EQ(Recorder().lastReallocSize, 71u);
}

TEST_F(BufferTest, BufferWithoutSlackReallocatesOnlyWhenRoundingChangesTheCapacity) {
  RecordedBuffer<4, 0> buffer(8, 0, false);
  struct Step { uint32_t size; uint32_t capacity; };
  for (const Step step : {Step{5, 8}, Step{4, 4}, Step{9, 12}}) {
    buffer.SetSize(step.size);
    EXPECT_EQ(buffer.GetCapacity(), step.capacity) << "size " << step.size;
    EXPECT_EQ(buffer.GetSize(), step.size);
  }
}

TEST_F(BufferTest, SetSizeKeepsTheContents) {
  RecordedBuffer<1, 0> buffer(4, 0, false);
  std::memcpy(buffer.GetData(), "abcd", 4);
  buffer.SetSize(100);
  buffer.SetSize(2);
  EXPECT_EQ(std::memcmp(buffer.GetData(), "ab", 2), 0);
}

TEST_F(BufferTest, AllocateZeroOfAnEmptyBufferAllocatesNothingAndOfAHeldBlockFreesIt) {
  RecordedBuffer<16, 0> buffer;
  EXPECT_EQ(buffer.Allocate(0), 0u);
  EXPECT_EQ(Recorder().allocations, 0);
  buffer.Allocate(10);
  EXPECT_EQ(buffer.GetCapacity(), 16u);
  EXPECT_EQ(buffer.Allocate(0), 0u);
  EXPECT_EQ(Recorder().frees, 1);
  EXPECT_EQ(buffer.GetCapacity(), 0u);
  EXPECT_EQ(buffer.GetData(), nullptr);
}

TEST_F(BufferTest, ConstructorReservesExactlyAndZeroFillsTheSize) {
  RecordedBuffer<1, 128> buffer(3, 40, true);
  EXPECT_EQ(buffer.GetCapacity(), 40u);
  EXPECT_EQ(buffer.GetSize(), 3u);
  EXPECT_EQ(std::memcmp(buffer.GetData(), "\0\0\0", 3), 0);
}

TEST_F(BufferTest, FailedAllocationRaisesBadAllocAndLeavesTheBufferAsItWas) {
  RecordedBuffer<1, 0> buffer(4, 0, false);
  std::memcpy(buffer.GetData(), "keep", 4);
  Recorder().failNext = true;
  EXPECT_THROW(buffer.SetSize(1000), std::bad_alloc);
  EXPECT_EQ(buffer.GetSize(), 4u);
  EXPECT_EQ(buffer.GetCapacity(), 4u);
  EXPECT_EQ(std::memcmp(buffer.GetData(), "keep", 4), 0);
  RecordedBuffer<1, 0> empty;
  EXPECT_THROW(empty.Allocate(8), std::bad_alloc);
  EXPECT_EQ(empty.GetCapacity(), 0u);
  EXPECT_EQ(empty.GetData(), nullptr);
  Recorder().failNext = false;
}

TEST_F(BufferTest, FillChecksItsRangeAgainstTheSize) {
  RecordedBuffer<1, 0> buffer(4, 0, true);
  struct Case { uint32_t offset; int32_t count; SVRESULT expected; const char* what; };
  const Case cases[] = {
      {0, 4, S_OK, "the whole buffer"},
      {4, 0, S_OK, "nothing at the end"},
      {2, -1, S_OK, "the rest"},
      {5, -1, E_INVALIDARG, "the rest from past the end"},
      {3, 2, E_INVALIDARG, "one byte past the end"},
      {0xFFFFFFFF, 2, E_INVALIDARG, "an offset that wraps"},
  };
  for (const Case& c : cases) EXPECT_EQ(buffer.Fill(0x5A, c.offset, c.count), c.expected) << c.what;
}

TEST_F(BufferTest, Fill16WritesWholeUnitsFromAByteOffset) {
  RecordedBuffer<1, 0> buffer(7, 0, true);
  EXPECT_EQ(buffer.Fill16(0xBEEF, 1, -1), S_OK);  // three units fit in bytes 1..6
  const auto* bytes = static_cast<const uint8_t*>(buffer.GetData());
  EXPECT_EQ(bytes[0], 0);
  EXPECT_EQ(bytes[1], 0xEF);
  EXPECT_EQ(bytes[6], 0xBE);
  EXPECT_EQ(buffer.Fill16(1, 2, 3), E_INVALIDARG);
  EXPECT_EQ(buffer.Fill16(1, 7, 0), S_OK);
}

TEST_F(BufferTest, DataAtAnOffsetIsNullOutsideTheSize) {
  RecordedBuffer<1, 0> buffer(3, 0, true);
  EXPECT_NE(buffer.GetDataAt(2), nullptr);
  EXPECT_EQ(buffer.GetDataAt(3), nullptr);
}

TEST(LBuffer, CopyResizedCopiesFromTheOffsetIntoAZeroFilledBuffer) {
  RCPtr<LIBuffer> source = LByteBuffer::Create(6, 0, false);
  std::memcpy(source->GetData(), "abcdef", 6);
  struct Case { uint32_t size, offset; const char* expected; };
  for (const Case c : {Case{4, 2, "cdef"}, Case{6, 4, "ef\0\0\0\0"}, Case{3, 6, "\0\0\0"}, Case{3, 9, "\0\0\0"}}) {
    RCPtr<LIBuffer> copy = source->CopyResized(c.size, c.offset);
    ASSERT_EQ(copy->GetSize(), c.size);
    EXPECT_EQ(std::memcmp(copy->GetData(), c.expected, c.size), 0) << "offset " << c.offset;
  }
  EXPECT_EQ(std::memcmp(source->GetData(), "abcdef", 6), 0);
}

TEST(LBuffer, CreateCopyIsAnIndependentShareableBuffer) {
  RCPtr<LIBuffer> source = LStringBuffer::Create(3, 0, true);
  std::memcpy(source->GetData(), "xy", 3);
  RCPtr<LRefCountedObject> copy = source->CreateCopy();
  auto buffer = RCPtr<LIBuffer>::DynamicCastFrom(copy);
  ASSERT_FALSE(buffer.IsNull());
  EXPECT_NE(buffer.Get(), source.Get());
  EXPECT_STREQ(static_cast<const char*>(buffer->GetData()), "xy");
  EXPECT_TRUE(buffer->IsShareable());
}

}  // namespace
}  // namespace SV
