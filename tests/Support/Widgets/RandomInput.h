#pragma once
#include <cstdint>
#include <functional>
#include <random>
#include <string>

#include "SVFramework/ControlBase/Control.h"
#include "tests/Support/Widgets/WidgetHarness.h"

namespace SV::Testing {

// Random input for bad-input tests: a seeded stream of what a user and the system can
// throw at a widget (pointer moves, presses, double clicks and drags in and around the
// target, wheel notches in every direction, keys with any modifiers and repeats, typed
// characters including control characters, surrogate pairs and lone surrogates, pastes
// of long and odd texts, idle passes with the clock jumping forward and backward),
// delivered through the harness one event at a time with a check after each.
// The same seed gives the same stream. Test thread only.
class RandomInput {
public:
  RandomInput(WidgetHarness& harness, uint32_t seed) : mHarness(harness), mRandom(seed) {}

  // Feeds `count` events aimed at the target's rectangle (with a margin around it) and
  // runs `check` after each; a failing check can name the event with LastEvent().
  void Run(const RCPtr<LControl>& target, int count, const std::function<void()>& check);
  // What the last event was, for failure messages ("key 0x25 mods 0x9 down").
  const std::string& LastEvent() const { return mLastEvent; }
  // A text for pastes and typing: empty, very long, digits and signs, "nan", "1e309",
  // newlines and tabs, control characters, surrogate pairs and lone surrogates.
  std::u16string OddText();

private:
  void OneEvent(const RCPtr<LControl>& target);
  PointT<int32_t> PointNear(const RCPtr<LControl>& target);
  void PointerEvent(const RCPtr<LControl>& target);
  void KeyEvent();
  void CharacterEvent();
  void PasteEvent();
  void IdleEvent();
  int Pick(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(mRandom); }

  WidgetHarness& mHarness;
  std::mt19937 mRandom;
  std::string mLastEvent;
  uint32_t mHeldButtons = 0;
};

}  // namespace SV::Testing
