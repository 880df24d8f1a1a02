#include "Platform/Midi/FakeMidiBackend.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace Platform::Midi {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(FakeMidiBackend, TellsItsSendObserversOfWhatIsSentUntilRemoved) {
  FakeMidiBackend backend;
  const FakeMidiBackend::PortId port = backend.AddOutputPort(u"Corvex");
  std::vector<std::pair<FakeMidiBackend::PortId, Bytes>> seen;
  const auto observer = backend.AddSendObserver(
      [&](FakeMidiBackend::PortId to, const Bytes& bytes) { seen.emplace_back(to, bytes); });
  std::unique_ptr<MidiOutputConnection> output;
  ASSERT_EQ(backend.OpenOutput(backend.ListOutputs().at(0).identity, output), MMSYSERR_NOERROR);

  ASSERT_EQ(output->Send(Bytes{0x90, 0x40, 0x7F}.data(), 3).result, MMSYSERR_NOERROR);
  backend.RemoveSendObserver(observer);
  ASSERT_EQ(output->Send(Bytes{0x80, 0x40, 0x00}.data(), 3).result, MMSYSERR_NOERROR);
  backend.RemovePort(port);
  EXPECT_EQ(output->Send(Bytes{0x90, 0x40, 0x7F}.data(), 3).result, MMSYSERR_NODRIVER);

  EXPECT_EQ(seen, (std::vector<std::pair<FakeMidiBackend::PortId, Bytes>>{{port, {0x90, 0x40, 0x7F}}}));
  EXPECT_EQ(backend.Sent().size(), 2u);
}

TEST(FakeMidiBackend, LetsASendObserverInjectAReplyInsideTheSend) {
  FakeMidiBackend backend;
  backend.AddOutputPort(u"Corvex");
  const FakeMidiBackend::PortId input = backend.AddInputPort(u"Corvex");
  backend.AddSendObserver([&](FakeMidiBackend::PortId, const Bytes& bytes) { backend.Inject(input, bytes); });
  struct Sink final : MidiInputSink {
    void OnMidiInput(const uint8_t* bytes, size_t count) override { received.insert(received.end(), bytes, bytes + count); }
    Bytes received;
  } sink;
  std::unique_ptr<MidiInputConnection> connection;
  std::unique_ptr<MidiOutputConnection> output;
  ASSERT_EQ(backend.OpenInput(backend.ListInputs().at(0).identity, sink, connection), MMSYSERR_NOERROR);
  ASSERT_EQ(backend.OpenOutput(backend.ListOutputs().at(0).identity, output), MMSYSERR_NOERROR);

  ASSERT_EQ(output->Send(Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}.data(), 6).result, MMSYSERR_NOERROR);
  EXPECT_EQ(sink.received, (Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
}

}  // namespace
}  // namespace Platform::Midi
