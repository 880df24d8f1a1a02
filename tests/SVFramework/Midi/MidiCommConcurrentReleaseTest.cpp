#include <gtest/gtest.h>

#include "SVFramework/Midi/MidiComm.h"
#include "tests/SVFramework/Midi/FakeMidiFixture.h"
#include "tests/Support/SimultaneousRounds.h"

namespace SV {
namespace {

using Testing::SimultaneousRounds;

// Holders of one port on several threads that let go at the same moment: whichever
// release is the last outside one takes the port out of the manager's list and
// closes its device.
class MidiCommConcurrentReleaseTest : public Testing::FakeMidiFixture {
protected:
  static constexpr int kHolders = 3;
  static constexpr int kRounds = 1500;

  void SetUp() override {
    mOutput = mBackend->AddOutputPort(u"Corvex");
    mInput = mBackend->AddInputPort(u"Corvex");
  }

  FakeMidiBackend::PortId mOutput = 0;
  FakeMidiBackend::PortId mInput = 0;
  RCPtr<LRefCountedObject> mHolders[kHolders];
};

TEST_F(MidiCommConcurrentReleaseTest, PortsHeldOnSeveralThreadsCloseWhenTheirHoldersLetGoAtOnce) {
  SimultaneousRounds rounds(kHolders, [this](int holder) { mHolders[holder].Reset(); });
  for (int round = 0; round < kRounds; ++round) {
    const bool render = round % 2 == 0;
    for (RCPtr<LRefCountedObject>& holder : mHolders)
      ASSERT_EQ(render ? mManager->OpenRenderPort(u"Corvex", holder) : mManager->OpenCapturePort(u"Corvex", holder),
                S_OK);
    ASSERT_TRUE(rounds.RunRound()) << "round " << round;
    ASSERT_EQ(mManager->GetRenderPortCount() + mManager->GetCapturePortCount(), 0u) << "round " << round;
    ASSERT_EQ(mBackend->OpenOutputCount(mOutput) + mBackend->OpenInputCount(mInput), 0u) << "round " << round;
  }
}

}  // namespace
}  // namespace SV
