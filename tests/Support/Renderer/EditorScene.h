#pragma once
#include <QImage>

#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"
#include "SVFramework/Renderer/Renderer.h"
#include "SVFramework/Utilities/Graphics/Bitmap.h"
#include "SVFramework/Utilities/Graphics/Font.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV::Testing {

// A small editor-like frame of 240 x 120 drawn into the started context: a tiled
// checker background (8 x 8, its top-left 4 x 4 lighter), a stretched and a centred
// knob part, a half-transparent panel with an outline, labels, and a text clipped by a
// child's rectangle (96, 40, 60, 20) filled white. Every back end draws the same.
inline void DrawEditorScene(const RCPtr<LRenderer>& renderer) {
  const RCPtr<LBitmap> checker = LBitmap::CreateFilledBitmap({8, 8}, Color::FromARGB(0xFF30343Au));
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) *checker->GetNativeBitmap()->GetPixelAddress(x, y) = 0xFF3A3F46u;
  renderer->DrawBitmap(checker, {0, 0, 240, 120}, ResizeType::Tile);
  const RCPtr<LBitmap> knob = LBitmap::CreateFilledBitmap({6, 6}, Color::FromARGB(0xFFE0A030u));
  renderer->DrawBitmap(knob, {10, 10, 60, 14}, ResizeType::Stretch);
  renderer->DrawBitmap(knob, {10, 30, 60, 14}, ResizeType::Center);
  renderer->FillRect({90, 10, 140, 100}, Color{1, 1, 1, 0.6f}, true);
  renderer->DrawRect({90, 10, 140, 100}, Color::FromARGB(0xFFE0A030u), 1);
  const RCPtr<LFont> font = LFont::GetFont(u"DejaVu Sans", 9, 0);
  renderer->DrawText(u"Zone 1 channel", font, {96, 16}, Color::FromARGB(0xFF202020u));
  {
    CAutoClip child(renderer, RectT<double>{96, 40, 60, 20}, nullptr);
    renderer->FillRect({0, 0, 60, 20}, Color::FromARGB(0xFFFFFFFFu), true);
    renderer->DrawText(u"A label far too long", font, {2, 3}, Color::FromARGB(0xFF0000C0u));
  }
  renderer->DrawText(u"Transpose", font, {10, 60}, Color::FromARGB(0xFFF0F0F0u));
}

// The scene through the raster back end (a window context of 240 x 120), as its
// premultiplied front surface.
inline QImage DrawEditorSceneWithRasterBackEnd() {
  EnsureGuiApplication();
  StandInApplication application;
  RecordingWindowTarget window{240, 120};
  const RCPtr<LRenderer> renderer = LRenderer::Create(RendererType::GdiPlus, {0, 0, 240, 120}, &window);
  application.renderer = renderer;
  RCPtr<LRenderContextInfo> context;
  renderer->InitRenderContextInfo({0, 0, 240, 120}, &window, 0, context);
  context->GetDirtyRegion().AddRect({0, 0, 240, 120});
  renderer->RenderStart(context);
  DrawEditorScene(renderer);
  renderer->RenderFinish(context);
  return static_cast<LGDIRenderContextInfo*>(context.Get())->GetFrontSurface().GetBitmap();
}

}  // namespace SV::Testing
