#pragma once
#include "SVFramework/Renderer/FontRenderer/FontRenderer.h"

namespace SV {

// The font renderer on FreeType and its cache manager: faces come from the index of
// installed font files (face id of the font), sized at the font's points at 96 pixels
// per inch; glyphs the processor does not hold yet are loaded, measured, rasterised
// (8-bit coverage from 8 points up, monochrome below) and kerned. Each renderer holds
// the process-wide FreeType state and font index while it lives. UI thread only.
class LFreetypeFontRenderer : public LFontRenderer {
public:
  LFreetypeFontRenderer(const RCPtr<LGlyphProcessor>& firstProcessor, const RCPtr<LGlyphProcessor>& processor);
  ~LFreetypeFontRenderer() override;

  SVRESULT GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent, int32_t& descent) override;
  int32_t RenderText(const String& text, const RCPtr<LFont>& font, const RCPtr<LGlyphProcessor>& processor,
                     int32_t startPosition, float maximumWidth, int32_t passFlags) override;
};

}  // namespace SV
