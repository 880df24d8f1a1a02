#include "SVFramework/Utilities/Storage/RCPtrQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "SVFramework/Threads/Mutex.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;

// A queued object that knows its place in the sequence it was queued in.
class Numbered : public InstrumentedObject {
public:
  Numbered(LifeRecord& record, int number) : InstrumentedObject(record), number(number) {}
  const int number;
};

using Queue = RCPtrQueue<Numbered>;

class RCPtrQueueTest : public testing::Test {
protected:
  void EnqueueNumbers(Queue& queue, int count) {
    for (int i = 0; i < count; ++i) queue.Enqueue(RCPtr<Numbered>(new Numbered(record, next++)));
  }
  std::vector<int> DequeueAll(Queue& queue) {
    std::vector<int> numbers;
    while (queue.GetCount() > 0) numbers.push_back(queue.Dequeue()->number);
    return numbers;
  }
  static std::vector<int> Range(int first, int count) {
    std::vector<int> numbers;
    for (int i = 0; i < count; ++i) numbers.push_back(first + i);
    return numbers;
  }

  LifeRecord record;
  int next = 0;
};

TEST_F(RCPtrQueueTest, AFullRingGrowsByOneSlotAndKeepsTheOrder) {
  Queue queue;
  EXPECT_EQ(queue.GetSlotCount(), 256u);
  EXPECT_EQ(queue.GetCount(), 0u);
  EnqueueNumbers(queue, 255);
  EXPECT_EQ(queue.GetCount(), 255u);
  EXPECT_EQ(queue.GetSlotCount(), 256u);
  EnqueueNumbers(queue, 1);
  EXPECT_EQ(queue.GetCount(), 256u);
  EXPECT_EQ(queue.GetSlotCount(), 257u);
  EXPECT_EQ(DequeueAll(queue), Range(0, 256));
  EXPECT_EQ(record.Alive(), 0);
}

TEST_F(RCPtrQueueTest, AWrappedRingGrowsAtTheReadIndexAndTheWriteIndexStays) {
  Queue queue(nullptr, 4);
  EnqueueNumbers(queue, 3);
  EXPECT_EQ(DequeueAll(queue), Range(0, 3));
  EnqueueNumbers(queue, 3);  // numbers 3, 4, 5 in slots 3, 0, 1
  ASSERT_EQ(queue.GetReadIndex(), 3u);
  ASSERT_EQ(queue.GetWriteIndex(), 2u);
  EnqueueNumbers(queue, 1);
  EXPECT_EQ(queue.GetSlotCount(), 5u);
  EXPECT_EQ(queue.GetReadIndex(), 4u);
  EXPECT_EQ(queue.GetWriteIndex(), 3u);
  EXPECT_EQ(queue.GetCount(), 4u);
  EXPECT_EQ(DequeueAll(queue), Range(3, 4));
}

TEST_F(RCPtrQueueTest, DequeueOfAnEmptyQueueRaisesAndLeavesTheIndices) {
  Queue queue(nullptr, 4);
  EnqueueNumbers(queue, 2);
  DequeueAll(queue);
  try {
    queue.Dequeue();
    FAIL() << "no exception";
  } catch (const Exception<std::runtime_error>& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Runtime Error : SV::RCPtrQueue<class SV::(anonymous namespace)::Numbered,256>::Dequeue : "
                         "Utilities/Storage/RCPtrQueue : Line ", 0), 0u) << text;
  }
  EXPECT_EQ(queue.GetReadIndex(), 2u);
  EXPECT_EQ(queue.GetWriteIndex(), 2u);
  EXPECT_EQ(queue.GetCount(), 0u);
}

TEST_F(RCPtrQueueTest, ARingWithoutSlotsStartsWithTwo) {
  Queue queue(nullptr, 0);
  EXPECT_EQ(queue.GetCount(), 0u);
  EXPECT_THROW(queue.Dequeue(), Exception<std::runtime_error>);
  EnqueueNumbers(queue, 3);
  EXPECT_EQ(queue.GetSlotCount(), 4u);
  EXPECT_EQ(DequeueAll(queue), Range(0, 3));
}

TEST_F(RCPtrQueueTest, TheQueueHoldsOneReferenceUntilDequeueHandsItOver) {
  const RCPtr<Numbered> element(new Numbered(record, 7));
  {
    Queue queue;
    queue.Enqueue(element);
    EXPECT_EQ(element->GetRefCount(), 2);
    {
      const RCPtr<Numbered> out = queue.Dequeue();
      EXPECT_EQ(element->GetRefCount(), 2) << "the slot's reference moved into the result";
    }
    EXPECT_EQ(element->GetRefCount(), 1);
    EnqueueNumbers(queue, 5);
    EXPECT_EQ(record.Alive(), 6);
  }
  EXPECT_EQ(record.Alive(), 1) << "destroying the queue released what it held";
}

TEST_F(RCPtrQueueTest, ProducersOnSeveralThreadsAndOneConsumerShareALockedQueue) {
  constexpr int kProducers = 4;
  constexpr int kEach = 500;
  Mutex lock;
  Queue queue(&lock, 8);
  std::vector<std::thread> producers;
  for (int p = 0; p < kProducers; ++p)
    producers.emplace_back([&, p] {
      for (int i = 0; i < kEach; ++i) queue.Enqueue(RCPtr<Numbered>(new Numbered(record, p * kEach + i)));
    });
  std::vector<int> lastSeen(kProducers, -1);
  int received = 0;
  while (received < kProducers * kEach) {
    if (queue.GetCount() == 0) {
      std::this_thread::yield();
      continue;
    }
    const int number = queue.Dequeue()->number;
    EXPECT_GT(number % kEach, lastSeen[number / kEach]) << "each producer's elements arrive in order";
    lastSeen[number / kEach] = number % kEach;
    ++received;
  }
  for (std::thread& producer : producers) producer.join();
  EXPECT_EQ(queue.GetCount(), 0u);
  EXPECT_EQ(record.Alive(), 0);
}

}  // namespace
}  // namespace SV
