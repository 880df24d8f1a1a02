#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/Panel/Engine/PresetEditorCommon/DeviceRoadFixture.h"

// Presence polling of the device protocol, on the fake backend.
namespace SV::Testing {
namespace {

using namespace std::chrono_literals;
using ::Platform::Midi::FakeMidiBackend;
using ::Platform::Midi::MidiCall;
using ::Platform::Midi::MMRESULT;

// A fake backend that sees the polling thread's looks: every look lists the ports
// first, and here nothing but the looks lists ports on another thread than the
// test's. It can hold a look until released, slow every look down, and count the
// looks made while the test says polling is paused.
class LookWatchingBackend : public FakeMidiBackend {
public:
  MMRESULT BeforeCall(MidiCall call) override {
    const bool listing = call == MidiCall::InGetNumDevs || call == MidiCall::OutGetNumDevs ||
                         call == MidiCall::InListDevices || call == MidiCall::OutListDevices;
    if (listing && std::this_thread::get_id() != mTestThread) OnLook();
    return FakeMidiBackend::BeforeCall(call);
  }

  void HoldNextLook() {
    std::lock_guard lock(mMutex);
    mHolding = true;
  }
  bool WaitUntilALookIsHeld() {
    std::unique_lock lock(mMutex);
    return mChanged.wait_for(lock, 10s, [&] { return mHeld; });
  }
  void ReleaseLook() {
    {
      std::lock_guard lock(mMutex);
      mHolding = false;
    }
    mChanged.notify_all();
  }
  void SetPaused(bool paused) {
    std::lock_guard lock(mMutex);
    mPaused = paused;
  }
  // Makes each look take at least this long, so that pauses fall into looks.
  void SetLookDelay(std::chrono::microseconds delay) {
    std::lock_guard lock(mMutex);
    mDelay = delay;
  }
  int LooksWhilePaused() const {
    std::lock_guard lock(mMutex);
    return mLooksWhilePaused;
  }
  int Looks() const {
    std::lock_guard lock(mMutex);
    return mLooks;
  }

private:
  void OnLook() {
    std::unique_lock lock(mMutex);
    ++mLooks;
    if (mPaused) ++mLooksWhilePaused;
    if (mHolding) {
      mHeld = true;
      mChanged.notify_all();
      mChanged.wait(lock, [&] { return !mHolding; });
    }
    const auto delay = mDelay;
    lock.unlock();
    if (delay.count() > 0) std::this_thread::sleep_for(delay);
  }

  const std::thread::id mTestThread = std::this_thread::get_id();
  mutable std::mutex mMutex;
  std::condition_variable mChanged;
  bool mHolding = false;
  bool mHeld = false;
  bool mPaused = false;
  std::chrono::microseconds mDelay{0};
  int mLooks = 0;
  int mLooksWhilePaused = 0;
};

class MidiManagerPolling : public testing::Test {
protected:
  void Start(bool withController = true) {
    mRoad.mBackend = mBackend;
    std::string error;
    ASSERT_TRUE(mRoad.Start(error, withController)) << error;
  }
  void TearDown() override { mBackend->ReleaseLook(); }

  LMidiManager& Manager() { return *mRoad.mManager; }

  std::shared_ptr<LookWatchingBackend> mBackend = std::make_shared<LookWatchingBackend>();
  DeviceRoad mRoad{Wire::Fake};
};

TEST_F(MidiManagerPolling, PauseAndResumeAnswerOneWhenThereIsNothingToDo) {
  Start();
  EXPECT_FALSE(Manager().IsStatusPollingOn()) << "off until the application resumes it";
  EXPECT_EQ(Manager().PauseStatusPolling(), S_FALSE);
  EXPECT_EQ(Manager().ResumeStatusPolling(), S_OK);
  EXPECT_EQ(Manager().ResumeStatusPolling(), S_FALSE);
  EXPECT_TRUE(Manager().IsStatusPollingOn());
  EXPECT_EQ(Manager().PauseStatusPolling(), S_OK);
  EXPECT_EQ(Manager().PauseStatusPolling(), S_FALSE);
  EXPECT_FALSE(Manager().IsStatusPollingOn());
}

TEST_F(MidiManagerPolling, APauseWaitsForTheRunningLookToEnd) {
  Start();
  mBackend->HoldNextLook();
  ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);
  ASSERT_TRUE(mBackend->WaitUntilALookIsHeld());

  auto pause = std::async(std::launch::async, [&] { return Manager().PauseStatusPolling(); });
  EXPECT_EQ(pause.wait_for(200ms), std::future_status::timeout) << "returned while a look was running";
  mBackend->ReleaseLook();
  EXPECT_EQ(pause.get(), S_OK);
  mBackend->SetPaused(true);
  EXPECT_FALSE(Manager().IsStatusPollingOn());
  mBackend->SetPaused(false);
  EXPECT_EQ(mBackend->LooksWhilePaused(), 0);
}

// A pause that falls anywhere, into a look or between looks, just after a resume
// woke the thread or later: once it has returned, no look runs until the next resume.
TEST_F(MidiManagerPolling, NoLookRunsOrStartsWhilePollingIsPaused) {
  Start();
  mBackend->SetLookDelay(200us);
  for (int round = 0; round < 200; ++round) {
    ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);
    for (int spin = 0; spin < round % 13; ++spin) std::this_thread::sleep_for(50us);
    ASSERT_EQ(Manager().PauseStatusPolling(), S_OK);
    mBackend->SetPaused(true);
    // Room for a look that wrongly starts now to show itself.
    std::this_thread::sleep_for(1ms);
    mBackend->SetPaused(false);
  }
  EXPECT_EQ(mBackend->LooksWhilePaused(), 0);
  EXPECT_GT(mBackend->Looks(), 0) << "the resumes made looks";
}

// A look only lists devices and never touches the ports: a request goes through while
// one is held up, instead of waiting for it to end.
TEST_F(MidiManagerPolling, ARequestDoesNotWaitForARunningLook) {
  Start();
  mRoad.mController->SetBehaviour(ReplyBehaviour::Prompt());
  mBackend->HoldNextLook();
  ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);
  ASSERT_TRUE(mBackend->WaitUntilALookIsHeld());

  auto request = std::async(std::launch::async, [&] { return Manager().GetPresetFromMidiDevice(0); });
  const bool done = request.wait_for(10s) == std::future_status::ready;
  mBackend->ReleaseLook();
  EXPECT_TRUE(done) << "the request waited for the look";
  EXPECT_EQ(request.get(), 0);
  EXPECT_TRUE(Manager().IsStatusPollingOn());
}

TEST_F(MidiManagerPolling, RequestsLeavePollingAsTheyFoundIt) {
  Start();
  mRoad.mController->SetBehaviour(ReplyBehaviour::Prompt());
  for (const bool polling : {false, true}) {
    SCOPED_TRACE(polling ? "polling on" : "polling off");
    if (polling) Manager().ResumeStatusPolling();
    String version;
    EXPECT_EQ(Manager().GetPresetFromMidiDevice(0), 0);
    EXPECT_EQ(Manager().IsStatusPollingOn(), polling);
    EXPECT_EQ(Manager().SendPresetToDevice(-1), 32);
    EXPECT_EQ(Manager().IsStatusPollingOn(), polling);
    EXPECT_EQ(Manager().RequestFirmwareVersion(version), 0);
    EXPECT_EQ(Manager().IsStatusPollingOn(), polling);
    EXPECT_EQ(Manager().SendNonPresetParameter(String(u"WHITE KEY CURVE"), 2, 1), 9);
    EXPECT_EQ(Manager().IsStatusPollingOn(), polling);
  }
}

// Present at start-up: nothing until it vanishes. Absent at start-up: announced at
// the first look that finds it, and the ports open.
TEST_F(MidiManagerPolling, AControllerPluggedInAfterStartUpIsAnnouncedOnceAndItsPortsOpen) {
  Start(false);
  const RCPtr<StatusNotificationLog> log = StatusNotificationLog::Subscribed();
  using Entry = StatusNotificationLog::Entry;
  ASSERT_FALSE(Manager().IsConnected());
  ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);

  std::string error;
  ASSERT_TRUE(mRoad.AddController(error)) << error;
  ASSERT_TRUE(mRoad.PumpUntil([&] { return log->entries.size() >= 2; }));
  EXPECT_TRUE(Manager().IsConnected());
  const uint32_t polls = Manager().GetPollCount();
  ASSERT_TRUE(mRoad.PumpUntil([&] { return Manager().GetPollCount() >= polls + 2; }));
  mRoad.mApp.Pump();
  ASSERT_EQ(log->entries.size(), 2u) << "one notification per change";
  for (const Entry& entry : log->entries) {
    EXPECT_EQ(entry.name, u"Corvex");
    EXPECT_EQ(entry.status, LMidiDeviceConnectionStatusChangedNotification::Appeared);
  }
  EXPECT_NE(log->entries[0].input, log->entries[1].input);
  log->UnsubscribeAll();
}

// The sanitizer builds run the device road several times slower (and in CI on two
// cores): they make fewer requests of the same kind.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr int kStressRequests = 200;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr int kStressRequests = 200;
#else
constexpr int kStressRequests = 1000;
#endif
#else
constexpr int kStressRequests = 1000;
#endif
constexpr int kStressRounds = 10;

// Get Presets over JACK, one after the other, with presence polling on, while the
// controller leaves (from another thread, in the middle of the requests) and comes
// back, again and again: the ports are closed, looked at and opened under the
// JACK clients' feet. Every request ends with a result the protocol promises, and
// the process stays clean (run under ASan and TSan as well).
class JackPresencePolling : public testing::Test {
protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(mRoad.Start(error)) << error;
    mRoad.mController->SetBehaviour(ReplyBehaviour::DuringRequest());
    mRoad.mController->SetPreset(kStressPreset);
    Manager().SetReplyWait(DeviceRoad::kShortReplyWait);
    ASSERT_EQ(Manager().ResumeStatusPolling(), S_OK);
  }

  LMidiManager& Manager() { return *mRoad.mManager; }

  void GetPreset() {
    const SVRESULT result = Manager().GetPresetFromMidiDevice(0);
    EXPECT_TRUE(result == 0 || result == LMidiManager::kSendFailed || result == LMidiManager::kNoReply) << result;
    if (result == 0) ++mAnswered;
    {
      std::lock_guard lock(mMutex);
      ++mDone;
    }
    mProgress.notify_all();
    mRoad.mApp.Pump();
  }

  // Makes the controller leave, on a thread of its own, once `at` requests are done.
  std::thread LeaveAfter(int at) {
    return std::thread([this, at] {
      std::unique_lock lock(mMutex);
      mProgress.wait(lock, [&] { return mDone >= at; });
      lock.unlock();
      mRoad.mController->Disappear();
    });
  }

  int Done() {
    std::lock_guard lock(mMutex);
    return mDone;
  }

  static constexpr Preset kStressPreset{9, 40, 0, 59, 1, 64, 11, 65, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};
  DeviceRoad mRoad{Wire::Jack};
  std::mutex mMutex;
  std::condition_variable mProgress;
  int mDone = 0;  // guarded by mMutex
  int mAnswered = 0;
};

TEST_F(JackPresencePolling, GetPresetsWhileTheControllerLeavesAndComesBackStayClean) {
  for (int round = 0; round < kStressRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    const int roundEnd = (round + 1) * kStressRequests / kStressRounds;
    const int leaveAt = Done() + (roundEnd - Done()) / 2;
    std::thread leaver = LeaveAfter(leaveAt);
    while (Done() < leaveAt || (Manager().IsConnected() && Done() < roundEnd)) GetPreset();
    leaver.join();
    ASSERT_TRUE(mRoad.PumpUntil([&] { return !Manager().IsConnected(); })) << "the leaving was not noticed";
    std::string error;
    ASSERT_TRUE(mRoad.mController->ComeBack(error)) << error;
    ASSERT_TRUE(mRoad.PumpUntil([&] { return Manager().IsConnected(); })) << "the return was not noticed";
    while (Done() < roundEnd) GetPreset();
  }
  EXPECT_EQ(Done(), kStressRequests);
  EXPECT_GE(mAnswered, kStressRequests * 3 / 4) << "the present controller went unanswered too often";
  EXPECT_EQ(mRoad.EngineValues(), kStressPreset);
}

}  // namespace
}  // namespace SV::Testing
