#include "SVFramework/Midi/MidiComm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "SVFramework/Midi/DefaultMidiServices.h"
#include "tests/SVFramework/Midi/FakeMidiFixture.h"

namespace SV {
namespace {

using namespace ::Platform::Midi;
using Testing::SystemExclusive;
using Bytes = std::vector<uint8_t>;
using PortId = FakeMidiBackend::PortId;

using MidiCommTest = Testing::FakeMidiFixture;

// The ids of the fake's ports, one input and one output per name, in order.
struct Devices {
  std::vector<PortId> inputs;
  std::vector<PortId> outputs;
};

Devices Plug(FakeMidiBackend& backend, const std::vector<std::u16string>& names) {
  Devices devices;
  for (const std::u16string& name : names) {
    devices.inputs.push_back(backend.AddInputPort(name));
    devices.outputs.push_back(backend.AddOutputPort(name));
  }
  return devices;
}

// The index of the one device that has an open connection, or -1 when none has;
// -2 when several have.
template <class CountOpen>
int OpenDevice(const std::vector<PortId>& ports, CountOpen countOpen) {
  int open = -1;
  for (size_t index = 0; index < ports.size(); ++index) {
    if (countOpen(ports[index]) == 0) continue;
    open = open == -1 ? static_cast<int>(index) : -2;
  }
  return open;
}

// ---- names -----------------------------------------------------------------------

TEST_F(MidiCommTest, OpensTheDeviceThatTheNameRulesChooseForInputsAndOutputs) {
  struct Row {
    std::vector<std::u16string> devices;
    const char16_t* name;
    SVRESULT result;
    int device;
    const char* what;
  };
  const Row rows[] = {
      {{u"Corvex", u"Corvex USB"}, u"Corvex", S_OK, 0, "\"Corvex\" equals a listed name, so it is not ambiguous"},
      {{u"Corvex", u"Corvex USB"}, u"Corvex USB", S_OK, 1, "then \"Corvex USB\""},
      {{u"Corvex USB", u"Corvex USB Hub"}, u"Corvex", E_INVALIDARG, -1, "contained twice, equal to neither"},
      {{u"Corvex USB", u"Corvex USB Hub"}, u"Corvex USB", S_OK, 0, "equal to the first"},
      {{u"Corvex", u"Corvex"}, u"Corvex", E_INVALIDARG, -1, "two equal devices are listed as (1) and (2)"},
      {{u"Corvex", u"Corvex"}, u"Corvex (2)", S_OK, 1, "the second of them"},
      {{u"Corvex", u"Corvex"}, u"Corvex (3)", E_FAIL, -1, "there is no third"},
      {{u"Corvex", u"Corvex USB", u"Corvex"}, u"Corvex (2)", S_OK, 1,
       "the port counts every device that contains the name"},
      {{u"Corvex USB"}, u"corvex", S_OK, 0, "containment, whatever the case"},
      {{u"Corvex"}, u"Corvex (0)", E_FAIL, -1, "occurrence 0 matches nothing"},
      {{u"Other"}, u"Corvex", E_FAIL, -1, "no device contains the name"},
  };
  for (const Row& row : rows) {
    auto backend = std::make_shared<FakeMidiBackend>();
    auto services = std::make_shared<MidiServices>(backend);
    const RCPtr<LMidiComm> manager = LMidiComm::Create(services);
    const Devices devices = Plug(*backend, row.devices);

    RCPtr<LRefCountedObject> input;
    RCPtr<LRefCountedObject> output;
    EXPECT_EQ(manager->OpenCapturePort(row.name, input), row.result) << row.what;
    EXPECT_EQ(manager->OpenRenderPort(row.name, output), row.result) << row.what;
    EXPECT_EQ(!input, row.result != S_OK) << row.what;
    EXPECT_EQ(!output, row.result != S_OK) << row.what;
    EXPECT_EQ(OpenDevice(devices.inputs, [&](PortId port) { return backend->OpenInputCount(port); }), row.device)
        << row.what;
    EXPECT_EQ(OpenDevice(devices.outputs, [&](PortId port) { return backend->OpenOutputCount(port); }), row.device)
        << row.what;
  }
}

TEST_F(MidiCommTest, ListsTheDevicesWithEqualNamesNumbered) {
  Plug(*mBackend, {u"Corvex", u"Corvex USB", u"Corvex"});
  StringArray names;
  ASSERT_EQ(mManager->EnumerateCaptureDevices(names), S_OK);
  ASSERT_EQ(names.GetCount(), 3u);
  EXPECT_EQ(std::u16string(names[0].GetString()), u"Corvex (1)");
  EXPECT_EQ(std::u16string(names[1].GetString()), u"Corvex (2)");
  EXPECT_EQ(std::u16string(names[2].GetString()), u"Corvex USB");

  mBackend->InjectFailure(MidiCall::OutGetDevCaps, MMSYSERR_NODRIVER);
  EXPECT_EQ(mManager->EnumerateRenderDevices(names), E_FAIL);
  EXPECT_EQ(names.GetCount(), 0u) << "the listing stops at the device that cannot be read";
}

TEST_F(MidiCommTest, RefusesToMakePortsWithoutNameOrOwner) {
  EXPECT_FALSE(LMidiComm::CreateCapturePort(String(), mManager));
  EXPECT_FALSE(LMidiComm::CreateCapturePort(u"Corvex", nullptr));
  EXPECT_FALSE(LMidiComm::CreateRenderPort(String(), mManager));
  EXPECT_FALSE(LMidiComm::CreateRenderPort(u"Corvex", nullptr));
  EXPECT_TRUE(LMidiComm::CreateCapturePort(u"Corvex", mManager));
}

// ---- port lifetime ------------------------------------------------------------------

TEST_F(MidiCommTest, OpeningAgainByNameReturnsTheSamePortWithoutReopeningIt) {
  Plug(*mBackend, {u"Corvex"});
  RCPtr<LRefCountedObject> first;
  RCPtr<LRefCountedObject> again;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", first), S_OK);
  ASSERT_EQ(mManager->OpenCapturePort(u"CORVEX", again), S_OK);
  EXPECT_EQ(first, again);
  EXPECT_EQ(mBackend->CountCalls(MidiCall::InOpen), 1u);

  RCPtr<LRefCountedObject> output;
  RCPtr<LRefCountedObject> outputAgain;
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"corvex", outputAgain), S_OK);
  EXPECT_EQ(output, outputAgain);
  EXPECT_EQ(mBackend->CountCalls(MidiCall::OutOpen), 1u);
}

TEST_F(MidiCommTest, APortClosesWhenItsLastHolderLetsGo) {
  const Devices devices = Plug(*mBackend, {u"Corvex"});
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> look;
  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", look), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);

  look.Reset();
  EXPECT_EQ(mManager->GetCapturePortCount(), 1u) << "another holder keeps it";
  EXPECT_EQ(mBackend->OpenInputCount(devices.inputs[0]), 1u);

  input.Reset();
  output.Reset();
  EXPECT_EQ(mManager->GetCapturePortCount(), 0u);
  EXPECT_EQ(mManager->GetRenderPortCount(), 0u);
  EXPECT_EQ(mBackend->OpenInputCount(devices.inputs[0]), 0u);
  EXPECT_EQ(mBackend->OpenOutputCount(devices.outputs[0]), 0u);

  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", look), S_OK) << "a look opens anew once nobody holds the port";
  look.Reset();
  EXPECT_EQ(mBackend->OpenInputCount(devices.inputs[0]), 0u) << "and closes it again when it drops the port";
}

TEST_F(MidiCommTest, ReopensAPortWhenItsDeviceComesBack) {
  Devices devices = Plug(*mBackend, {u"Corvex"});
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);

  mBackend->RemovePort(devices.inputs[0]);
  mBackend->RemovePort(devices.outputs[0]);
  RCPtr<LRefCountedObject> look;
  EXPECT_EQ(mManager->OpenCapturePort(u"Corvex", look), E_FAIL);
  EXPECT_EQ(mManager->OpenRenderPort(u"Corvex", look), E_FAIL);
  EXPECT_EQ(mManager->SendByteArray(output, Array<int8_t>{-112, 64, 127}), E_FAIL);

  devices = Plug(*mBackend, {u"Corvex"});
  RCPtr<LRefCountedObject> inputAgain;
  RCPtr<LRefCountedObject> outputAgain;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", inputAgain), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", outputAgain), S_OK);
  EXPECT_EQ(inputAgain, input) << "the port that was open is opened again";
  EXPECT_EQ(outputAgain, output);
  EXPECT_EQ(mManager->GetCapturePortCount(), 1u);

  mBackend->Inject(devices.inputs[0], {0x90, 0x40, 0x7F});
  EXPECT_EQ(mRecorder->WaitForBytes(1), (std::vector<Bytes>{{0x90, 0x40, 0x7F}}));
  EXPECT_EQ(mManager->SendByteArray(output, Array<int8_t>{-112, 64, 127}), 3);
  ASSERT_EQ(mBackend->Sent().size(), 1u);
  EXPECT_EQ(mBackend->Sent()[0].port, devices.outputs[0]);
}

TEST_F(MidiCommTest, APortThatCannotBeArmedOrStartedIsClosedAndNotListed) {
  const Devices devices = Plug(*mBackend, {u"Corvex"});
  struct Row {
    MidiCall failing;
    int times;
    const char* what;
  };
  const Row rows[] = {
      {MidiCall::InOpen, 1, "the platform refuses to open"},
      {MidiCall::InPrepareHeader, 2, "a buffer cannot be prepared (binding's result is not looked at)"},
      {MidiCall::InAddBuffer, 1, "a buffer cannot be added"},
      {MidiCall::InStart, 1, "input cannot be started"},
  };
  for (const Row& row : rows) {
    mBackend->InjectFailure(row.failing, MMSYSERR_NOMEM, row.times);
    RCPtr<LRefCountedObject> input;
    EXPECT_EQ(mManager->OpenCapturePort(u"Corvex", input), E_FAIL) << row.what;
    EXPECT_FALSE(input) << row.what;
    EXPECT_EQ(mManager->GetCapturePortCount(), 0u) << row.what;
    EXPECT_EQ(mBackend->OpenInputCount(devices.inputs[0]), 0u) << row.what;
  }
  mBackend->InjectFailure(MidiCall::OutOpen, MMSYSERR_NOMEM);
  RCPtr<LRefCountedObject> output;
  EXPECT_EQ(mManager->OpenRenderPort(u"Corvex", output), E_FAIL);
  EXPECT_EQ(mManager->GetRenderPortCount(), 0u);

  RCPtr<LRefCountedObject> input;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK) << "the next attempt opens";
  mBackend->Inject(devices.inputs[0], SystemExclusive(600));
  EXPECT_EQ(mRecorder->WaitForBytes(1), (std::vector<Bytes>{SystemExclusive(600)}));
}

TEST_F(MidiCommTest, PortsKeepTheirManagerAlive) {
  const Devices devices = Plug(*mBackend, {u"Corvex"});
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);
  LMidiComm* manager = mManager.Get();
  mManager.Reset();

  mBackend->Inject(devices.inputs[0], {0xC0, 0x05});
  EXPECT_EQ(mRecorder->WaitForBytes(1), (std::vector<Bytes>{{0xC0, 0x05}}));
  EXPECT_EQ(manager->SendByteArray(output, Array<int8_t>{-64, 5}), 2);
}

TEST_F(MidiCommTest, MadeThroughItsInterfaceItUsesTheDefaultServices) {
  Plug(*mBackend, {u"Corvex"});
  SetDefaultMidiServices(mServices);
  const RCPtr<LMidiCommInterface> manager = LMidiCommInterface::Create();
  SetDefaultMidiServices(nullptr);

  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(manager->OpenRenderPort(u"Corvex", output), S_OK);
  EXPECT_EQ(manager->SendByteArray(output, Array<int8_t>{-112, 64, 127}), 3);
  EXPECT_EQ(mBackend->Sent().size(), 1u);
}

}  // namespace
}  // namespace SV
