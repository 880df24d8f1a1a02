// The baseline of the editor benchmark's idle CPU: a program that holds one RtMidi
// input and one RtMidi output on JACK, connected to the given ports (arguments: the
// port to read, the port to write), and does nothing else, as the editor holds its
// two ports while a controller is connected. It prints "ready" once both are open and
// runs until it reads the line "quit" or its standard input ends; it exits with 1 when
// a port cannot be opened.
// It links RtMidi and nothing of ours.
#include <RtMidi.h>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <thread>

namespace {

template <typename Port>
bool OpenByName(Port& port, const std::string& name) {
  for (unsigned int number = 0; number < port.getPortCount(); ++number) {
    if (port.getPortName(number) != name) continue;
    port.openPort(number, "bare");
    return port.isPortOpen();
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: BareRtMidiPorts PORT_TO_READ PORT_TO_WRITE\n");
    return 2;
  }
  try {
    RtMidiIn input(RtMidi::UNIX_JACK, "Bare Ports");
    RtMidiOut output(RtMidi::UNIX_JACK, "Bare Ports");
    if (!OpenByName(input, argv[1]) || !OpenByName(output, argv[2])) {
      std::fprintf(stderr, "BareRtMidiPorts: the ports were not found\n");
      return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line) && line != "quit";) {
    }
    input.closePort();
    output.closePort();
    // RtMidi frees a JACK output's buffer before it closes its client: a cycle passes
    // first, so that no process callback still reads it.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  } catch (const RtMidiError& error) {
    std::fprintf(stderr, "BareRtMidiPorts: %s\n", error.getMessage().c_str());
    return 1;
  }
  return 0;
}
