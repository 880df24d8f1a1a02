#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/FontRenderer/PixelBuffer.h"

namespace SV {

class LFont;

// What is done with each glyph of a text pass: a font renderer asks the processor
// which glyph data it still needs (QueryGlyph), hands it each prepared glyph
// (ProcessGlyph) between Begin and End, and reads the bounds of the pass afterwards.
// UI thread only.
class LGlyphProcessor : public virtual LRefCountedObject {
public:
  // Request bits of QueryGlyph: any bit loads the glyph (index and advance).
  static constexpr uint16_t kLoad = 1;
  static constexpr uint16_t kMeasure = 2;
  static constexpr uint16_t kRasterise = 4;
  // Pass flags of Begin.
  static constexpr int32_t kPassAccumulateBounds = 2;
  static constexpr int32_t kPassUpload = 4;
  static constexpr int32_t kPassDraw = 8;
  static constexpr int32_t kMeasurePass = 3;
  static constexpr int32_t kDrawPass = 15;

  // One character of a pass. Box: left, top, right, bottom in whole pixels from the pen,
  // y growing downwards. Advance: low 16 bits horizontal, high 16 bits vertical, each a
  // signed 26.6 fixed-point pixel count.
  struct SGlyphInfo {
    int32_t position = 0;
    uint32_t character = 0;
    float penX = 0;
    float penY = 0;
    int8_t box[4] = {};
    uint32_t advance = 0;
    uint32_t glyphIndex = 0;
    RCPtr<LPixelBuffer<unsigned char>> bitmap;
  };

  // A glyph placed in an atlas; character 0 means none.
  struct SCachedGlyph {
    uint32_t character = 0;
    uint32_t glyphIndex = 0;
    int8_t box[4] = {};
    uint32_t advance = 0;
    uint16_t atlasX = 0;
    uint16_t atlasY = 0;

    uint32_t GetUniqueID() const { return character; }
  };

  virtual void Begin(const RCPtr<LFont>& font, int32_t passFlags) = 0;
  virtual void End() = 0;
  // The data still wanted for the glyph, or 0 when the processor filled glyph index,
  // box and advance of the record itself.
  virtual uint16_t QueryGlyph(SGlyphInfo& glyph) = 0;
  virtual void ProcessGlyph(SGlyphInfo& glyph) = 0;
  // Left, top, right and bottom of what the last pass measured.
  virtual void GetBounds(float bounds[4]) const = 0;
};

}  // namespace SV
