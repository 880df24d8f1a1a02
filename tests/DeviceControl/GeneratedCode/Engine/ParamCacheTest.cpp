#include "DeviceControl/GeneratedCode/Engine/inc/ParamCache.h"

#include <gtest/gtest.h>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"

namespace SV {
namespace {

// Counts the stored-value hook.
class CountingCache : public LParamCache {
public:
  CountingCache() : LParamCache(24) {}
  SVRESULT OnValueStored(uint32_t, const Variant&) override {
    ++stored;
    return S_OK;
  }
  int stored = 0;
};

TEST(ParamCache, StoresByOffsetReportsUnchangedValuesAndRefusesOffsetsBeyondIt) {
  CountingCache cache;
  const Variant byte = OneByteValue::Make(7);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(24), byte, true), -1);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(-1), byte, true), -1);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(23), byte, true), 0);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(23), byte, true), 1);
  EXPECT_EQ(cache.stored, 1);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(22), byte, false), 0);
  EXPECT_EQ(cache.stored, 1) << "no hook without the notify flag";

  Variant read = OneByteValue::Make(1);
  EXPECT_EQ(cache.GetValue(ParamDescriptor(23), read), 0);
  EXPECT_EQ(read, byte);
  EXPECT_EQ(cache.GetValue(ParamDescriptor(0), read), 0);
  EXPECT_TRUE(read.IsEmpty());
  EXPECT_EQ(cache.GetValue(ParamDescriptor(24), read), -1);
  EXPECT_TRUE(read.IsEmpty());
}

TEST(ParamCache, ValuesWithSubKeysShareTheirSlotAsAList) {
  LParamCache cache(24);
  Variant first, second;
  first.SetInt32(1);
  second.SetInt32(2);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(3, first), OneByteValue::Make(10), true), 0);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(3, second), OneByteValue::Make(20), true), 0);
  EXPECT_EQ(cache.SetValue(ParamDescriptor(3, second), OneByteValue::Make(20), true), 1);
  Variant read;
  EXPECT_EQ(cache.GetValue(ParamDescriptor(3, first), read), 0);
  EXPECT_EQ(read, OneByteValue::Make(10));
  EXPECT_EQ(cache.GetValue(ParamDescriptor(3, second), read), 0);
  EXPECT_EQ(read, OneByteValue::Make(20));
  Variant third;
  third.SetInt32(3);
  EXPECT_EQ(cache.GetValue(ParamDescriptor(3, third), read), 1);
  EXPECT_TRUE(read.IsEmpty());
}

}  // namespace
}  // namespace SV
