#pragma once
#include <cstdint>

#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Renderer/MeasurementRenderer.h"

namespace SV::Testing {

// The application object's rendering services for tests: a measuring renderer (none
// until one is given), a clock the test moves by hand, a fixed system font and the
// application's font (none until one is given). It is the application object while
// it lives.
class StandInApplication : public LFrameworkApp {
public:
  StandInApplication() { SetFrameworkApp(this); }
  ~StandInApplication() override { SetFrameworkApp(nullptr); }
  StandInApplication(const StandInApplication&) = delete;
  StandInApplication& operator=(const StandInApplication&) = delete;

  RCPtr<LFont> GetDefaultFont() override { return defaultFont; }
  RCPtr<LMeasurementRenderer> GetRenderer() override { return renderer; }
  uint32_t GetTickCount() override { return ticks; }
  SVRESULT GetSystemFont(String& face, float& size, int32_t& style) override {
    face = u"DejaVu Sans";
    size = 9;
    style = 0;
    return S_OK;
  }
  String GetSettingsVersion() override { return u"1_0_0"; }
  String GetMainControlName() override { return u"mainControl"; }
  int32_t OpenSettingsFile(int32_t) override { return 0; }
  int32_t GetRendererType() override { return 1; }
  void MessageLoop() override {}

  RCPtr<LMeasurementRenderer> renderer;
  uint32_t ticks = 0;
  RCPtr<LFont> defaultFont;
};

}  // namespace SV::Testing
