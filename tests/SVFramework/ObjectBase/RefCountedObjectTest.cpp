#include "SVFramework/ObjectBase/RefCountedObject.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

#include "SVFramework/Utilities/Storage/BufferT.h"
#include "SVFramework/Utilities/Storage/StringT.h"
#include "tests/Support/InstrumentedObject.h"
#include "tests/Support/SimultaneousRounds.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;

// A registry that holds internal references to objects and lets go of one when asked.
struct Registry {
  std::vector<RCPtr<InstrumentedObject>> held;

  void Hold(const RCPtr<InstrumentedObject>& object) {
    held.push_back(object);
    object->AddInternalReferences(1);
  }
  void LetGoOf(InstrumentedObject* object) {
    for (auto it = held.begin(); it != held.end(); ++it) {
      if (it->Get() != object) continue;
      object->AddInternalReferences(-1);
      held.erase(it);
      return;
    }
  }
};

TEST(RefCountedObject, ReleasingTheOnlyReferenceDestroysAndReturnsZero) {
  LifeRecord record;
  auto* object = new InstrumentedObject(record);
  object->AddRef();
  EXPECT_EQ(object->AddRef(), 2);
  EXPECT_EQ(object->Release(), 1);
  EXPECT_EQ(record.destroyed, 0);
  EXPECT_EQ(object->Release(), 0);
  EXPECT_EQ(record.destroyed, 1);
}

TEST(RefCountedObject, ReleasingTheLastOutsideReferenceRunsTheHookOnceAndRegistriesFreeTheObject) {
  LifeRecord record;
  Registry first, second;
  RCPtr<InstrumentedObject> outside(new InstrumentedObject(record));
  InstrumentedObject* raw = outside.Get();
  first.Hold(outside);
  second.Hold(outside);
  raw->onReleaseInternalReferences = [&] {
    first.LetGoOf(raw);
    second.LetGoOf(raw);
  };
  ASSERT_EQ(raw->GetRefCount(), 3);
  ASSERT_EQ(raw->GetInternalRefCount(), 2);

  outside.Reset();

  EXPECT_EQ(record.hookCalls, 1);
  EXPECT_EQ(record.destroyed, 1);
  EXPECT_TRUE(first.held.empty());
}

TEST(RefCountedObject, HookWaitsWhileTwoOutsideOwnersRemain) {
  LifeRecord record;
  Registry registry;
  RCPtr<InstrumentedObject> owner(new InstrumentedObject(record));
  RCPtr<InstrumentedObject> secondOwner = owner;
  registry.Hold(owner);
  InstrumentedObject* raw = owner.Get();
  owner->onReleaseInternalReferences = [&registry, raw] { registry.LetGoOf(raw); };

  owner.Reset();
  EXPECT_EQ(record.hookCalls, 0);
  secondOwner.Reset();
  EXPECT_EQ(record.hookCalls, 1);
  EXPECT_EQ(record.destroyed, 1);
}

TEST(RefCountedObject, AHookThatThrowsGivesUpTheReferenceAndRunsAgainAtTheNextLastRelease) {
  LifeRecord record;
  Registry registry;
  RCPtr<InstrumentedObject> owner(new InstrumentedObject(record));
  InstrumentedObject* raw = owner.Get();
  registry.Hold(owner);
  bool registryBusy = true;
  raw->onReleaseInternalReferences = [&] {
    if (std::exchange(registryBusy, false)) throw std::runtime_error("registry busy");
    registry.LetGoOf(raw);
  };

  EXPECT_THROW(owner.Reset(), std::runtime_error);
  EXPECT_EQ(raw->GetRefCount(), 1) << "only the registry's reference is left";

  owner = raw;
  owner.Reset();
  EXPECT_EQ(record.hookCalls, 2);
  EXPECT_EQ(record.destroyed, 1);
}

TEST(RefCountedObject, HookNeverRunsWithoutInternalReferences) {
  LifeRecord record;
  { RCPtr<InstrumentedObject> only(new InstrumentedObject(record)); }
  EXPECT_EQ(record.hookCalls, 0);
  EXPECT_EQ(record.destroyed, 1);
}

TEST(RefCountedObject, BaseHookAnswersSuccessOnlyForOneReferenceAndNoInternalOne) {
  LifeRecord record;
  RCPtr<LRefCountedObject> object(new InstrumentedObject(record));
  EXPECT_EQ(object->LRefCountedObject::ReleaseInternalReferences(), S_OK);
  RCPtr<LRefCountedObject> second = object;
  EXPECT_EQ(object->LRefCountedObject::ReleaseInternalReferences(), E_FAIL);
  second.Reset();
  object->AddInternalReferences(1);
  EXPECT_EQ(object->LRefCountedObject::ReleaseInternalReferences(), E_FAIL);
  object->AddInternalReferences(-1);
}

TEST(RefCountedObject, CopiesStartWithNoReferenceAndShareable) {
  LifeRecord record;
  RCPtr<InstrumentedObject> original(new InstrumentedObject(record));
  original->AddInternalReferences(1);
  InstrumentedObject copy(*original);
  EXPECT_EQ(copy.GetRefCount(), 0);
  EXPECT_EQ(copy.GetInternalRefCount(), 0);
  EXPECT_TRUE(copy.IsShareable());
  original->AddInternalReferences(-1);
}

TEST(RefCountedObject, MarkingUnshareableIsRefusedWhileShared) {
  LifeRecord record;
  RCPtr<InstrumentedObject> object(new InstrumentedObject(record));
  object->SetUnshareable(true);
  EXPECT_FALSE(object->IsShareable());
  object->SetUnshareable(false);
  RCPtr<InstrumentedObject> second = object;
  EXPECT_THROW(object->SetUnshareable(true), std::runtime_error);
  EXPECT_TRUE(object->IsShareable());
  EXPECT_NO_THROW(object->SetUnshareable(false));
}

TEST(RefCountedObject, UndoAndCreateCopyAreNotImplementedByDefault) {
  LifeRecord record;
  RCPtr<InstrumentedObject> object(new InstrumentedObject(record));
  EXPECT_THROW(object->Undo(), std::logic_error);
  EXPECT_THROW(object->CreateCopy(), std::logic_error);
}

TEST(RefCountedObject, DefaultTextNamesTheDynamicType) {
  LifeRecord record;
  RCPtr<InstrumentedObject> object(new InstrumentedObject(record));
  const NarrowString text = object->ToString().ToUTF8();
  const std::string expectedStart = "LRefCountedObject::ToString() not overridden. Returning TypeName: ";
  EXPECT_EQ(std::string(text.GetString()).rfind(expectedStart, 0), 0u);
  EXPECT_NE(std::string(text.GetString()).find("InstrumentedObject"), std::string::npos);
}

TEST(RCPtr, SelfAssignmentAndNullToNullChangeNoCount) {
  LifeRecord record;
  RCPtr<InstrumentedObject> object(new InstrumentedObject(record));
  RCPtr<InstrumentedObject>& alias = object;
  object = alias;
  EXPECT_EQ(object->GetRefCount(), 1);
  RCPtr<InstrumentedObject> null, otherNull;
  null = otherNull;
  EXPECT_TRUE(null.IsNull());
}

// An object that holds the only reference to another.
struct ParentObject : InstrumentedObject {
  using InstrumentedObject::InstrumentedObject;
  RCPtr<InstrumentedObject> child;
};

TEST(RCPtr, AssignmentTakesTheNewReferenceBeforeReleasingTheOld) {
  LifeRecord record;
  auto* parent = new ParentObject(record);
  parent->child = new InstrumentedObject(record);
  InstrumentedObject* child = parent->child.Get();
  RCPtr<InstrumentedObject> holder(parent);

  holder = parent->child;  // releasing the parent releases the child's only other holder

  EXPECT_EQ(holder.Get(), child);
  EXPECT_EQ(record.destroyed, 1);
  EXPECT_EQ(child->GetRefCount(), 1);
}

TEST(RCPtr, IsExactlyOnePointerWide) {
  EXPECT_EQ(sizeof(RCPtr<LRefCountedObject>), sizeof(void*));
  EXPECT_EQ(sizeof(ConstRCPtr<LRefCountedObject>), sizeof(void*));
}

TEST(RCPtr, DynamicCastGivesNullForNullOrAnotherClassAndKeepsTheSourceCount) {
  LifeRecord record;
  RCPtr<LRefCountedObject> source(new InstrumentedObject(record));
  EXPECT_TRUE(RCPtr<LIBuffer>::DynamicCastFrom(source).IsNull());
  EXPECT_EQ(source->GetRefCount(), 1);
  EXPECT_TRUE(RCPtr<InstrumentedObject>::DynamicCastFrom(NullObjectPtr()).IsNull());
  RCPtr<InstrumentedObject> cast = RCPtr<InstrumentedObject>::DynamicCastFrom(source);
  EXPECT_EQ(cast.Get(), source.Get());
  EXPECT_EQ(source->GetRefCount(), 2);
}

TEST(RCPtr, AttachingASecondHolderToAnUnshareableBufferGivesItAPrivateCopy) {
  RCPtr<LIBuffer> first = LStringBuffer::Create(4, 0, true);
  std::memcpy(first->GetData(), "abc", 4);
  first->SetUnshareable(true);

  RCPtr<LIBuffer> second = first;

  EXPECT_NE(second.Get(), first.Get());
  EXPECT_STREQ(static_cast<const char*>(second->GetData()), "abc");
  EXPECT_EQ(first->GetRefCount(), 1);
  EXPECT_TRUE(second->IsShareable());
}

TEST(RCPtr, UnshareOfANullOrUnsharedObjectChangesNothing) {
  RCPtr<LIBuffer> null;
  null.Unshare();
  EXPECT_TRUE(null.IsNull());
  RCPtr<LIBuffer> only = LStringBuffer::Create(1, 0, true);
  LIBuffer* before = only.Get();
  only.Unshare();
  EXPECT_EQ(only.Get(), before);
}

TEST(RCPtr, UnshareOfAnObjectThatCannotCopyRaisesBeforeAnyChange) {
  LifeRecord record;
  RCPtr<InstrumentedObject> first(new InstrumentedObject(record));
  RCPtr<InstrumentedObject> second = first;
  EXPECT_THROW(second.Unshare(), std::logic_error);
  EXPECT_EQ(second.Get(), first.Get());
  EXPECT_EQ(first->GetRefCount(), 2);
}

TEST(RCPtr, CountsStayExactWhenManyThreadsCopyAndDropOneObject) {
  LifeRecord record;
  RCPtr<InstrumentedObject> shared(new InstrumentedObject(record));
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&shared] {
      for (int i = 0; i < 20000; ++i) RCPtr<InstrumentedObject> copy = shared;
    });
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(shared->GetRefCount(), 1);
  shared.Reset();
  EXPECT_EQ(record.destroyed, 1);
}

}  // namespace
}  // namespace SV

namespace SV {
namespace {

// Copies itself as an object of another class, as a broken CreateCopy would.
class CopiesAsAnotherClass : public virtual LRefCountedObject {
public:
  RCPtr<LRefCountedObject> CreateCopy() override { return RCPtr<LRefCountedObject>(new LRefCountedObject); }
};

TEST(RCPtr, UnshareWhoseCopyIsOfAnotherClassLeavesThePointerNullAndRaises) {
  RCPtr<CopiesAsAnotherClass> first(new CopiesAsAnotherClass);
  RCPtr<CopiesAsAnotherClass> second = first;
  EXPECT_THROW(second.Unshare(), std::logic_error);
  EXPECT_TRUE(second.IsNull());
  EXPECT_EQ(first->GetRefCount(), 1);
}

}  // namespace
}  // namespace SV

namespace SV {
namespace {

using Testing::SimultaneousRounds;

// Objects whose only other reference is one internal reference held by a registry
// slot, each also held by `owners` outside owners that let go at the same moment.
class ConcurrentReleaseTest : public ::testing::Test {
protected:
  static constexpr int kOwners = 3;
  static constexpr int kObjectsPerRound = 16;
  static constexpr int kRounds = 8000;

  struct Holders {
    RCPtr<InstrumentedObject> registry;
    RCPtr<InstrumentedObject> owners[kOwners];
  };

  void PrepareRound() {
    for (Holders& holders : mHolders) {
      RCPtr<InstrumentedObject> object(new InstrumentedObject(mRecord));
      holders.registry = object;
      object->AddInternalReferences(1);
      InstrumentedObject* raw = object.Get();
      RCPtr<InstrumentedObject>* slot = &holders.registry;
      object->onReleaseInternalReferences = [raw, slot] {
        raw->AddInternalReferences(-1);
        slot->Reset();
      };
      for (RCPtr<InstrumentedObject>& owner : holders.owners) owner = object;
    }
  }

  void ReleaseAsOwner(int owner) {
    for (Holders& holders : mHolders) holders.owners[owner].Reset();
  }

  LifeRecord mRecord;
  Holders mHolders[kObjectsPerRound];
};

TEST_F(ConcurrentReleaseTest, ConcurrentLastReleasesRunTheHookExactlyOnceAndFreeEveryObject) {
  SimultaneousRounds rounds(kOwners, [this](int owner) { ReleaseAsOwner(owner); });
  for (int round = 0; round < kRounds; ++round) {
    PrepareRound();
    ASSERT_TRUE(rounds.RunRound()) << "round " << round;
  }
  constexpr int kObjects = kRounds * kObjectsPerRound;
  EXPECT_EQ(mRecord.constructed, kObjects);
  EXPECT_EQ(mRecord.hookCalls, kObjects);
  EXPECT_EQ(mRecord.destroyed, kObjects);
  for (Holders& holders : mHolders) holders.registry.Reset();
}

// Holds itself for a moment from its destructor, as a distributor or queue that an
// owner class tidies up there does.
class HoldsItselfWhileDying : public InstrumentedObject {
public:
  using InstrumentedObject::InstrumentedObject;
  ~HoldsItselfWhileDying() override { RCPtr<HoldsItselfWhileDying> self(this); }
};

TEST(RefCountedObjectDestruction, AReferenceTakenAndDroppedByTheDestructorDoesNotDestroyAgain) {
  LifeRecord record;
  auto* object = new HoldsItselfWhileDying(record);
  object->AddRef();
  EXPECT_EQ(object->Release(), 0);
  EXPECT_EQ(record.destroyed, 1);
}

TEST(RefCountedObjectDestruction, HoldIfReferencedTakesNoReferenceOnAnUnreferencedObject) {
  LifeRecord record;
  auto* unattached = new InstrumentedObject(record);
  EXPECT_TRUE(HoldIfReferenced(unattached).IsNull());
  EXPECT_EQ(unattached->GetRefCount(), 0);
  EXPECT_EQ(record.destroyed, 0);

  RCPtr<InstrumentedObject> owner(unattached);
  {
    const RCPtr<InstrumentedObject> held = HoldIfReferenced(unattached);
    EXPECT_EQ(held.Get(), unattached);
    EXPECT_EQ(unattached->GetRefCount(), 2);
  }
  EXPECT_EQ(unattached->GetRefCount(), 1);
}

// An unshareable object whose copy fails, as a buffer's does when memory runs out.
class CopyFailsUnderMemoryShortage : public InstrumentedObject {
public:
  using InstrumentedObject::InstrumentedObject;
  RCPtr<LRefCountedObject> CreateCopy() override { throw std::bad_alloc(); }
};

class FailedAttachTest : public ::testing::Test {
protected:
  void SetUp() override { unshareable->SetUnshareable(true); }

  LifeRecord record;
  RCPtr<CopyFailsUnderMemoryShortage> unshareable{new CopyFailsUnderMemoryShortage(record)};
};

TEST_F(FailedAttachTest, AConstructionWhoseCopyFailsLeavesNoReferenceBehind) {
  EXPECT_THROW(RCPtr<CopyFailsUnderMemoryShortage> second(unshareable), std::bad_alloc);
  EXPECT_THROW(ConstRCPtr<LRefCountedObject> widened(unshareable), std::bad_alloc);
  EXPECT_EQ(unshareable->GetRefCount(), 1);
  unshareable.Reset();
  EXPECT_EQ(record.destroyed, 1);
}

TEST_F(FailedAttachTest, AnAssignmentWhoseCopyFailsLeavesBothObjectsAsTheyWere) {
  RCPtr<CopyFailsUnderMemoryShortage> target(new CopyFailsUnderMemoryShortage(record));
  CopyFailsUnderMemoryShortage* before = target.Get();

  EXPECT_THROW(target = unshareable, std::bad_alloc);
  EXPECT_THROW(target = unshareable.Get(), std::bad_alloc);

  EXPECT_EQ(target.Get(), before);
  EXPECT_EQ(before->GetRefCount(), 1);
  EXPECT_EQ(unshareable->GetRefCount(), 1);
  target.Reset();
  unshareable.Reset();
  EXPECT_EQ(record.destroyed, 2);
}

}  // namespace
}  // namespace SV
