#include "Platform/Midi/MidiCaptureBuffers.h"

#include <algorithm>
#include <cstring>

namespace Platform::Midi {
namespace {

void MarkDone(MIDIHDR& header) {
  header.dwFlags = (header.dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
}

}  // namespace

MMRESULT MidiCaptureBuffers::Add(MIDIHDR* header) {
  if (header == nullptr) return MMSYSERR_INVALPARAM;
  if ((header->dwFlags & MHDR_PREPARED) == 0) return MIDIERR_UNPREPARED;
  if ((header->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
  if (header->lpData == nullptr || header->dwBufferLength == 0) return MMSYSERR_INVALPARAM;
  header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
  header->dwBytesRecorded = 0;
  mQueue.push_back(header);
  return MMSYSERR_NOERROR;
}

MIDIHDR* MidiCaptureBuffers::FillNext(const uint8_t* bytes, size_t count) {
  if (mQueue.empty()) return nullptr;
  MIDIHDR* header = mQueue.front();
  mQueue.pop_front();
  const size_t taken = std::min<size_t>(count, header->dwBufferLength);
  if (taken > 0) std::memcpy(header->lpData, bytes, taken);
  header->dwBytesRecorded = static_cast<uint32_t>(taken);
  MarkDone(*header);
  return header;
}

std::vector<MIDIHDR*> MidiCaptureBuffers::ReturnAll() {
  std::vector<MIDIHDR*> returned(mQueue.begin(), mQueue.end());
  mQueue.clear();
  for (MIDIHDR* header : returned) {
    header->dwBytesRecorded = 0;
    MarkDone(*header);
  }
  return returned;
}

}  // namespace Platform::Midi
