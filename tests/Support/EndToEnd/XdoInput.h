#pragma once
#include <string>
#include <vector>

namespace Testing::EndToEnd {

// Real input for the program under test through Debian's xdotool (XTEST events, as a
// keyboard and a mouse give them), on the given display. Each call returns once
// xdotool has handed the events to the X server; false when xdotool failed.
class XdoInput {
public:
  explicit XdoInput(std::string displayName) : mDisplay(std::move(displayName)) {}

  bool Click(int x, int y);
  bool MoveMouse(int x, int y);
  // Key names as xdotool knows them: "Return", "Escape", "ctrl+s", "Down".
  bool Key(const std::string& keys);
  bool Type(const std::string& text);
  // Gives the window the keyboard focus, as a click on it would (there is no window
  // manager to do it), and waits until the X server has done so.
  bool Focus(unsigned long window);

  // Whether xdotool is installed.
  static bool Available();

private:
  bool Run(std::vector<std::string> arguments);

  std::string mDisplay;
};

}  // namespace Testing::EndToEnd
