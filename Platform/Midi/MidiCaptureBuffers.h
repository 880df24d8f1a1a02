#pragma once
#include "Platform/Midi/MidiDefinitions.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace Platform::Midi {

// The capture buffers queued on one input, first in first out, and the filling of
// System Exclusive bytes into them as the platform does it: each buffer takes as
// many bytes as it holds and is handed back marked done, so that a message fills
// whole buffers and ends in one that is shorter or ends in F7. Not thread-safe: the
// owner guards it.
class MidiCaptureBuffers {
public:
  // Queues a prepared header that is not queued yet; MIDIERR_UNPREPARED,
  // MIDIERR_STILLPLAYING or MMSYSERR_INVALPARAM (no data or no length) otherwise.
  MMRESULT Add(MIDIHDR* header);

  // Copies into the first queued buffer as many of the bytes as it holds, records
  // that count, marks the buffer done and takes it off the queue. Returns the
  // buffer, or null (and copies nothing) when none is queued.
  MIDIHDR* FillNext(const uint8_t* bytes, size_t count);

  // Takes every queued buffer off the queue, marked done with nothing recorded, in
  // queue order.
  std::vector<MIDIHDR*> ReturnAll();

  bool Empty() const { return mQueue.empty(); }
  size_t Count() const { return mQueue.size(); }

private:
  std::deque<MIDIHDR*> mQueue;
};

}  // namespace Platform::Midi
