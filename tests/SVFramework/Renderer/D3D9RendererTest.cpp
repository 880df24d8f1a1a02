#include "SVFramework/Renderer/D3D9Renderer.h"

#include <gtest/gtest.h>

namespace SV {
namespace {

TEST(D3D9Renderer, MakesContextsButDrawsAndMeasuresNothing) {
  const RCPtr<LRenderer> renderer = LRenderer::Create(RendererType::Direct3D9, {0, 0, 10, 10}, nullptr);
  EXPECT_EQ(renderer->GetRendererType(), RendererType::Direct3D9);
  RCPtr<LRenderContextInfo> context;
  ASSERT_EQ(renderer->InitRenderContextInfo({0, 0, 640, 480}, nullptr, 0, context), S_OK);
  EXPECT_EQ(context->GetMaxSurfaceSize(), (PointT<int32_t>{0, 0}));
  EXPECT_EQ(renderer->DrawRenderContext(context, {0, 0}, {0, 0, 1, 1}), E_NOTIMPL);
  EXPECT_EQ(renderer->ScrollRenderContext(context, {0, 0}), E_NOTIMPL);
}

TEST(D3D9Renderer, AFirstPaintWithStateOperationsNeitherRaisesNorCrashes) {
  const RCPtr<LRenderer> renderer = LRenderer::Create(RendererType::Direct3D9, {}, nullptr);
  RCPtr<LRenderContextInfo> a, b;
  renderer->InitRenderContextInfo({0, 0, 10, 10}, nullptr, 0, a);
  renderer->InitRenderContextInfo({0, 0, 10, 10}, nullptr, 1, b);
  EXPECT_EQ(renderer->RenderStart(a), S_OK);
  renderer->PushClip({0, 0, 10, 10}, {0, 0, 10, 10}, LStencil::Create(2, 2), false);
  renderer->PushOffset({1, 1});
  renderer->SetClipRect({0, 0, 5, 5});
  renderer->Translate({2, 2});
  renderer->DrawFilledRect({0, 0, 4, 4}, Color{1, 0, 0, 1}, Color{0, 0, 1, 1}, 1);
  renderer->PopState();
  EXPECT_EQ(renderer->SetViewport({0, 0, 1, 1}), S_FALSE);
  EXPECT_EQ(renderer->RenderFinish(b), S_OK);
  EXPECT_EQ(renderer->GetStartedContextCount(), 0u);
  EXPECT_EQ(a->GetState().offset, (PointT<double>{0, 0}));
}

}  // namespace
}  // namespace SV
