#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "SVFramework/Renderer/OpenGL/GLPlatformContext.h"
#include "SVFramework/Renderer/RenderContextInfo.h"

namespace SV {

// A render context of the OpenGL back end. A window context (flags 0) draws into a
// framebuffer object of its viewport's size that keeps the picture from frame to
// frame, and presents by copying it to the window before the swap, so a frame may
// redraw only its dirty area whatever the platform's swap does. An offscreen context
// draws into the set-up surface and holds no picture. UI thread only.
class LGLRenderContextInfo : public LRenderContextInfo {
public:
  LGLRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                       std::shared_ptr<IGLPlatformContext> platform);
  ~LGLRenderContextInfo() override;

  // The largest viewport of the OpenGL implementation, read when the context was made.
  PointT<int32_t> GetMaxSurfaceSize() const override { return {mMaxWidth, mMaxHeight}; }
  void ReadMaxSurfaceSize();

  // Binds the picture's framebuffer for drawing, (re)made at the viewport's size when
  // that changed; a new picture starts transparent. Needs the context current.
  void BindPicture();
  // Copies the picture to the window's framebuffer and swaps.
  void Present();
  // The picture's pixels as 0xAARRGGBB words, top row first (straight alpha as drawn).
  std::vector<uint32_t> ReadPixels();

  uint32_t GetFramebuffer() const { return mFramebuffer; }

private:
  void DeletePicture();

  std::shared_ptr<IGLPlatformContext> mPlatform;
  int32_t mMaxWidth = 0;
  int32_t mMaxHeight = 0;
  uint32_t mFramebuffer = 0;
  uint32_t mColorBuffer = 0;
  int32_t mPictureWidth = 0;
  int32_t mPictureHeight = 0;
};

}  // namespace SV
