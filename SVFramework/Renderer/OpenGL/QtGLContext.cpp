#include "SVFramework/Renderer/OpenGL/QtGLContext.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>
#include <QWindow>

namespace SV {
namespace {

QSurfaceFormat CompatibilityFormat() {
  QSurfaceFormat format;
  format.setRenderableType(QSurfaceFormat::OpenGL);
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
  return format;
}

QWindow* WindowOf(IWindowTarget* window) {
  auto* target = dynamic_cast<IQtGLWindowTarget*>(window);
  return target != nullptr ? target->GetGLWindow() : nullptr;
}

}  // namespace

std::unique_ptr<QtGLContext> QtGLContext::Create() {
  std::unique_ptr<QtGLContext> result(new QtGLContext);
  result->mContext = std::make_unique<QOpenGLContext>();
  result->mContext->setFormat(CompatibilityFormat());
  if (!result->mContext->create()) return nullptr;
  result->mSetUpSurface = std::make_unique<QOffscreenSurface>();
  result->mSetUpSurface->setFormat(result->mContext->format());
  result->mSetUpSurface->create();
  return result;
}

QtGLContext::~QtGLContext() {
  if (mContext) mContext->doneCurrent();
}

bool QtGLContext::MakeCurrent(IWindowTarget* window) {
  QWindow* const qwindow = WindowOf(window);
  QSurface* const surface = qwindow != nullptr ? static_cast<QSurface*>(qwindow) : mSetUpSurface.get();
  if (mContext->makeCurrent(surface)) return true;
  mErrorCode = qwindow != nullptr && !qwindow->handle() ? 1 : 2;
  return false;
}

void QtGLContext::DoneCurrent() { mContext->doneCurrent(); }

void QtGLContext::SwapBuffers(IWindowTarget* window) {
  if (QWindow* const qwindow = WindowOf(window)) mContext->swapBuffers(qwindow);
}

uint32_t QtGLContext::GetDefaultFramebuffer(IWindowTarget* window) const {
  return WindowOf(window) != nullptr ? mContext->defaultFramebufferObject() : 0;
}

String QtGLContext::GetLastErrorText() const {
  return String(mErrorCode == 1 ? "the window has no platform surface" : "the platform refused the surface");
}

}  // namespace SV
