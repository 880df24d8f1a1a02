#include "SVFramework/Renderer/AutoClip.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/Support/Renderer/RecordingRenderer.h"

namespace SV {
namespace {

using Testing::RecordingRenderer;

class AutoClipScope : public ::testing::Test {
protected:
  void SetUp() override { renderer->RenderStart(context); }
  void TearDown() override { renderer->RenderFinish(context); }

  size_t SavedCount() { return context->GetSavedStates().size(); }

  RCPtr<RecordingRenderer> recorder{new RecordingRenderer};
  RCPtr<LRenderer> renderer{recorder};
  RCPtr<LRenderContextInfo> context = RecordingRenderer::MakeContext();
};

TEST_F(AutoClipScope, EachFormPushesOnceAndPopsAtTheScopeEnd) {
  {
    CAutoClip state(renderer);
    EXPECT_EQ(SavedCount(), 1u);
    {
      CAutoClip clip(renderer, RectT<double>{5, 5, 10, 10}, RectT<double>{5, 5, 10, 10}, nullptr);
      EXPECT_EQ(context->GetState().offset, (PointT<double>{5, 5}));
      CAutoClip own(renderer, RectT<double>{1, 1, 2, 2}, nullptr);
      CAutoClip offset(renderer, ClipRequest{ClipFlavor::Offset, {}, {}, nullptr, true, {2, 3}});
      EXPECT_EQ(context->GetState().offset, (PointT<double>{8, 9}));
      EXPECT_EQ(SavedCount(), 4u);
    }
    EXPECT_EQ(context->GetState().offset, (PointT<double>{0, 0}));
  }
  EXPECT_EQ(SavedCount(), 0u);
  EXPECT_EQ(recorder->GetRefCount(), 2) << "each scope released the renderer";
}

TEST_F(AutoClipScope, UnknownFlavorRaisesAndPushesAndPopsNothing) {
  ClipRequest request;
  request.flavor = static_cast<ClipFlavor>(3);
  CAutoClip outer(renderer);
  try {
    CAutoClip clip(renderer, request);
    FAIL() << "no exception";
  } catch (const std::runtime_error& error) {
    EXPECT_THAT(error.what(), ::testing::StartsWith("Runtime Error : Unknown PushClip flavor : SV::CAutoClip::CAutoClip : "
                                                    "Renderer/Renderer : Line "));
  }
  EXPECT_EQ(SavedCount(), 1u);
  EXPECT_EQ(recorder->GetRefCount(), 3) << "the refused scope released the renderer";
}

}  // namespace
}  // namespace SV
