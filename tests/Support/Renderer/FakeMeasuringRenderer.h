#pragma once
#include <map>

#include "SVFramework/Renderer/MeasurementRenderer.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace SV::Testing {

// Measures with fixed advances: every character is `advance` pixels wide unless the
// table says otherwise; lines are 16 pixels high with an ascent of -12 and a descent
// of 4. Counts the metrics requests. An x offset may be added to every measured rect.
class FakeMeasuringRenderer : public LMeasurementRenderer {
public:
  SVRESULT GetFontMetrics(const RCPtr<LFont>&, int32_t& lineHeight, int32_t& ascent, int32_t& descent) override {
    ++metricsRequests;
    lineHeight = 16;
    ascent = -12;
    descent = 4;
    return S_OK;
  }

  RectT<float> MeasureText(const String& text, const RCPtr<LFont>&) override {
    ++measures;
    float width = 0;
    for (const char16_t c : text.View()) {
      const auto found = advances.find(c);
      width += found == advances.end() ? advance : found->second;
    }
    return {xOffset, -12, width - xOffset, 16};
  }

  float advance = 10;
  float xOffset = 0;
  std::map<char16_t, float> advances;
  int metricsRequests = 0;
  int measures = 0;
};

}  // namespace SV::Testing
