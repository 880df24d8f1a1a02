#pragma once
#include <cstdint>
#include <vector>

#include "SVFramework/Renderer/FontRenderer/GlyphProcessor.h"

namespace SV::Testing {

// A glyph processor that asks for every glyph whole and keeps the records it is handed,
// with the number of passes begun and ended.
class RecordingGlyphProcessor : public LGlyphProcessor {
public:
  void Begin(const RCPtr<LFont>&, int32_t flags) override {
    ++begun;
    passFlags = flags;
    glyphs.clear();
  }
  void End() override { ++ended; }
  uint16_t QueryGlyph(SGlyphInfo&) override { return 7; }
  void ProcessGlyph(SGlyphInfo& glyph) override { glyphs.push_back(glyph); }
  void GetBounds(float bounds[4]) const override {
    for (int i = 0; i < 4; ++i) bounds[i] = 0;
  }

  int begun = 0, ended = 0;
  int32_t passFlags = 0;
  std::vector<SGlyphInfo> glyphs;
};

}  // namespace SV::Testing
