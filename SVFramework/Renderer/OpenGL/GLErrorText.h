#pragma once
#include <string>

#include "SVFramework/Renderer/OpenGL/GLPlatformContext.h"

namespace SV {

// The English texts of the OpenGL back end's framework-string keys.
constexpr const char* kGLErrorMakeContextCurrentKey = "GL_ERROR_MESSAGE_MAKE_CONTEXT_CURRENT";
const char* GetGLErrorText(const char* key);

// The "make context current" text filled with the platform call, its error code and
// its text, for example "eglMakeCurrent failed with error 12290: EGL_BAD_ACCESS.".
std::string FormatMakeCurrentError(const IGLPlatformContext& platform);

}  // namespace SV
