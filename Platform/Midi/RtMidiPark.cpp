#include "Platform/Midi/RtMidiPark.h"

#include "Platform/Midi/JackServerWatch.h"

namespace Platform::Midi {
namespace {

constexpr std::chrono::milliseconds kCycleLimit{500};

}  // namespace

RtMidiPark::RtMidiPark(std::shared_ptr<const JackServerWatch> watch) : mWatch(std::move(watch)) {}

// A callback that read its port just before the port was closed may still run: the
// second cycle begins only after it has ended.
RtMidiPark::~RtMidiPark() {
  if (ServerRuns() && (!mInputs.empty() || !mOutputs.empty())) {
    mWatch->WaitForNextCycle(kCycleLimit);
    mWatch->WaitForNextCycle(kCycleLimit);
  }
}

bool RtMidiPark::ServerRuns() const { return mWatch && !mWatch->ServerGone(); }

std::unique_ptr<RtMidiInputEnd> RtMidiPark::TakeInput() { return Take(mInputs); }
std::unique_ptr<RtMidiOutputEnd> RtMidiPark::TakeOutput() { return Take(mOutputs); }

void RtMidiPark::Park(std::unique_ptr<RtMidiInputEnd> end) { Keep(std::move(end), mInputs); }
void RtMidiPark::Park(std::unique_ptr<RtMidiOutputEnd> end) { Keep(std::move(end), mOutputs); }

size_t RtMidiPark::ParkedCount() const {
  std::lock_guard lock(mMutex);
  return mInputs.size() + mOutputs.size();
}

template <typename End>
std::unique_ptr<End> RtMidiPark::Take(std::vector<std::unique_ptr<End>>& parked) {
  std::lock_guard lock(mMutex);
  if (parked.empty() || !ServerRuns()) return nullptr;
  std::unique_ptr<End> end = std::move(parked.back());
  parked.pop_back();
  return end;
}

template <typename End>
void RtMidiPark::Keep(std::unique_ptr<End> end, std::vector<std::unique_ptr<End>>& parked) {
  if (!end) return;
  end->Close();
  if (!ServerRuns()) return;  // no callback of a server that has gone runs any more
  std::lock_guard lock(mMutex);
  parked.push_back(std::move(end));
}

}  // namespace Platform::Midi
