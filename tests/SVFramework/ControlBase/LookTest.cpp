#include "SVFramework/ControlBase/Look.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/FakeMeasuringRenderer.h"
#include "tests/Support/Renderer/RecordingRenderer.h"
#include "tests/Support/Renderer/StandInApplication.h"

namespace SV {
namespace {

using ::testing::StartsWith;

RCPtr<LColorizer> SolidColorizer(Color color) {
  LColorizer::Values values;
  values.color = color;
  return LColorizer::Create(u"solid", values);
}

RCPtr<LVisualPartDescriptor> ColourPart(Color color, int32_t width = 8, int32_t height = 8) {
  return LVisualPartDescriptor::CreateColorizerPart(u"colour", SolidColorizer(color), {width, height},
                                                    ResizeType::Stretch, 1.0f, {});
}

RCPtr<LVisualPartDescriptor> MissingImagePart() {
  return LVisualPartDescriptor::CreateImagePart(u"missing", {u"/nonexistent/missing.png", 0, 0, 5, 5},
                                                ResizeType::Stretch, nullptr, 1.0f, {});
}

struct Docking {
  int32_t given = 0;
  LDockedPart::Offsets offsets;
  bool widthGiven = false;
  int32_t width = 0;
  bool heightGiven = false;
  int32_t height = 0;
};

RCPtr<LDockedPart> Dock(const RCPtr<LVisualPartDescriptor>& part, const Docking& docking) {
  return LDockedPart::Create(part, docking.given, docking.offsets, docking.widthGiven, docking.width,
                             docking.heightGiven, docking.height);
}

constexpr int32_t kLeftSide = LDockedPart::kLeftGiven, kTopSide = LDockedPart::kTopGiven,
                  kRightSide = LDockedPart::kRightGiven, kBottomSide = LDockedPart::kBottomGiven;

RCPtr<LLook> LookOf(const RCPtr<LLookDescriptor>& descriptor, PointT<int32_t> size) {
  RCPtr<LLook> look = LLook::Create(descriptor, false);
  look->SetSize(size);
  return look;
}

TEST(Look, ClientRectKeepsItsOffsetsInsideTheLook) {
  const RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(u"look");
  descriptor->SetClientPart(Dock(ColourPart({1, 0, 0, 1}), {LDockedPart::kAllOffsetsGiven, {5, 0, -5, 0}}));
  EXPECT_EQ(LookOf(descriptor, {100, 20})->GetClientRect(), (RectT<int32_t>{5, 0, 90, 20}));
  EXPECT_EQ(LookOf(descriptor, {8, 20})->GetClientRect(), (RectT<int32_t>{5, 0, 0, 20}));
}

TEST(Look, NonClientPartsAreDockedByTheOffsetsTheyGive) {
  struct Row {
    const char* what;
    Docking docking;
    PointT<int32_t> partSize;
    RectT<int32_t> expected;
  } rows[] = {
      {"left, top and right given with a height of 1",
       {kLeftSide | kTopSide | kRightSide, {0, 0, -5, 0}, false, 0, true, 1},
       {64, 64},
       {0, 0, 95, 1}},
      {"top and right given: the top right corner", {kTopSide | kRightSide, {0, 0, 0, 0}}, {5, 4}, {95, 0, 5, 4}},
      {"only right given: centred vertically", {kRightSide, {0, 0, -3, 0}}, {7, 8}, {90, 6, 7, 8}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(u"look");
    descriptor->NonClientParts.Append(Dock(ColourPart({1, 0, 0, 1}, row.partSize.x, row.partSize.y), row.docking));
    EXPECT_EQ(LookOf(descriptor, {100, 20})->GetNonClientRect(0), row.expected);
  }
}

TEST(Look, TextRectComesFromRelativeAndAbsoluteEdges) {
  const RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(u"look");
  LookTextProperties text;
  text.TextLeftAbs = 8;
  text.TextRightRel = 1;
  text.TextRightAbs = -8;
  text.TextTopRel = 0.15f;
  text.TextBottomRel = 0.85f;
  descriptor->SetTextProperties(text, ColourPart({0, 0, 0, 1}));
  const RCPtr<LLook> look = LookOf(descriptor, {100, 20});
  EXPECT_EQ(look->GetTextRect(), (RectT<int32_t>{8, 3, 84, 14}));
  EXPECT_TRUE(look->SetSize({100, 20})) << "the same size changes nothing";
}

// A look of 100 x 20: an opaque green 10 x 10 corner part at the top left over a client
// part of the given colour filling the look.
RCPtr<LLook> CornerOverClient(Color client) {
  const RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(u"look");
  descriptor->SetClientPart(Dock(ColourPart(client), {LDockedPart::kAllOffsetsGiven, {}}));
  descriptor->NonClientParts.Append(Dock(ColourPart({0, 1, 0, 1}), {kLeftSide | kTopSide, {}, true, 10, true, 10}));
  return LookOf(descriptor, {100, 20});
}

TEST(Look, ColourUnderAPointIsTheFirstNonTransparentPartThenTheClientPart) {
  const RCPtr<LLook> opaque = CornerOverClient({1, 0, 0, 1});
  EXPECT_EQ(opaque->GetColorAt({5, 5}), 0xFF00FF00u) << "the corner wins over the opaque client part";
  EXPECT_EQ(opaque->GetColorAt({50, 5}), 0xFFFF0000u);
  EXPECT_EQ(CornerOverClient({1, 0, 0, 0})->GetColorAt({50, 5}), 0x00FF0000u) << "the client part's own answer";
  EXPECT_EQ(opaque->GetColorAt({100, 5}), LVisualPart::kTransparent);
}

TEST(Look, AnExclusiveOverlayHidesTheClientPartButNotItsColour) {
  const RCPtr<LLook> look = CornerOverClient({1, 0, 0, 1});
  EXPECT_EQ(look->SetOverlayPart(nullptr, ResizeType::Stretch, true), S_FALSE) << "no overlay to remove";
  const RCPtr<LBitmap> clear = LBitmap::CreateFilledBitmap({4, 4}, Color{});
  EXPECT_EQ(look->SetOverlayPart(clear, ResizeType::Stretch, true), S_OK);
  EXPECT_EQ(look->GetColorAt({50, 5}), 0xFFFF0000u) << "a transparent overlay falls back to the client part";

  RCPtr<Testing::RecordingRenderer> renderer(new Testing::RecordingRenderer);
  const RCPtr<LRenderContextInfo> context = Testing::RecordingRenderer::MakeContext();
  renderer->RenderStart(context);
  Region region;
  region.AddRect({0, 0, 100, 20});
  look->DrawClientPart(renderer, region);
  renderer->RenderFinish(context);
  const auto drawings = renderer->Drawings();
  ASSERT_EQ(drawings.size(), 1u);
  EXPECT_EQ(drawings[0].what, "DrawBitmap") << "only the overlay is drawn";
}

TEST(Look, PartsThatDidNotLoadDrawNothingAndAreTransparent) {
  const RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(u"look");
  descriptor->SetClientPart(Dock(MissingImagePart(), {LDockedPart::kAllOffsetsGiven, {}}));
  descriptor->NonClientParts.Append(Dock(MissingImagePart(), {kLeftSide | kTopSide, {}, true, 10, true, 10}));
  const RCPtr<LLook> look = LookOf(descriptor, {100, 20});
  EXPECT_EQ(look->GetColorAt({5, 5}), LVisualPart::kTransparent);
  EXPECT_FALSE(descriptor->NonClientParts[0]->Part->HasCachedPart());

  RCPtr<Testing::RecordingRenderer> renderer(new Testing::RecordingRenderer);
  const RCPtr<LRenderContextInfo> context = Testing::RecordingRenderer::MakeContext();
  renderer->RenderStart(context);
  Region region;
  region.AddRect({0, 0, 100, 20});
  look->DrawNonClientParts(renderer, region);
  look->DrawClientPart(renderer, region);
  renderer->RenderFinish(context);
  EXPECT_TRUE(renderer->Drawings().empty());
}

// A look of 100 x 20 with a label "OK" in a font, measured with fixed advances.
class LookLabel : public ::testing::Test {
protected:
  void SetUp() override {
    application.renderer = RCPtr<LMeasurementRenderer>(new Testing::FakeMeasuringRenderer);
    renderer->RenderStart(context);
    region.AddRect({0, 0, 100, 20});
  }
  void TearDown() override { renderer->RenderFinish(context); }

  RCPtr<LLook> Labelled(const RCPtr<LVisualPartDescriptor>& foreground) {
    const RCPtr<LLookDescriptor> descriptor = LLookDescriptor::Create(u"label");
    LookTextProperties text;
    text.TextRightRel = 1;
    text.TextBottomRel = 1;
    descriptor->SetTextProperties(text, foreground);
    RCPtr<LLook> look = LookOf(descriptor, {100, 20});
    look->SetFont(LFont::GetFont(u"DejaVu Sans", 9, 0));
    look->SetText(u"OK");
    return look;
  }
  size_t TextsDrawn() const {
    size_t count = 0;
    for (const auto& call : renderer->Drawings()) count += call.what == "DrawText";
    return count;
  }

  Testing::StandInApplication application;
  RCPtr<Testing::RecordingRenderer> renderer{new Testing::RecordingRenderer};
  RCPtr<LRenderContextInfo> context = Testing::RecordingRenderer::MakeContext();
  Region region;
};

TEST_F(LookLabel, ALabelIsDrawnInItsForegroundColour) {
  EXPECT_EQ(Labelled(ColourPart({0, 0, 0, 1}))->DrawLabelText(renderer, region, {}), S_OK);
  ASSERT_EQ(TextsDrawn(), 1u);
  EXPECT_EQ(renderer->Drawings()[0].text, String(u"OK"));
}

TEST_F(LookLabel, ALabelWithoutAForegroundPartDrawsNoText) {
  EXPECT_EQ(Labelled(nullptr)->DrawLabelText(renderer, region, {}), S_OK);
  EXPECT_EQ(Labelled(MissingImagePart())->DrawLabelText(renderer, region, {}), S_OK);
  EXPECT_EQ(TextsDrawn(), 0u);
}

TEST_F(LookLabel, AForegroundPartWithABitmapIsRefused) {
  const RCPtr<LBitmap> image = LBitmap::CreateFilledBitmap({2, 2}, Color{0, 0, 0, 1});
  const RCPtr<LLook> look = Labelled(ColourPart({0, 0, 0, 1}));
  look->SetForegroundPart(MakeVisualPart(u"image", image, ResizeType::Stretch, nullptr, 1.0f, nullptr));
  EXPECT_THAT(Testing::RaisedText([&] { look->DrawLabelText(renderer, region, {}); }),
              StartsWith("Domain Error : Bitmap fill for text foreground part not yet implemented. : "
                         "SV::LLook::DrawLabelText"));
  EXPECT_EQ(renderer->GetCurrentContext()->GetSavedStates().size(), 0u) << "every push popped";
}

TEST_F(LookLabel, ALookWithoutTextAnswersOne) {
  EXPECT_EQ(LookOf(LLookDescriptor::Create(u"plain"), {10, 10})->DrawLabelText(renderer, region, {}), S_FALSE);
}

TEST_F(LookLabel, ARegionRestrictsWhereTheLookDraws) {
  const RCPtr<LLook> look = CornerOverClient({1, 0, 0, 1});
  look->GetRegion().AddRect({60, 0, 70, 20});
  look->DrawClientPart(renderer, region);
  look->DrawNonClientParts(renderer, region);
  const auto drawings = renderer->Drawings();
  ASSERT_EQ(drawings.size(), 1u) << "the corner lies outside the region";
  EXPECT_EQ(drawings[0].clip, (RectT<double>{60, 0, 10, 20}));
}

}  // namespace
}  // namespace SV
