#pragma once
#include <QFont>
#include <QImage>
#include <QPainterPath>

#include <cstdint>

#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"
#include "SVFramework/Renderer/PurgableObjectCache.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"

namespace SV {

// The back end the editor draws with (code 1): QPainter on the front surface of its
// raster contexts, which present only their dirty rectangles at the end of a frame.
// Bitmaps are prepared once per bitmap, target size and resize type and kept in a
// cache of 256 that drops what was not drawn between two checks five minutes apart on
// the application clock; paths of polylines are kept in a cache of 256 by polyline
// identity. Drawing without a started context does nothing (DrawBitmap raises).
// Measuring needs no context. UI thread only.
class LGDIRenderer : public LRenderer {
public:
  // A bitmap prepared for one target size and resize type.
  struct CashableBitmapDescriptor {
    RCPtr<LBitmap> bitmap;
    int32_t width = 0;
    int32_t height = 0;
    ResizeType resize = ResizeType::Stretch;

    friend bool operator==(const CashableBitmapDescriptor& a, const CashableBitmapDescriptor& b) {
      return a.bitmap.Get() == b.bitmap.Get() && a.width == b.width && a.height == b.height && a.resize == b.resize;
    }
  };
  // Every view of one image shares a bucket: bits 4-11 of the pixels' address.
  struct BitmapHashBits {
    uint32_t operator()(const CashableBitmapDescriptor& key) const;
  };
  struct PolylineHashBits {
    uint32_t operator()(const PolylineHandle& handle) const { return (handle.address >> 4) & 0xFF; }
  };
  struct PolylineKey {
    PolylineHandle operator()(const PolylineT<float>& polyline) const { return polyline.GetHandle(); }
  };

  class LCachedBitmap : public LRefCountedObject {
  public:
    explicit LCachedBitmap(QImage image) : prepared(std::move(image)) {}
    QImage prepared;
  };
  class LGraphicsPath : public LRefCountedObject {
  public:
    QPainterPath path;
  };

  using BitmapCache = PurgableObjectCache<LCachedBitmap, CashableBitmapDescriptor, CashableBitmapDescriptor,
                                          GetSelf<CashableBitmapDescriptor>, 8, BitmapHashBits>;
  using PathCache =
      PurgableObjectCache<LGraphicsPath, PolylineT<float>, PolylineHandle, PolylineKey, 8, PolylineHashBits>;

  static constexpr uint32_t kCacheCapacity = 256;
  static constexpr int32_t kPurgeIntervalMs = 300000;

  LGDIRenderer();

  SVRESULT GetFontMetrics(const RCPtr<LFont>& font, int32_t& lineHeight, int32_t& ascent, int32_t& descent) override;
  // Measured at 96 pixels per inch whatever the screen's resolution, as text is drawn
  // (a context scales its fonts by 96 / its device's resolution).
  RectT<float> MeasureText(const String& text, const RCPtr<LFont>& font) override;
  // The screen's resolution, read from the platform when the renderer is made; the
  // contexts made afterwards give their surfaces this resolution.
  void SetScreenResolution(double dotsPerInch) { mScreenResolution = dotsPerInch; }
  RendererType GetRendererType() const override { return RendererType::GdiPlus; }
  SVRESULT InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                 RCPtr<LRenderContextInfo>& context) override;

  SVRESULT RenderStart(const RCPtr<LRenderContextInfo>& context) override;
  SVRESULT RenderFinish(const RCPtr<LRenderContextInfo>& context) override;

  void DrawText(const String& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                const Color& color) override;
  void DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) override;
  void FillRect(const RectT<int32_t>& rect, const Color& color, bool blend) override;
  void FillColorRectList(const ColorRectListT<float>& list, const PointT<double>& offset, bool cache) override;
  void DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color, float lineWidth) override;
  void DrawLineSegments(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                        const PointT<float>& scale, bool keep) override;
  void DrawPolyline(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                    const PointT<float>& scale, bool keep) override;
  void DrawPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                   const PointT<float>& scale, bool keep) override;
  void FillPolygon(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                   const PointT<float>& scale, bool keep) override;
  void DrawBitmap(const RCPtr<LBitmap>& bitmap, const RectT<int32_t>& target, ResizeType resize) override;
  SVRESULT DrawRenderContext(const RCPtr<LRenderContextInfo>& source, const PointT<int32_t>& position,
                             const RectT<int32_t>& area) override;
  SVRESULT ScrollRenderContext(const RCPtr<LRenderContextInfo>& context, const PointT<int32_t>& offset) override;

  void SetClipRect(const RectT<double>& clip) override;
  void Translate(const PointT<double>& delta) override;

  float GetFontScale() const { return mFontScale; }
  const BitmapCache& GetBitmapCache() const { return mBitmapCache; }
  const PathCache& GetPathCache() const { return mPathCache; }

private:
  enum class PathKind { Segments, OpenLine, Polygon };

  QPainter* Graphics() const;
  QFont MakeFont(const LFont& font, double points) const;
  void ApplyStateToDevice();
  void PurgeWhenDue();
  void DrawPath(const PolylineT<float>& polyline, const Color& color, const PointT<float>& offset,
                const PointT<float>& scale, bool keep, PathKind kind, bool fill);
  QImage PrepareBitmap(const LBitmap& bitmap, int32_t width, int32_t height, ResizeType resize) const;

  float mFontScale = 1.0f;
  RCPtr<LGDIRenderContextInfo> mCurrent;
  QImage mMeasuringImage;
  double mScreenResolution = 96;
  BitmapCache mBitmapCache{kCacheCapacity};
  PathCache mPathCache{kCacheCapacity};
  uint32_t mLastPurgeTime = 0;
};

}  // namespace SV
