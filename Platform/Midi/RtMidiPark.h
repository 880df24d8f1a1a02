#pragma once
#include "Platform/Midi/RtMidiEnd.h"

#include <memory>
#include <mutex>
#include <vector>

namespace Platform::Midi {

class JackServerWatch;

// Closed RtMidi ends of one JACK server, kept for the next open instead of being
// destroyed. RtMidi frees a JACK output's ring buffer before it closes the output's
// client, while that client's process callback may still be reading it; so no end of
// a running server is destroyed while its callback can run: a closed end is parked
// here and the next open takes it again (no client is made or closed for it). Parked
// ends are destroyed once their server has gone, or when the park goes, a whole
// cycle after they were closed (their callbacks then find no port and touch nothing).
// Without a watch (ALSA, which has no such callback) ends are destroyed at once.
// Every operation may be called from any thread.
class RtMidiPark {
public:
  explicit RtMidiPark(std::shared_ptr<const JackServerWatch> watch);
  ~RtMidiPark();
  RtMidiPark(const RtMidiPark&) = delete;
  RtMidiPark& operator=(const RtMidiPark&) = delete;

  // A parked end, or null when none waits.
  std::unique_ptr<RtMidiInputEnd> TakeInput();
  std::unique_ptr<RtMidiOutputEnd> TakeOutput();
  // Closes the end and keeps it, or destroys it when its server has gone.
  void Park(std::unique_ptr<RtMidiInputEnd> end);
  void Park(std::unique_ptr<RtMidiOutputEnd> end);

  // Ends parked now (for tests).
  size_t ParkedCount() const;

private:
  bool ServerRuns() const;
  template <typename End>
  std::unique_ptr<End> Take(std::vector<std::unique_ptr<End>>& parked);
  template <typename End>
  void Keep(std::unique_ptr<End> end, std::vector<std::unique_ptr<End>>& parked);

  const std::shared_ptr<const JackServerWatch> mWatch;
  mutable std::mutex mMutex;  // guards both lists
  std::vector<std::unique_ptr<RtMidiInputEnd>> mInputs;
  std::vector<std::unique_ptr<RtMidiOutputEnd>> mOutputs;
};

}  // namespace Platform::Midi
