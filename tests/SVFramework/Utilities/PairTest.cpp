#include "SVFramework/Utilities/Pair.h"

#include <gtest/gtest.h>

#include "SVFramework/Utilities/Wrapper.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

using Testing::InstrumentedObject;
using Testing::LifeRecord;

String NumberToText(const uint32_t& number) { return FormatFixedPointUnsigned(number, 0); }

using NumberWithText = LPair<uint32_t, String, &NumberToText>;

TEST(Pair, TextIsTheFirstValuesTextWhateverTheSecondValueIs) {
  auto a = NumberWithText::Create(4021, u"first");
  auto b = NumberWithText::Create(4021, u"something else entirely");
  EXPECT_EQ(a->ToString(), u"4021");
  EXPECT_EQ(b->ToString(), u"4021");
  EXPECT_EQ(a->GetSecond(), u"first");
  EXPECT_EQ(a->GetRefCount(), 1);
}

TEST(Pair, HoldsCopiesOfItsArguments) {
  String second(u"text");
  auto pair = NumberWithText::Create(7, second);
  second.Append(u"!");
  EXPECT_EQ(pair->GetSecond(), u"text");
  EXPECT_EQ(pair->GetFirst(), 7u);
}

String InstrumentedToText(const RCPtr<InstrumentedObject>&) { return u"instrumented"; }

TEST(Pair, TheLastReferenceReleasesBothValues) {
  LifeRecord record;
  using ObjectPair = LPair<RCPtr<InstrumentedObject>, RCPtr<InstrumentedObject>, &InstrumentedToText>;
  RCPtr<LRefCountedObject> payload(
      ObjectPair::Create(new InstrumentedObject(record), new InstrumentedObject(record)));
  EXPECT_EQ(record.Alive(), 2);
  EXPECT_EQ(payload->ToString(), u"instrumented");

  payload.Reset();
  EXPECT_EQ(record.destroyed, 2);
}

TEST(Pair, APairPayloadAndAWrapperPayloadDoNotConvertIntoEachOther) {
  const RCPtr<LRefCountedObject> pairPayload(NumberWithText::Create(1, u"one"));
  const RCPtr<LRefCountedObject> wrapperPayload(LWrapper<String>::Create(u"text"));
  EXPECT_FALSE(RCPtr<LWrapper<String>>::DynamicCastFrom(pairPayload));
  EXPECT_FALSE(RCPtr<NumberWithText>::DynamicCastFrom(wrapperPayload));
  EXPECT_TRUE(RCPtr<NumberWithText>::DynamicCastFrom(pairPayload));
}

}  // namespace
}  // namespace SV
