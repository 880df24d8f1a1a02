#include "SVFramework/ControlBase/VisualPart.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SVFramework/ControlBase/VisualPartDescriptor.h"
#include "tests/Support/RaisedText.h"
#include "tests/Support/Renderer/FixtureImages.h"
#include "tests/Support/Renderer/GuiTestApplication.h"
#include "tests/Support/Renderer/RecordingRenderer.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

// A bitmap of width x height whose pixel (x, y) is 0xFF000000 | x << 8 | y, except where
// `transparent` says otherwise (alpha 0 there).
RCPtr<LBitmap> Numbered(int32_t width, int32_t height, bool (*transparent)(int32_t, int32_t) = nullptr) {
  RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap({width, height}, Color{});
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x)
      *bitmap->GetNativeBitmap()->GetPixelAddress(x, y) =
          (transparent && transparent(x, y) ? 0u : 0xFF000000u) | uint32_t(x) << 8 | uint32_t(y);
  return bitmap;
}

uint32_t PixelAt(int32_t x, int32_t y) { return 0xFF000000u | uint32_t(x) << 8 | uint32_t(y); }

RCPtr<LColorizer> Solid(Color color, ColorizerType type = ColorizerType::SolidFill) {
  LColorizer::Values values;
  values.type = type;
  values.color = color;
  values.gradientEndColor = color;
  if (type != ColorizerType::SolidFill) values.gradientEndColor = Color{1, 1, 1, 1};
  return LColorizer::Create(u"test", values);
}

RCPtr<LVisualPart> ImagePart(const RCPtr<LBitmap>& bitmap, ResizeType resize) {
  return MakeVisualPart(u"part", bitmap, resize, nullptr, 1.0f, nullptr);
}

TEST(VisualPart, ColourLookupsFollowHowThePartFillsTheDrawnSize) {
  const RCPtr<LBitmap> shrinkable = Numbered(100, 100, [](int32_t x, int32_t y) { return x == 20 && y == 20; });
  struct Row {
    const char* what;
    RCPtr<LVisualPart> part;
    PointT<float> point, drawn;
    uint32_t expected;
  } rows[] = {
      {"at its own size a point reads its own pixel", ImagePart(Numbered(20, 10), ResizeType::Stretch), {10, 5},
       {20, 10}, PixelAt(10, 5)},
      {"a tile repeats: (33.4, 47.6) of 64 x 64 reads (1, 0)", ImagePart(Numbered(16, 16), ResizeType::Tile),
       {33.4f, 47.6f}, {64, 64}, PixelAt(1, 0)},
      {"a point at the drawn width is outside", ImagePart(Numbered(16, 16), ResizeType::Tile), {64, 5}, {64, 64},
       LVisualPart::kTransparent},
      {"a centred part is read from its offset", ImagePart(Numbered(10, 10), ResizeType::Center), {7, 6}, {20, 20},
       PixelAt(2, 1)},
      {"a shrunk part answers the first opaque pixel its drawn pixel covers", ImagePart(shrinkable, ResizeType::Stretch),
       {10, 10}, {50, 50}, PixelAt(20, 21)},
      {"an enlarged part scales the point down", ImagePart(Numbered(10, 10), ResizeType::Stretch), {15, 7}, {20, 20},
       PixelAt(7, 3)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.part->GetColorAtPoint(row.point, row.drawn), row.expected);
  }
}

TEST(VisualPart, ATilePartOfNoWidthOrHeightIsTransparentEverywhere) {
  for (PointT<int32_t> size : {PointT<int32_t>{0, 10}, PointT<int32_t>{10, 0}}) {
    const RCPtr<LVisualPart> part(new LVisualPart(u"empty", nullptr, ResizeType::Tile, Solid({1, 0, 0, 1}), size, 1.0f,
                                                  nullptr));
    EXPECT_EQ(part->GetColorAtPoint(PointT<float>{5, 5}, PointT<float>{30, 30}), LVisualPart::kTransparent);
  }
}

TEST(VisualPart, AColourPartAtOwnSizeIsItsColourWithTheAlphaModulation) {
  const RCPtr<LVisualPart> part(
      new LVisualPart(u"fill", nullptr, ResizeType::Stretch, Solid({1, 0, 0, 1}), {4, 4}, 0.5f, nullptr));
  EXPECT_EQ(part->GetColorAtPoint(PointT<int32_t>{1, 1}), 0x80FF0000u);
  EXPECT_EQ(part->GetColorAtPoint(PointT<int32_t>{4, 1}), LVisualPart::kTransparent);
}

TEST(VisualPart, AColorizerOverAnImageTintsACopyAndGradientsAreRefused) {
  const RCPtr<LBitmap> image = Numbered(4, 4);
  const RCPtr<LVisualPart> part = MakeVisualPart(u"tinted", image, ResizeType::Stretch, Solid({1, 0, 0, 1}), 1.0f, nullptr);
  EXPECT_EQ(part->GetColorAtPoint(PointT<int32_t>{2, 3}), 0xFFFF0000u);
  EXPECT_EQ(image->GetPixelColor(2, 3).ToARGB(), PixelAt(2, 3)) << "the skin's image is left alone";
  EXPECT_THAT(Testing::RaisedText([&] {
                MakeVisualPart(u"fade", image, ResizeType::Stretch, Solid({0, 0, 0, 1}, ColorizerType::LinearGradient),
                               1.0f, nullptr);
              }),
              StartsWith("Domain Error : SV::LBitmap::CreateGradientFilledBitmap"));
}

// A started context of the recording back end.
class VisualPartDrawing : public ::testing::Test {
protected:
  void SetUp() override { renderer->RenderStart(context); }
  void TearDown() override { renderer->RenderFinish(context); }

  RCPtr<Testing::RecordingRenderer> renderer{new Testing::RecordingRenderer};
  RCPtr<LRenderContextInfo> context = Testing::RecordingRenderer::MakeContext();
};

TEST_F(VisualPartDrawing, ColourPartsFillTheirRectOrNothingWhenTheirAlphaIsZero) {
  const RCPtr<LColorizer> halfRed = Solid({1, 0, 0, 0.5f});
  RCPtr<LVisualPart>(new LVisualPart(u"c", nullptr, ResizeType::Center, halfRed, {10, 10}, 1.0f, nullptr))
      ->Draw(renderer, {25, 25});
  RCPtr<LVisualPart>(new LVisualPart(u"s", nullptr, ResizeType::Stretch, halfRed, {10, 10}, 1.0f, nullptr))
      ->Draw(renderer, {25.4f, 25.6f});
  RCPtr<LVisualPart>(new LVisualPart(u"z", nullptr, ResizeType::Stretch, halfRed, {10, 10}, 0.0f, nullptr))
      ->Draw(renderer, {25, 25});
  const auto drawings = renderer->Drawings();
  ASSERT_EQ(drawings.size(), 2u);
  EXPECT_EQ(drawings[0].rect, (RectT<int32_t>{7, 7, 10, 10}));
  EXPECT_EQ(drawings[1].rect, (RectT<int32_t>{0, 0, 25, 26}));
}

TEST_F(VisualPartDrawing, APartWithNeitherBitmapNorColorizerRaisesWhenDrawn) {
  const RCPtr<LVisualPart> part(new LVisualPart(u"none", nullptr, ResizeType::Stretch, nullptr, {4, 4}, 1.0f, nullptr));
  EXPECT_THAT(Testing::RaisedText([&] { part->Draw(renderer, {4, 4}); }),
              StartsWith("Runtime Error : SV::LVisualPart::Draw : "));
}

// Part descriptors over image files the test writes.
class VisualPartDescriptorParts : public ::testing::Test {
protected:
  void SetUp() override {
    Testing::EnsureGuiApplication();
    folder.WriteFile("face.png", Testing::EncodePng(Testing::Gradient(20, 10)));
  }
  RCPtr<LVisualPartDescriptor> Describe(const char* file, int32_t x, int32_t y, int32_t width, int32_t height) {
    const ImageArea area{String(folder.PathOf(file).c_str()), x, y, width, height};
    return LVisualPartDescriptor::CreateImagePart(u"face", area, ResizeType::Stretch, nullptr, 1.0f, {});
  }

  Testing::TemporaryFolder folder;
};

TEST_F(VisualPartDescriptorParts, APartIsAsLargeAsTheAreaCutFromItsImage) {
  EXPECT_EQ(Describe("face.png", 0, 0, 0, 0)->GetVisualPart()->GetWidth(), 20);
  const RCPtr<LVisualPart> cut = Describe("face.png", 2, 3, 8, 4)->GetVisualPart();
  EXPECT_EQ((PointT<int32_t>{cut->GetWidth(), cut->GetHeight()}), (PointT<int32_t>{8, 4}));
  EXPECT_EQ(cut->GetColorAtPoint(PointT<int32_t>{0, 0}), Testing::Gradient(20, 10).At(2, 3));
}

TEST_F(VisualPartDescriptorParts, LooksShareOnePartUntilItsLastUserLetsGo) {
  const RCPtr<LVisualPartDescriptor> descriptor = Describe("face.png", 0, 0, 0, 0);
  RCPtr<LVisualPart> first = descriptor->GetVisualPart();
  RCPtr<LVisualPart> second = descriptor->GetVisualPart();
  EXPECT_EQ(first.Get(), second.Get());
  first.Reset();
  EXPECT_TRUE(descriptor->HasCachedPart());
  second.Reset();
  EXPECT_FALSE(descriptor->HasCachedPart());
  EXPECT_TRUE(descriptor->GetVisualPart()) << "made again on the next request";
}

TEST_F(VisualPartDescriptorParts, AnImageThatDoesNotLoadGivesNoPartAndCachesNothing) {
  const RCPtr<LVisualPartDescriptor> descriptor = Describe("missing.png", 0, 0, 0, 0);
  EXPECT_FALSE(descriptor->GetVisualPart());
  EXPECT_FALSE(descriptor->HasCachedPart());
}

TEST_F(VisualPartDescriptorParts, ADescriptorReleasedBeforeItsPartLeavesThePartUsable) {
  RCPtr<LVisualPartDescriptor> descriptor = Describe("face.png", 0, 0, 0, 0);
  const RCPtr<LVisualPart> part = descriptor->GetVisualPart();
  descriptor.Reset();
  EXPECT_EQ(part->GetInternalRefCount(), 0);
  EXPECT_EQ(part->GetWidth(), 20);
}

}  // namespace
}  // namespace SV
