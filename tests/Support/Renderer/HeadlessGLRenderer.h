#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "SVFramework/Renderer/OpenGL/EGLPbufferContext.h"
#include "SVFramework/Renderer/OpenGL/GLRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV::Testing {

// An OpenGL renderer on an EGL pbuffer of the given size with one window context of
// that size, and the application's measuring renderer set to it.
class HeadlessGLRenderer {
public:
  HeadlessGLRenderer(int32_t width, int32_t height) : width(width), height(height) {
    platform = std::shared_ptr<EGLPbufferContext>(EGLPbufferContext::Create(width, height).release());
    if (!platform) return;
    renderer = LGLRenderer::Create(platform);
    gl = static_cast<LGLRenderer*>(renderer.Get());
    application.renderer = renderer;
    renderer->InitRenderContextInfo({0, 0, width, height}, nullptr, 0, context);
  }
  ~HeadlessGLRenderer() {
    while (renderer && renderer->GetCurrentContext() != nullptr) {
      renderer->RenderFinish(RCPtr<LRenderContextInfo>(renderer->GetCurrentContext()));
    }
    application.renderer.Reset();
  }

  bool IsReady() const { return renderer != nullptr; }
  void Start() { renderer->RenderStart(context); }
  void Finish() { renderer->RenderFinish(context); }
  // The picture of the window context, read after a frame.
  std::vector<uint32_t> Picture() { return static_cast<LGLRenderContextInfo*>(context.Get())->ReadPixels(); }
  uint32_t At(int32_t x, int32_t y) { return Picture()[static_cast<size_t>(y) * width + x]; }

  int32_t width, height;
  StandInApplication application;
  std::shared_ptr<EGLPbufferContext> platform;
  RCPtr<LRenderer> renderer;
  LGLRenderer* gl = nullptr;
  RCPtr<LRenderContextInfo> context;
};

}  // namespace SV::Testing
