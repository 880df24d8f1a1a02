#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Testing::Controller {

// How the simulated controller is wired to the editor: its two ports, named like the
// controller's, on some MIDI system. A transport hands every message that reaches the
// controller's input to its receiver and sends the controller's messages from its
// output. Its operations may be called from any thread, Send also from inside the
// receiver. The destructor stops receiving first.
class ControllerTransport {
public:
  // Told of each whole message sent to the controller, on the transport's thread.
  using Receiver = std::function<void(const std::vector<uint8_t>& message)>;

  virtual ~ControllerTransport() = default;

  // Plugs the controller in: its ports appear. False, with the reason, when they
  // could not.
  virtual bool Appear(std::string& error) = 0;
  // Unplugs it: its ports vanish; nothing is received or sent until it appears again.
  virtual void Disappear() = 0;
  virtual bool IsPresent() const = 0;

  // Sends one whole message to the editor; false, sending nothing, while unplugged.
  virtual bool Send(const std::vector<uint8_t>& message) = 0;

  // Once it has returned, the receiver is not called again and no call of it is
  // running. Not to be called from the receiver.
  virtual void StopReceiving() = 0;
};

}  // namespace Testing::Controller
