#include "SVFramework/Renderer/OpenGL/EGLPbufferContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace SV {
namespace {

const char* EGLErrorName(int32_t code) {
  switch (code) {
    case EGL_SUCCESS: return "EGL_SUCCESS";
    case EGL_NOT_INITIALIZED: return "EGL_NOT_INITIALIZED";
    case EGL_BAD_ACCESS: return "EGL_BAD_ACCESS";
    case EGL_BAD_ALLOC: return "EGL_BAD_ALLOC";
    case EGL_BAD_ATTRIBUTE: return "EGL_BAD_ATTRIBUTE";
    case EGL_BAD_CONFIG: return "EGL_BAD_CONFIG";
    case EGL_BAD_CONTEXT: return "EGL_BAD_CONTEXT";
    case EGL_BAD_CURRENT_SURFACE: return "EGL_BAD_CURRENT_SURFACE";
    case EGL_BAD_DISPLAY: return "EGL_BAD_DISPLAY";
    case EGL_BAD_MATCH: return "EGL_BAD_MATCH";
    case EGL_BAD_PARAMETER: return "EGL_BAD_PARAMETER";
    case EGL_BAD_SURFACE: return "EGL_BAD_SURFACE";
    case EGL_CONTEXT_LOST: return "EGL_CONTEXT_LOST";
    default: return "unknown EGL error";
  }
}

EGLDisplay SurfacelessDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay == nullptr) return EGL_NO_DISPLAY;
  return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

std::unique_ptr<EGLPbufferContext> EGLPbufferContext::Create(int32_t width, int32_t height) {
  std::unique_ptr<EGLPbufferContext> result(new EGLPbufferContext);
  EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) return nullptr;
  result->mDisplay = display;
  if (!eglBindAPI(EGL_OPENGL_API)) return nullptr;
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                     EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count == 0) return nullptr;
  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  result->mSurface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (result->mSurface == EGL_NO_SURFACE) return nullptr;
  const EGLint contextAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                      EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
  result->mContext = eglCreateContext(display, config, EGL_NO_CONTEXT, contextAttributes);
  if (result->mContext == EGL_NO_CONTEXT) return nullptr;
  return result;
}

EGLPbufferContext::~EGLPbufferContext() {
  if (mDisplay == nullptr) return;
  eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (mContext != nullptr) eglDestroyContext(mDisplay, mContext);
  if (mSurface != nullptr) eglDestroySurface(mDisplay, mSurface);
}

bool EGLPbufferContext::Fail(const char* call) {
  mFailedCall = call;
  mErrorCode = mRefuse ? EGL_BAD_ACCESS : eglGetError();
  return false;
}

bool EGLPbufferContext::MakeCurrent(IWindowTarget*) {
  if (mRefuse || !eglMakeCurrent(mDisplay, mSurface, mSurface, mContext)) return Fail("eglMakeCurrent");
  return true;
}

void EGLPbufferContext::DoneCurrent() { eglMakeCurrent(mDisplay, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT); }

void EGLPbufferContext::SwapBuffers(IWindowTarget*) { eglSwapBuffers(mDisplay, mSurface); }

String EGLPbufferContext::GetLastErrorText() const { return String(EGLErrorName(mErrorCode)); }

}  // namespace SV
