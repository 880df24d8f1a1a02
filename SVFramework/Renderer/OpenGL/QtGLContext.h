#pragma once
#include <memory>

#include "SVFramework/Renderer/OpenGL/GLPlatformContext.h"
#include "SVFramework/Renderer/WindowTarget.h"

class QOpenGLContext;
class QOffscreenSurface;
class QWindow;

namespace SV {

// A window target that an OpenGL renderer can draw into: it names its Qt window, whose
// surface type is OpenGL.
class IQtGLWindowTarget : public IWindowTarget {
public:
  virtual QWindow* GetGLWindow() = 0;
};

// A Qt OpenGL context (compatibility profile, double buffered; no alpha channel, whose
// window visual an X server without compositing would not show) current on the windows
// of IQtGLWindowTarget targets, or on an offscreen surface of its own for set-up. Made
// and used on the GUI thread, after the Qt application object exists.
class QtGLContext : public IGLPlatformContext {
public:
  // Null when Qt cannot make such a context.
  static std::unique_ptr<QtGLContext> Create();
  ~QtGLContext() override;

  bool MakeCurrent(IWindowTarget* window) override;
  void DoneCurrent() override;
  void SwapBuffers(IWindowTarget* window) override;
  uint32_t GetDefaultFramebuffer(IWindowTarget* window) const override;
  const char* GetLastFailedCall() const override { return "QOpenGLContext::makeCurrent"; }
  int32_t GetLastErrorCode() const override { return mErrorCode; }
  String GetLastErrorText() const override;

private:
  QtGLContext() = default;

  std::unique_ptr<QOpenGLContext> mContext;
  std::unique_ptr<QOffscreenSurface> mSetUpSurface;
  int32_t mErrorCode = 0;
};

}  // namespace SV
