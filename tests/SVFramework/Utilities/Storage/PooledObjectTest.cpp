#include "SVFramework/Utilities/Storage/PooledObject.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "SVFramework/Controls/MenuActivationParam.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"

namespace SV {
namespace {

// A pooled shared object whose constructor can be told to fail.
class Fragile : public virtual LRefCountedObject, public PooledObject<Fragile, 4, true> {
public:
  explicit Fragile(bool fail) {
    if (fail) throw std::runtime_error("construction failed");
  }
};

// A derived class is larger than its pooled base, so its objects come from the heap.
class LargerFragile : public Fragile {
public:
  LargerFragile() : Fragile(false) {}
  char extra[64] = {};
};

TEST(PooledObject, ADroppedObjectsBlockServesTheNextObject) {
  const uint32_t blocksBefore = Fragile::GetPool().GetBlockCount();
  const void* address = nullptr;
  {
    RCPtr<Fragile> object(new Fragile(false));
    address = object.Get();
  }
  RCPtr<Fragile> next(new Fragile(false));
  EXPECT_EQ(static_cast<const void*>(next.Get()), address);
  EXPECT_LE(Fragile::GetPool().GetBlockCount(), blocksBefore + 1);
}

uint32_t BlocksInUse() { return Fragile::GetPool().GetBlockCount() - Fragile::GetPool().GetFreeBlockCount(); }

TEST(PooledObject, AFailedConstructionReturnsItsBlockAtOnce) {
  const uint32_t inUseBefore = BlocksInUse();
  RCPtr<Fragile> kept(new Fragile(false));
  EXPECT_THROW(new Fragile(true), std::runtime_error);
  EXPECT_EQ(BlocksInUse(), inUseBefore + 1) << "only the kept object holds a block";
  kept.Reset();
  EXPECT_EQ(BlocksInUse(), inUseBefore);
}

TEST(PooledObject, ObjectsOfADerivedClassComeFromTheHeap) {
  const uint32_t blocksBefore = Fragile::GetPool().GetBlockCount();
  const uint32_t freeBefore = Fragile::GetPool().GetFreeBlockCount();
  RCPtr<Fragile> object(new LargerFragile);
  object.Reset();
  EXPECT_EQ(Fragile::GetPool().GetBlockCount(), blocksBefore);
  EXPECT_EQ(Fragile::GetPool().GetFreeBlockCount(), freeBefore);
}

TEST(MenuActivationParam, HoldsItsMenuUntilItIsDroppedAndReusesItsBlock) {
  const RCPtr<LMenuDescriptor> menu(new LMenuDescriptor);
  const void* address = nullptr;
  {
    RCPtr<LMenuActivationParam> param(new LMenuActivationParam(menu, 3));
    EXPECT_EQ(param->GetMenuDescriptor(), menu);
    EXPECT_EQ(param->GetIndex(), 3);
    EXPECT_EQ(menu->GetRefCount(), 2);
    address = param.Get();
  }
  EXPECT_EQ(menu->GetRefCount(), 1);
  const RCPtr<LMenuActivationParam> none(new LMenuActivationParam(nullptr, -1));
  EXPECT_EQ(static_cast<const void*>(none.Get()), address);
  EXPECT_TRUE(none->GetMenuDescriptor().IsNull());
}

}  // namespace
}  // namespace SV
