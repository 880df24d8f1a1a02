#include "SVFramework/Renderer/OpenGL/GLTexture.h"

#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/BitmapData.h"

namespace SV {

LGLTexture::~LGLTexture() {
  if (IsLive()) glDeleteTextures(1, &mName);
  mName = kNoName;
}

bool LGLTexture::IsLive() const { return mName != kNoName && glIsTexture(mName) == GL_TRUE; }

int32_t LGLTexture::RoundUpToPowerOfTwo(int32_t size) {
  if (size < 1) return 0;
  int32_t power = 1;
  while (power < size && power < 16384) power *= 2;
  return power;
}

void LGLTexture::BindMakingName() {
  if (!IsLive()) glGenTextures(1, &mName);
  glBindTexture(mTarget, mName);
}

void LGLTexture::SetBitmap(const RCPtr<LBitmap>& bitmap) {
  mBitmap = bitmap;
  if (!bitmap) return;
  const RCPtr<LBitmapData> pixels = bitmap->GetPixelData();
  if (!pixels || !pixels->IsLocked()) return;
  LGLImage image;
  image.Attach(pixels->GetPixelAddress(0, 0), pixels->GetStride(), 4, pixels->GetWidth(), pixels->GetHeight(),
               GL_BGRA, GL_UNSIGNED_BYTE);
  LoadImage(image, GL_RGBA8, 0, 1.0f);
}

void LGLTexture::ApplyParameters(int32_t flags) {
  const bool nearest = flags & kNearest, mipmaps = flags & kMipmaps;
  const GLint magnify = nearest ? GL_NEAREST : GL_LINEAR;
  const GLint minify = mipmaps ? (nearest ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_LINEAR) : magnify;
  const GLint wrap = (flags & kRepeatAndRescale) ? GL_REPEAT : GL_CLAMP;
  glTexParameteri(mTarget, GL_TEXTURE_MIN_FILTER, minify);
  glTexParameteri(mTarget, GL_TEXTURE_MAG_FILTER, magnify);
  glTexParameteri(mTarget, GL_TEXTURE_WRAP_S, wrap);
  glTexParameteri(mTarget, GL_TEXTURE_WRAP_T, wrap);
  DrainGLErrors();
}

void LGLTexture::LoadImage(LGLImage& image, int32_t internalFormat, int32_t flags, float scale) {
  BindMakingName();
  const bool alpha = internalFormat == GL_ALPHA8 || internalFormat == GL_ALPHA4;
  const uint32_t format = alpha ? GL_ALPHA : image.format, type = alpha ? GL_UNSIGNED_BYTE : image.type;
  mImageWidth = static_cast<float>(image.width);
  mImageHeight = static_cast<float>(image.height);
  mLogicalWidth = mImageWidth / scale;
  mLogicalHeight = mImageHeight / scale;
  mTextureWidth = static_cast<float>(RoundUpToPowerOfTwo(image.width));
  mTextureHeight = static_cast<float>(RoundUpToPowerOfTwo(image.height));
  ApplyParameters(flags);
  const int32_t reduction = FitProxySize(mTextureWidth, mTextureHeight, internalFormat, format, type);
  glTexImage2D(mTarget, 0, internalFormat, static_cast<GLsizei>(mTextureWidth), static_cast<GLsizei>(mTextureHeight), 0,
               format, type, nullptr);
  DrainGLErrors();
  const bool sizeDiffers = mImageWidth != mTextureWidth || mImageHeight != mTextureHeight;
  if ((reduction > 1 || (flags & kRepeatAndRescale)) && sizeDiffers) {
    image.Scale(static_cast<int32_t>(mTextureWidth), static_cast<int32_t>(mTextureHeight));
    mImageWidth = mTextureWidth;
    mImageHeight = mTextureHeight;
  }
  if (alpha) image.ToAlpha();
  image.Upload(mTarget, internalFormat, flags & kMipmaps);
}

int32_t LGLTexture::FitProxySize(float& width, float& height, int32_t internalFormat, uint32_t format, uint32_t type) {
  BindMakingName();
  DrainGLErrors();
  int32_t factor = 1;
  while (width > 1 && height > 1) {
    glTexImage2D(GL_PROXY_TEXTURE_2D, 0, internalFormat, static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0,
                 format, type, nullptr);
    if (glGetError() == GL_NO_ERROR) break;
    GLint proxyWidth = 0, proxyHeight = 0;
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &proxyWidth);
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &proxyHeight);
    glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &internalFormat);
    if (static_cast<float>(proxyWidth) == width && static_cast<float>(proxyHeight) == height) break;
    width /= 2;
    height /= 2;
    factor *= 2;
  }
  DrainGLErrors();
  return factor;
}

void LGLTexture::Draw(const float source[4], const float destination[4]) {
  glEnable(mTarget);
  glBindTexture(mTarget, mName);
  const auto u = [this](float x) { return mTextureWidth > 0 ? x / mTextureWidth : 0.0f; };
  const auto v = [this](float y) { return mTextureHeight > 0 ? y / mTextureHeight : 0.0f; };
  glBegin(GL_QUADS);
  glTexCoord2f(u(source[0]), v(source[1]));
  glVertex2f(destination[0], destination[1]);
  glTexCoord2f(u(source[0]), v(source[3]));
  glVertex2f(destination[0], destination[3]);
  glTexCoord2f(u(source[2]), v(source[3]));
  glVertex2f(destination[2], destination[3]);
  glTexCoord2f(u(source[2]), v(source[1]));
  glVertex2f(destination[2], destination[1]);
  glEnd();
  glDisable(mTarget);
}

}  // namespace SV
