#include "Platform/Midi/MidiServices.h"

#include "Platform/Midi/MidiCallbackDispatcher.h"
#include "Platform/Midi/MidiCaptureBuffers.h"
#include "Platform/Midi/MidiShortMessage.h"

#include <algorithm>
#include <cstring>

namespace Platform::Midi {
namespace {

HMIDIIN ToInputHandle(uint64_t number) {
  return reinterpret_cast<HMIDIIN>(static_cast<uintptr_t>(number));
}
HMIDIOUT ToOutputHandle(uint64_t number) {
  return reinterpret_cast<HMIDIOUT>(static_cast<uintptr_t>(number));
}
template <typename Handle>
uint64_t ToNumber(Handle handle) {
  return static_cast<uint64_t>(reinterpret_cast<uintptr_t>(handle));
}

MMRESULT CheckOpenFlags(uint32_t flags, uint32_t allowedExtraFlags, bool hasCallback) {
  const uint32_t callbackType = flags & CALLBACK_TYPEMASK;
  if ((flags & ~(CALLBACK_TYPEMASK | allowedExtraFlags)) != 0) return MMSYSERR_INVALFLAG;
  if (callbackType != CALLBACK_NULL && callbackType != CALLBACK_FUNCTION) return MMSYSERR_INVALFLAG;
  if (callbackType == CALLBACK_FUNCTION && !hasCallback) return MMSYSERR_INVALPARAM;
  return MMSYSERR_NOERROR;
}

MMRESULT PrepareHeader(MIDIHDR* header, uint32_t headerSize) {
  if (header == nullptr || headerSize < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
  if (header->lpData == nullptr || header->dwBufferLength == 0) return MMSYSERR_INVALPARAM;
  header->dwFlags |= MHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

MMRESULT UnprepareHeader(MIDIHDR* header, uint32_t headerSize) {
  if (header == nullptr || headerSize < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
  if ((header->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
  header->dwFlags &= ~MHDR_PREPARED;
  return MMSYSERR_NOERROR;
}

// Copies the name, cut to fit with its terminating zero, never between the two
// halves of a surrogate pair.
void CopyProductName(const std::u16string& name, char16_t (&target)[MAXPNAMELEN]) {
  size_t length = std::min(name.size(), MAXPNAMELEN - 1);
  if (length < name.size() && length > 0 && name[length - 1] >= 0xD800 && name[length - 1] < 0xDC00) {
    --length;
  }
  std::copy_n(name.begin(), length, target);
  std::fill(target + length, target + MAXPNAMELEN, u'\0');
}

template <typename Caps>
MMRESULT CopyCaps(const Caps& full, Caps* caps, uint32_t capsSize) {
  if (caps == nullptr || capsSize == 0) return MMSYSERR_INVALPARAM;
  std::memcpy(caps, &full, std::min<size_t>(capsSize, sizeof(Caps)));
  return MMSYSERR_NOERROR;
}

MMRESULT ReadInputCaps(const MidiPortDescription& port, MIDIINCAPS* caps, uint32_t capsSize) {
  MIDIINCAPS full;
  CopyProductName(port.name, full.szPname);
  return CopyCaps(full, caps, capsSize);
}

MMRESULT ReadOutputCaps(const MidiPortDescription& port, MIDIOUTCAPS* caps, uint32_t capsSize) {
  MIDIOUTCAPS full;
  CopyProductName(port.name, full.szPname);
  full.wTechnology = MOD_MIDIPORT;
  full.wChannelMask = 0xFFFF;
  return CopyCaps(full, caps, capsSize);
}

std::vector<MidiPortDescription>::const_iterator FindPort(const std::vector<MidiPortDescription>& ports,
                                                         const std::string& identity) {
  return std::find_if(ports.begin(), ports.end(),
                      [&](const MidiPortDescription& port) { return port.identity == identity; });
}

}  // namespace

class MidiServices::InputSink final : public MidiInputSink {
public:
  InputSink(MidiServices& services, uint64_t handle) : mServices(services), mHandle(handle) {}
  void OnMidiInput(const uint8_t* bytes, size_t count) override {
    mServices.OnInputBytes(mHandle, bytes, count);
  }

private:
  MidiServices& mServices;
  uint64_t mHandle;
};

struct MidiServices::Input {
  uint64_t number = 0;
  std::string identity;
  MidiInCallback callback = nullptr;
  uintptr_t instance = 0;
  bool started = false;
  Clock::time_point startTime;
  uint64_t resetCount = 0;  // input received before the last reset is not delivered
  size_t backlog = 0;       // bytes posted and not yet delivered
  MidiCaptureBuffers buffers;
  MidiInputParser parser;
  MidiInputDrops drops;
  std::unique_ptr<InputSink> sink;
  std::unique_ptr<MidiInputConnection> connection;
};

// An output connection with its own send lock, shared between the handle and the
// sends running on it, so that a close does not pull it from under a send.
struct MidiServices::OutputPort {
  std::mutex sendMutex;
  std::unique_ptr<MidiOutputConnection> connection;

  MidiSendOutcome Send(const uint8_t* bytes, size_t count) {
    std::lock_guard lock(sendMutex);
    return connection->Send(bytes, count);
  }
  bool IsConnected() {
    std::lock_guard lock(sendMutex);
    return !connection || connection->IsConnected();
  }
};

struct MidiServices::Output {
  struct PendingSend {
    MIDIHDR* header;
    uint64_t sequence;
  };
  std::string identity;
  MidiOutCallback callback = nullptr;
  uintptr_t instance = 0;
  std::shared_ptr<OutputPort> port;
  std::vector<PendingSend> pending;
  uint64_t lastSequence = 0;
};

MidiServices::MidiServices(std::shared_ptr<MidiBackend> backend)
    : mBackend(std::move(backend)),
      mDispatcher(std::make_unique<MidiCallbackDispatcher>(
          [this](MidiDelivery& delivery) { Deliver(delivery); })) {}

MidiServices::~MidiServices() {
  std::vector<std::unique_ptr<Input>> inputs;
  std::vector<std::unique_ptr<Output>> outputs;
  {
    std::lock_guard lock(mMutex);
    for (auto& [number, input] : mInputs) inputs.push_back(std::move(input));
    for (auto& [number, output] : mOutputs) outputs.push_back(std::move(output));
    mInputs.clear();
    mOutputs.clear();
  }
  for (auto& input : inputs) input->connection.reset();
  inputs.clear();
  outputs.clear();
  mDispatcher.reset();
}

template <typename Operation>
auto MidiServices::Call(MidiCall call, Operation operation) {
  MMRESULT result = mBackend->BeforeCall(call);
  if (result == MMSYSERR_NOERROR) result = operation();
  mBackend->AfterCall(call, result);
  return result;
}

uint64_t MidiServices::NewHandleNumber() { return ++mLastHandleNumber; }

// Milliseconds since the input was last started (0 before its first start); wraps
// after 49 days as the platform's time stamps do.
uint32_t MidiServices::ElapsedMilliseconds(const Input& input) {
  if (input.startTime == Clock::time_point{}) return 0;
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - input.startTime);
  return static_cast<uint32_t>(elapsed.count());
}

MidiServices::Input* MidiServices::FindInput(HMIDIIN handle) {
  const auto found = mInputs.find(ToNumber(handle));
  return found == mInputs.end() ? nullptr : found->second.get();
}

MidiServices::Output* MidiServices::FindOutput(HMIDIOUT handle) {
  const auto found = mOutputs.find(ToNumber(handle));
  return found == mOutputs.end() ? nullptr : found->second.get();
}

void MidiServices::WaitForCallbacks() { mDispatcher->WaitUntilHandled(); }

// ---- listing -------------------------------------------------------------------

uint32_t MidiServices::MidiInGetNumDevs() {
  uint32_t count = 0;
  if (mBackend->BeforeCall(MidiCall::InGetNumDevs) == MMSYSERR_NOERROR) {
    std::vector<MidiPortDescription> ports = mBackend->ListInputs();
    std::lock_guard lock(mMutex);
    mInputPorts = std::move(ports);
    mInputsListed = true;
    count = static_cast<uint32_t>(mInputPorts.size());
  }
  mBackend->AfterCall(MidiCall::InGetNumDevs, count);
  return count;
}

template <typename List>
std::vector<std::u16string> MidiServices::ListDevices(MidiCall call, List list) {
  std::vector<std::u16string> names;
  if (mBackend->BeforeCall(call) == MMSYSERR_NOERROR) {
    for (const MidiPortDescription& port : list()) {
      char16_t productName[MAXPNAMELEN];
      CopyProductName(port.name, productName);
      names.emplace_back(productName);
    }
  }
  mBackend->AfterCall(call, static_cast<uint32_t>(names.size()));
  return names;
}

std::vector<std::u16string> MidiServices::MidiInListDevices() {
  return ListDevices(MidiCall::InListDevices, [this] { return mBackend->ListInputs(); });
}

std::vector<std::u16string> MidiServices::MidiOutListDevices() {
  return ListDevices(MidiCall::OutListDevices, [this] { return mBackend->ListOutputs(); });
}

uint32_t MidiServices::MidiOutGetNumDevs() {
  uint32_t count = 0;
  if (mBackend->BeforeCall(MidiCall::OutGetNumDevs) == MMSYSERR_NOERROR) {
    std::vector<MidiPortDescription> ports = mBackend->ListOutputs();
    std::lock_guard lock(mMutex);
    mOutputPorts = std::move(ports);
    mOutputsListed = true;
    count = static_cast<uint32_t>(mOutputPorts.size());
  }
  mBackend->AfterCall(MidiCall::OutGetNumDevs, count);
  return count;
}

void MidiServices::EnsureInputsListed() {
  {
    std::lock_guard lock(mMutex);
    if (mInputsListed) return;
  }
  std::vector<MidiPortDescription> ports = mBackend->ListInputs();
  std::lock_guard lock(mMutex);
  if (mInputsListed) return;
  mInputPorts = std::move(ports);
  mInputsListed = true;
}

void MidiServices::EnsureOutputsListed() {
  {
    std::lock_guard lock(mMutex);
    if (mOutputsListed) return;
  }
  std::vector<MidiPortDescription> ports = mBackend->ListOutputs();
  std::lock_guard lock(mMutex);
  if (mOutputsListed) return;
  mOutputPorts = std::move(ports);
  mOutputsListed = true;
}

MMRESULT MidiServices::MidiInGetDevCaps(uint32_t deviceId, MIDIINCAPS* caps, uint32_t capsSize) {
  return Call(MidiCall::InGetDevCaps, [&] {
    EnsureInputsListed();
    MidiPortDescription port;
    {
      std::lock_guard lock(mMutex);
      if (deviceId >= mInputPorts.size()) return MMSYSERR_BADDEVICEID;
      port = mInputPorts[deviceId];
    }
    return ReadInputCaps(port, caps, capsSize);
  });
}

MMRESULT MidiServices::MidiOutGetDevCaps(uint32_t deviceId, MIDIOUTCAPS* caps, uint32_t capsSize) {
  return Call(MidiCall::OutGetDevCaps, [&] {
    EnsureOutputsListed();
    MidiPortDescription port;
    {
      std::lock_guard lock(mMutex);
      if (deviceId >= mOutputPorts.size()) return MMSYSERR_BADDEVICEID;
      port = mOutputPorts[deviceId];
    }
    return ReadOutputCaps(port, caps, capsSize);
  });
}

MMRESULT MidiServices::MidiInGetDevCaps(HMIDIIN handle, MIDIINCAPS* caps, uint32_t capsSize) {
  return Call(MidiCall::InGetDevCaps, [&] {
    std::string identity;
    {
      std::lock_guard lock(mMutex);
      const Input* input = FindInput(handle);
      if (input == nullptr) return MMSYSERR_INVALHANDLE;
      // Under the lock, so that a close does not take the connection away meanwhile.
      if (input->connection && !input->connection->IsConnected()) return MMSYSERR_NODRIVER;
      identity = input->identity;
    }
    const std::vector<MidiPortDescription> ports = mBackend->ListInputs();
    const auto port = FindPort(ports, identity);
    if (port == ports.end()) return MMSYSERR_NODRIVER;
    return ReadInputCaps(*port, caps, capsSize);
  });
}

MMRESULT MidiServices::MidiOutGetDevCaps(HMIDIOUT handle, MIDIOUTCAPS* caps, uint32_t capsSize) {
  return Call(MidiCall::OutGetDevCaps, [&] {
    std::string identity;
    std::shared_ptr<OutputPort> connection;
    {
      std::lock_guard lock(mMutex);
      const Output* output = FindOutput(handle);
      if (output == nullptr) return MMSYSERR_INVALHANDLE;
      identity = output->identity;
      connection = output->port;
    }
    if (connection && !connection->IsConnected()) return MMSYSERR_NODRIVER;
    const std::vector<MidiPortDescription> ports = mBackend->ListOutputs();
    const auto port = FindPort(ports, identity);
    if (port == ports.end()) return MMSYSERR_NODRIVER;
    return ReadOutputCaps(*port, caps, capsSize);
  });
}

// ---- input ---------------------------------------------------------------------

MMRESULT MidiServices::MidiInOpen(HMIDIIN* handle, uint32_t deviceId, MidiInCallback callback,
                                  uintptr_t instance, uint32_t flags) {
  if (handle != nullptr) *handle = nullptr;
  return Call(MidiCall::InOpen, [&] {
    if (handle == nullptr) return MMSYSERR_INVALPARAM;
    const MMRESULT flagCheck = CheckOpenFlags(flags, MIDI_IO_STATUS, callback != nullptr);
    if (flagCheck != MMSYSERR_NOERROR) return flagCheck;
    EnsureInputsListed();
    uint64_t number = 0;
    InputSink* sink = nullptr;
    std::string identity;
    {
      std::lock_guard lock(mMutex);
      if (deviceId >= mInputPorts.size()) return MMSYSERR_BADDEVICEID;
      number = NewHandleNumber();
      auto input = std::make_unique<Input>();
      input->number = number;
      input->identity = identity = mInputPorts[deviceId].identity;
      input->callback = (flags & CALLBACK_TYPEMASK) == CALLBACK_FUNCTION ? callback : nullptr;
      input->instance = instance;
      input->sink = std::make_unique<InputSink>(*this, number);
      sink = input->sink.get();
      mInputs.emplace(number, std::move(input));
    }
    std::unique_ptr<MidiInputConnection> connection;
    const MMRESULT opened = mBackend->OpenInput(identity, *sink, connection);
    std::lock_guard lock(mMutex);
    if (opened != MMSYSERR_NOERROR || !connection) {
      mInputs.erase(number);
      return opened != MMSYSERR_NOERROR ? opened : MMSYSERR_ERROR;
    }
    mInputs.at(number)->connection = std::move(connection);
    mDispatcher->Post({MidiDelivery::Kind::InputMessage, number, 0, MIM_OPEN, 0, 0, {}});
    *handle = ToInputHandle(number);
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiInPrepareHeader(HMIDIIN handle, MIDIHDR* header, uint32_t headerSize) {
  return Call(MidiCall::InPrepareHeader, [&] {
    std::lock_guard lock(mMutex);
    if (FindInput(handle) == nullptr) return MMSYSERR_INVALHANDLE;
    return PrepareHeader(header, headerSize);
  });
}

MMRESULT MidiServices::MidiInAddBuffer(HMIDIIN handle, MIDIHDR* header, uint32_t headerSize) {
  return Call(MidiCall::InAddBuffer, [&] {
    std::lock_guard lock(mMutex);
    Input* input = FindInput(handle);
    if (input == nullptr) return MMSYSERR_INVALHANDLE;
    if (headerSize < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
    return input->buffers.Add(header);
  });
}

MMRESULT MidiServices::MidiInStart(HMIDIIN handle) {
  return Call(MidiCall::InStart, [&] {
    std::lock_guard lock(mMutex);
    Input* input = FindInput(handle);
    if (input == nullptr) return MMSYSERR_INVALHANDLE;
    if (!input->started) {
      input->started = true;
      input->startTime = Clock::now();
    }
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiInStop(HMIDIIN handle) {
  return Call(MidiCall::InStop, [&] {
    std::lock_guard lock(mMutex);
    Input* input = FindInput(handle);
    if (input == nullptr) return MMSYSERR_INVALHANDLE;
    input->started = false;
    input->parser.Reset();
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiInReset(HMIDIIN handle) {
  return Call(MidiCall::InReset, [&] {
    std::vector<MIDIHDR*> returned;
    MidiInCallback callback = nullptr;
    uintptr_t instance = 0;
    uintptr_t timestamp = 0;
    {
      std::lock_guard lock(mMutex);
      Input* input = FindInput(handle);
      if (input == nullptr) return MMSYSERR_INVALHANDLE;
      timestamp = ElapsedMilliseconds(*input);
      input->started = false;
      input->parser.Reset();
      ++input->resetCount;
      returned = input->buffers.ReturnAll();
      callback = input->callback;
      instance = input->instance;
    }
    // The buffers come back before the reset returns, as the platform hands them
    // back, so that the caller may free them as soon as it has.
    for (MIDIHDR* header : returned) {
      if (callback != nullptr) callback(handle, MIM_LONGDATA, instance, reinterpret_cast<uintptr_t>(header), timestamp);
    }
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiInUnprepareHeader(HMIDIIN handle, MIDIHDR* header, uint32_t headerSize) {
  return Call(MidiCall::InUnprepareHeader, [&] {
    std::lock_guard lock(mMutex);
    if (FindInput(handle) == nullptr) return MMSYSERR_INVALHANDLE;
    return UnprepareHeader(header, headerSize);
  });
}

MMRESULT MidiServices::MidiInClose(HMIDIIN handle) {
  return Call(MidiCall::InClose, [&] {
    std::unique_ptr<Input> closed;
    {
      std::lock_guard lock(mMutex);
      const auto found = mInputs.find(ToNumber(handle));
      if (found == mInputs.end()) return MMSYSERR_INVALHANDLE;
      if (!found->second->buffers.Empty()) return MIDIERR_STILLPLAYING;
      closed = std::move(found->second);
      mInputs.erase(found);
    }
    // Closing the connection may wait for the backend's thread, which may be waiting
    // for mMutex in OnInputBytes: so it happens outside the lock.
    closed->connection.reset();
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiInGetDrops(HMIDIIN handle, MidiInputDrops* drops) {
  if (drops == nullptr) return MMSYSERR_INVALPARAM;
  std::lock_guard lock(mMutex);
  const Input* input = FindInput(handle);
  if (input == nullptr) return MMSYSERR_INVALHANDLE;
  *drops = input->drops;
  return MMSYSERR_NOERROR;
}

void MidiServices::OnInputBytes(uint64_t handle, const uint8_t* bytes, size_t count) {
  std::vector<MidiInputMessage> messages;
  std::lock_guard lock(mMutex);
  const auto found = mInputs.find(handle);
  if (found == mInputs.end() || !found->second->started) return;
  Input& input = *found->second;
  const uint32_t timestamp = ElapsedMilliseconds(input);
  input.parser.Feed(bytes, count, messages, input.drops);
  for (MidiInputMessage& message : messages) QueueInputMessage(input, message, timestamp);
}

void MidiServices::QueueInputMessage(Input& input, MidiInputMessage& message, uint32_t timestamp) {
  const size_t size = message.bytes.size();
  if (input.backlog + size > kDeliveryBacklogLimit) {
    ++input.drops.messages;
    input.drops.bytes += size;
    return;
  }
  input.backlog += size;
  MidiDelivery delivery{MidiDelivery::Kind::InputMessage, input.number, input.resetCount, MIM_DATA, 0,
                        timestamp, {}};
  switch (message.kind) {
    case MidiInputMessage::Kind::Short:
      delivery.param1 = MidiShortMessage::Pack(message.bytes.data(), size);
      break;
    case MidiInputMessage::Kind::Error:
      delivery.message = MIM_ERROR;
      delivery.param1 = MidiShortMessage::Pack(message.bytes.data(), size);
      break;
    case MidiInputMessage::Kind::SystemExclusive:
      delivery.kind = MidiDelivery::Kind::InputSystemExclusive;
      delivery.message = MIM_LONGDATA;
      break;
  }
  delivery.bytes = std::move(message.bytes);
  mDispatcher->Post(std::move(delivery));
}

// ---- output --------------------------------------------------------------------

MMRESULT MidiServices::MidiOutOpen(HMIDIOUT* handle, uint32_t deviceId, MidiOutCallback callback,
                                   uintptr_t instance, uint32_t flags) {
  if (handle != nullptr) *handle = nullptr;
  return Call(MidiCall::OutOpen, [&] {
    if (handle == nullptr) return MMSYSERR_INVALPARAM;
    const MMRESULT flagCheck = CheckOpenFlags(flags, 0, callback != nullptr);
    if (flagCheck != MMSYSERR_NOERROR) return flagCheck;
    EnsureOutputsListed();
    std::string identity;
    {
      std::lock_guard lock(mMutex);
      if (deviceId >= mOutputPorts.size()) return MMSYSERR_BADDEVICEID;
      identity = mOutputPorts[deviceId].identity;
    }
    std::unique_ptr<MidiOutputConnection> connection;
    const MMRESULT opened = mBackend->OpenOutput(identity, connection);
    if (opened != MMSYSERR_NOERROR) return opened;
    if (!connection) return MMSYSERR_ERROR;
    auto output = std::make_unique<Output>();
    output->identity = identity;
    output->callback = (flags & CALLBACK_TYPEMASK) == CALLBACK_FUNCTION ? callback : nullptr;
    output->instance = instance;
    output->port = std::make_shared<OutputPort>();
    output->port->connection = std::move(connection);
    std::lock_guard lock(mMutex);
    const uint64_t number = NewHandleNumber();
    mOutputs.emplace(number, std::move(output));
    mDispatcher->Post({MidiDelivery::Kind::OutputMessage, number, 0, MOM_OPEN, 0, 0, {}});
    *handle = ToOutputHandle(number);
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiOutShortMsg(HMIDIOUT handle, uint32_t message) {
  return Call(MidiCall::OutShortMsg, [&] {
    std::shared_ptr<OutputPort> port;
    {
      std::lock_guard lock(mMutex);
      const Output* output = FindOutput(handle);
      if (output == nullptr) return MMSYSERR_INVALHANDLE;
      port = output->port;
    }
    uint8_t bytes[3] = {};
    const size_t length = MidiShortMessage::Unpack(message, bytes);
    if (length == 0) return MMSYSERR_INVALPARAM;
    return port->Send(bytes, length).result;
  });
}

MMRESULT MidiServices::MidiOutPrepareHeader(HMIDIOUT handle, MIDIHDR* header, uint32_t headerSize) {
  return Call(MidiCall::OutPrepareHeader, [&] {
    std::lock_guard lock(mMutex);
    if (FindOutput(handle) == nullptr) return MMSYSERR_INVALHANDLE;
    return PrepareHeader(header, headerSize);
  });
}

MMRESULT MidiServices::MidiOutLongMsg(HMIDIOUT handle, MIDIHDR* header, uint32_t headerSize) {
  return Call(MidiCall::OutLongMsg, [&] {
    if (header == nullptr || headerSize < sizeof(MIDIHDR)) return MMSYSERR_INVALPARAM;
    return SendLongMessage(handle, header);
  });
}

MMRESULT MidiServices::SendLongMessage(HMIDIOUT handle, MIDIHDR* header) {
  std::shared_ptr<OutputPort> port;
  uint64_t sequence = 0;
  const char* data = nullptr;
  uint32_t length = 0;
  {
    std::lock_guard lock(mMutex);
    Output* output = FindOutput(handle);
    if (output == nullptr) return MMSYSERR_INVALHANDLE;
    if ((header->dwFlags & MHDR_PREPARED) == 0) return MIDIERR_UNPREPARED;
    if ((header->dwFlags & MHDR_INQUEUE) != 0) return MIDIERR_STILLPLAYING;
    if (header->lpData == nullptr || header->dwBufferLength == 0) return MMSYSERR_INVALPARAM;
    header->dwFlags = (header->dwFlags & ~MHDR_DONE) | MHDR_INQUEUE;
    sequence = ++output->lastSequence;
    output->pending.push_back({header, sequence});
    port = output->port;
    data = header->lpData;
    length = header->dwBufferLength;
  }
  const MidiSendOutcome outcome = port->Send(reinterpret_cast<const uint8_t*>(data), length);
  CompleteSend(ToNumber(handle), sequence, outcome);
  return outcome.result;
}

void MidiServices::CompleteSend(uint64_t handle, uint64_t sequence, const MidiSendOutcome& outcome) {
  std::lock_guard lock(mMutex);
  if (outcome.result != MMSYSERR_NOERROR) {
    const auto found = mOutputs.find(handle);
    if (found == mOutputs.end()) return;
    auto& pending = found->second->pending;
    const auto send = std::find_if(pending.begin(), pending.end(),
                                   [&](const Output::PendingSend& entry) { return entry.sequence == sequence; });
    if (send == pending.end()) return;
    send->header->dwFlags &= ~MHDR_INQUEUE;
    pending.erase(send);
    return;
  }
  MidiDelivery completed{MidiDelivery::Kind::SendCompleted, handle, sequence, MOM_DONE, 0, 0, {}};
  switch (outcome.completion) {
    case MidiSendCompletion::Immediate:
      mDispatcher->Post(std::move(completed));
      break;
    case MidiSendCompletion::Delayed:
      mDispatcher->PostAt(Clock::now() + outcome.delay, std::move(completed));
      break;
    case MidiSendCompletion::Never:
      break;
  }
}

MMRESULT MidiServices::MidiOutUnprepareHeader(HMIDIOUT handle, MIDIHDR* header, uint32_t headerSize) {
  return Call(MidiCall::OutUnprepareHeader, [&] {
    std::lock_guard lock(mMutex);
    if (FindOutput(handle) == nullptr) return MMSYSERR_INVALHANDLE;
    return UnprepareHeader(header, headerSize);
  });
}

MMRESULT MidiServices::MidiOutReset(HMIDIOUT handle) {
  return Call(MidiCall::OutReset, [&] {
    std::vector<Output::PendingSend> returned;
    MidiOutCallback callback = nullptr;
    uintptr_t instance = 0;
    {
      std::lock_guard lock(mMutex);
      Output* output = FindOutput(handle);
      if (output == nullptr) return MMSYSERR_INVALHANDLE;
      returned.swap(output->pending);
      for (const Output::PendingSend& send : returned) {
        send.header->dwFlags = (send.header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
      }
      callback = output->callback;
      instance = output->instance;
    }
    // As for inputs: the messages come back before the reset returns.
    for (const Output::PendingSend& send : returned) {
      if (callback != nullptr) callback(handle, MOM_DONE, instance, reinterpret_cast<uintptr_t>(send.header), 0);
    }
    return MMSYSERR_NOERROR;
  });
}

MMRESULT MidiServices::MidiOutClose(HMIDIOUT handle) {
  return Call(MidiCall::OutClose, [&] {
    std::unique_ptr<Output> closed;
    {
      std::lock_guard lock(mMutex);
      const auto found = mOutputs.find(ToNumber(handle));
      if (found == mOutputs.end()) return MMSYSERR_INVALHANDLE;
      if (!found->second->pending.empty()) return MIDIERR_STILLPLAYING;
      closed = std::move(found->second);
      mOutputs.erase(found);
    }
    return MMSYSERR_NOERROR;
  });
}

// ---- delivery, on the dispatcher's thread --------------------------------------

void MidiServices::Deliver(MidiDelivery& delivery) {
  switch (delivery.kind) {
    case MidiDelivery::Kind::InputMessage: DeliverInputMessage(delivery); break;
    case MidiDelivery::Kind::InputSystemExclusive: DeliverSystemExclusive(delivery); break;
    case MidiDelivery::Kind::OutputMessage: DeliverOutputMessage(delivery); break;
    case MidiDelivery::Kind::SendCompleted: DeliverSendCompleted(delivery); break;
  }
}

void MidiServices::DeliverInputMessage(const MidiDelivery& delivery) {
  MidiInCallback callback = nullptr;
  uintptr_t instance = 0;
  {
    std::lock_guard lock(mMutex);
    const auto found = mInputs.find(delivery.handle);
    if (found == mInputs.end()) return;
    Input& input = *found->second;
    input.backlog -= delivery.bytes.size();
    if (delivery.sequence != input.resetCount) return;
    callback = input.callback;
    instance = input.instance;
  }
  if (callback != nullptr) {
    callback(ToInputHandle(delivery.handle), delivery.message, instance, delivery.param1, delivery.param2);
  }
}

void MidiServices::DeliverSystemExclusive(const MidiDelivery& delivery) {
  const size_t size = delivery.bytes.size();
  size_t offset = 0;
  bool first = true;
  while (offset < size) {
    MidiInCallback callback = nullptr;
    uintptr_t instance = 0;
    MIDIHDR* header = nullptr;
    {
      std::lock_guard lock(mMutex);
      const auto found = mInputs.find(delivery.handle);
      if (found == mInputs.end()) return;
      Input& input = *found->second;
      if (first) input.backlog -= size;
      first = false;
      if (delivery.sequence != input.resetCount) return;
      header = input.buffers.FillNext(delivery.bytes.data() + offset, size - offset);
      if (header == nullptr) {
        ++input.drops.messages;
        input.drops.bytes += size - offset;
        return;
      }
      offset += header->dwBytesRecorded;
      callback = input.callback;
      instance = input.instance;
    }
    if (callback != nullptr) {
      callback(ToInputHandle(delivery.handle), MIM_LONGDATA, instance,
               reinterpret_cast<uintptr_t>(header), delivery.param2);
    }
  }
}

void MidiServices::DeliverOutputMessage(const MidiDelivery& delivery) {
  MidiOutCallback callback = nullptr;
  uintptr_t instance = 0;
  {
    std::lock_guard lock(mMutex);
    const auto found = mOutputs.find(delivery.handle);
    if (found == mOutputs.end()) return;
    callback = found->second->callback;
    instance = found->second->instance;
  }
  if (callback != nullptr) {
    callback(ToOutputHandle(delivery.handle), delivery.message, instance, delivery.param1, delivery.param2);
  }
}

void MidiServices::DeliverSendCompleted(const MidiDelivery& delivery) {
  MidiOutCallback callback = nullptr;
  uintptr_t instance = 0;
  MIDIHDR* header = nullptr;
  {
    std::lock_guard lock(mMutex);
    const auto found = mOutputs.find(delivery.handle);
    if (found == mOutputs.end()) return;
    Output& output = *found->second;
    const auto send = std::find_if(output.pending.begin(), output.pending.end(),
                                   [&](const Output::PendingSend& entry) { return entry.sequence == delivery.sequence; });
    if (send == output.pending.end()) return;
    header = send->header;
    header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
    output.pending.erase(send);
    callback = output.callback;
    instance = output.instance;
  }
  if (callback != nullptr) {
    callback(ToOutputHandle(delivery.handle), MOM_DONE, instance, reinterpret_cast<uintptr_t>(header), 0);
  }
}

}  // namespace Platform::Midi
