#include "SVFramework/Utilities/Holder.h"

#include <gtest/gtest.h>

#include "SVFramework/Utilities/Storage/StringT.h"
#include "SVFramework/Utilities/Wrapper.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;

enum class ConnectionState { Disconnected = 0, Connected = 1 };

TEST(Holder, ANewHolderStartsValueInitialisedWithOneReference) {
  auto count = LHolder<unsigned int>::Create();
  auto flag = LHolder<bool>::Create();
  auto state = LHolder<ConnectionState>::Create();
  EXPECT_EQ(count->Value(), 0u);
  EXPECT_FALSE(flag->Value());
  EXPECT_EQ(state->Value(), ConnectionState::Disconnected);
  EXPECT_EQ(count->GetRefCount(), 1);
}

TEST(Holder, AReceiverReadsWhatTheSenderWroteThroughThePayloadPointer) {
  auto sent = LHolder<unsigned int>::Create();
  sent->Value() = 3;
  const RCPtr<LRefCountedObject> payload(sent);

  auto received = RCPtr<LHolder<unsigned int>>::DynamicCastFrom(payload);
  ASSERT_TRUE(received);
  EXPECT_EQ(received->Value(), 3u);
  EXPECT_EQ(received.Get(), sent.Get());
}

TEST(Holder, APayloadOfAnotherTypeConvertsToNull) {
  const RCPtr<LRefCountedObject> payload(LHolder<bool>::Create());
  EXPECT_FALSE(RCPtr<LHolder<unsigned int>>::DynamicCastFrom(payload));
  EXPECT_FALSE((RCPtr<LWrapper<String>>::DynamicCastFrom(payload)));
  EXPECT_FALSE(RCPtr<LHolder<unsigned int>>::DynamicCastFrom(NullObjectPtr()));
}

TEST(Holder, TextIsTheDefaultTextNamingTheHolderType) {
  auto holder = LHolder<unsigned int>::Create();
  EXPECT_EQ(holder->ToString(),
            u"LRefCountedObject::ToString() not overridden. Returning TypeName: SV::LHolder<unsigned int>");
}

TEST(Holder, TheLastReferenceDestroysTheHeldValueOnce) {
  LifeRecord record;
  auto holder = LHolder<RCPtr<InstrumentedObject>>::Create();
  EXPECT_TRUE(holder->Value().IsNull());
  holder->Value() = new InstrumentedObject(record);
  RCPtr<LRefCountedObject> payload(holder);
  holder.Reset();
  EXPECT_EQ(record.destroyed, 0);

  payload.Reset();
  EXPECT_EQ(record.constructed, 1);
  EXPECT_EQ(record.destroyed, 1);
}

TEST(Holder, IsSharedAndNeverCopied) {
  auto holder = LHolder<int>::Create();
  EXPECT_THROW(holder->CreateCopy(), std::logic_error);
  RCPtr<LHolder<int>> second = holder;
  EXPECT_EQ(second.Get(), holder.Get());
  EXPECT_EQ(holder->GetRefCount(), 2);
}

}  // namespace
}  // namespace SV
