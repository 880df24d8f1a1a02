#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Platform/Midi/FakeMidiBackend.h"
#include "Platform/Midi/MidiServices.h"
#include "SVFramework/Midi/MidiComm.h"
#include "tests/SVFramework/Midi/CapturedMessageRecorder.h"

namespace SV::Testing {

// A port manager over the fake MIDI backend, with a recorder subscribed to its
// captured messages. Ports that tests hold must be released before the fixture's
// members go (declare them in the test body or in a derived fixture).
class FakeMidiFixture : public testing::Test {
protected:
  using FakeMidiBackend = ::Platform::Midi::FakeMidiBackend;
  using MidiCall = ::Platform::Midi::MidiCall;
  using MidiServices = ::Platform::Midi::MidiServices;

  void TearDown() override { mRecorder->UnsubscribeAll(); }

  // The calls of the record from index `from` on, leaving out the listing calls.
  std::vector<MidiCall> CallsSince(size_t from) const {
    std::vector<MidiCall> calls;
    const auto all = mBackend->Calls();
    for (size_t index = from; index < all.size(); ++index) {
      const MidiCall call = all[index].call;
      const bool listing = call == MidiCall::InGetNumDevs || call == MidiCall::InGetDevCaps ||
                           call == MidiCall::OutGetNumDevs || call == MidiCall::OutGetDevCaps;
      if (!listing) calls.push_back(call);
    }
    return calls;
  }
  size_t CallCount() const { return mBackend->Calls().size(); }

  // Returns once every callback of the services due now has returned.
  void SettleCallbacks() { mServices->WaitForCallbacks(); }

  std::shared_ptr<FakeMidiBackend> mBackend = std::make_shared<FakeMidiBackend>();
  std::shared_ptr<MidiServices> mServices = std::make_shared<MidiServices>(mBackend);
  RCPtr<LMidiComm> mManager = LMidiComm::Create(mServices);
  RCPtr<CapturedMessageRecorder> mRecorder = CapturedMessageRecorder::SubscribedTo(mManager);
};

}  // namespace SV::Testing
