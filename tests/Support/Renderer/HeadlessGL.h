#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "SVFramework/Renderer/OpenGL/EGLPbufferContext.h"
#include "SVFramework/Renderer/OpenGL/GLApi.h"

namespace SV::Testing {

// An OpenGL context on Mesa's surfaceless EGL platform, current on a pbuffer of the
// given size with a top-left projection of one unit per pixel, texturing off and
// source-alpha blending: what the OpenGL classes below the renderer draw with in tests.
class HeadlessGL {
public:
  HeadlessGL(int32_t width, int32_t height) : mWidth(width), mHeight(height) {
    mContext = EGLPbufferContext::Create(width, height);
    if (!mContext || !mContext->MakeCurrent(nullptr)) return;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, width, height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
  }
  ~HeadlessGL() {
    if (mContext) mContext->DoneCurrent();
  }

  bool IsReady() const { return mContext != nullptr; }
  EGLPbufferContext& Context() { return *mContext; }

  // The pixel at (x, y) from the top-left corner as 0xAARRGGBB.
  uint32_t At(int32_t x, int32_t y) const {
    uint8_t rgba[4] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, mHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return static_cast<uint32_t>(rgba[3]) << 24 | static_cast<uint32_t>(rgba[0]) << 16 |
           static_cast<uint32_t>(rgba[1]) << 8 | rgba[2];
  }

private:
  std::unique_ptr<EGLPbufferContext> mContext;
  int32_t mWidth, mHeight;
};

}  // namespace SV::Testing
