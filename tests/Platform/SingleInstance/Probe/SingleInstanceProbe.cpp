// A program for the single-instance tests, started by them as a separate process:
//   SingleInstanceProbe <folder> <mode> <limit ms> <command line>
// It tries to become the first instance in <folder>. As the first it prints "first"
// and then, by mode: "serve" runs the event loop and prints "received:<text>" for
// each hand-over; "hang" never runs the event loop; "crash" kills itself at once.
// As a later instance it hands <command line> over, prints "second:<result>" and
// exits with 0, as the program does. Every line is flushed at once.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include "Platform/SingleInstance/SingleInstance.h"

namespace {

using Platform::SingleInstance::HandOverResult;
using Platform::SingleInstance::SingleInstance;

void PrintLine(const std::string& line) {
  std::fputs((line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

const char* ResultName(HandOverResult result) {
  switch (result) {
    case HandOverResult::kDelivered: return "delivered";
    case HandOverResult::kNotSent: return "not-sent";
    case HandOverResult::kNoInstance: return "no-instance";
    case HandOverResult::kNoAnswer: return "no-answer";
  }
  return "unknown";
}

int RunAsFirst(QCoreApplication& application, SingleInstance& instance, const std::string& mode) {
  PrintLine("first");
  if (mode == "crash") std::raise(SIGKILL);
  if (mode == "hang") {
    for (;;) pause();
  }
  instance.SetReceiver([](const std::string& text) { PrintLine("received:" + text); });
  return application.exec();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  QCoreApplication application(argc, argv);
  SingleInstance instance({argv[1], "CorvexEditor", std::chrono::milliseconds(std::atoi(argv[3]))});
  if (instance.BecomeFirst()) return RunAsFirst(application, instance, argv[2]);
  PrintLine(std::string("second:") + ResultName(instance.HandOver(argv[4])));
  return 0;
}
