#pragma once
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace Testing::Controller {

// The two requests the simulated controller answers.
enum class ControllerRequest { GetPreset, Identity };

// What a reply looks like.
enum class ReplyShape {
  Whole,      // the message as the controller sends it
  Malformed,  // the right length, but the wrong command at position 4 (53 becomes 54, 02 becomes 03)
  Truncated,  // its first bytes, then F7
};

// How the simulated controller answers a request. The plain value answers at once,
// once, with the whole message; the named makers change one thing, and fields can be
// combined (a late, doubled reply with real-time bytes inside, ...).
struct ReplyBehaviour {
  bool answers = true;
  // The reply goes out this long after the request arrived (on the controller's own thread).
  std::chrono::milliseconds delay{0};
  // The reply goes out on the thread that brought the request, before it returns: on
  // the fake backend inside the editor's send, over JACK in the same process cycle.
  // The delay is then not used.
  bool duringRequest = false;
  int copies = 1;
  ReplyShape shape = ReplyShape::Whole;
  // Bytes kept of a truncated reply before its F7 (at most the reply's length less two).
  size_t truncatedLength = 20;
  // F8 after position 4, FE after position 12 and F8 before the closing F7.
  bool realtimeBytesInside = false;

  static ReplyBehaviour Prompt() { return {}; }
  static ReplyBehaviour Silent() { return {.answers = false}; }
  static ReplyBehaviour Late(std::chrono::milliseconds delay) { return {.delay = delay}; }
  static ReplyBehaviour DuringRequest() { return {.duringRequest = true}; }
  static ReplyBehaviour Twice() { return {.copies = 2}; }
  static ReplyBehaviour Malformed() { return {.shape = ReplyShape::Malformed}; }
  static ReplyBehaviour Truncated(size_t length = 20) {
    return {.shape = ReplyShape::Truncated, .truncatedLength = length};
  }
  static ReplyBehaviour WithRealtimeBytes() { return {.realtimeBytesInside = true}; }
};

}  // namespace Testing::Controller
