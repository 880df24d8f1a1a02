#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QImage>

#include <filesystem>
#include <string>
#include <vector>

#include "SVFramework/ControlBase/Control.h"
#include "SVFramework/Renderer/Gdi/GDIRenderContextInfo.h"
#include "tests/Support/Controls/FramePainter.h"
#include "tests/Support/Controls/PaintingSkin.h"
#include "tests/Support/Controls/StandInRootWindow.h"
#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingWindowTarget.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using Testing::PaintedControl;
using Testing::RecordingRenderer;

// The painting skin's panel with the button's label "OK" in a font; the label control's
// text is empty.
class ControlPaintingTest : public Testing::PaintedPanelTest {
protected:
  void SetUp() override {
    application.renderer = RCPtr<LMeasurementRenderer>(new Testing::FakeMeasuringRenderer);
    PaintedPanelTest::SetUp();
    if (HasFatalFailure()) return;
    const RCPtr<LLook> face = Child(u"button").GetLook(0);
    face->SetFont(LFont::GetFont(u"DejaVu Sans", 9, 0));
    face->SetText(u"OK");
  }

  // Paints a frame over the dirty rectangle with the recording back end; returns the
  // drawings as "what@x,y" (the drawing origin), marks as they are.
  std::vector<std::string> RecordFrame(const EdgeRect& dirtyRect = {0, 0, 120, 80}) {
    recorder->calls.clear();
    const RCPtr<LRenderContextInfo> context = RecordingRenderer::MakeContext();
    Region dirty;
    dirty.AddRect(dirtyRect);
    recorder->RenderStart(context);
    secondPass = Testing::PaintFrame(recorder, panel, dirty);
    EXPECT_TRUE(context->GetSavedStates().empty()) << "every push popped";
    recorder->RenderFinish(context);
    std::vector<std::string> drawings;
    for (const auto& call : recorder->Drawings()) {
      const bool mark = call.what.find(':') != std::string::npos;
      drawings.push_back(mark ? call.what
                              : call.what + "@" + std::to_string(int(call.origin.x)) + "," +
                                    std::to_string(int(call.origin.y)));
    }
    return drawings;
  }

  Testing::StandInApplication application;
  RCPtr<RecordingRenderer> recorder{new RecordingRenderer};
  std::vector<LControl*> secondPass;
};

TEST_F(ControlPaintingTest, ATreePaintsLooksContentLabelsChildrenAndOverlaysInOrder) {
  const std::vector<std::string> expected = {
      "FillRect@4,4",    "FillRect@0,0",     "Content:panel", "DrawBitmap@14,14", "Content:button",
      "DrawText@16,14",  "Overlay:button",   "DrawBitmap@54,14", "Content:label",  "DrawText@56,14",
      "Overlay:label",   "Overlay:panel",    "FillRect@84,54",   "Content:badge",  "Overlay:badge"};
  EXPECT_EQ(RecordFrame(), expected);
  ASSERT_EQ(secondPass.size(), 1u);
  EXPECT_EQ(secondPass[0]->GetName(), String(u"badge"));
}

TEST_F(ControlPaintingTest, AControlBelongsToOnePassOnly) {
  RCPtrArray<LControl, 1, 0> unclipped;
  Region dirty;
  EXPECT_EQ(panel->FindChild(u"badge")->Paint(recorder, dirty, unclipped, false), E_INVALIDARG);
  EXPECT_EQ(panel->Paint(recorder, dirty, unclipped, true), E_INVALIDARG);
}

TEST_F(ControlPaintingTest, TwoLooksAtHalfWeightDrawTheChildrenTwiceAtHalfAlpha) {
  panel->AddLook(LLook::Create(panel->GetLook(0)->GetDescriptor(), false));
  panel->SetLookWeight(0, 0.5f, false);
  panel->SetLookWeight(1, 0.5f, false);
  RecordFrame();
  int buttonFaces = 0;
  for (const auto& call : recorder->Drawings()) {
    if (call.what != "DrawBitmap" || call.origin.x != 14) continue;
    ++buttonFaces;
    EXPECT_FLOAT_EQ(call.alpha, 0.5f);
  }
  EXPECT_EQ(buttonFaces, 2);
}

TEST_F(ControlPaintingTest, LooksAtWeightZeroDrawNothingOfTheControlButItsHooks) {
  panel->SetLookWeight(0, 0.0f, false);
  const std::vector<std::string> expected = {"Content:panel", "Overlay:panel", "FillRect@84,54", "Content:badge",
                                             "Overlay:badge"};
  EXPECT_EQ(RecordFrame(), expected);
  EXPECT_TRUE(panel->IsTransparentAt({50, 30}));
}

TEST_F(ControlPaintingTest, AnUnclippedChildOfAParentOutsideTheDirtyAreaIsStillPainted) {
  const std::vector<std::string> expected = {"FillRect@84,54", "Content:badge", "Overlay:badge"};
  EXPECT_EQ(RecordFrame({100, 60, 120, 80}), expected);
}

TEST_F(ControlPaintingTest, ScrollingMovesClippedChildrenAndClipsThemToTheClientArea) {
  static_cast<PaintedControl&>(*panel).SetScrollOffsetDirect({3, 12});
  RecordFrame();
  for (const auto& call : recorder->Drawings()) {
    if (call.what != "DrawBitmap" || call.origin.x != 11) continue;
    EXPECT_EQ(call.origin.y, 2) << "moved up by the scroll offset";
    EXPECT_EQ(call.clip, (RectT<double>{0, 2, 30, 18})) << "clipped to the client area, which starts at 4";
    return;
  }
  ADD_FAILURE() << "the button's face was not drawn";
}

TEST_F(ControlPaintingTest, AChildDockedOnBothAxesIsOffsetButNotClippedToTheClientArea) {
  PaintedControl& button = Child(u"button");
  button.GetLayout()->Placement[0].docked = true;
  button.GetLayout()->Placement[1].docked = true;
  button.MarkParentOrderChanged();
  static_cast<PaintedControl&>(*panel).SetScrollOffsetDirect({0, 12});
  const std::vector<std::string> drawings = RecordFrame();
  for (const auto& call : recorder->Drawings()) {
    if (call.what != "DrawBitmap" || call.origin.x != 14) continue;
    EXPECT_EQ(call.origin.y, 2) << "the offset still carries the scroll";
    EXPECT_EQ(call.clip, (RectT<double>{0, 0, 30, 20})) << "whole: the client area, which starts at 4, does not cut it";
    return;
  }
  ADD_FAILURE() << "the button's face was not drawn";
}

TEST_F(ControlPaintingTest, AHookThatRemovesLaterChildrenEndsTheRunSafely) {
  Child(u"button").onContent = [this] {
    panel->FindChild(u"label")->Detach();
    panel->FindChild(u"badge")->Detach();
  };
  const std::vector<std::string> drawings = RecordFrame();
  EXPECT_EQ(std::count(drawings.begin(), drawings.end(), "Content:label"), 0);
  EXPECT_EQ(std::count(drawings.begin(), drawings.end(), "Content:badge"), 0);
  EXPECT_EQ(std::count(drawings.begin(), drawings.end(), "Overlay:panel"), 1);
}

TEST_F(ControlPaintingTest, EmptyLookSlotsAndPartsThatDidNotLoadDrawNothing) {
  for (const char16_t* name : {u"gapped", u"broken"}) {
    const RCPtr<LControl> control = skin.Create(name, nullptr);
    ASSERT_TRUE(control);
    control->RecomputePlacement();
    control->SetRect({0, 0, 20, 20});
    control->GetLook(-1)->SetFont(LFont::GetFont(u"DejaVu Sans", 9, 0));
    control->GetLook(-1)->SetText(u"text");
    recorder->calls.clear();
    const RCPtr<LRenderContextInfo> context = RecordingRenderer::MakeContext();
    Region dirty;
    dirty.AddRect({0, 0, 20, 20});
    recorder->RenderStart(context);
    Testing::PaintFrame(recorder, control, dirty);
    recorder->RenderFinish(context);
    const std::string prefix = NarrowString(control->GetName()).GetString();
    for (const auto& call : recorder->Drawings())
      EXPECT_NE(call.what.find(':'), std::string::npos) << prefix << " drew " << call.what;
    control->Detach();
  }
}

// The same tree drawn by the raster back end into a surface of 120 x 80.
class ControlRasterPaintingTest : public ControlPaintingTest {
protected:
  QImage PaintRaster() {
    const RCPtr<LRenderer> raster = LRenderer::Create(RendererType::GdiPlus, {0, 0, 120, 80}, &target);
    RCPtr<LRenderContextInfo> context;
    raster->InitRenderContextInfo({0, 0, 120, 80}, &target, 0, context);
    context->GetDirtyRegion().AddRect({0, 0, 120, 80});
    raster->RenderStart(context);
    Testing::PaintFrame(raster, panel, context->GetDirtyRegion());
    raster->RenderFinish(context);
    return static_cast<LGDIRenderContextInfo*>(context.Get())->GetFrontSurface().GetBitmap().copy();
  }
  static uint32_t At(const QImage& image, int x, int y) { return qUnpremultiply(image.pixel(x, y)); }

  Testing::RecordingWindowTarget target{120, 80};
};

TEST_F(ControlRasterPaintingTest, PixelsShowPartsChildrenThroughTransparencyAndTheUnclippedBadge) {
  const QImage frame = PaintRaster();
  struct Row {
    const char* what;
    int x, y;
    uint32_t expected;
  } rows[] = {
      {"the panel's top bar", 50, 1, 0xFF2040C0u},
      {"the panel's client area", 50, 50, 0xFF808080u},
      {"the panel's frame left of its client area", 2, 30, 0u},
      {"the button's opaque half", 16, 30, 0xFFFF0000u},
      {"the panel through the button's transparent half", 40, 30, 0xFF808080u},
      {"the badge outside the panel", 110, 70, 0xFFE0A030u},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(At(frame, row.x, row.y), row.expected);
  }
}

// The button sits at (14, 14) in the surface, 30 x 20, its text rectangle inset by 2 on
// either side; the label starts at x = 54. A text far wider than that rectangle is
// drawn inside it only: the panel keeps its colour beyond it.
TEST_F(ControlRasterPaintingTest, ALabelTextWiderThanItsTextRectangleIsCutAtThatRectangle) {
  Child(u"button").GetLook(0)->SetText(u"OKOKOKOKOKOKOK");
  const QImage frame = PaintRaster();
  const auto inkBetween = [&](int left, int right) {
    int ink = 0;
    for (int y = 14; y < 34; ++y)
      for (int x = left; x < right; ++x) ink += At(frame, x, y) != 0xFF808080u && At(frame, x, y) != 0xFFFF0000u;
    return ink;
  };
  EXPECT_GT(inkBetween(16, 42), 0) << "the text inside its rectangle";
  EXPECT_EQ(inkBetween(42, 54), 0) << "nothing right of the text rectangle, on the button or the panel";
  EXPECT_EQ(inkBetween(4, 16), 0) << "nothing left of it";
  std::filesystem::create_directories("screenshots");
  EXPECT_TRUE(frame.scaled(480, 320).save("screenshots/LabelTextCut.png"));
}

TEST_F(ControlRasterPaintingTest, AScrolledChildIsCutAtTheClientAreaAndTheTreeIsWrittenAsAScreenshot) {
  static_cast<PaintedControl&>(*panel).SetScrollOffsetDirect({0, 12});
  const QImage frame = PaintRaster();
  EXPECT_EQ(At(frame, 16, 3), 0xFF2040C0u) << "the top bar, not the button above the client area";
  EXPECT_EQ(At(frame, 16, 5), 0xFFFF0000u);
  std::filesystem::create_directories("screenshots");
  EXPECT_TRUE(frame.scaled(480, 320).save("screenshots/ControlTree.png"));
}

}  // namespace
}  // namespace SV
