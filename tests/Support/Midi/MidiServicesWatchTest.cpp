#include "tests/Support/Midi/MidiServicesWatch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace Testing::Midi {
namespace {

using namespace std::chrono_literals;
using Platform::Midi::MidiBackend;
using Platform::Midi::MidiInputConnection;
using Platform::Midi::MidiInputSink;
using Platform::Midi::MidiOutputConnection;
using Platform::Midi::MidiPortDescription;
using Platform::Midi::MMRESULT;
using Platform::Midi::MMSYSERR_NODRIVER;

// A backend whose destructor, run inside the services' destructor, tells that it has
// begun and then waits until the test lets it end: it stands for closing JACK clients.
class SlowToCloseBackend final : public MidiBackend {
public:
  SlowToCloseBackend(std::promise<void>& begun, std::shared_future<void> mayEnd)
      : mBegun(begun), mMayEnd(std::move(mayEnd)) {}
  ~SlowToCloseBackend() override {
    mBegun.set_value();
    mMayEnd.wait();
  }
  std::vector<MidiPortDescription> ListInputs() override { return {}; }
  std::vector<MidiPortDescription> ListOutputs() override { return {}; }
  MMRESULT OpenInput(const std::string&, MidiInputSink&, std::unique_ptr<MidiInputConnection>&) override {
    return MMSYSERR_NODRIVER;
  }
  MMRESULT OpenOutput(const std::string&, std::unique_ptr<MidiOutputConnection>&) override {
    return MMSYSERR_NODRIVER;
  }

private:
  std::promise<void>& mBegun;
  std::shared_future<void> mMayEnd;
};

// A weak pointer reads as expired as soon as the destructor begins; the watch waits
// until it has ended, on whichever thread let the services go.
TEST(MidiServicesWatch, WaitsUntilTheDestructorHasEndedOnTheThreadThatLetTheServicesGo) {
  std::promise<void> begun;
  std::promise<void> mayEnd;
  MidiServicesWatch watch;
  auto services = watch.Make(std::make_shared<SlowToCloseBackend>(begun, mayEnd.get_future().share()));
  const std::weak_ptr<Platform::Midi::MidiServices> weak = services;

  std::thread worker([held = std::move(services)]() mutable { held.reset(); });
  begun.get_future().wait();
  EXPECT_TRUE(weak.expired());
  EXPECT_FALSE(watch.WaitUntilDestroyed(0ms)) << "the destructor is still running";

  mayEnd.set_value();
  EXPECT_TRUE(watch.WaitUntilDestroyed(60s));
  worker.join();
}

TEST(MidiServicesWatch, HasNothingToWaitForWhenNoServicesWereMade) {
  EXPECT_TRUE(MidiServicesWatch().WaitUntilDestroyed(0ms));
}

}  // namespace
}  // namespace Testing::Midi
