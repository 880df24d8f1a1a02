#pragma once
#include <memory>

#include "SVFramework/Renderer/OpenGL/GLPlatformContext.h"

namespace SV {

// An OpenGL compatibility context on Mesa's surfaceless EGL platform with one pbuffer
// surface of a fixed size, which stands for every window: it draws with no window
// system at all (tests, benchmarks). UI thread only.
class EGLPbufferContext : public IGLPlatformContext {
public:
  // Null when EGL cannot give such a context (no surfaceless platform, no pbuffer
  // configuration, no desktop OpenGL).
  static std::unique_ptr<EGLPbufferContext> Create(int32_t width, int32_t height);
  ~EGLPbufferContext() override;

  bool MakeCurrent(IWindowTarget* window) override;
  void DoneCurrent() override;
  void SwapBuffers(IWindowTarget* window) override;
  uint32_t GetDefaultFramebuffer(IWindowTarget*) const override { return 0; }
  const char* GetLastFailedCall() const override { return mFailedCall; }
  int32_t GetLastErrorCode() const override { return mErrorCode; }
  String GetLastErrorText() const override;

  // Makes every later MakeCurrent fail as the platform would (tests of the failure path).
  void RefuseMakeCurrent(bool refuse) { mRefuse = refuse; }

private:
  EGLPbufferContext() = default;
  bool Fail(const char* call);

  void* mDisplay = nullptr;
  void* mSurface = nullptr;
  void* mContext = nullptr;
  const char* mFailedCall = "";
  int32_t mErrorCode = 0;
  bool mRefuse = false;
};

}  // namespace SV
