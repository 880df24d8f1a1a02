#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"

#include <gtest/gtest.h>

#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"

namespace SV {
namespace {

using Testing::RecordingWindowTarget;

class GdiRenderContext : public ::testing::Test {
protected:
  void SetUp() override { Testing::EnsureGuiApplication(); }

  // Marks the front surface with one opaque pixel, as a drawn frame leaves it.
  static void Mark(LGDIRenderContextInfo& context) { context.GetGraphics()->fillRect(2, 2, 1, 1, Qt::red); }
  static bool Marked(LGDIRenderContextInfo& context) {
    return context.GetFrontSurface().GetBitmap().pixel(2, 2) == 0xFFFF0000u;
  }

  RecordingWindowTarget window{40, 30};
  RCPtr<LGDIRenderContextInfo> context{new LGDIRenderContextInfo({0, 0, 40, 30}, &window, 0)};
};

TEST_F(GdiRenderContext, KeepsItsSurfacesWhenTheDirtyAreaIsPiecewise) {
  Mark(*context);
  context->GetDirtyRegion().AddRect({0, 0, 40, 15});
  context->GetDirtyRegion().AddRect({0, 15, 40, 30});
  context->Prepare();
  EXPECT_TRUE(Marked(*context));
}

TEST_F(GdiRenderContext, RemakesItsSurfacesWhenTheWholeViewportIsDirtyOrResized) {
  Mark(*context);
  context->GetDirtyRegion().AddRect({0, 0, 40, 30});
  context->Prepare();
  EXPECT_FALSE(Marked(*context));
  Mark(*context);
  context->GetDirtyRegion().Clear();
  context->SetViewport({0, 0, 50, 30});
  context->Prepare();
  EXPECT_FALSE(Marked(*context));
  EXPECT_EQ(context->GetFrontSurface().GetSize(), (PointT<int32_t>{50, 30}));
  EXPECT_EQ(context->GetBackSurface().GetSize(), (PointT<int32_t>{50, 30}));
}

TEST_F(GdiRenderContext, AnEmptyViewportMakesOnePixelSurfaces) {
  LGDIRenderContextInfo empty({0, 0, 0, 0}, nullptr, 1);
  EXPECT_EQ(empty.GetFrontSurface().GetSize(), (PointT<int32_t>{1, 1}));
  EXPECT_EQ(empty.GetMaxSurfaceSize(), (PointT<int32_t>{4096, 4096}));
}

TEST_F(GdiRenderContext, PresentsOnlyTheDirtyRectanglesLimitedToTheSurface) {
  context->GetGraphics()->fillRect(0, 0, 40, 30, Qt::blue);
  context->GetDirtyRegion().AddRect({5, 5, 10, 10});
  context->GetDirtyRegion().AddRect({30, 20, 60, 60});
  context->Present();
  ASSERT_EQ(window.rects.size(), 2u);
  EXPECT_EQ(window.rects[0], (RectT<int32_t>{5, 5, 5, 5}));
  EXPECT_EQ(window.rects[1], (RectT<int32_t>{30, 20, 10, 10}));
  EXPECT_EQ(window.At(7, 7), 0xFF0000FFu);
  EXPECT_EQ(window.At(20, 20), 0u) << "outside the dirty area nothing arrives";
  EXPECT_EQ(window.flushes, 1);
}

TEST_F(GdiRenderContext, AnEmptyDirtyRegionCopiesNothingAndOffscreenContextsAreNeverPresented) {
  context->Present();
  EXPECT_TRUE(window.rects.empty());
  LGDIRenderContextInfo offscreen({0, 0, 10, 10}, &window, 1);
  offscreen.GetDirtyRegion().AddRect({0, 0, 5, 5});
  offscreen.Present();
  EXPECT_TRUE(window.rects.empty());
  EXPECT_EQ(window.presents, 1);
}

TEST_F(GdiRenderContext, SwappingExchangesFrontAndBack) {
  LGDIRendererOffscreenSurface* const front = &context->GetFrontSurface();
  context->SwapSurfaces();
  EXPECT_EQ(&context->GetBackSurface(), front);
}

}  // namespace
}  // namespace SV
