#pragma once
#include <algorithm>
#include <map>
#include <vector>

#include "SVFramework/Application/RootWindow.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV::Testing {

// The application object as root windows reach it: a list of root windows, a key
// state, buttons, a pointer and a work area that the test sets, and an idle pass over
// a snapshot of the windows (last first). It is the application object while it lives.
class FakeShellApplication : public StandInApplication {
public:
  SVRESULT GetKeyState(int32_t virtualKey, bool& down, bool& toggled) override {
    down = keysDown.count(virtualKey) != 0 && keysDown.at(virtualKey);
    toggled = false;
    return S_OK;
  }
  int32_t GetMouseButtons() override { return static_cast<int32_t>(buttons); }
  int32_t AddRootWindow(const RCPtr<LRootWindow>& window) override {
    const int32_t index = FindRootWindowIndex(window.Get());
    if (index >= 0) return index;
    windows.push_back(window);
    return static_cast<int32_t>(windows.size() - 1);
  }
  SVRESULT RemoveRootWindow(const RCPtr<LRootWindow>& window) override {
    const int32_t index = FindRootWindowIndex(window.Get());
    if (index < 0) return index;
    windows.erase(windows.begin() + index);
    return S_OK;
  }
  uint32_t GetRootWindowCount() const override { return static_cast<uint32_t>(windows.size()); }
  RCPtr<LRootWindow> GetRootWindow(uint32_t index) const override {
    return index < windows.size() ? windows[index] : RCPtr<LRootWindow>();
  }
  int32_t FindRootWindowIndex(const LRootWindow* window) const override {
    for (int32_t i = static_cast<int32_t>(windows.size()) - 1; i >= 0; --i)
      if (windows[static_cast<size_t>(i)].Get() == window) return i;
    return -1;
  }
  bool Idle(bool first) override {
    const std::vector<RCPtr<LRootWindow>> snapshot = windows;
    bool workLeft = false;
    for (auto window = snapshot.rbegin(); window != snapshot.rend(); ++window)
      if ((*window)->Idle(first)) workLeft = true;
    return workLeft;
  }

  std::map<int32_t, bool> keysDown;
  uint32_t buttons = 0;
  std::vector<RCPtr<LRootWindow>> windows;
};

}  // namespace SV::Testing
