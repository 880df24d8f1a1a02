#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"

#include <algorithm>

#include "SVFramework/Renderer/Gdi/QImagePixels.h"

namespace SV {

LGDIRenderContextInfo::LGDIRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                             double dotsPerInch)
    : LRenderContextInfo(viewport, window, flags),
      mFront(LGDIRendererOffscreenSurface::Create({viewport.width, viewport.height}, window, dotsPerInch)),
      mBack(LGDIRendererOffscreenSurface::Create({viewport.width, viewport.height}, window, dotsPerInch)) {}

bool LGDIRenderContextInfo::IsWholeViewportDirty() const {
  const RegionNode* const node = GetDirtyRegion().GetFirst();
  if (node == nullptr || node->next != nullptr) return false;
  const RectT<int32_t>& viewport = GetViewport();
  return node->left == viewport.x && node->top == viewport.y && node->right - node->left == viewport.width &&
         node->bottom - node->top == viewport.height;
}

void LGDIRenderContextInfo::RemakeSurfaces() {
  mFront->Resize(GetViewport().width, GetViewport().height);
  mBack->Resize(GetViewport().width, GetViewport().height);
}

void LGDIRenderContextInfo::Prepare() {
  const PointT<int32_t> size = mFront->GetSize();
  if (size.x != GetViewport().width || size.y != GetViewport().height || IsWholeViewportDirty()) RemakeSurfaces();
}

void LGDIRenderContextInfo::Present() {
  IWindowTarget* const window = GetWindow();
  if (IsOffscreen() || window == nullptr) return;
  const QImage& image = mFront->GetBitmap();
  if (image.isNull()) return;
  Array<RectT<int32_t>> rects;
  GetDirtyRegion().ToRectArray(rects);
  const QImagePixels pixels(image);
  window->BeginPresent();
  for (uint32_t i = rects.GetCount(); i-- > 0;) {
    const RectT<int32_t>& rect = rects[i];
    const int32_t left = std::max(rect.x, 0), top = std::max(rect.y, 0);
    const int32_t right = static_cast<int32_t>(std::min<int64_t>(int64_t{rect.x} + rect.width, image.width()));
    const int32_t bottom = static_cast<int32_t>(std::min<int64_t>(int64_t{rect.y} + rect.height, image.height()));
    if (right > left && bottom > top) window->CopyArea(pixels, {left, top, right - left, bottom - top});
  }
  window->EndPresent();
}

}  // namespace SV
