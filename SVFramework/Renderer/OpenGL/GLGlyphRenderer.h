#pragma once
#include <cstdint>

#include "SVFramework/Renderer/FontRenderer/GlyphProcessor.h"
#include "SVFramework/Renderer/HashedList.h"
#include "SVFramework/Renderer/OpenGL/GLTexture.h"
#include "SVFramework/Renderer/PurgableObjectCache.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace SV {

// The glyph processor of the OpenGL back end. For each font (16 at most, least
// recently used given up first) it keeps an 8-bit alpha atlas 512 pixels wide, packed
// shelf by shelf, into which each glyph is copied once, and a table of the glyphs
// placed; a drawing pass draws each glyph as one textured quad in the current colour,
// a measuring pass places new glyphs and accumulates bounds without any OpenGL call.
// Passes with the upload or draw flag need the renderer's context current. UI thread only.
class LGLGlyphRenderer : public LGlyphProcessor {
public:
  static constexpr int32_t kAtlasWidth = 512;
  static constexpr int32_t kLargestAtlasHeight = 16384;
  static constexpr uint32_t kFontCapacity = 16;

  // One font's atlas: the texture that shows it, the image, the packing cursor and the
  // glyphs placed.
  class LCachedFont : public LGLTexture {
  public:
    explicit LCachedFont(const RCPtr<LFont>& font);
    ~LCachedFont() override;

    // Makes room for a cell, starting a new shelf when the row is full and growing the
    // atlas by powers of two; false when the atlas cannot hold it.
    bool Reserve(int32_t cellWidth, int32_t cellHeight);
    void CopyGlyph(const LPixelBuffer<unsigned char>* bitmap, int32_t x, int32_t y);
    void UploadIfDirty();

    const RCPtr<LFont>& GetFont() const { return mFont; }
    const RCPtr<LPixelBuffer<unsigned char>>& GetAtlas() const { return mAtlas; }
    int32_t GetCursorX() const { return mCursorX; }
    int32_t GetRowTop() const { return mRowTop; }
    void Advance(int32_t width) { mCursorX += width; }
    const float* GetDirtyRect() const { return mDirty; }
    bool IsDirty() const;

    struct GlyphKey {
      uint32_t operator()(const SCachedGlyph& glyph) const { return glyph.GetUniqueID(); }
    };
    HashedList<SCachedGlyph, uint32_t, GlyphKey, 8, GetBits<8, 0, uint32_t>> glyphs;

  private:
    void AddDirty(float x, float y, float width, float height);

    RCPtr<LFont> mFont;
    int32_t mCursorX = 0;
    int32_t mRowTop = 0;
    int32_t mRowHeight = 0;
    RCPtr<LPixelBuffer<unsigned char>> mAtlas;
    float mDirty[4] = {};
  };

  struct FontKey {
    int32_t operator()(const RCPtr<LFont>& font) const { return font->GetUniqueID(); }
  };
  using FontCache = PurgableObjectCache<LCachedFont, RCPtr<LFont>, int32_t, FontKey, 8, GetBits<8, 4, int32_t>>;

  static RCPtr<LGlyphProcessor> Create();

  void Begin(const RCPtr<LFont>& font, int32_t passFlags) override;
  void End() override;
  uint16_t QueryGlyph(SGlyphInfo& glyph) override;
  void ProcessGlyph(SGlyphInfo& glyph) override;
  void GetBounds(float bounds[4]) const override;

  // Places the current glyph's bitmap in the current font's atlas; false when it does
  // not fit (the glyph is then neither kept nor drawn).
  bool AddGlyphToAtlas(const LPixelBuffer<unsigned char>* bitmap);

  const FontCache& GetFontCache() const { return mFonts; }
  const RCPtr<LCachedFont>& GetCurrentFont() const { return mCurrentFont; }

private:
  void DrawAndMeasure(const SGlyphInfo& glyph);

  FontCache mFonts{kFontCapacity};
  RCPtr<LCachedFont> mCurrentFont;
  SCachedGlyph mCurrentGlyph;
  float mBounds[4] = {};
  int32_t mPassFlags = 0;
};

}  // namespace SV
