#include "SVFramework/Renderer/FontRenderer/FreetypeFontRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_CACHE_H
#include FT_GLYPH_H

#include <algorithm>

#include "SVFramework/Renderer/FontRenderer/FontFileInfo.h"
#include "SVFramework/Renderer/FontRenderer/FreetypeState.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace SV {
namespace {

using Glyph = LGlyphProcessor::SGlyphInfo;

// The size of the font: its face id, its points in 26.6, at 96 pixels per inch.
FT_Size LookupSize(const RCPtr<LFont>& font) {
  auto manager = static_cast<FTC_Manager>(FreetypeState::GetManager());
  if (manager == nullptr) return nullptr;
  FTC_ScalerRec scaler{};
  scaler.face_id = reinterpret_cast<FTC_FaceID>(static_cast<intptr_t>(LFontFileInfo::GetFileID(font)));
  scaler.width = 0;
  scaler.height = static_cast<FT_UInt>(font->GetSize() * 64);
  scaler.pixel = 0;
  scaler.x_res = scaler.y_res = 96;
  FT_Size size = nullptr;
  return FTC_Manager_LookupSize(manager, &scaler, &size) == 0 ? size : nullptr;
}

int8_t ToBoxByte(FT_Pos value) { return static_cast<int8_t>(std::clamp<FT_Pos>(value, -128, 127)); }

// The slot's bitmap as 8-bit coverage: monochrome bits become 0 or 0xFF.
RCPtr<LPixelBuffer<unsigned char>> CoverageOf(const FT_Bitmap& bitmap) {
  const int32_t width = static_cast<int32_t>(bitmap.width), rows = static_cast<int32_t>(bitmap.rows);
  if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
    const int32_t pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    return LPixelBuffer<unsigned char>::Create(width, rows, pitch, rows > 0 && pitch > 0 ? bitmap.buffer : nullptr);
  }
  RCPtr<LPixelBuffer<unsigned char>> coverage = LPixelBuffer<unsigned char>::Create(width, rows, width, nullptr);
  for (int32_t y = 0; y < rows; ++y) {
    const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    for (int32_t x = 0; x < width; ++x) {
      if (row[x >> 3] & (0x80 >> (x & 7))) *coverage->GetPixelAddress(x, y) = 0xFF;
    }
  }
  return coverage;
}

bool Rasterise(FT_GlyphSlot slot, float points, Glyph& glyph) {
  const FT_Render_Mode first = points >= 8.0f ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO;
  const FT_Render_Mode second = first == FT_RENDER_MODE_NORMAL ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  if (FT_Render_Glyph(slot, first) != 0 && FT_Render_Glyph(slot, second) != 0) return false;
  glyph.bitmap = CoverageOf(slot->bitmap);
  return true;
}

// Loads what the processor asked for into the record; false passes the character over.
bool Prepare(FT_Face face, uint32_t index, uint16_t request, float points, Glyph& glyph) {
  if (FT_Load_Glyph(face, index, FT_LOAD_DEFAULT) != 0) return false;
  FT_Glyph copy = nullptr;
  if (FT_Get_Glyph(face->glyph, &copy) != 0) return false;
  glyph.glyphIndex = index;
  glyph.advance = static_cast<uint32_t>(face->glyph->advance.x & 0xFFFF) |
                  static_cast<uint32_t>(face->glyph->advance.y) << 16;
  if (request & (LGlyphProcessor::kMeasure | LGlyphProcessor::kRasterise)) {
    FT_BBox box;
    FT_Glyph_Get_CBox(copy, FT_GLYPH_BBOX_PIXELS, &box);
    glyph.box[0] = ToBoxByte(box.xMin);
    glyph.box[1] = ToBoxByte(-box.yMax);
    glyph.box[2] = ToBoxByte(box.xMax);
    glyph.box[3] = ToBoxByte(-box.yMin);
  }
  const bool ok = !(request & LGlyphProcessor::kRasterise) || Rasterise(face->glyph, points, glyph);
  FT_Done_Glyph(copy);
  return ok;
}

}  // namespace

LFreetypeFontRenderer::LFreetypeFontRenderer(const RCPtr<LGlyphProcessor>& firstProcessor,
                                             const RCPtr<LGlyphProcessor>& processor)
    : LFontRenderer(firstProcessor, processor) {
  FreetypeState::Acquire();
}

LFreetypeFontRenderer::~LFreetypeFontRenderer() { FreetypeState::Release(); }

SVRESULT LFreetypeFontRenderer::GetFontMetrics(const RCPtr<LFont>& font, int32_t& height, int32_t& ascent,
                                               int32_t& descent) {
  const FT_Size size = LookupSize(font);
  if (size == nullptr) return E_FAIL;
  ascent = -static_cast<int32_t>(size->metrics.ascender >> 6);
  descent = -static_cast<int32_t>(size->metrics.descender >> 6);
  height = std::max(static_cast<int32_t>(size->metrics.height >> 6), static_cast<int32_t>(96.0f * font->GetSize() / 72.0f));
  height = std::max(height, descent - ascent);
  return S_OK;
}

int32_t LFreetypeFontRenderer::RenderText(const String& text, const RCPtr<LFont>& font,
                                          const RCPtr<LGlyphProcessor>& processor, int32_t startPosition,
                                          float maximumWidth, int32_t passFlags) {
  const FT_Size size = LookupSize(font);
  if (size == nullptr || !processor) return 0;
  const FT_Face face = size->face;
  const bool hasKerning = FT_HAS_KERNING(face);
  Glyph glyph;
  glyph.position = startPosition;
  uint32_t previous = 0;
  processor->Begin(font, passFlags);
  const int32_t length = text.GetLength();
  int32_t looked = 0;
  for (int32_t i = 0; i < length; ++i, looked = i, glyph.position = i) {
    glyph.character = text.GetString()[i];
    glyph.glyphIndex = glyph.advance = 0;
    std::fill(glyph.box, glyph.box + 4, 0);
    glyph.bitmap.Reset();
    const uint16_t request = processor->QueryGlyph(glyph);
    const uint32_t index = request != 0 ? FT_Get_Char_Index(face, glyph.character) : glyph.glyphIndex;
    if (index == 0) continue;
    if (request != 0 && !Prepare(face, index, request, font->GetSize(), glyph)) continue;
    if (hasKerning && previous != 0) {
      FT_Vector delta{};
      FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &delta);
      glyph.penX += static_cast<float>(delta.x) / 64;
    } else if (hasKerning && glyph.box[0] < 0) {
      glyph.penX -= glyph.box[0];
    }
    const float advanceX = static_cast<float>(static_cast<int16_t>(glyph.advance & 0xFFFF)) / 64;
    if (maximumWidth > 0 && glyph.penX + advanceX > maximumWidth) break;
    processor->ProcessGlyph(glyph);
    glyph.penX += advanceX;
    glyph.penY += static_cast<float>(static_cast<int32_t>(glyph.advance) >> 16) / 64;
    previous = index;
  }
  processor->End();
  glyph.bitmap.Reset();
  return looked;
}

}  // namespace SV
