#include "tests/Support/Controller/FakeControllerTransport.h"

namespace Testing::Controller {

FakeControllerTransport::FakeControllerTransport(std::shared_ptr<Platform::Midi::FakeMidiBackend> backend,
                                                 std::u16string portName, Receiver receiver)
    : mBackend(std::move(backend)), mPortName(std::move(portName)), mLink(std::make_shared<Link>()) {
  mLink->receiver = std::move(receiver);
  mObserver = mBackend->AddSendObserver([link = mLink](PortId port, const std::vector<uint8_t>& message) {
    std::lock_guard lock(link->mutex);
    if (link->receiver && link->controllerInput != 0 && port == link->controllerInput) link->receiver(message);
  });
}

FakeControllerTransport::~FakeControllerTransport() {
  StopReceiving();
  mBackend->RemoveSendObserver(mObserver);
  Disappear();
}

bool FakeControllerTransport::Appear(std::string&) {
  std::lock_guard lock(mLink->mutex);
  if (mLink->controllerInput != 0) return true;
  mLink->controllerOutput = mBackend->AddInputPort(mPortName);
  mLink->controllerInput = mBackend->AddOutputPort(mPortName);
  return true;
}

void FakeControllerTransport::Disappear() {
  std::lock_guard lock(mLink->mutex);
  if (mLink->controllerInput == 0) return;
  mBackend->RemovePort(mLink->controllerOutput);
  mBackend->RemovePort(mLink->controllerInput);
  mLink->controllerOutput = 0;
  mLink->controllerInput = 0;
}

bool FakeControllerTransport::IsPresent() const {
  std::lock_guard lock(mLink->mutex);
  return mLink->controllerInput != 0;
}

bool FakeControllerTransport::Send(const std::vector<uint8_t>& message) {
  std::lock_guard lock(mLink->mutex);
  if (mLink->controllerOutput == 0) return false;
  mBackend->Inject(mLink->controllerOutput, message);
  return true;
}

FakeControllerTransport::PortId FakeControllerTransport::ControllerOutputPort() const {
  std::lock_guard lock(mLink->mutex);
  return mLink->controllerOutput;
}

FakeControllerTransport::PortId FakeControllerTransport::ControllerInputPort() const {
  std::lock_guard lock(mLink->mutex);
  return mLink->controllerInput;
}

void FakeControllerTransport::StopReceiving() {
  std::lock_guard lock(mLink->mutex);
  mLink->receiver = nullptr;
}

}  // namespace Testing::Controller
