#include "SVFramework/Utilities/Storage/RCPtrArray.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/ConstRCPtrArray.h"
#include "SVFramework/Utilities/Storage/LRCPtrArray.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;
using ObjectPtr = RCPtr<InstrumentedObject>;

class RCPtrArrayTest : public testing::Test {
protected:
  ObjectPtr Make() { return ObjectPtr(new InstrumentedObject(record)); }
  LifeRecord record;
};

TEST_F(RCPtrArrayTest, TheArrayHoldsExactlyOneReferencePerElementAndReleasesThemAll) {
  ObjectPtr kept = Make();
  {
    RCPtrArray<InstrumentedObject> array;
    array.Append(kept);
    array.Append(Make());
    array.Append(Make());
    EXPECT_EQ(kept->GetRefCount(), 2);
    EXPECT_EQ(array[1]->GetRefCount(), 1);
    EXPECT_EQ(record.Alive(), 3);
  }
  EXPECT_EQ(kept->GetRefCount(), 1);
  EXPECT_EQ(record.Alive(), 1);
  EXPECT_EQ(record.destroyed, 2);
}

TEST_F(RCPtrArrayTest, SetCountOpensNullSlotsAndReleasesWhatItCutsOff) {
  RCPtrArray<InstrumentedObject> array;
  EXPECT_EQ(array.SetCount(3), 3);
  for (uint32_t i = 0; i < 3; ++i) EXPECT_TRUE(array[i].IsNull()) << i;
  array[0] = Make();
  array[2] = Make();
  EXPECT_EQ(array.SetCount(1), 1);
  EXPECT_EQ(record.Alive(), 1);
  EXPECT_EQ(array.SetCount(0), 0);
  EXPECT_EQ(record.Alive(), 0);
  EXPECT_EQ(array.GetData(), nullptr);
}

TEST_F(RCPtrArrayTest, InsertAtTheCountAppendsAndPastItIsRefused) {
  RCPtrArray<InstrumentedObject> array;
  const ObjectPtr first = Make(), second = Make(), third = Make();
  EXPECT_EQ(array.InsertAt(0, first), 0);
  EXPECT_EQ(array.InsertAt(1, third), 1);
  EXPECT_EQ(array.InsertAt(1, second), 1);
  EXPECT_EQ(array.InsertAt(4, Make()), E_INVALIDARG);
  EXPECT_EQ(array.InsertItems(4, 1), E_INVALIDARG);
  ASSERT_EQ(array.GetCount(), 3u);
  EXPECT_EQ(array[0], first);
  EXPECT_EQ(array[1], second);
  EXPECT_EQ(array[2], third);
  EXPECT_EQ(record.Alive(), 3) << "the refused element was released";
}

TEST_F(RCPtrArrayTest, InsertItemsOpensNullSlotsInside) {
  RCPtrArray<InstrumentedObject> array;
  const ObjectPtr first = Make(), last = Make();
  array.Append(first);
  array.Append(last);
  EXPECT_EQ(array.InsertItems(1, 2), 4);
  EXPECT_EQ(array[0], first);
  EXPECT_TRUE(array[1].IsNull());
  EXPECT_TRUE(array[2].IsNull());
  EXPECT_EQ(array[3], last);
  EXPECT_EQ(last->GetRefCount(), 2);
}

TEST_F(RCPtrArrayTest, AnElementOfTheArrayItselfCanBeAppendedWhileTheStorageMoves) {
  RCPtrArray<InstrumentedObject> array;
  array.Append(Make());
  for (int i = 0; i < 20; ++i) array.Append(array[0]);
  EXPECT_EQ(array[0]->GetRefCount(), 21);
  EXPECT_EQ(record.Alive(), 1);
}

TEST_F(RCPtrArrayTest, RemoveItemAtTheCountRaisesAndLeavesTheArray) {
  RCPtrArray<InstrumentedObject> array;
  array.Append(Make());
  ObjectPtr out = Make();
  try {
    array.RemoveItem(1, out);
    FAIL() << "no exception";
  } catch (const Exception<std::out_of_range>& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Out of Range : SV::RCPtrArray<class SV::Testing::InstrumentedObject,1,0>::RemoveItem : "
                         "Utilities/Storage/RCPtrArray : Line ", 0), 0u) << text;
  }
  EXPECT_EQ(array.GetCount(), 1u);
  EXPECT_FALSE(out.IsNull());
  EXPECT_EQ(record.Alive(), 2);
}

TEST_F(RCPtrArrayTest, TheReadOnlyArrayNamesItselfInItsError) {
  ConstRCPtrArray<InstrumentedObject, 16, 16> array;
  ConstRCPtr<InstrumentedObject> out;
  try {
    array.RemoveItem(0, out);
    FAIL() << "no exception";
  } catch (const Exception<std::out_of_range>& error) {
    const std::string text = error.what();
    EXPECT_EQ(text.rfind("Out of Range : SV::ConstRCPtrArray<class SV::Testing::InstrumentedObject,16,16>::RemoveItem : "
                         "Utilities/Storage/ConstRCPtrArray : Line ", 0), 0u) << text;
  }
}

TEST_F(RCPtrArrayTest, RemoveItemMovesTheReferenceIntoOutAfterOutDropsItsOwn) {
  RCPtrArray<InstrumentedObject> array;
  const ObjectPtr first = Make(), last = Make();
  array.Append(first);
  array.Append(last);
  ObjectPtr out = Make();
  EXPECT_EQ(array.RemoveItem(1, out), 1);
  EXPECT_EQ(out, last);
  EXPECT_EQ(last->GetRefCount(), 2) << "the slot's reference moved, none was added";
  EXPECT_EQ(record.destroyed, 1) << "what out held was released";
  EXPECT_EQ(array.RemoveItem(0, out), 0);
  EXPECT_EQ(out, first);
  EXPECT_EQ(first->GetRefCount(), 2);
  EXPECT_EQ(last->GetRefCount(), 1);
}

TEST_F(RCPtrArrayTest, RemoveItemsReleasesARunAndRaisesForAnIndexOutside) {
  RCPtrArray<InstrumentedObject> array;
  for (int i = 0; i < 5; ++i) array.Append(Make());
  const ObjectPtr last = array[4];
  EXPECT_EQ(array.RemoveItems(1, 3), 2);
  EXPECT_EQ(array[1], last);
  EXPECT_EQ(record.Alive(), 2);
  EXPECT_THROW(array.RemoveItems(1, 2), Exception<std::out_of_range>);
  EXPECT_EQ(array.GetCount(), 1u) << "the removals before the bad index happened";
}

TEST_F(RCPtrArrayTest, RemoveLastClearsOutAndGivesFailOnAnEmptyArray) {
  RCPtrArray<InstrumentedObject> array;
  ObjectPtr out = Make();
  EXPECT_EQ(array.RemoveLast(out), E_FAIL);
  EXPECT_TRUE(out.IsNull());
  EXPECT_EQ(record.Alive(), 0);
  array.Append(Make());
  EXPECT_EQ(array.RemoveLast(out), 0);
  EXPECT_EQ(out->GetRefCount(), 1);
}

TEST_F(RCPtrArrayTest, SwapMovesReferencesAndRefusesBadIndices) {
  RCPtrArray<InstrumentedObject> array;
  const ObjectPtr first = Make(), second = Make();
  array.Append(first);
  array.Append(second);
  EXPECT_EQ(array.Swap(0, 1), S_OK);
  EXPECT_EQ(array[0], second);
  EXPECT_EQ(array[1], first);
  EXPECT_EQ(first->GetRefCount(), 2);
  EXPECT_EQ(second->GetRefCount(), 2);
  EXPECT_EQ(array.Swap(0, 2), E_INVALIDARG);
  EXPECT_EQ(array.Swap(2, 0), E_INVALIDARG);
}

TEST_F(RCPtrArrayTest, FindSearchesByIdentity) {
  RCPtrArray<InstrumentedObject> array;
  const ObjectPtr first = Make(), second = Make(), absent = Make();
  array.Append(first);
  array.Append(second);
  array.Append(first);
  EXPECT_EQ(array.Find(second.Get()), 1);
  EXPECT_EQ(array.Find(first), 0);
  EXPECT_EQ(array.Find(absent.Get()), -1);
  EXPECT_EQ(RCPtrArray<InstrumentedObject>().Find(first.Get()), -1);
}

TEST_F(RCPtrArrayTest, AppendAllTakesAReferenceToEverySourceElement) {
  RCPtrArray<InstrumentedObject> source, target;
  source.Append(Make());
  source.Append(Make());
  target.Append(Make());
  EXPECT_EQ(target.AppendAll(source), 3);
  EXPECT_EQ(target[1], source[0]);
  EXPECT_EQ(source[0]->GetRefCount(), 2);
  EXPECT_EQ(target.AppendFrom(source), 5);
  EXPECT_EQ(source[1]->GetRefCount(), 3);
}

TEST(RCPtrArrayCopyOnAttach, AnObjectMarkedUnshareableIsCopiedWhenTheArrayTakesIt) {
  RCPtr<LIBuffer> buffer = LByteBuffer::Create(4, 0, true);
  buffer->SetUnshareable(true);
  RCPtrArray<LIBuffer> array;
  array.Append(buffer);
  EXPECT_NE(array[0].Get(), buffer.Get());
  EXPECT_EQ(array[0]->GetSize(), 4u);
  EXPECT_EQ(buffer->GetRefCount(), 1);
}

TEST(RCPtrArrayStorage, CapacityGrowsInStepsAndShrinksOnlyPastTheSlack) {
  RCPtrArray<LIBuffer, 16, 16> array;
  struct Step { uint32_t count; uint32_t capacity; };
  for (const Step step : {Step{1, 16}, Step{17, 32}, Step{16, 32}, Step{15, 16}, Step{0, 16}, Step{40, 48}}) {
    array.SetCount(step.count);
    EXPECT_EQ(array.GetCapacity(), step.capacity) << "count " << step.count;
  }
  RCPtrArray<LIBuffer> exact;
  for (const uint32_t count : {3u, 1u, 5u, 0u}) {
    exact.SetCount(count);
    EXPECT_EQ(exact.GetCapacity(), count);
  }
}

TEST(RCPtrArrayStorage, TheConstructorTakesExactlyTheCapacityWithinTheSlack) {
  const RCPtrArray<LIBuffer, 16, 16> reserved(2, 17);
  EXPECT_EQ(reserved.GetCount(), 2u);
  EXPECT_EQ(reserved.GetCapacity(), 17u);
  const RCPtrArray<LIBuffer, 16, 16> beyondSlack(2, 40);
  EXPECT_EQ(beyondSlack.GetCapacity(), 16u) << "setting the count shrinks what would be too spare";
  EXPECT_TRUE(reserved[0].IsNull());
  const RCPtrArray<LIBuffer, 256, 256> ring(256, 256);
  EXPECT_EQ(ring.GetCount(), 256u);
  EXPECT_EQ(ring.GetCapacity(), 256u);
}

TEST(SharedRCPtrArray, ASharedListReleasesItsElementsWithItsLastHolder) {
  LifeRecord record;
  RCPtr<LRCPtrArray<InstrumentedObject>> list(new LRCPtrArray<InstrumentedObject>(2));
  EXPECT_TRUE((*list)[1].IsNull());
  (*list)[1] = ObjectPtr(new InstrumentedObject(record));
  RCPtr<LRCPtrArray<InstrumentedObject>> other = list;
  EXPECT_EQ(list->GetRefCount(), 2);
  list.Reset();
  EXPECT_EQ(record.Alive(), 1);
  other.Reset();
  EXPECT_EQ(record.Alive(), 0);
}

}  // namespace
}  // namespace SV
