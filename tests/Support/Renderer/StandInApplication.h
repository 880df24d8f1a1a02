#pragma once
#include <cstdint>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Application/RootWindow.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"

namespace SV::Testing {

// The application object's services for tests: a measuring renderer (none until one is
// given), clocks the test moves by hand, a fixed system font, the application's font
// (none until one is given) and optional global hot keys. It is the application object
// while it lives.
class StandInApplication : public LFrameworkApp {
public:
  StandInApplication() { SetFrameworkApp(this); }
  ~StandInApplication() override { SetFrameworkApp(nullptr); }
  StandInApplication(const StandInApplication&) = delete;
  StandInApplication& operator=(const StandInApplication&) = delete;

  RCPtr<LFont> GetDefaultFont() override { return defaultFont; }
  RCPtr<LMeasurementRenderer> GetRenderer() override { return renderer; }
  uint32_t GetTickCount() override { return ticks; }
  double GetTime() override { return seconds; }
  LGlobalHotKeyManager* GetGlobalHotKeyManager() override { return globalHotKeys; }
  // Moves both clocks on by `milliseconds`.
  void Advance(uint32_t milliseconds) {
    ticks += milliseconds;
    seconds += milliseconds / 1000.0;
  }
  SVRESULT GetSystemFont(String& face, float& size, int32_t& style) override {
    face = u"DejaVu Sans";
    size = 9;
    style = 0;
    return S_OK;
  }
  // No keys, pointer or root windows: tests that need them use the shell's fake.
  SVRESULT GetKeyState(int32_t, bool& down, bool& toggled) override {
    down = toggled = false;
    return S_OK;
  }
  RectT<int32_t> GetWorkArea() override { return workArea; }
  PointT<int32_t> GetCursorPos() override { return cursor; }
  int32_t GetMouseButtons() override { return 0; }
  bool Idle(bool) override { return false; }
  String GetSettingsVersion() override { return u"1_0_0"; }
  String GetMainControlName() override { return u"mainControl"; }
  int32_t OpenSettingsFile(int32_t) override { return 0; }
  int32_t GetRendererType() override { return 1; }
  void MessageLoop() override {}

  RCPtr<LMeasurementRenderer> renderer;
  uint32_t ticks = 0;
  double seconds = 0;
  LGlobalHotKeyManager* globalHotKeys = nullptr;
  RCPtr<LFont> defaultFont;
  RectT<int32_t> workArea{0, 0, 1920, 1080};
  PointT<int32_t> cursor;
};

}  // namespace SV::Testing
