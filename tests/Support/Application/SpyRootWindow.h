#pragma once
#include <functional>
#include <string>
#include <vector>

#include "tests/Support/Controls/StandInRootWindow.h"

namespace SV::Testing {

// A root window that writes what the application asks of it into a shared log as
// "<name> idle", "<name> close <result>", "<name> redraw" and "<name> paint", and
// answers its idle pass through `onIdle` (false when unset). It counts its own
// destruction. UI (test) thread only.
class SpyRootWindow : public StandInRootWindow {
public:
  static RCPtr<SpyRootWindow> Create(std::string name, std::vector<std::string>& log) {
    RCPtr<SpyRootWindow> window(new SpyRootWindow(std::move(name), log));
    // Without a queue, as the stand-in it is: only the test's references keep it.
    window->Detach();
    window->clientSize = {640, 480};
    return window;
  }
  ~SpyRootWindow() override {
    if (destroyed) *destroyed = true;
  }

  bool Idle(bool firstAfterMessage) override {
    mLog.push_back(mName + " idle");
    return onIdle ? onIdle(firstAfterMessage) : false;
  }
  SVRESULT RequestClose(int32_t result) override {
    mLog.push_back(mName + " close " + std::to_string(result));
    return S_OK;
  }
  void RedrawAll() override { mLog.push_back(mName + " redraw"); }
  void PaintPendingNow() override { mLog.push_back(mName + " paint"); }
  SVRESULT SetRootControl(const String& controlName) override {
    mLog.push_back(mName + " root " + controlName.ToUTF8().GetString());
    return S_OK;
  }

  std::function<bool(bool)> onIdle;
  bool* destroyed = nullptr;

private:
  SpyRootWindow(std::string name, std::vector<std::string>& log) : mName(std::move(name)), mLog(log) {}

  std::string mName;
  std::vector<std::string>& mLog;
};

}  // namespace SV::Testing
