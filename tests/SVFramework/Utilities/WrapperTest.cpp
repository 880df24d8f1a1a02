#include "SVFramework/Utilities/Wrapper.h"

#include <gtest/gtest.h>

#include <vector>

#include "SVFramework/Utilities/Storage/StringT.h"

#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;

// A value type whose elements live on the heap, as a packed set of values does.
struct ObjectList {
  std::vector<RCPtr<InstrumentedObject>> objects;
};

TEST(Wrapper, IsItsValueAndASharedObjectAtOnce) {
  auto wrapper = LWrapper<std::vector<int>>::Create(std::vector<int>{1, 2, 3});
  EXPECT_EQ(wrapper->size(), 3u);
  wrapper->push_back(4);
  const RCPtr<LRefCountedObject> payload(wrapper);
  auto received = RCPtr<LWrapper<std::vector<int>>>::DynamicCastFrom(payload);
  ASSERT_TRUE(received);
  EXPECT_EQ(received->back(), 4);
  EXPECT_EQ(wrapper->GetRefCount(), 3);
}

TEST(Wrapper, ADefaultWrapperHoldsADefaultValue) {
  auto wrapper = LWrapper<std::vector<int>>::Create();
  EXPECT_TRUE(wrapper->empty());
  EXPECT_EQ(wrapper->GetRefCount(), 1);
}

TEST(Wrapper, DestroyingTheWrapperFreesTheValuesHeapStorage) {
  LifeRecord record;
  ObjectList list;
  list.objects.emplace_back(new InstrumentedObject(record));
  list.objects.emplace_back(new InstrumentedObject(record));
  RCPtr<LRefCountedObject> payload(LWrapper<ObjectList>::Create(list));
  list.objects.clear();
  EXPECT_EQ(record.Alive(), 2);

  payload.Reset();
  EXPECT_EQ(record.destroyed, 2);
}

TEST(Wrapper, TextIsTheDefaultTextNamingTheWrapperType) {
  auto wrapper = LWrapper<ObjectList>::Create();
  EXPECT_EQ(wrapper->ToString(),
            u"LRefCountedObject::ToString() not overridden. Returning TypeName: "
            u"SV::LWrapper<SV::(anonymous namespace)::ObjectList, SV::LRefCountedObject>");
}

}  // namespace
}  // namespace SV
