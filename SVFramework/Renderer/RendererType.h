#pragma once
#include <cstdint>

namespace SV {

// The back end of a renderer; the editor always asks for GdiPlus, which is drawn with
// QPainter on this platform.
enum class RendererType : int32_t { OpenGL = 0, GdiPlus = 1, Direct3D9 = 2 };

}  // namespace SV
