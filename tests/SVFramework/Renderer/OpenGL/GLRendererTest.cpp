#include "SVFramework/Renderer/OpenGL/GLRenderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SVFramework/Renderer/AutoClip.h"
#include "SVFramework/Renderer/OpenGL/GLApi.h"
#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/HeadlessGLRenderer.h"
#include "tests/Support/Renderer/PixelColors.h"

namespace SV {
namespace {

using ::testing::HasSubstr;
using Testing::RaisedText;

using Testing::kBlue;
using Testing::kGreen;
using Testing::kRed;

class GLFrame : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(gl.IsReady()) << "EGL surfaceless with desktop OpenGL (Mesa) is needed"; }
  Testing::HeadlessGLRenderer gl{80, 100};
};

TEST_F(GLFrame, TheContextIsCurrentForTheSizeQueryAndEveryFrame) {
  EXPECT_GT(gl.context->GetMaxSurfaceSize().x, 1000);
  EXPECT_GT(gl.context->GetMaxSurfaceSize().y, 1000);
  gl.platform->DoneCurrent();
  gl.Start();
  gl.renderer->FillRect({2, 3, 4, 5}, Color::FromARGB(kRed), true);
  gl.Finish();
  EXPECT_EQ(gl.At(2, 3), kRed);
  EXPECT_EQ(gl.At(5, 7), kRed);
  EXPECT_EQ(gl.At(6, 8), 0u);
}

TEST_F(GLFrame, ARefusedContextRaisesTheMakeCurrentTextAndLeavesTheStackAlone) {
  gl.platform->RefuseMakeCurrent(true);
  EXPECT_THAT(RaisedText([&] { gl.Start(); }),
              HasSubstr("eglMakeCurrent failed with error 12290: EGL_BAD_ACCESS. : SV::LGLRenderer::RenderStart"));
  EXPECT_EQ(gl.renderer->GetStartedContextCount(), 0u);
  RCPtr<LRenderContextInfo> another;
  EXPECT_THAT(RaisedText([&] { gl.renderer->InitRenderContextInfo({0, 0, 10, 10}, nullptr, 0, another); }),
              HasSubstr("eglMakeCurrent failed"));
  gl.platform->RefuseMakeCurrent(false);
}

TEST_F(GLFrame, ThePictureIsKeptFromFrameToFrame) {
  gl.Start();
  gl.renderer->FillRect({0, 0, 10, 10}, Color::FromARGB(kRed), true);
  gl.Finish();
  gl.Start();
  gl.renderer->FillRect({20, 0, 10, 10}, Color::FromARGB(kBlue), true);
  gl.Finish();
  EXPECT_EQ(gl.At(5, 5), kRed) << "the first frame survives the swap of the second";
  EXPECT_EQ(gl.At(25, 5), kBlue);
}

TEST_F(GLFrame, ANestedFrameGivesTheOuterContextBackItsPictureAndViewport) {
  RCPtr<LRenderContextInfo> inner;
  gl.renderer->InitRenderContextInfo({0, 0, 40, 40}, nullptr, 0, inner);
  gl.Start();
  gl.renderer->RenderStart(inner);
  gl.renderer->FillRect({0, 0, 40, 40}, Color::FromARGB(kBlue), true);
  gl.renderer->RenderFinish(inner);
  gl.renderer->FillRect({10, 90, 5, 5}, Color::FromARGB(kGreen), true);
  gl.Finish();
  EXPECT_EQ(gl.At(12, 92), kGreen) << "drawn with the outer viewport of 80 x 100";
  EXPECT_EQ(gl.At(5, 5), 0u) << "nothing of the inner frame in the outer picture";
  EXPECT_EQ(static_cast<LGLRenderContextInfo*>(inner.Get())->ReadPixels()[0], kBlue);
}

TEST_F(GLFrame, TheScissorFlipsYAndCutsAtTheLeftAndBottom) {
  gl.Start();
  struct Row {
    RectT<double> rect;
    GLint box[4];
  };
  for (const Row& row : {Row{{-5, 10, 20, 30}, {0, 60, 15, 30}}, Row{{3, 4, 0, 10}, {80, 0, 1, 1}},
                         Row{{RenderState::kNoClipOrigin, RenderState::kNoClipOrigin, RenderState::kNoClipExtent,
                              RenderState::kNoClipExtent},
                             {0, 0, 2147483647, 2147483647}}}) {
    gl.gl->SetScissor(row.rect);
    GLint box[4] = {};
    glGetIntegerv(GL_SCISSOR_BOX, box);
    EXPECT_THAT(box, ::testing::ElementsAreArray(row.box)) << row.rect.x << "," << row.rect.width;
  }
}

TEST_F(GLFrame, ClipAndOffsetOfTheStateLimitAndMoveDrawing) {
  gl.Start();
  {
    CAutoClip child(gl.renderer, RectT<double>{20, 30, 10, 10}, nullptr);
    gl.renderer->FillRect({0, 0, 50, 50}, Color::FromARGB(kRed), true);
  }
  gl.renderer->FillRect({60, 60, 2, 2}, Color::FromARGB(kBlue), true);
  gl.Finish();
  EXPECT_EQ(gl.At(20, 30), kRed);
  EXPECT_EQ(gl.At(29, 39), kRed);
  EXPECT_EQ(gl.At(30, 39), 0u) << "cut by the child's clip";
  EXPECT_EQ(gl.At(19, 30), 0u);
  EXPECT_EQ(gl.At(60, 60), kBlue) << "the popped state restores offset and scissor";
}

TEST_F(GLFrame, CachesArePurgedOnlyOnceFiveMinutesHavePassedOnTheApplicationClock) {
  gl.application.ticks = 300000;
  gl.Start();
  gl.Finish();
  EXPECT_EQ(gl.gl->GetLastPurgeTime(), 0u);
  gl.application.ticks = 300001;
  gl.Start();
  gl.Finish();
  EXPECT_EQ(gl.gl->GetLastPurgeTime(), 300001u);
}

TEST_F(GLFrame, DrawingOrScrollingAContextIsNotAvailable) {
  RCPtr<LRenderContextInfo> offscreen;
  gl.renderer->InitRenderContextInfo({0, 0, 10, 10}, nullptr, 1, offscreen);
  gl.Start();
  EXPECT_EQ(gl.renderer->DrawRenderContext(offscreen, {0, 0}, {0, 0, 10, 10}), E_NOTIMPL);
  EXPECT_EQ(gl.renderer->ScrollRenderContext(offscreen, {0, 5}), E_NOTIMPL);
  EXPECT_EQ(gl.renderer->DrawRenderContext(gl.context, {0, 0}, {0, 0, 10, 10}), E_INVALIDARG);
  EXPECT_EQ(gl.renderer->ScrollRenderContext(nullptr, {0, 5}), E_INVALIDARG);
  EXPECT_EQ(gl.renderer->GetStartedContextCount(), 1u);
}

TEST_F(GLFrame, CreateMakesOpenGLRenderersOnceTheBackEndIsRegistered) {
  EXPECT_THAT(RaisedText([] { LRenderer::Create(RendererType::OpenGL, {0, 0, 8, 8}, nullptr); }),
              ::testing::StartsWith("Domain Error"));
  LGLRenderer::RegisterBackEnd([](const RectT<int32_t>& viewport, IWindowTarget*) {
    return std::shared_ptr<IGLPlatformContext>(EGLPbufferContext::Create(viewport.width, viewport.height).release());
  });
  const RCPtr<LRenderer> made = LRenderer::Create(RendererType::OpenGL, {0, 0, 8, 8}, nullptr);
  LRenderer::RegisterOpenGLFactory(nullptr);
  ASSERT_TRUE(made);
  EXPECT_EQ(made->GetRendererType(), RendererType::OpenGL);
}

}  // namespace
}  // namespace SV
