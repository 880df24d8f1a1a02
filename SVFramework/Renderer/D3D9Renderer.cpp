#include "SVFramework/Renderer/D3D9Renderer.h"

#include <new>

namespace SV {

SVRESULT LD3D9Renderer::InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                              RCPtr<LRenderContextInfo>& context) {
  context = new (std::nothrow) LD3D9RenderContextInfo(viewport, window, flags);
  return context ? S_OK : E_FAIL;
}

}  // namespace SV
