#pragma once
#include "tests/Support/Controller/ControllerTransport.h"
#include "tests/Support/Midi/JackMidiPeer.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace Testing::Controller {

// The controller as a JACK MIDI client of the process's default server (a test's
// JackServer), named like the controller, with an input and an output port. What
// reaches its input goes to the receiver on the JACK process thread; what the
// controller sends goes out in the next cycle, or in the same one when sent from the
// receiver. Unplugging closes the client; plugging in again opens a new one of the
// same name.
class JackControllerTransport final : public ControllerTransport {
public:
  JackControllerTransport(std::string clientName, Receiver receiver);
  ~JackControllerTransport() override;

  bool Appear(std::string& error) override;
  void Disappear() override;
  bool IsPresent() const override;
  bool Send(const std::vector<uint8_t>& message) override;
  void StopReceiving() override;

private:
  // Shared with the client's listener, which runs on the JACK process thread.
  struct Link {
    std::recursive_mutex mutex;  // held while the receiver runs, which may Send
    Receiver receiver;
    std::unique_ptr<Midi::JackMidiPeer> peer;
    uint64_t generation = 0;  // of the client in `peer`: an old client's input is ignored
  };

  std::string mClientName;
  std::shared_ptr<Link> mLink;
};

}  // namespace Testing::Controller
