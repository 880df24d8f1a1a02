#pragma once
#include "SVFramework/Renderer/Renderer.h"

namespace SV {

// A new raster renderer (the back end of code 1, drawn with QPainter) for the window.
RCPtr<LRenderer> CreateGdiRenderer(IWindowTarget* window);

}  // namespace SV
