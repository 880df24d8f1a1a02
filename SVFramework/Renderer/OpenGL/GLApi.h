#pragma once
// OpenGL 1.x with the framebuffer-object entry points of later versions, and GLU.
#ifndef GL_GLEXT_PROTOTYPES
#define GL_GLEXT_PROTOTYPES 1
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

namespace SV {

// Reads OpenGL errors until none is left; they are dropped.
inline void DrainGLErrors() {
  for (int guard = 0; guard < 64 && glGetError() != GL_NO_ERROR; ++guard) {
  }
}

}  // namespace SV
