#include "SVFramework/Utilities/StringPayload.h"

#include <gtest/gtest.h>

#include "SVFramework/ObjectBase/TaggableObject.h"
#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

TEST(StringPayload, HoldsACopyOfTheTextAndAnswersItAsItsText) {
  String text(u"Preset sent");
  auto payload = MakeStringPayload(text);
  text.Append(u" twice");
  EXPECT_EQ(payload->ToString(), u"Preset sent");
  EXPECT_EQ(static_cast<const String&>(*payload), u"Preset sent");
  EXPECT_EQ(payload->GetRefCount(), 1);
}

TEST(StringPayload, IsATaggableObjectWithoutATag) {
  const RCPtr<LRefCountedObject> payload(MakeStringPayload(u"item"));
  auto taggable = RCPtr<LTaggableObject>::DynamicCastFrom(payload);
  ASSERT_TRUE(taggable);
  EXPECT_TRUE(taggable->GetTag().IsNull());
  EXPECT_EQ(taggable->ToString(), u"item");
}

TEST(StringPayload, ReleasesItsTagWithItself) {
  Testing::LifeRecord record;
  auto payload = MakeStringPayload(u"item");
  payload->SetTag(RCPtr<LRefCountedObject>(new Testing::InstrumentedObject(record)));
  payload.Reset();
  EXPECT_EQ(record.destroyed, 1);
}

TEST(StringPayload, StringToStringGivesAnEqualCopy) {
  const String text(u"abc");
  EXPECT_EQ(StringToString(text), u"abc");
  EXPECT_EQ(StringToString(String()), u"");
}

}  // namespace
}  // namespace SV
