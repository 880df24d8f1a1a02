#pragma once
#include <cstdint>

#include "SVFramework/ObjectBase/RefCountedObject.h"
#include "SVFramework/Renderer/OpenGL/GLImage.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"

namespace SV {


// An OpenGL texture with power-of-two sides holding an image in its lower-left corner
// (or rescaled to fill it), drawn by areas as textured quads. A bitmap's texture keeps
// the bitmap. Every operation needs the renderer's context current. UI thread only.
class LGLTexture : public LRefCountedObject {
public:
  static constexpr uint32_t kNoName = 0xFFFFFFFFu;
  // Flags of LoadImage.
  static constexpr int32_t kNearest = 0x1;
  static constexpr int32_t kRepeatAndRescale = 0x2;
  static constexpr int32_t kMipmaps = 0x4;

  LGLTexture() = default;
  ~LGLTexture() override;

  // Loads the pixels of the bitmap's whole pixel owner (straight-alpha BGRA).
  void SetBitmap(const RCPtr<LBitmap>& bitmap);
  // Loads the image (which may be rescaled or converted on the way).
  void LoadImage(LGLImage& image, int32_t internalFormat, int32_t flags, float scale);
  // Halves the size while the implementation refuses a proxy texture of it; the factor.
  int32_t FitProxySize(float& width, float& height, int32_t internalFormat, uint32_t format, uint32_t type);
  // Draws the source area (image pixels; left, top, right, bottom) into the destination
  // (current modelview coordinates), modulated by the current colour; texturing is
  // disabled afterwards.
  void Draw(const float source[4], const float destination[4]);

  // The smallest power of two not below the size, at most 16384; 0 below 1.
  static int32_t RoundUpToPowerOfTwo(int32_t size);

  uint32_t GetName() const { return mName; }
  // True when the name is a live texture of the current context.
  bool IsLive() const;
  float GetTextureWidth() const { return mTextureWidth; }
  float GetTextureHeight() const { return mTextureHeight; }
  float GetImageWidth() const { return mImageWidth; }
  float GetImageHeight() const { return mImageHeight; }
  float GetLogicalWidth() const { return mLogicalWidth; }
  float GetLogicalHeight() const { return mLogicalHeight; }
  const RCPtr<LBitmap>& GetBitmap() const { return mBitmap; }

private:
  void BindMakingName();
  void ApplyParameters(int32_t flags);

  uint32_t mTarget = 0x0DE1;
  uint32_t mName = kNoName;
  float mTextureWidth = 0, mTextureHeight = 0;
  float mImageWidth = 0, mImageHeight = 0;
  float mLogicalWidth = 0, mLogicalHeight = 0;
  RCPtr<LBitmap> mBitmap;
};

}  // namespace SV
