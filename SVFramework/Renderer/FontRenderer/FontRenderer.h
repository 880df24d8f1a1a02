#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Renderer/FontRenderer/GlyphProcessor.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

// Text for back ends that cannot ask the platform to draw it: font metrics,
// measurement, and a glyph-by-glyph pass over a text that hands each glyph to a glyph
// processor, which caches, measures or draws it. UI thread only.
class LFontRenderer : public virtual LRefCountedObject {
public:
  // `firstProcessor` is held for the renderer's life; `processor` serves measuring and
  // is the one the OpenGL renderer draws through.
  LFontRenderer(const RCPtr<LGlyphProcessor>& firstProcessor, const RCPtr<LGlyphProcessor>& processor)
      : mFirstProcessor(firstProcessor), mProcessor(processor) {}

  // The box of the text from a measuring pass: x the left bound, y the smaller of the
  // top bound and the font's ascent, width right + 1 - left, height down to the larger
  // of the bottom bound and the descent.
  virtual RectT<float> MeasureText(const String& text, const RCPtr<LFont>& font);
  // Line height, ascent (negative) and descent in whole pixels; E_FAIL (outputs left
  // as they were) when the font's face cannot be had.
  virtual SVRESULT GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent, int32_t& descent) = 0;
  // One pass over the text with the processor; the number of characters looked at.
  // A positive maximum width ends the pass before the first glyph that would end
  // beyond it (that glyph not counted).
  virtual int32_t RenderText(const String& text, const RCPtr<LFont>& font, const RCPtr<LGlyphProcessor>& processor,
                             int32_t startPosition, float maximumWidth, int32_t passFlags) = 0;
  // Left, top, right and bottom of what the processor's last pass measured.
  virtual void GetTextBounds(float bounds[4]) const;

  const RCPtr<LGlyphProcessor>& GetProcessor() const { return mProcessor; }

private:
  RCPtr<LGlyphProcessor> mFirstProcessor;
  RCPtr<LGlyphProcessor> mProcessor;
};

}  // namespace SV
