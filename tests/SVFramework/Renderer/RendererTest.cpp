#include "SVFramework/Renderer/Renderer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/RecordingRenderer.h"

namespace SV {
namespace {

using Testing::RecordingRenderer;
using ::testing::StartsWith;

using Testing::RaisedText;

class RendererStateStack : public ::testing::Test {
protected:
  void SetUp() override { renderer->RenderStart(context); }
  void TearDown() override {
    if (renderer->GetCurrentContext() == context.Get()) renderer->RenderFinish(context);
  }

  RenderState& State() { return context->GetState(); }

  RCPtr<RecordingRenderer> renderer{new RecordingRenderer};
  RCPtr<LRenderContextInfo> context = RecordingRenderer::MakeContext();
};

TEST(RendererContextStack, NestedContextsFinishInReverseOrderOnly) {
  RCPtr<RecordingRenderer> renderer(new RecordingRenderer);
  const RCPtr<LRenderContextInfo> a = RecordingRenderer::MakeContext();
  const RCPtr<LRenderContextInfo> b = RecordingRenderer::MakeContext(1);
  EXPECT_EQ(renderer->RenderStart(a), S_OK);
  EXPECT_EQ(renderer->RenderStart(b), S_OK);
  EXPECT_EQ(a->GetRefCount(), 2) << "the stack holds a reference while started";
  EXPECT_THAT(RaisedText([&] { renderer->RenderFinish(a); }),
              StartsWith("Runtime Error : RenderFinish context does not match RenderStart context : "
                         "SV::LRenderer::RenderFinish : Renderer/Renderer : Line "));
  EXPECT_EQ(renderer->GetStartedContextCount(), 2u);
  EXPECT_EQ(renderer->RenderFinish(b), S_OK);
  EXPECT_EQ(renderer->GetCurrentContext(), a.Get());
  EXPECT_EQ(renderer->RenderFinish(a), S_OK);
  EXPECT_EQ(renderer->GetStartedContextCount(), 0u);
  EXPECT_EQ(a->GetRefCount(), 1);
}

TEST(RendererContextStack, RefusesANullOrReenteredContextAndKeepsTheStack) {
  RCPtr<RecordingRenderer> renderer(new RecordingRenderer);
  const RCPtr<LRenderContextInfo> a = RecordingRenderer::MakeContext();
  EXPECT_THAT(RaisedText([&] { renderer->RenderStart(nullptr); }),
              StartsWith("Runtime Error : Render context is NULL : SV::LRenderer::RenderStart : Renderer/Renderer : "
                         "Line "));
  renderer->RenderStart(a);
  EXPECT_THAT(RaisedText([&] { renderer->RenderStart(a); }), StartsWith("Runtime Error : Render context reentered."));
  EXPECT_EQ(renderer->GetStartedContextCount(), 1u) << "one A, at the top";
  renderer->RenderStart(RecordingRenderer::MakeContext(1));
  EXPECT_THAT(RaisedText([&] { renderer->RenderStart(a); }),
              StartsWith("Runtime Error : Render context reentered. : SV::LRenderer::RenderStart : Renderer/Renderer : "
                         "Line "));
  EXPECT_EQ(renderer->GetStartedContextCount(), 2u);
  EXPECT_THAT(RaisedText([&] { renderer->RenderFinish(nullptr); }),
              StartsWith("Runtime Error : RenderFinish context does not match RenderStart context"));
}

TEST(RendererCreate, RefusesBackEndCodesItDoesNotBuild) {
  for (const int32_t code : {5, -1, 0}) {
    EXPECT_THAT(RaisedText([&] { LRenderer::Create(static_cast<RendererType>(code), {}, nullptr); }),
                StartsWith("Domain Error : SV::LRenderer::Create : Renderer/Renderer : Line "))
        << code;
  }
}

TEST(RendererWithoutContext, StateOperationsDoNothing) {
  RCPtr<RecordingRenderer> renderer(new RecordingRenderer);
  EXPECT_EQ(renderer->SetViewport({0, 0, 5, 5}), S_FALSE);
  EXPECT_EQ(renderer->SetStencil(LStencil::Create(2, 2)), S_FALSE);
  renderer->PushState();
  renderer->PushClip({1, 2, 3, 4}, {1, 2, 3, 4}, LStencil::Create(1, 1), true);
  renderer->PushOffset({5, 5});
  renderer->SetClipRect({0, 0, 1, 1});
  renderer->Translate({1, 1});
  renderer->PopState();
  EXPECT_EQ(renderer->GetCurrentContext(), nullptr);
}

TEST_F(RendererStateStack, PopWithoutASavedStateChangesNothing) {
  State().offset = {3, 4};
  renderer->PopState();
  EXPECT_EQ(State().offset, (PointT<double>{3, 4}));
  EXPECT_TRUE(renderer->calls.empty());
}

TEST_F(RendererStateStack, PopRestoresOffsetClipAlphaAndStencilExactly) {
  const RCPtr<LStencil> stencil = LStencil::Create(8, 8);
  State().offset = {1.5, 2.5};
  State().clip = {1, 2, 3, 4};
  State().alpha = 0.25f;
  State().stencil = stencil;
  renderer->PushState();
  renderer->PushClip({10, 10, 20, 20}, {10, 10, 20, 20}, LStencil::Create(4, 4), true);
  State().alpha = 1.0f;
  renderer->PopState();
  renderer->PopState();
  EXPECT_EQ(State().offset, (PointT<double>{1.5, 2.5}));
  EXPECT_EQ(State().clip, (RectT<double>{1, 2, 3, 4}));
  EXPECT_EQ(State().alpha, 0.25f);
  EXPECT_EQ(State().stencil.Get(), stencil.Get());
  EXPECT_FALSE(State().stencilSet);
  EXPECT_TRUE(context->GetSavedStates().empty());
}

TEST_F(RendererStateStack, RelativeClipRoundsTheOriginSnapsTheClipAndRebasesIt) {
  renderer->PushClip({10.4, 20.6, 50, 50}, {10.4, 20.6, 50, 50}, nullptr, true);
  ASSERT_EQ(renderer->calls.size(), 2u);
  EXPECT_EQ(renderer->calls[0].what, "SetClipRect");
  EXPECT_EQ(renderer->calls[0].clip, (RectT<double>{10, 20, 50, 50}));
  EXPECT_EQ(renderer->calls[1].what, "Translate");
  EXPECT_EQ(renderer->calls[1].delta, (PointT<double>{10, 21}));
  EXPECT_EQ(State().clip, (RectT<double>{0, -1, 50, 50}));
  EXPECT_EQ(State().offset, (PointT<double>{10, 21}));
}

TEST_F(RendererStateStack, RelativeClipsNestInsideTheirParent) {
  renderer->PushClip({10, 10, 50, 50}, {10, 10, 50, 50}, nullptr, true);
  renderer->PushClip({40, 40, 50, 50}, {40, 40, 50, 50}, nullptr, true);
  EXPECT_EQ(State().offset, (PointT<double>{50, 50}));
  EXPECT_EQ(State().clip, (RectT<double>{0, 0, 10, 10})) << "only the parent's remaining 10 x 10";
}

TEST_F(RendererStateStack, AbsoluteClipAtTheCurrentOriginReplacesTheClip) {
  renderer->PushClip({10, 10, 50, 50}, {10, 10, 50, 50}, nullptr, true);
  renderer->calls.clear();
  renderer->PushClip({10, 10, 5, 5}, {-3.5, 2.25, 500.5, 7.75}, nullptr, false);
  EXPECT_EQ(State().offset, (PointT<double>{10, 10}));
  EXPECT_EQ(renderer->calls[1].delta, (PointT<double>{0, 0}));
  EXPECT_EQ(State().clip, (RectT<double>{-4, 2, 501, 8}));
}

TEST_F(RendererStateStack, AnAbsoluteClipAwayFromTheOriginKeepsItsAreaForTheClipsNestedInIt) {
  renderer->PushClip({100, 50, 40, 30}, {110, 60, 20, 10}, nullptr, false);
  EXPECT_EQ(State().offset, (PointT<double>{100, 50}));
  EXPECT_EQ(State().clip, (RectT<double>{10, 10, 20, 10}));
  renderer->PushClip({10, 10, 20, 10}, {10, 10, 20, 10}, nullptr, true);
  EXPECT_EQ(State().clip, (RectT<double>{0, 0, 20, 10})) << "the nested clip is not empty";
}

TEST_F(RendererStateStack, NegativeClipSizesAreFlippedBeforeSnapping) {
  renderer->PushClip({0, 0, 5, 5}, {10, 10, -4.5, -2.9999999999999996}, nullptr, false);
  EXPECT_EQ(State().clip, (RectT<double>{5, 7, 5, 3}));
}

TEST_F(RendererStateStack, AStencilIsHandedOverFirstAndCopiedInsideAnotherStencil) {
  const RCPtr<LStencil> outer = LStencil::Create(30, 20);
  const RCPtr<LStencil> inner = LStencil::Create(7, 9);
  renderer->PushClip({0, 0, 10, 10}, {0, 0, 10, 10}, outer, true);
  EXPECT_EQ(State().stencil.Get(), outer.Get());
  EXPECT_TRUE(State().stencilSet);
  renderer->PushClip({0, 0, 10, 10}, {0, 0, 10, 10}, inner, true);
  ASSERT_TRUE(State().stencil);
  EXPECT_NE(State().stencil.Get(), inner.Get());
  EXPECT_EQ(State().stencil->GetRect(), (RectT<int32_t>{0, 0, 7, 9}));
}

TEST_F(RendererStateStack, OffsetIsPushedOnlyInsideASavedState) {
  renderer->PushOffset({3.5, 1.2});
  EXPECT_TRUE(context->GetSavedStates().empty());
  EXPECT_EQ(State().offset, (PointT<double>{0, 0}));
  renderer->PushClip({0, 0, 100, 100}, {0, 0, 100, 100}, nullptr, true);
  renderer->PushOffset({3.5, -1.5});
  EXPECT_EQ(State().offset, (PointT<double>{4, -2}));
  EXPECT_EQ(State().clip, (RectT<double>{-4, 2, 100, 100}));
  renderer->PopState();
  EXPECT_EQ(State().offset, (PointT<double>{0, 0}));
}

TEST_F(RendererStateStack, FilledRectFillsAndOutlinesOnlyVisibleColours) {
  const Color clear{1, 1, 1, 0};
  const Color opaque{1, 1, 1, 1};
  renderer->DrawFilledRect({0, 0, 5, 5}, opaque, clear, 1);
  renderer->DrawFilledRect({0, 0, 5, 5}, clear, opaque, 1);
  ASSERT_EQ(renderer->calls.size(), 2u);
  EXPECT_EQ(renderer->calls[0].what, "FillRect");
  EXPECT_EQ(renderer->calls[1].what, "DrawRect");
}

}  // namespace
}  // namespace SV
