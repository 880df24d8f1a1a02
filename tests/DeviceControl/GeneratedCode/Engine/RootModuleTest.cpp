#include "DeviceControl/GeneratedCode/Engine/inc/RootModule.h"

#include <gtest/gtest.h>

#include <vector>

#include "DeviceControl/GeneratedCode/Engine/inc/OneByteValue.h"
#include "DeviceControl/GeneratedCode/Engine/inc/ParamValues.h"
#include "tests/Support/DeviceModelStubs.h"
#include "tests/Support/ParameterByte.h"

namespace SV {
namespace {

using Testing::ChangeRecorder;
using Testing::StubCommunicationInterface;

using Testing::Byte;

ParamValues Received(std::initializer_list<ParamValue> entries) {
  ParamValues values;
  values.SetFromArray(entries.begin(), static_cast<uint32_t>(entries.size()));
  return values;
}

// An initialised root from first ID 0 over a stub interface; cache mode as asked.
class RootModuleTest : public ::testing::Test {
protected:
  void Initialize(bool cacheMode) {
    root = LRootModule::Create(cacheMode);
    root->Initialize(&ChangeRecorder::Callback, &recorder, LParamCache::Create(24), communication, 0);
  }
  Variant Cached(int32_t offset) {
    Variant value;
    root->GetParamCache()->GetValue(ParamDescriptor(offset), value);
    return value;
  }

  RCPtr<StubCommunicationInterface> communication{new StubCommunicationInterface};
  ChangeRecorder recorder;
  RCPtr<LRootModule> root;
};

TEST_F(RootModuleTest, InitializeFillsTheCacheWithTheDefaultsWithoutAnnouncingThem) {
  Initialize(true);
  const uint8_t defaults[24] = {0, 40, 0, 59, 1, 64, 11, 65, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  for (int32_t offset = 0; offset < 24; ++offset) EXPECT_EQ(Cached(offset), Byte(defaults[offset])) << offset;
  EXPECT_EQ(recorder.calls, 0);
}

TEST_F(RootModuleTest, InCacheModeAWriteStoresAndAnnouncesOnlyAChange) {
  Initialize(true);
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(1), Byte(41)), 0);
  ASSERT_EQ(recorder.changes.size(), 1u);
  EXPECT_EQ(recorder.changes[0], ParamValue(ParamDescriptor(1), Byte(41)));
  EXPECT_EQ(Cached(1), Byte(41));
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(1), Byte(41)), 0);
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(1), Variant()), 0);
  EXPECT_EQ(recorder.changes.size(), 1u);
  EXPECT_EQ(Cached(1), Byte(41));
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(24), Byte(1)), -1);
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(-8), Byte(1)), -1);
  EXPECT_EQ(communication->CallsTo("SetParamValue"), 0);
}

TEST_F(RootModuleTest, AValueThatIsNotOneByteIsRefusedInBothModesAndNothingHappens) {
  for (const bool cacheMode : {true, false}) {
    Initialize(cacheMode);
    recorder.changes.clear();
    Variant wide;
    wide.SetInt32(300);
    Variant text;
    text.SetString("41");
    EXPECT_EQ(root->WriteParamValue(ParamDescriptor(1), wide), -1) << cacheMode;
    EXPECT_EQ(root->WriteParamValue(ParamDescriptor(2), text), -1) << cacheMode;
    EXPECT_EQ(Cached(1), Byte(40)) << cacheMode;
    EXPECT_EQ(Cached(2), Byte(0)) << cacheMode;
    EXPECT_TRUE(recorder.changes.empty()) << cacheMode;
    EXPECT_EQ(communication->CallsTo("SetParamValue"), 0) << cacheMode;
  }
}

TEST_F(RootModuleTest, AnAcceptedValueIsStoredAnnouncedAndSentInItsOneByteForm) {
  Initialize(false);
  Variant number;
  number.SetInt32(41);
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(1), number), 0);
  EXPECT_EQ(Cached(1), Byte(41));
  ASSERT_EQ(recorder.changes.size(), 1u);
  EXPECT_EQ(recorder.changes[0].value, Byte(41));
  ASSERT_EQ(communication->sent.size(), 1u);
  EXPECT_EQ(communication->sent[0], ParamValue(ParamDescriptor(1), Byte(41)));
}

TEST_F(RootModuleTest, OutsideCacheModeAWriteGoesThroughTheLeafAndThenToTheInterface) {
  Initialize(false);
  communication->setResult = 5;
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(9), Byte(0)), 5);
  EXPECT_EQ(Cached(9), Byte(0));
  EXPECT_EQ(recorder.changes.size(), 1u);
  EXPECT_EQ(root->WriteParamValue(ParamDescriptor(-8), Byte(3)), 5) << "other pseudo-IDs go straight on";
  EXPECT_EQ(communication->CallsTo("SetParamValue"), 2);
  EXPECT_EQ(recorder.changes.size(), 1u);
}

TEST_F(RootModuleTest, ReadsComeFromTheCacheAndPseudoIDsFromTheInterface) {
  for (const bool cacheMode : {true, false}) {
    Initialize(cacheMode);
    Variant value;
    EXPECT_EQ(root->ReadParamValue(ParamDescriptor(3), value), 0);
    EXPECT_EQ(value, Byte(59));
    EXPECT_EQ(root->ReadParamValue(ParamDescriptor(-9), value), 0);
    EXPECT_EQ(value.GetInt32(), -9) << "answered by the stub";
    EXPECT_EQ(root->ReadParamValue(ParamDescriptor(30), value), cacheMode ? 0 : E_FAIL);
    EXPECT_TRUE(value.IsEmpty());
  }
}

TEST_F(RootModuleTest, SelectingADeviceAnswersWhetherItIsReadyInEitherMode) {
  for (const bool cacheMode : {true, false}) {
    Initialize(cacheMode);
    recorder.changes.clear();
    Variant device;
    device.SetInt64(7);
    EXPECT_EQ(root->WriteParamValue(ParamDescriptor(-4), device), 0);
    ASSERT_EQ(recorder.changes.size(), 1u) << "the selection comes back as pseudo-parameter -4";
    EXPECT_EQ(recorder.changes[0].descriptor.paramID, -4);
    Variant id, ready;
    recorder.changes[0].value.GetArrayItem(0, id);
    recorder.changes[0].value.GetArrayItem(1, ready);
    EXPECT_EQ(id.GetTag(), VariantTag::Int64);
    EXPECT_EQ(id.GetInt64(), 7);
    EXPECT_TRUE(ready.GetBool());
  }
}

TEST_F(RootModuleTest, ReceivedValuesAreStoredAndAnnouncedButNeverSentBack) {
  Initialize(false);
  root->ReceiveParamValues(Received({ParamValue(3, Variant(), Byte(60))}));
  EXPECT_EQ(Cached(3), Byte(60));
  ASSERT_EQ(recorder.changes.size(), 1u);
  EXPECT_EQ(recorder.changes[0], ParamValue(ParamDescriptor(3), Byte(60)));
  EXPECT_EQ(communication->CallsTo("SetParamValue"), 0);

  root->ReceiveParamValues(Received({ParamValue(30, Variant(), Byte(5))}));
  ASSERT_EQ(recorder.changes.size(), 2u);
  EXPECT_EQ(recorder.changes[1].descriptor.paramID, 30) << "announced, not stored";

  Variant wide;
  wide.SetInt32(1000);
  root->ReceiveParamValues(Received({ParamValue(4, Variant(), wide)}));
  EXPECT_EQ(Cached(4), Byte(1)) << "a received value that is not one byte is refused too";
  EXPECT_EQ(recorder.changes.size(), 2u);
}

TEST_F(RootModuleTest, DeviceReadyValuesAreAnnouncedWithoutASlotOfTheirOwn) {
  Initialize(false);
  Variant ready;
  ready.SetBool(true);
  Variant notReady;
  notReady.SetBool(false);
  root->ReceiveParamValues(Received({ParamValue(-2, Variant(), ready), ParamValue(-2, Variant(), notReady)}));
  ASSERT_EQ(recorder.changes.size(), 2u);
  EXPECT_EQ(recorder.changes[0], ParamValue(ParamDescriptor(-2), ready));
  EXPECT_EQ(recorder.changes[1], ParamValue(ParamDescriptor(-2), notReady));
}

TEST_F(RootModuleTest, AFailedConnectSetsCacheModeAndASuccessfulOneRequestsThePreset) {
  Initialize(false);
  communication->connectResult = -1;
  EXPECT_EQ(root->ConnectDevice(Variant()), -1);
  EXPECT_TRUE(root->IsCacheMode());
  EXPECT_EQ(communication->CallsTo("RequestParamRanges"), 0);
  EXPECT_EQ(communication->CallsTo("RequestParamValue"), 0);

  communication->connectResult = 0;
  EXPECT_EQ(root->ConnectDevice(Variant()), 0);
  EXPECT_FALSE(root->IsCacheMode());
  ParamRange run;
  ASSERT_EQ(communication->lastRanges.GetAt(0, run), 0);
  EXPECT_EQ(run, (ParamRange{0, 24}));
  EXPECT_EQ(communication->lastRequested.paramID, -8);
  EXPECT_EQ(communication->CallsTo("DisconnectDevice"), 2);
}

}  // namespace
}  // namespace SV
