#include "SVFramework/ObjectBase/TaggableObject.h"

#include <gtest/gtest.h>

#include "tests/Support/InstrumentedObject.h"

namespace SV {
namespace {

TEST(TaggableObject, StartsWithoutATagAndReleasesItsTagWithItself) {
  Testing::LifeRecord record;
  RCPtr<LTaggableObject> object(new LTaggableObject);
  EXPECT_TRUE(object->GetTag().IsNull());
  object->SetTag(RCPtr<LRefCountedObject>(new Testing::InstrumentedObject(record)));
  EXPECT_EQ(record.Alive(), 1);
  object.Reset();
  EXPECT_EQ(record.destroyed, 1);
}

}  // namespace
}  // namespace SV
