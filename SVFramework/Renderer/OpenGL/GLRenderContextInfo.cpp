#include "SVFramework/Renderer/OpenGL/GLRenderContextInfo.h"

#include <algorithm>

#include "SVFramework/Renderer/OpenGL/GLApi.h"

namespace SV {

LGLRenderContextInfo::LGLRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                           std::shared_ptr<IGLPlatformContext> platform)
    : LRenderContextInfo(viewport, window, flags), mPlatform(std::move(platform)) {}

LGLRenderContextInfo::~LGLRenderContextInfo() {
  if (mFramebuffer != 0 && mPlatform && mPlatform->MakeCurrent(GetWindow())) DeletePicture();
}

void LGLRenderContextInfo::ReadMaxSurfaceSize() {
  GLint dimensions[2] = {0, 0};
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, dimensions);
  mMaxWidth = dimensions[0];
  mMaxHeight = dimensions[1];
}

void LGLRenderContextInfo::DeletePicture() {
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  if (mFramebuffer != 0) glDeleteFramebuffers(1, &mFramebuffer);
  if (mColorBuffer != 0) glDeleteRenderbuffers(1, &mColorBuffer);
  mFramebuffer = mColorBuffer = 0;
  mPictureWidth = mPictureHeight = 0;
}

void LGLRenderContextInfo::BindPicture() {
  if (IsOffscreen()) {
    glBindFramebuffer(GL_FRAMEBUFFER, mPlatform->GetDefaultFramebuffer(nullptr));
    return;
  }
  const RectT<int32_t>& viewport = GetViewport();
  const int32_t width = viewport.x + viewport.width, height = viewport.y + viewport.height;
  if (mFramebuffer == 0 || width != mPictureWidth || height != mPictureHeight) {
    DeletePicture();
    glGenFramebuffers(1, &mFramebuffer);
    glGenRenderbuffers(1, &mColorBuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, mColorBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width > 0 ? width : 1, height > 0 ? height : 1);
    glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, mColorBuffer);
    mPictureWidth = width;
    mPictureHeight = height;
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    DrainGLErrors();
  }
  glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
}

void LGLRenderContextInfo::Present() {
  if (IsOffscreen() || mFramebuffer == 0) return;
  glDisable(GL_SCISSOR_TEST);
  glBindFramebuffer(GL_READ_FRAMEBUFFER, mFramebuffer);
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, mPlatform->GetDefaultFramebuffer(GetWindow()));
  glBlitFramebuffer(0, 0, mPictureWidth, mPictureHeight, 0, 0, mPictureWidth, mPictureHeight, GL_COLOR_BUFFER_BIT,
                    GL_NEAREST);
  glEnable(GL_SCISSOR_TEST);
  DrainGLErrors();
  mPlatform->SwapBuffers(GetWindow());
  glBindFramebuffer(GL_FRAMEBUFFER, mFramebuffer);
}

std::vector<uint32_t> LGLRenderContextInfo::ReadPixels() {
  const int32_t width = mPictureWidth, height = mPictureHeight;
  std::vector<uint32_t> rows(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (rows.empty() || !mPlatform->MakeCurrent(GetWindow())) return rows;
  glBindFramebuffer(GL_READ_FRAMEBUFFER, mFramebuffer);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  std::vector<uint32_t> bottomUp(rows.size());
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
  for (int32_t y = 0; y < height; ++y) {
    std::copy_n(bottomUp.begin() + static_cast<ptrdiff_t>(height - 1 - y) * width, width,
                rows.begin() + static_cast<ptrdiff_t>(y) * width);
  }
  return rows;
}

}  // namespace SV
