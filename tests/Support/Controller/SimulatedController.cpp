#include "tests/Support/Controller/SimulatedController.h"

#include "tests/Support/Controller/FakeControllerTransport.h"
#include "tests/Support/Controller/JackControllerTransport.h"

namespace Testing::Controller {

std::unique_ptr<SimulatedController> SimulatedController::OnFakeBackend(
    std::shared_ptr<Platform::Midi::FakeMidiBackend> backend, std::u16string portName) {
  std::unique_ptr<SimulatedController> controller(new SimulatedController());
  std::string error;  // the fake backend's ports always appear
  auto transport = std::make_unique<FakeControllerTransport>(std::move(backend), std::move(portName),
                                                             controller->MakeReceiver());
  if (!controller->Start(std::move(transport), error)) return nullptr;
  return controller;
}

std::unique_ptr<SimulatedController> SimulatedController::OnJack(std::string& error, std::string clientName) {
  std::unique_ptr<SimulatedController> controller(new SimulatedController());
  auto transport = std::make_unique<JackControllerTransport>(std::move(clientName), controller->MakeReceiver());
  if (!controller->Start(std::move(transport), error)) return nullptr;
  return controller;
}

SimulatedController::SimulatedController() = default;

SimulatedController::~SimulatedController() {
  mTransport->StopReceiving();
  {
    std::lock_guard lock(mMutex);
    mStopping = true;
  }
  mScheduleChanged.notify_all();
  if (mResponder.joinable()) mResponder.join();
  mTransport.reset();
}

bool SimulatedController::Start(std::unique_ptr<ControllerTransport> transport, std::string& error) {
  mTransport = std::move(transport);
  mResponder = std::thread([this] { SendReplies(); });
  return mTransport->Appear(error);
}

ControllerTransport::Receiver SimulatedController::MakeReceiver() {
  return [this](const Bytes& message) { OnMessage(message); };
}

void SimulatedController::SetPreset(const Preset& preset) {
  std::lock_guard lock(mMutex);
  mCore.SetPreset(preset);
}

Preset SimulatedController::GetPreset() const {
  std::lock_guard lock(mMutex);
  return mCore.GetPreset();
}

void SimulatedController::SetFirmware(const Firmware& firmware) {
  std::lock_guard lock(mMutex);
  mCore.SetFirmware(firmware);
}

void SimulatedController::SetBehaviour(const ReplyBehaviour& behaviour) {
  std::lock_guard lock(mMutex);
  mCore.SetBehaviour(ControllerRequest::GetPreset, behaviour);
  mCore.SetBehaviour(ControllerRequest::Identity, behaviour);
}

void SimulatedController::SetBehaviour(ControllerRequest request, const ReplyBehaviour& behaviour) {
  std::lock_guard lock(mMutex);
  mCore.SetBehaviour(request, behaviour);
}

void SimulatedController::SetBehaviourForNext(ControllerRequest request, int count,
                                              const ReplyBehaviour& behaviour) {
  std::lock_guard lock(mMutex);
  mCore.SetBehaviourForNext(request, count, behaviour);
}

bool SimulatedController::SendMessage(const Bytes& message) { return mTransport->Send(message); }

void SimulatedController::Disappear() {
  mTransport->Disappear();
  std::lock_guard lock(mMutex);
  mScheduled.clear();
}

bool SimulatedController::ComeBack(std::string& error) { return mTransport->Appear(error); }

bool SimulatedController::IsPresent() const { return mTransport->IsPresent(); }

size_t SimulatedController::RequestCount(ControllerRequest request) const {
  std::lock_guard lock(mMutex);
  return mCore.RequestCount(request);
}

size_t SimulatedController::PresetsStored() const {
  std::lock_guard lock(mMutex);
  return mCore.PresetsStored();
}

std::vector<GlobalSettingRecord> SimulatedController::GlobalSettings() const {
  std::lock_guard lock(mMutex);
  return mCore.GlobalSettings();
}

std::vector<Bytes> SimulatedController::Received() const {
  std::lock_guard lock(mMutex);
  return mCore.Received();
}

size_t SimulatedController::UnrecognisedCount() const {
  std::lock_guard lock(mMutex);
  return mCore.UnrecognisedCount();
}

size_t SimulatedController::RepliesSent() const {
  std::lock_guard lock(mMutex);
  return mRepliesSent;
}

bool SimulatedController::WaitForReceived(size_t count, std::chrono::milliseconds limit) const {
  std::unique_lock lock(mMutex);
  return mChanged.wait_for(lock, limit, [&] { return mCore.Received().size() >= count; });
}

bool SimulatedController::WaitForRepliesSent(size_t count, std::chrono::milliseconds limit) const {
  std::unique_lock lock(mMutex);
  return mChanged.wait_for(lock, limit, [&] { return mRepliesSent >= count; });
}

// On the transport's thread, which may send at once.
void SimulatedController::OnMessage(const Bytes& message) {
  std::vector<Bytes> now;
  {
    std::lock_guard lock(mMutex);
    const Clock::time_point arrived = Clock::now();
    for (PlannedReply& reply : mCore.Receive(message)) {
      if (reply.duringRequest) {
        now.push_back(std::move(reply.message));
      } else {
        mScheduled.emplace(arrived + reply.delay, std::move(reply.message));
      }
    }
  }
  mChanged.notify_all();
  mScheduleChanged.notify_all();
  for (const Bytes& reply : now) {
    if (!mTransport->Send(reply)) continue;
    std::lock_guard lock(mMutex);
    ++mRepliesSent;
    mChanged.notify_all();
  }
}

// The controller's own thread: sends each scheduled reply when it falls due.
void SimulatedController::SendReplies() {
  std::unique_lock lock(mMutex);
  while (!mStopping) {
    if (mScheduled.empty()) {
      mScheduleChanged.wait(lock);
      continue;
    }
    const auto next = mScheduled.begin();
    if (Clock::now() < next->first) {
      mScheduleChanged.wait_until(lock, next->first);
      continue;
    }
    const Bytes reply = std::move(next->second);
    mScheduled.erase(next);
    lock.unlock();
    const bool sent = mTransport->Send(reply);
    lock.lock();
    if (sent) ++mRepliesSent;
    mChanged.notify_all();
  }
}

}  // namespace Testing::Controller
