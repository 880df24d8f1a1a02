// Notifications per second through our queues and centers against Qt's own event
// queue doing the same work: posting from a worker thread and delivering on another
// thread, and posting and delivering on one thread. Each side delivers batches of
// kBatch notifications (events) with no payload to one counting receiver; ours in the
// idle pass of the center manager, Qt's through QCoreApplication's posted-event
// delivery. The ratio ours/Qt is printed at the end (above 1: we are faster); no goal
// is set for it.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>

#include "BenchmarkGoal.h"
#include "RateReporter.h"
#include "SVFramework/notification/Notification.h"
#include "SVFramework/notification/NotificationCenterManager.h"
#include "SVFramework/notification/NotificationClient.h"

namespace {

constexpr int kBatch = 1000;
constexpr const char16_t* kChange = u"NID_PARAM_MODULE_STATE_CHANGE";

// Counts deliveries and wakes whoever waits for a given total.
class DeliveryCounter {
public:
  void Delivered() {
    if (mCount.fetch_add(1, std::memory_order_acq_rel) + 1 >= mTarget.load(std::memory_order_acquire))
      mCount.notify_all();
  }
  // Expects `more` deliveries beyond those counted so far; returns the new total.
  int Expect(int more) {
    const int total = mCount.load(std::memory_order_acquire) + more;
    mTarget.store(total, std::memory_order_release);
    return total;
  }
  void WaitFor(int total) const {
    for (int seen = mCount.load(std::memory_order_acquire); seen < total; seen = mCount.load(std::memory_order_acquire))
      mCount.wait(seen, std::memory_order_acquire);
  }
  int Count() const { return mCount.load(std::memory_order_acquire); }

private:
  std::atomic<int> mCount{0};
  std::atomic<int> mTarget{0};
};

// --- ours ----------------------------------------------------------------------------

class CountingClient : public SV::LNotificationClient {
public:
  explicit CountingClient(DeliveryCounter& counter) : mCounter(counter) {}
  int32_t Receive(const SV::RCPtr<SV::LNotificationDistributor>&, const SV::RCPtr<SV::LNotification>&) override {
    mCounter.Delivered();
    return 1;
  }

private:
  DeliveryCounter& mCounter;
};

// The application's notification set-up: recycling on, the "application" center with
// one subscriber; released at the end as the application object does.
class ApplicationCenter {
public:
  explicit ApplicationCenter(DeliveryCounter& counter) : mClient(new CountingClient(counter)) {
    SV::LNotification::SetPoolingEnabled(true);
    mCenter = SV::GetApplicationNotificationCenter();
    mClient->Subscribe(mCenter, kChange);
  }
  ~ApplicationCenter() {
    mClient->UnsubscribeAll();
    mCenter.Reset();
    SV::LNotificationCenterManager::ReleaseInstance();
    SV::LNotification::SetPoolingEnabled(false);
  }
  const SV::RCPtr<SV::LNotificationCenter>& Center() const { return mCenter; }

private:
  SV::RCPtr<CountingClient> mClient;
  SV::RCPtr<SV::LNotificationCenter> mCenter;
};

void SameThread_SV(benchmark::State& state) {
  DeliveryCounter counter;
  ApplicationCenter application(counter);
  const auto manager = SV::LNotificationCenterManager::GetInstance();
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) application.Center()->PostNotification(kChange, nullptr);
    manager->Process(false);
  }
  if (counter.Count() != state.iterations() * kBatch) state.SkipWithError("notifications lost");
  state.SetItemsProcessed(state.iterations() * kBatch);
}

// The UI thread: woken for each batch, it runs idle passes until the batch is in.
void CrossThread_SV(benchmark::State& state) {
  DeliveryCounter counter;
  ApplicationCenter application(counter);
  std::atomic<int> wanted{0};
  std::atomic<bool> stop{false};
  std::thread uiThread([&] {
    const auto manager = SV::LNotificationCenterManager::GetInstance();
    int reached = 0;
    while (true) {
      wanted.wait(reached, std::memory_order_acquire);
      if (stop.load(std::memory_order_acquire)) return;
      reached = wanted.load(std::memory_order_acquire);
      while (counter.Count() < reached) manager->Process(false);
    }
  });
  for (auto _ : state) {
    const int total = counter.Expect(kBatch);
    wanted.store(total, std::memory_order_release);
    wanted.notify_one();
    for (int i = 0; i < kBatch; ++i) application.Center()->PostNotification(kChange, nullptr);
    counter.WaitFor(total);
  }
  stop.store(true, std::memory_order_release);
  wanted.fetch_add(1, std::memory_order_acq_rel);
  wanted.notify_one();
  uiThread.join();
  state.SetItemsProcessed(state.iterations() * kBatch);
}

// --- Qt ------------------------------------------------------------------------------

const QEvent::Type kEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class CountingObject : public QObject {
public:
  explicit CountingObject(DeliveryCounter& counter) : mCounter(counter) {}
  bool event(QEvent* event) override {
    if (event->type() != kEventType) return QObject::event(event);
    mCounter.Delivered();
    return true;
  }

private:
  DeliveryCounter& mCounter;
};

void SameThread_Qt(benchmark::State& state) {
  DeliveryCounter counter;
  CountingObject receiver(counter);
  for (auto _ : state) {
    for (int i = 0; i < kBatch; ++i) QCoreApplication::postEvent(&receiver, new QEvent(kEventType));
    QCoreApplication::sendPostedEvents();
  }
  if (counter.Count() != state.iterations() * kBatch) state.SkipWithError("events lost");
  state.SetItemsProcessed(state.iterations() * kBatch);
}

// The receiving thread runs Qt's event loop, which wakes when events are posted.
void CrossThread_Qt(benchmark::State& state) {
  DeliveryCounter counter;
  QThread thread;
  auto* receiver = new CountingObject(counter);
  receiver->moveToThread(&thread);
  QObject::connect(&thread, &QThread::finished, receiver, &QObject::deleteLater);
  thread.start();
  for (auto _ : state) {
    const int total = counter.Expect(kBatch);
    for (int i = 0; i < kBatch; ++i) QCoreApplication::postEvent(receiver, new QEvent(kEventType));
    counter.WaitFor(total);
  }
  thread.quit();
  thread.wait();
  state.SetItemsProcessed(state.iterations() * kBatch);
}

BENCHMARK(SameThread_SV)->UseRealTime();
BENCHMARK(SameThread_Qt)->UseRealTime();
BENCHMARK(CrossThread_SV)->UseRealTime();
BENCHMARK(CrossThread_Qt)->UseRealTime();

// Both rates and their ratio ours/Qt, from one run.
void PrintRatio(Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter, const std::string& what,
                const std::string& ours, const std::string& theirs) {
  const double a = reporter.Rate(ours), b = reporter.Rate(theirs);
  const auto measured = [](double rate) { return rate > 0 ? std::optional<double>(rate) : std::nullopt; };
  goal.Figure(what + ", ours", measured(a), "/s");
  goal.Figure(what + ", Qt", measured(b), "/s");
  goal.Figure(what + ", ratio ours/Qt", a > 0 && b > 0 ? std::optional<double>(a / b) : std::nullopt, "");
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const auto summarise = [](::Bench::BenchmarkGoal& goal, const SV::Bench::RateReporter& reporter) {
    PrintRatio(goal, reporter, "post and deliver on one thread", "SameThread_SV/real_time", "SameThread_Qt/real_time");
    PrintRatio(goal, reporter, "post on a worker, deliver on another", "CrossThread_SV/real_time",
               "CrossThread_Qt/real_time");
  };
  return SV::Bench::RunBenchmarks(argc, argv, "NotificationBench", summarise);
}
