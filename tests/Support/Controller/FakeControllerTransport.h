#pragma once
#include "Platform/Midi/FakeMidiBackend.h"
#include "tests/Support/Controller/ControllerTransport.h"

#include <memory>
#include <mutex>
#include <string>

namespace Testing::Controller {

// The controller as two ports of a FakeMidiBackend, an input and an output under the
// same name: what the editor sends to the output port reaches the receiver on the
// editor's sending thread, inside its send; what the controller sends is injected
// into the input port. Unplugging removes both ports; plugging in again adds new ones
// (with new ids, as a device that comes back is another port).
class FakeControllerTransport final : public ControllerTransport {
public:
  using PortId = Platform::Midi::FakeMidiBackend::PortId;

  FakeControllerTransport(std::shared_ptr<Platform::Midi::FakeMidiBackend> backend, std::u16string portName,
                          Receiver receiver);
  ~FakeControllerTransport() override;

  bool Appear(std::string& error) override;
  void Disappear() override;
  bool IsPresent() const override;
  bool Send(const std::vector<uint8_t>& message) override;
  void StopReceiving() override;

  // The ids of the two ports while present, else 0: the port the editor reads the
  // controller from, and the one it sends to.
  PortId ControllerOutputPort() const;
  PortId ControllerInputPort() const;

private:
  // Shared with the backend's send observer, which may outlive this object briefly.
  struct Link {
    std::recursive_mutex mutex;  // held while the receiver runs, which may Send
    Receiver receiver;
    PortId controllerOutput = 0;  // an input port of the backend
    PortId controllerInput = 0;   // an output port of the backend
  };

  std::shared_ptr<Platform::Midi::FakeMidiBackend> mBackend;
  std::u16string mPortName;
  std::shared_ptr<Link> mLink;
  Platform::Midi::FakeMidiBackend::SendObserverId mObserver;
};

}  // namespace Testing::Controller
