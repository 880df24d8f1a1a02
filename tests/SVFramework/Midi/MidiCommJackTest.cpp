#include "SVFramework/Midi/MidiComm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "Platform/Midi/MidiServices.h"
#include "Platform/Midi/RtMidiBackend.h"
#include "tests/SVFramework/Midi/CapturedMessageRecorder.h"
#include "tests/Support/Midi/ByteArray.h"
#include "tests/Support/Midi/JackMidiPeer.h"
#include "tests/Support/Midi/JackServerFixture.h"
#include "tests/Support/Midi/MidiServicesWatch.h"

namespace SV {
namespace {

using namespace std::chrono_literals;
using ::Platform::Midi::MidiPortApi;
using ::Platform::Midi::MidiServices;
using ::Platform::Midi::RtMidiBackend;
using ::Testing::Midi::JackMidiPeer;
using Testing::CapturedMessageRecorder;
using Testing::SystemExclusive;
using Bytes = std::vector<uint8_t>;

using Testing::ArrayOf;

// Every case runs against a JACK server of its own, with a peer named like the
// controller; the port manager reaches it through RtMidi's JACK API only.
class JackMidiComm : public ::Testing::Midi::JackServerFixture {
protected:
  void SetUp() override {
    JackServerFixture::SetUp();
    if (HasFatalFailure()) return;
    mPeer = CreatePeer("Corvex");
    ASSERT_NE(mPeer, nullptr);
    mServices = mServicesWatch.Make(std::make_shared<RtMidiBackend>(RtMidiBackend::Options{{MidiPortApi::Jack}}));
    mManager = LMidiComm::Create(mServices);
    mRecorder = CapturedMessageRecorder::SubscribedTo(mManager);
  }

  // The services hold the JACK clients: their destructor must have ended before the
  // server stops. The manager's worker may hold the manager a moment longer after its
  // last job, and then destroys the services itself.
  void TearDown() override {
    if (mRecorder) mRecorder->UnsubscribeAll();
    mRecorder.Reset();
    mManager.Reset();
    mServices.reset();
    EXPECT_TRUE(mServicesWatch.WaitUntilDestroyed(60s)) << "the MIDI services outlived the port manager";
    mPeer.reset();
    JackServerFixture::TearDown();
  }

  static std::unique_ptr<JackMidiPeer> CreatePeer(const std::string& name) {
    std::string error;
    auto peer = JackMidiPeer::Create(name, error);
    EXPECT_NE(peer, nullptr) << error;
    return peer;
  }

  int32_t Send(const RCPtr<LRefCountedObject>& port, const Bytes& bytes) {
    return mManager->SendByteArray(port, ArrayOf(bytes));
  }

  std::unique_ptr<JackMidiPeer> mPeer;
  ::Testing::Midi::MidiServicesWatch mServicesWatch;
  std::shared_ptr<MidiServices> mServices;
  RCPtr<LMidiComm> mManager;
  RCPtr<CapturedMessageRecorder> mRecorder;
};

TEST_F(JackMidiComm, OpensTheControllersPortsByNameAndExchangesWholeMessages) {
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);

  EXPECT_EQ(Send(output, {0x90, 0x40, 0x7F}), 3);
  EXPECT_EQ(Send(output, SystemExclusive(600)), 600);
  EXPECT_EQ(mPeer->WaitForReceived(2), (std::vector<Bytes>{{0x90, 0x40, 0x7F}, SystemExclusive(600)}));

  const std::vector<Bytes> sent = {
      {0x90, 0x40, 0x7F}, SystemExclusive(600), SystemExclusive(256), SystemExclusive(512), {0xC0, 0x05},
      SystemExclusive(32)};
  for (const Bytes& message : sent) mPeer->Send(message);
  EXPECT_EQ(mRecorder->WaitForBytes(sent.size()), sent);
  for (const auto& received : mRecorder->All()) EXPECT_EQ(received.port, input.Get());
}

TEST_F(JackMidiComm, FindsTheCorvexBeforeTheCorvexUsb) {
  const auto usbPeer = CreatePeer("Corvex USB");
  ASSERT_NE(usbPeer, nullptr);
  RCPtr<LRefCountedObject> corvex;
  RCPtr<LRefCountedObject> usb;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", corvex), S_OK);
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex USB", usb), S_OK);
  ASSERT_NE(corvex, usb);

  usbPeer->Send({0xC0, 0x01});
  ASSERT_TRUE(usbPeer->WaitUntilSent());
  mPeer->Send({0xC0, 0x02});
  const auto received = mRecorder->WaitFor(2);
  ASSERT_EQ(received.size(), 2u);
  for (const auto& message : received) {
    const bool fromUsb = message.bytes == Bytes{0xC0, 0x01};
    EXPECT_EQ(message.port, fromUsb ? usb.Get() : corvex.Get());
  }

  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);
  EXPECT_EQ(Send(output, {0xB0, 0x07, 0x64}), 3);
  EXPECT_EQ(mPeer->WaitForReceived(1), (std::vector<Bytes>{{0xB0, 0x07, 0x64}}));
}

// The device protocol's road: when the controller goes, a look finds it absent and
// the ports are let go; when it comes back, they are opened anew by name.
TEST_F(JackMidiComm, OpensThePortsAnewWhenTheControllerComesBack) {
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);

  mPeer.reset();
  RCPtr<LRefCountedObject> look;
  EXPECT_EQ(mManager->OpenCapturePort(u"Corvex", look), E_FAIL);
  EXPECT_EQ(mManager->OpenRenderPort(u"Corvex", look), E_FAIL);
  input.Reset();
  output.Reset();
  EXPECT_EQ(mManager->GetCapturePortCount(), 0u);
  EXPECT_EQ(mManager->GetRenderPortCount(), 0u);

  mPeer = CreatePeer("Corvex");
  ASSERT_NE(mPeer, nullptr);
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);

  EXPECT_EQ(Send(output, SystemExclusive(300)), 300);
  EXPECT_EQ(mPeer->WaitForReceived(1), (std::vector<Bytes>{SystemExclusive(300)}));
  mPeer->Send(SystemExclusive(300));
  EXPECT_EQ(mRecorder->WaitForBytes(1), (std::vector<Bytes>{SystemExclusive(300)}));
}

// A controller that leaves and comes back under the same name between two looks
// left the open ports without connections: the next look opens them again.
TEST_F(JackMidiComm, ReopensThePortsWhenTheControllerCameBackUnseen) {
  RCPtr<LRefCountedObject> input;
  RCPtr<LRefCountedObject> output;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", input), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", output), S_OK);

  mPeer.reset();
  mPeer = CreatePeer("Corvex");
  ASSERT_NE(mPeer, nullptr);
  RCPtr<LRefCountedObject> lookedAtInput;
  RCPtr<LRefCountedObject> lookedAtOutput;
  ASSERT_EQ(mManager->OpenCapturePort(u"Corvex", lookedAtInput), S_OK);
  ASSERT_EQ(mManager->OpenRenderPort(u"Corvex", lookedAtOutput), S_OK);
  EXPECT_EQ(lookedAtInput, input) << "the port is opened again in place";
  EXPECT_EQ(lookedAtOutput, output);

  EXPECT_EQ(Send(output, SystemExclusive(40)), 40);
  EXPECT_EQ(mPeer->WaitForReceived(1), (std::vector<Bytes>{SystemExclusive(40)}));
  mPeer->Send(SystemExclusive(50));
  EXPECT_EQ(mRecorder->WaitForBytes(1), (std::vector<Bytes>{SystemExclusive(50)}));
}

}  // namespace
}  // namespace SV
