#pragma once
#include <cstdint>

#include "SVFramework/Utilities/Storage/StringT.h"

namespace SV {

class IWindowTarget;

// The one OpenGL context of an OpenGL renderer and the surfaces it is bound to: the
// window of each window render context, or a set-up surface of its own. Qt provides
// it for real windows, EGL for headless tests and benchmarks. Used on the UI thread.
class IGLPlatformContext {
public:
  virtual ~IGLPlatformContext() = default;

  // Makes the context current on the window's surface (null: the set-up surface);
  // false when the platform refuses, with the reason kept for GetLastError.
  virtual bool MakeCurrent(IWindowTarget* window) = 0;
  virtual void DoneCurrent() = 0;
  // Shows what was drawn into the window's default framebuffer.
  virtual void SwapBuffers(IWindowTarget* window) = 0;
  // The framebuffer object that stands for the window's surface (0 for most platforms).
  virtual uint32_t GetDefaultFramebuffer(IWindowTarget* window) const = 0;
  // The name of the platform call that failed last, its error code and the platform's
  // text for it.
  virtual const char* GetLastFailedCall() const = 0;
  virtual int32_t GetLastErrorCode() const = 0;
  virtual String GetLastErrorText() const = 0;
};

}  // namespace SV
