#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/ObjectBase/SVResult.h"
#include "SVFramework/Utilities/Graphics/RectT.h"
#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class LFont;

// The measuring half of a renderer, all that fonts and text layout need. UI thread only.
class LMeasurementRenderer : public LRefCountedObject {
public:
  // Line height, ascent and descent of the font in whole pixels.
  virtual SVRESULT GetFontMetrics(const RCPtr<LFont>& font, int32_t& lineHeight, int32_t& ascent,
                                  int32_t& descent) = 0;
  // The box of the text: x 0, y the (negative) ascent, the width in whole pixels and the
  // line height; (0, 0, 0, 0) for an empty text.
  virtual RectT<float> MeasureText(const String& text, const RCPtr<LFont>& font) = 0;
};

}  // namespace SV
