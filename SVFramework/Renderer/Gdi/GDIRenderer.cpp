#include "SVFramework/Renderer/Gdi/GDIRenderer.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <cmath>
#include <new>

#include "Platform/Gui/ScreenInfo.h"
#include "SVFramework/Application/FrameworkApp.h"
#include "SVFramework/Renderer/Gdi/GDIRendererFactory.h"
#include "SVFramework/Renderer/Gdi/QtConversions.h"
#include "SVFramework/Utilities/Graphics/Font.h"

namespace SV {

using QtConversions::Saturate;
using QtConversions::ToQt;

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;

uint32_t ApplicationClock() {
  LFrameworkApp* const application = GetFrameworkApp();
  return application ? application->GetTickCount() : 0;
}

QString ToQString(const String& text) {
  return QString::fromUtf16(text.GetString(), static_cast<qsizetype>(text.GetLength()));
}

QPen MakePen(const Color& color, float width) {
  QPen pen(ToQt(color));
  pen.setWidthF(std::isfinite(width) ? std::clamp(width, 0.0f, 1.0e4f) : 1.0f);
  return pen;
}

}  // namespace

RCPtr<LRenderer> CreateGdiRenderer(IWindowTarget*) { return RCPtr<LRenderer>(new LGDIRenderer); }

uint32_t LGDIRenderer::BitmapHashBits::operator()(const CashableBitmapDescriptor& key) const {
  const BitmapPixels* const pixels = key.bitmap ? key.bitmap->GetNativeBitmap() : nullptr;
  return static_cast<uint32_t>((reinterpret_cast<uintptr_t>(pixels) >> 4) & 0xFF);
}

LGDIRenderer::LGDIRenderer() : mMeasuringImage(1, 1, QImage::Format_ARGB32_Premultiplied) {
  mMeasuringImage.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
  mMeasuringImage.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
  mLastPurgeTime = ApplicationClock();
  mScreenResolution = ::Platform::Gui::ScreenDotsPerInch();
}

QPainter* LGDIRenderer::Graphics() const { return mCurrent ? mCurrent->GetGraphics() : nullptr; }

QFont LGDIRenderer::MakeFont(const LFont& font, double points) const {
  QFont qfont(ToQString(font.GetFace()));
  qfont.setPointSizeF(std::isfinite(points) && points > 0 ? std::min(points, 4096.0) : 1.0);
  const int32_t style = font.GetStyle();
  qfont.setBold((style & 1) != 0);
  qfont.setItalic((style & 2) != 0);
  qfont.setUnderline((style & 4) != 0);
  qfont.setStrikeOut((style & 8) != 0);
  return qfont;
}

// Metrics of the font Qt actually resolved for the face (a face that is not installed
// resolves to a fallback), at 96 pixels per inch; never a zero line height.
SVRESULT LGDIRenderer::GetFontMetrics(const RCPtr<LFont>& font, int32_t& lineHeight, int32_t& ascent,
                                      int32_t& descent) {
  if (!font) return E_INVALIDARG;
  const QFontMetricsF metrics(MakeFont(*font, font->GetSize()), &mMeasuringImage);
  const double emPixels = std::max(1.0, static_cast<double>(font->GetSize()) * 96.0 / 72.0);
  const double resolvedAscent = metrics.ascent() > 0 ? metrics.ascent() : emPixels * 0.8;
  const double resolvedDescent = metrics.descent() > 0 ? metrics.descent() : emPixels * 0.2;
  const double spacing = metrics.lineSpacing() > 0 ? metrics.lineSpacing() : resolvedAscent + resolvedDescent;
  lineHeight = std::max(1, RoundToInt32(spacing));
  ascent = -RoundToInt32(resolvedAscent);
  descent = RoundToInt32(resolvedDescent);
  return S_OK;
}

RectT<float> LGDIRenderer::MeasureText(const String& text, const RCPtr<LFont>& font) {
  if (text.IsEmpty() || !font) return {};
  int32_t lineHeight = 0, ascent = 0, descent = 0;
  GetFontMetrics(font, lineHeight, ascent, descent);
  const QFontMetricsF metrics(MakeFont(*font, font->GetSize()), &mMeasuringImage);
  // Text is drawn at 96 pixels per inch on every screen, so it is measured there too:
  // scaling the width by 96 / resolution would centre text of a high-resolution screen
  // as if it were half as wide as drawn.
  const double inkEnd = metrics.horizontalAdvance(ToQString(text));
  int32_t width = RoundToInt32(std::trunc(inkEnd + 0.9999));
  if (width > 0) width += 3;
  return {0, static_cast<float>(ascent), static_cast<float>(width), static_cast<float>(lineHeight)};
}

SVRESULT LGDIRenderer::InitRenderContextInfo(const RectT<int32_t>& viewport, IWindowTarget* window, int32_t flags,
                                             RCPtr<LRenderContextInfo>& context) {
  context = new (std::nothrow) LGDIRenderContextInfo(viewport, window, flags, mScreenResolution);
  return context ? S_OK : E_FAIL;
}

// The painter of a (re)made surface starts with no transform and no clip: the state's
// offset and clip are handed to it, so that the state and the device never disagree.
void LGDIRenderer::ApplyStateToDevice() {
  QPainter* const painter = Graphics();
  if (painter == nullptr) return;
  const RenderState& state = mCurrent->GetState();
  painter->resetTransform();
  painter->translate(ToQt(state.offset));
  painter->setClipRect(ToQt(state.clip));
}

SVRESULT LGDIRenderer::RenderStart(const RCPtr<LRenderContextInfo>& context) {
  LRenderer::RenderStart(context);
  mCurrent = dynamic_cast<LGDIRenderContextInfo*>(context.Get());
  if (!mCurrent) return S_OK;
  mCurrent->Prepare();
  QPainter* const painter = Graphics();
  if (painter == nullptr) return S_OK;
  const double dpi = painter->device()->logicalDpiX();
  mFontScale = dpi > 0 ? static_cast<float>(96.0 / dpi) : 1.0f;
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  painter->setRenderHint(QPainter::TextAntialiasing, true);
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  ApplyStateToDevice();
  return S_OK;
}

SVRESULT LGDIRenderer::RenderFinish(const RCPtr<LRenderContextInfo>& context) {
  if (mCurrent && mCurrent.Get() == context.Get()) mCurrent->Present();
  LRenderer::RenderFinish(context);
  mCurrent = dynamic_cast<LGDIRenderContextInfo*>(GetCurrentContext());
  PurgeWhenDue();
  return S_OK;
}

// Prepared bitmaps not drawn since the previous purge are dropped every five minutes.
void LGDIRenderer::PurgeWhenDue() {
  const uint32_t now = ApplicationClock();
  if (static_cast<int32_t>(now - mLastPurgeTime) <= kPurgeIntervalMs) return;
  mBitmapCache.Purge(mBitmapCache.GetPurgeMark());
  mBitmapCache.SetPurgeMark(mBitmapCache.GetUseCounter());
  mLastPurgeTime = now;
}

void LGDIRenderer::SetClipRect(const RectT<double>& clip) {
  LRenderer::SetClipRect(clip);
  if (QPainter* const painter = Graphics()) painter->setClipRect(ToQt(mCurrent->GetState().clip));
}

void LGDIRenderer::Translate(const PointT<double>& delta) {
  LRenderer::Translate(delta);
  if (QPainter* const painter = Graphics()) {
    painter->resetTransform();
    painter->translate(ToQt(mCurrent->GetState().offset));
  }
}

void LGDIRenderer::DrawText(const String& text, const RCPtr<LFont>& font, const PointT<int32_t>& position,
                            const Color& color) {
  QPainter* const painter = Graphics();
  if (painter == nullptr || !font) return;
  painter->setFont(MakeFont(*font, font->GetSize() * mFontScale));
  painter->setPen(ToQt(color));
  const QRectF layout(position.x, static_cast<double>(position.y) - 1, 0, 0);
  painter->drawText(layout, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, ToQString(text));
}

void LGDIRenderer::DrawRect(const RectT<int32_t>& rect, const Color& color, float lineWidth) {
  QPainter* const painter = Graphics();
  if (painter == nullptr) return;
  painter->setPen(MakePen(color, lineWidth));
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(QRectF(rect.x, rect.y, rect.width, rect.height));
}

void LGDIRenderer::FillRect(const RectT<int32_t>& rect, const Color& color, bool blend) {
  QPainter* const painter = Graphics();
  if (painter == nullptr) return;
  if (blend) {
    painter->fillRect(QRectF(rect.x, rect.y, rect.width, rect.height), ToQt(color));
    return;
  }
  // Without blending the pixels are set in the surface's own coordinates, neither moved
  // by the offset nor clipped; only what lies inside the surface is written.
  QImage& image = mCurrent->GetFrontSurface().GetBitmap();
  const QRect area = QRect(rect.x, rect.y, std::max(rect.width, 0), std::max(rect.height, 0)) & image.rect();
  const uint32_t premultiplied = qPremultiply(color.ToARGB());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(image.scanLine(y));
    std::fill(row + area.left(), row + area.left() + area.width(), premultiplied);
  }
}

void LGDIRenderer::DrawLine(const PointT<float>& from, const PointT<float>& to, const Color& color,
                            float lineWidth) {
  QPainter* const painter = Graphics();
  if (painter == nullptr) return;
  painter->setPen(MakePen(color, lineWidth));
  painter->drawLine(ToQt(PointT<double>{from.x, from.y}), ToQt(PointT<double>{to.x, to.y}));
}

}  // namespace SV
