#include "SVFramework/Renderer/FontRenderer/FontRenderer.h"

#include <algorithm>

#include "SVFramework/Utilities/Graphics/Font.h"

namespace SV {

RectT<float> LFontRenderer::MeasureText(const String& text, const RCPtr<LFont>& font) {
  RenderText(text, font, mProcessor, 0, 0.0f, LGlyphProcessor::kMeasurePass);
  float bounds[4] = {};
  GetTextBounds(bounds);
  const float top = std::min(bounds[1], static_cast<float>(font->GetAscent()));
  const float bottom = std::max(bounds[3], static_cast<float>(font->GetDescent()));
  return {bounds[0], top, bounds[2] + 1 - bounds[0], bottom - top};
}

void LFontRenderer::GetTextBounds(float bounds[4]) const {
  if (mProcessor) {
    mProcessor->GetBounds(bounds);
  } else {
    std::fill(bounds, bounds + 4, 0.0f);
  }
}

}  // namespace SV
