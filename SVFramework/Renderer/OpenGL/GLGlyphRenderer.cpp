#include "SVFramework/Renderer/OpenGL/GLGlyphRenderer.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "SVFramework/Renderer/OpenGL/GLApi.h"

namespace SV {
namespace {

// The smallest rectangle (x, y, width, height) holding both.
void Union(float into[4], float x, float y, float width, float height) {
  const float left = std::min(into[0], x), top = std::min(into[1], y);
  const float right = std::max(into[0] + into[2], x + width), bottom = std::max(into[1] + into[3], y + height);
  into[0] = left;
  into[1] = top;
  into[2] = right - left;
  into[3] = bottom - top;
}

}  // namespace

LGLGlyphRenderer::LCachedFont::LCachedFont(const RCPtr<LFont>& font) : mFont(font) {
  Reserve(0, static_cast<int32_t>(font->GetSize()));
}

LGLGlyphRenderer::LCachedFont::~LCachedFont() {
  glyphs.RemoveAll();
  mAtlas.Reset();
  mFont.Reset();
}

bool LGLGlyphRenderer::LCachedFont::IsDirty() const {
  constexpr float kEpsilon = std::numeric_limits<float>::epsilon();
  return mDirty[2] > kEpsilon && mDirty[3] > kEpsilon;
}

void LGLGlyphRenderer::LCachedFont::AddDirty(float x, float y, float width, float height) {
  if (IsDirty()) {
    Union(mDirty, x, y, width, height);
  } else {
    mDirty[0] = x, mDirty[1] = y, mDirty[2] = width, mDirty[3] = height;
  }
}

bool LGLGlyphRenderer::LCachedFont::Reserve(int32_t cellWidth, int32_t cellHeight) {
  if (cellWidth > kAtlasWidth || cellHeight < 0) return false;
  int32_t rowTop = mRowTop, rowHeight = mRowHeight, cursorX = mCursorX;
  if (cursorX + cellWidth >= kAtlasWidth) {
    rowTop += rowHeight;
    cursorX = 0;
    rowHeight = 0;
  }
  rowHeight = std::max(rowHeight, cellHeight);
  const int32_t need = rowTop + cellHeight;
  if (need > kLargestAtlasHeight) return false;
  mRowTop = rowTop, mRowHeight = rowHeight, mCursorX = cursorX;
  if (!mAtlas) mAtlas = LPixelBuffer<unsigned char>::Create(kAtlasWidth, mRowHeight, kAtlasWidth, nullptr);
  if (need < mAtlas->GetHeight()) return true;
  int32_t height = RoundUpToPowerOfTwo(need);
  while (need > height) height *= 2;
  if (mAtlas->SetHeight(height) != S_OK) return false;
  AddDirty(0, 0, kAtlasWidth, static_cast<float>(mAtlas->GetHeight()));
  return true;
}

void LGLGlyphRenderer::LCachedFont::CopyGlyph(const LPixelBuffer<unsigned char>* bitmap, int32_t x, int32_t y) {
  if (bitmap == nullptr || bitmap->GetHeight() <= 0 || bitmap->GetWidth() <= 0) return;
  const int32_t width = std::min(bitmap->GetWidth(), kAtlasWidth - x);
  for (int32_t row = 0; row < bitmap->GetHeight(); ++row) {
    unsigned char* target = mAtlas->GetPixelAddress(x, y + row);
    const unsigned char* source = bitmap->GetPixelAddress(0, row);
    if (target == nullptr || source == nullptr) break;
    std::memcpy(target, source, static_cast<size_t>(width));
  }
  AddDirty(static_cast<float>(x - 1), static_cast<float>(y - 1), static_cast<float>(bitmap->GetWidth() + 2),
           static_cast<float>(bitmap->GetHeight() + 2));
}

void LGLGlyphRenderer::LCachedFont::UploadIfDirty() {
  if (!IsDirty() || !mAtlas) return;
  LGLImage image;
  image.Attach(mAtlas->GetPixelAddress(0, 0), kAtlasWidth, 1, kAtlasWidth, mAtlas->GetHeight(), GL_ALPHA,
               GL_UNSIGNED_BYTE);
  LoadImage(image, GL_ALPHA, kNearest, 1.0f);
  std::fill(mDirty, mDirty + 4, 0.0f);
}

RCPtr<LGlyphProcessor> LGLGlyphRenderer::Create() { return RCPtr<LGlyphProcessor>(new LGLGlyphRenderer); }

void LGLGlyphRenderer::Begin(const RCPtr<LFont>& font, int32_t passFlags) {
  mPassFlags = passFlags;
  std::fill(mBounds, mBounds + 4, 0.0f);
  RCPtr<LCachedFont>& slot = mFonts.Get(font, false);
  if (!slot) slot = new LCachedFont(font);
  mCurrentFont = slot;
  if (passFlags & kPassUpload) mCurrentFont->UploadIfDirty();
}

void LGLGlyphRenderer::End() { mCurrentFont.Reset(); }

uint16_t LGLGlyphRenderer::QueryGlyph(SGlyphInfo& glyph) {
  if (!mCurrentFont) return 0;
  mCurrentGlyph = mCurrentFont->glyphs.Find(glyph.character, SCachedGlyph{});
  if (mCurrentGlyph.character == 0) return kLoad | kMeasure | kRasterise;
  std::memcpy(glyph.box, mCurrentGlyph.box, sizeof glyph.box);
  glyph.advance = mCurrentGlyph.advance;
  glyph.glyphIndex = mCurrentGlyph.glyphIndex;
  return 0;
}

bool LGLGlyphRenderer::AddGlyphToAtlas(const LPixelBuffer<unsigned char>* bitmap) {
  const int32_t width = bitmap ? bitmap->GetWidth() : 0, height = bitmap ? bitmap->GetHeight() : 0;
  if (!mCurrentFont->Reserve(width + 2, height + 2)) return false;
  mCurrentGlyph.atlasX = static_cast<uint16_t>(mCurrentFont->GetCursorX() + 1);
  mCurrentGlyph.atlasY = static_cast<uint16_t>(mCurrentFont->GetRowTop() + 1);
  mCurrentFont->CopyGlyph(bitmap, mCurrentGlyph.atlasX, mCurrentGlyph.atlasY);
  mCurrentFont->Advance(width + 2);
  if (mPassFlags & kPassUpload) mCurrentFont->UploadIfDirty();
  return true;
}

void LGLGlyphRenderer::ProcessGlyph(SGlyphInfo& glyph) {
  if (!mCurrentFont) return;
  bool placed = true;
  if (mCurrentGlyph.character == 0) {
    mCurrentGlyph.character = glyph.character;
    std::memcpy(mCurrentGlyph.box, glyph.box, sizeof glyph.box);
    mCurrentGlyph.advance = glyph.advance;
    mCurrentGlyph.glyphIndex = glyph.glyphIndex;
    placed = AddGlyphToAtlas(glyph.bitmap.Get());
    if (placed) mCurrentFont->glyphs.Add(mCurrentGlyph);
  }
  if ((mPassFlags & kPassDraw) && placed) DrawAndMeasure(glyph);
  if (mPassFlags & kPassAccumulateBounds) {
    const int8_t* box = mCurrentGlyph.box;
    const float advance = static_cast<float>(static_cast<int16_t>(mCurrentGlyph.advance & 0xFFFF) >> 6);
    float bounds[4] = {mBounds[0], mBounds[1], mBounds[2] - mBounds[0], mBounds[3] - mBounds[1]};
    Union(bounds, glyph.penX, box[1] + glyph.penY, advance, static_cast<float>(box[3] - box[1]));
    mBounds[0] = bounds[0], mBounds[1] = bounds[1], mBounds[2] = bounds[0] + bounds[2];
    mBounds[3] = bounds[1] + bounds[3];
  }
}

void LGLGlyphRenderer::DrawAndMeasure(const SGlyphInfo& glyph) {
  const int8_t* box = mCurrentGlyph.box;
  const float ascent = static_cast<float>(mCurrentFont->GetFont()->GetAscent());
  const float ax = mCurrentGlyph.atlasX, ay = mCurrentGlyph.atlasY;
  const float source[4] = {ax, ay, ax + (box[2] - box[0]), ay + (box[3] - box[1])};
  const float screen[4] = {glyph.penX + box[0], box[1] - ascent - glyph.penY, glyph.penX + box[2],
                           box[3] - ascent - glyph.penY};
  mCurrentFont->Draw(source, screen);
}

void LGLGlyphRenderer::GetBounds(float bounds[4]) const { std::copy(mBounds, mBounds + 4, bounds); }

}  // namespace SV
