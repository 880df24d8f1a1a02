#pragma once
#include <cstddef>
#include <cstdint>

// The vocabulary of the MIDI services: result codes, callback messages, header
// flags, open flags, the capture and send header, device capabilities, handles and
// callback types. Names and values are those the port code is written against, so
// that it reads the same here as on the platform it was designed for.
namespace Platform::Midi {

// Result of every MIDI service call; 0 is success.
using MMRESULT = uint32_t;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
inline constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_NOMEM = 7;
inline constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
inline constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
inline constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT MMSYSERR_HANDLEBUSY = 12;

inline constexpr MMRESULT MIDIERR_UNPREPARED = 64;
inline constexpr MMRESULT MIDIERR_STILLPLAYING = 65;
inline constexpr MMRESULT MIDIERR_NOMAP = 66;
inline constexpr MMRESULT MIDIERR_NOTREADY = 67;
inline constexpr MMRESULT MIDIERR_NODEVICE = 68;
inline constexpr MMRESULT MIDIERR_INVALIDSETUP = 69;
inline constexpr MMRESULT MIDIERR_BADOPENMODE = 70;

// Messages passed to the input and output callbacks.
inline constexpr uint32_t MIM_OPEN = 0x3C1;
inline constexpr uint32_t MIM_CLOSE = 0x3C2;
inline constexpr uint32_t MIM_DATA = 0x3C3;
inline constexpr uint32_t MIM_LONGDATA = 0x3C4;
inline constexpr uint32_t MIM_ERROR = 0x3C5;
inline constexpr uint32_t MIM_LONGERROR = 0x3C6;
inline constexpr uint32_t MOM_OPEN = 0x3C7;
inline constexpr uint32_t MOM_CLOSE = 0x3C8;
inline constexpr uint32_t MOM_DONE = 0x3C9;
inline constexpr uint32_t MIM_MOREDATA = 0x3CC;

// Flags of MIDIHDR::dwFlags.
inline constexpr uint32_t MHDR_DONE = 0x1;
inline constexpr uint32_t MHDR_PREPARED = 0x2;
inline constexpr uint32_t MHDR_INQUEUE = 0x4;

// Flags of the open calls.
inline constexpr uint32_t CALLBACK_NULL = 0x00000;
inline constexpr uint32_t CALLBACK_FUNCTION = 0x30000;
inline constexpr uint32_t CALLBACK_TYPEMASK = 0x70000;
inline constexpr uint32_t MIDI_IO_STATUS = 0x00020;

// Capabilities.
inline constexpr size_t MAXPNAMELEN = 32;
inline constexpr uint16_t MOD_MIDIPORT = 1;

// A block of System Exclusive bytes: a capture buffer handed to an input, or a long
// message handed to an output. The caller owns the header and its data; from
// AddBuffer or LongMsg until the header comes back marked MHDR_DONE the services
// may write it, and the caller must leave it alone.
struct MIDIHDR {
  char* lpData = nullptr;
  uint32_t dwBufferLength = 0;
  uint32_t dwBytesRecorded = 0;
  uintptr_t dwUser = 0;
  uint32_t dwFlags = 0;
};

// The header size the header calls are given, as their callers must pass it.
inline constexpr uint32_t kMidiHeaderSize = sizeof(MIDIHDR);

// What an input device tells about itself; szPname is the product name, cut to
// MAXPNAMELEN - 1 code units and ended by a zero.
struct MIDIINCAPS {
  uint16_t wMid = 0;
  uint16_t wPid = 0;
  uint32_t vDriverVersion = 0;
  char16_t szPname[MAXPNAMELEN] = {};
  uint32_t dwSupport = 0;
};

// What an output device tells about itself; as MIDIINCAPS, with the technology
// always MOD_MIDIPORT.
struct MIDIOUTCAPS {
  uint16_t wMid = 0;
  uint16_t wPid = 0;
  uint32_t vDriverVersion = 0;
  char16_t szPname[MAXPNAMELEN] = {};
  uint16_t wTechnology = 0;
  uint16_t wVoices = 0;
  uint16_t wNotes = 0;
  uint16_t wChannelMask = 0;
  uint32_t dwSupport = 0;
};

// Open devices are named by handles: opaque values, never dereferenced, never
// reused within one MidiServices, null meaning none.
struct MidiInDevice;
struct MidiOutDevice;
using HMIDIIN = MidiInDevice*;
using HMIDIOUT = MidiOutDevice*;

// Callbacks receive the handle, the message, the instance value given at open and
// two message parameters: for MIM_DATA the packed short message and its time stamp
// in milliseconds since MidiInStart; for MIM_LONGDATA the MIDIHDR address and the
// time stamp; for MOM_DONE the MIDIHDR address.
using MidiInCallback = void (*)(HMIDIIN handle, uint32_t message, uintptr_t instance,
                                uintptr_t param1, uintptr_t param2);
using MidiOutCallback = void (*)(HMIDIOUT handle, uint32_t message, uintptr_t instance,
                                 uintptr_t param1, uintptr_t param2);

// Every service call, as named in the record a backend may keep and in the
// failures it may inject.
enum class MidiCall {
  InGetNumDevs,
  InGetDevCaps,
  InOpen,
  InPrepareHeader,
  InAddBuffer,
  InStart,
  InStop,
  InReset,
  InUnprepareHeader,
  InClose,
  OutGetNumDevs,
  OutGetDevCaps,
  OutOpen,
  OutShortMsg,
  OutPrepareHeader,
  OutLongMsg,
  OutUnprepareHeader,
  OutReset,
  OutClose,
  InListDevices,
  OutListDevices,
};

}  // namespace Platform::Midi
