#pragma once
#include <cstdint>

#include "SVFramework/Renderer/ColorRectListT.h"
#include "SVFramework/Renderer/OpenGL/GLDisplayList.h"
#include "SVFramework/Renderer/OpenGL/GLTexture.h"
#include "SVFramework/Renderer/PolylineT.h"
#include "SVFramework/Renderer/PurgableObjectCache.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"

namespace SV {

// The OpenGL objects an OpenGL renderer keeps across frames: display lists of
// polylines (one cache per way of drawing them) and of colour-rectangle lists, 256 of
// each, by the source object's identity; and textures of bitmaps, 64, by the pixel
// owner, so every area of one image shares a texture. Purge releases what was not used
// since the previous purge. Destroy them while the renderer's context is current.
// UI thread only.
class GLCaches {
public:
  struct HandleBits {
    uint32_t operator()(const PolylineHandle& handle) const { return (handle.address >> 4) & 0xFF; }
  };
  struct PolylineKey {
    PolylineHandle operator()(const PolylineT<float>& polyline) const { return polyline.GetHandle(); }
  };
  struct ColorRectListKey {
    PolylineHandle operator()(const ColorRectListT<float>& list) const { return list.GetHandle(); }
  };
  struct PixelOwnerKey {
    uintptr_t operator()(const RCPtr<LBitmap>& bitmap) const {
      return reinterpret_cast<uintptr_t>(bitmap ? bitmap->GetNativeBitmap() : nullptr);
    }
  };

  using PolylineListCache =
      PurgableObjectCache<LGLDisplayList, PolylineT<float>, PolylineHandle, PolylineKey, 8, HandleBits>;
  using ColorRectListCache =
      PurgableObjectCache<LGLDisplayList, ColorRectListT<float>, PolylineHandle, ColorRectListKey, 8, HandleBits>;
  using TextureCache =
      PurgableObjectCache<LGLTexture, RCPtr<LBitmap>, uintptr_t, PixelOwnerKey, 8, GetBits<8, 4, uintptr_t>>;

  static constexpr uint32_t kListCapacity = 256;
  static constexpr uint32_t kTextureCapacity = 64;

  // Releases the textures and lists not used since the previous purge; their keys stay.
  void Purge() {
    PurgeOne(textures);
    PurgeOne(fillPolygons);
    PurgeOne(polygonOutlines);
    PurgeOne(lineSegments);
    PurgeOne(polylines);
    PurgeOne(colorRects);
  }

  PolylineListCache fillPolygons{kListCapacity};
  PolylineListCache polygonOutlines{kListCapacity};
  PolylineListCache lineSegments{kListCapacity};
  PolylineListCache polylines{kListCapacity};
  ColorRectListCache colorRects{kListCapacity};
  TextureCache textures{kTextureCapacity};

private:
  template <class Cache>
  static void PurgeOne(Cache& cache) {
    cache.Purge(cache.GetPurgeMark());
    // Past the last use so far: the slot used last before this purge goes at the next
    // one too, unless it is used in between.
    cache.SetPurgeMark(cache.GetUseCounter() + 1);
  }
};

}  // namespace SV
