#pragma once
#include <array>
#include <atomic>
#include <cstdint>

#include "Platform/Midi/MidiDefinitions.h"
#include "SVFramework/Midi/MidiCaptureNotificationData.h"
#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace Platform::Midi {
class MidiServices;
}

namespace SV {

class LMidiComm;

// One MIDI input device opened by name, with three capture buffers of 256 bytes
// that stay with the platform, and the assembly of what arrives into whole
// messages. Each whole message goes to the port manager's worker as one job; the
// callback thread only assembles and queues.
// Made, opened, started and listed only by its port manager (LMidiComm), whose port
// lock guards everything here: Open, Close, the buffers and the message under
// assembly are used only under it (the input callback holds it), or during
// destruction, when the port is no longer listed. The name never changes.
// The port leaves its manager's list when its last outside reference goes, and its
// destruction closes the device.
class LMidiCapturePort : public virtual LRefCountedObject {
public:
  using MMRESULT = ::Platform::Midi::MMRESULT;
  using HMIDIIN = ::Platform::Midi::HMIDIIN;
  using MIDIHDR = ::Platform::Midi::MIDIHDR;

  static constexpr uint32_t kBufferSize = 256;
  static constexpr size_t kBufferCount = 3;
  // The most of one System Exclusive message kept; what lies beyond is dropped.
  static constexpr uint32_t kMaximumSystemExclusiveLength = 64 * 1024;

  // A capture buffer: a header over 256 bytes of its own whose user value is the
  // buffer's address, and the handle it was prepared on. Never moves.
  class CaptureBuffer {
  public:
    CaptureBuffer();
    // Unprepares the header on its handle when it is bound.
    ~CaptureBuffer();
    CaptureBuffer(const CaptureBuffer&) = delete;
    CaptureBuffer& operator=(const CaptureBuffer&) = delete;

    // Prepares the header on the handle (the result is not looked at) and remembers
    // the handle.
    void Bind(::Platform::Midi::MidiServices& services, HMIDIIN handle);
    // Unprepares the header on its handle and forgets the handle.
    void Unbind();
    // Clears the done flag and the recorded count, prepares the header and hands it
    // to the platform; the first failing code, else 0.
    MMRESULT Arm();

    bool IsBound() const { return mBoundHandle != nullptr; }
    MIDIHDR& Header() { return mHeader; }

  private:
    MIDIHDR mHeader;
    char mData[kBufferSize] = {};
    HMIDIIN mBoundHandle = nullptr;
    ::Platform::Midi::MidiServices* mServices = nullptr;
  };

  // A closed port; LMidiComm::CreateCapturePort makes them.
  LMidiCapturePort(const String& name, const RCPtr<LMidiComm>& owner);
  // Closes the device when open, then releases the owner.
  ~LMidiCapturePort() override;
  LMidiCapturePort(const LMidiCapturePort&) = delete;
  LMidiCapturePort& operator=(const LMidiCapturePort&) = delete;

  // Closes the port when open, chooses the device by the port-name rule, opens it
  // and arms the three buffers; input is not started. 0, MMSYSERR_NODRIVER when no
  // device matches, or the failing platform code (the port is then closed).
  MMRESULT Open();
  // Stops and resets input (the buffers come back and are not re-added), unprepares
  // the buffers and closes the device; drops a message under assembly. Nothing when
  // closed.
  void Close();
  // Binds and arms the three buffers in order. 0; MMSYSERR_ERROR when closed; or the
  // failing code, all three then unprepared and unbound.
  MMRESULT AddBuffers();
  // Hands a returned buffer back to the platform. MMSYSERR_HANDLEBUSY while closing
  // or closed; MMSYSERR_ERROR for a header that is none of this port's buffers, or
  // an unbound one; else the first failing platform code or 0.
  MMRESULT ReAddBuffer(MIDIHDR* header);
  // Unprepares the three headers on their handles and unbinds them.
  void UnprepareBuffers();

  // The input callback's steps, under the port lock: a short message packed in a
  // word (status byte lowest) and its time stamp; a returned capture buffer (read
  // only when it is one of this port's, then re-added); the bytes of one buffer, and
  // whether the buffer ends a message (a buffer that begins with F0 while a message
  // is pending drops that one, unfinished, and starts anew).
  void OnShortMessage(uint32_t message, uint32_t timestamp);
  void OnBufferReturned(MIDIHDR* header);
  void OnSysExData(const char* bytes, int32_t count, bool complete);

  // Takes the port out of its manager's list when nobody but the releasing caller
  // holds it any more.
  SVRESULT ReleaseInternalReferences() override;

  // The length of a captured short message by its status byte: 3 for 80 to BF and
  // E0 to EF, 2 for C0 to DF, 1 for everything else (no running status is kept).
  static uint32_t ShortMessageLength(uint8_t status);

  const String& GetName() const { return mName; }
  // The name of the device Open examined last (of the opened device after a
  // successful Open). Takes the port lock.
  String GetDeviceName() const;
  HMIDIIN GetHandle() const { return mHandle.load(std::memory_order_acquire); }
  // System Exclusive bytes dropped: those beyond kMaximumSystemExclusiveLength, and
  // those of messages dropped unfinished. Any thread.
  uint64_t GetDroppedByteCount() const { return mDroppedBytes.load(std::memory_order_relaxed); }
  // System Exclusive messages dropped unfinished because the next one began before
  // their end came. Any thread.
  uint64_t GetDroppedMessageCount() const { return mDroppedMessages.load(std::memory_order_relaxed); }

private:
  ::Platform::Midi::MidiServices& Services() const;
  CaptureBuffer* FindBuffer(const MIDIHDR* header);
  MMRESULT OpenDevice(uint32_t device);
  MMRESULT CloseDevice(HMIDIIN handle);
  void AppendToPending(const char* bytes, uint32_t count, bool complete);
  void DropPending();
  void Queue(const RCPtr<LMidiCaptureNotificationData>& message);

  const String mName;
  String mDeviceName;
  std::atomic<HMIDIIN> mHandle{nullptr};
  RCPtr<LMidiComm> mOwner;
  std::array<CaptureBuffer, kBufferCount> mBuffers;
  bool mClosing = false;
  RCPtr<LMidiCaptureNotificationData> mPending;
  std::atomic<uint64_t> mDroppedBytes{0};
  std::atomic<uint64_t> mDroppedMessages{0};
};

}  // namespace SV
