#include "SVFramework/Utilities/Graphics/Bitmap.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "SVFramework/Utilities/Graphics/BitmapData.h"
#include "tests/Support/Renderer/FixtureImages.h"
#include "tests/Support/TemporaryFolder.h"

namespace SV {
namespace {

using Testing::EncodePng;
using Testing::FixtureImage;
using Testing::Gradient;

// Built-in images served from memory, with a count of the reads per resource name.
class BitmapLoading : public ::testing::Test {
protected:
  void SetUp() override {
    LBitmap::SetResourceReader([this](const std::string& name, std::string& bytes) {
      ++reads[name];
      const auto found = resources.find(name);
      if (found == resources.end()) return false;
      bytes = found->second;
      return true;
    });
  }
  void TearDown() override { LBitmap::SetResourceReader(nullptr); }

  String PathOf(const std::string& relative) const { return String(folder.PathOf(relative).c_str()); }

  std::map<std::string, std::string> resources;
  std::map<std::string, int> reads;
  Testing::TemporaryFolder folder;
};

TEST_F(BitmapLoading, BuiltInNamesBecomeUpperCaseResourceNamesWithUnderscores) {
  const FixtureImage image = Gradient(3, 2);
  resources["COMBO_BTN_NORMALDPI_PNG"] = EncodePng(image);
  resources["KNOB_BIG_PNG"] = EncodePng(image);
  const RCPtr<LBitmap> bitmap = LBitmap::GetNamedBitmap(u"::combo_btn_NormalDPI.png");
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->GetKey(), String(u"::COMBO_BTN_NORMALDPI.PNG"));
  EXPECT_EQ(bitmap->GetWidth(), 3);
  EXPECT_EQ(bitmap->GetHeight(), 2);
  EXPECT_EQ(bitmap->GetNativeBitmap()->GetPixelAddress(2, 1)[0], image.At(2, 1));
  EXPECT_TRUE(LBitmap::GetNamedBitmap(u"::knob big.png"));
}

TEST_F(BitmapLoading, ASecondRequestWhileHeldSharesTheBitmapAndLoadsOnce) {
  resources["A_PNG"] = EncodePng(Gradient(2, 2));
  const uint32_t cachedBefore = LBitmap::GetNamedBitmapCount();
  const RCPtr<LBitmap> first = LBitmap::GetNamedBitmap(u"::a.png");
  const RCPtr<LBitmap> second = LBitmap::GetNamedBitmap(u"::A.PNG");
  EXPECT_EQ(first.Get(), second.Get());
  EXPECT_EQ(reads["A_PNG"], 1);
  EXPECT_EQ(LBitmap::GetNamedBitmapCount(), cachedBefore + 1);
}

TEST_F(BitmapLoading, ABitmapLeavesTheCacheWithItsLastHolderAndLoadsAnewLater) {
  resources["B_PNG"] = EncodePng(Gradient(2, 2));
  const uint32_t cachedBefore = LBitmap::GetNamedBitmapCount();
  {
    RCPtr<LBitmap> held = LBitmap::GetNamedBitmap(u"::b.png");
    RCPtr<LBitmap> view = held->CreateSubBitmap(0, 0, 1, 1);
    held.Reset();
    EXPECT_EQ(LBitmap::GetNamedBitmapCount(), cachedBefore + 1) << "a view still holds it";
  }
  EXPECT_EQ(LBitmap::GetNamedBitmapCount(), cachedBefore);
  EXPECT_TRUE(LBitmap::GetNamedBitmap(u"::b.png"));
  EXPECT_EQ(reads["B_PNG"], 2);
}

TEST_F(BitmapLoading, BadImagesGiveNullAndCacheNothing) {
  const std::string png = EncodePng(Gradient(4, 4));
  resources["EMPTY_PNG"] = "";
  resources["TRUNCATED_PNG"] = png.substr(0, png.size() / 2);
  resources["TEXT_PNG"] = "this is not an image";
  folder.WriteFile("empty.png", "");
  folder.WriteFile("truncated.png", png.substr(0, 40));
  folder.WriteFile("text.png", "GIF89a but not really");
  const uint32_t cachedBefore = LBitmap::GetNamedBitmapCount();
  for (const String& name : {String(u"::missing.png"), String(u"::empty.png"), String(u"::truncated.png"),
                             String(u"::text.png"), PathOf("missing.png"), PathOf("empty.png"),
                             PathOf("truncated.png"), PathOf("text.png"), String(u"")}) {
    EXPECT_FALSE(LBitmap::GetNamedBitmap(name)) << name.ToUTF8().GetString();
    EXPECT_FALSE(LBitmap(name, name).HasPixels());
  }
  EXPECT_EQ(LBitmap::GetNamedBitmapCount(), cachedBefore);
}

TEST_F(BitmapLoading, TwoSpellingsOfOneFileShareOneEntry) {
  const FixtureImage image = Gradient(5, 4);
  folder.WriteFile("skin.png", EncodePng(image));
  std::filesystem::create_directory(folder.PathOf("sub"));
  std::filesystem::create_symlink(folder.PathOf("skin.png"), folder.PathOf("link.png"));
  const RCPtr<LBitmap> direct = LBitmap::GetNamedBitmap(PathOf("skin.png"));
  ASSERT_TRUE(direct);
  EXPECT_EQ(direct->GetPixelColor(4, 3).ToARGB(), image.At(4, 3));
  EXPECT_EQ(LBitmap::GetNamedBitmap(PathOf("sub/../skin.png")).Get(), direct.Get());
  EXPECT_EQ(LBitmap::GetNamedBitmap(PathOf("./link.png")).Get(), direct.Get());
  EXPECT_FALSE(LBitmap::GetNamedBitmap(PathOf("SKIN.png"))) << "file keys keep their case";
}

class BitmapViews : public ::testing::Test {
protected:
  void SetUp() override {
    LBitmap::SetResourceReader([this](const std::string&, std::string& bytes) {
      bytes = png;
      return true;
    });
    owner = LBitmap::GetNamedBitmap(u"::views.png");
    ASSERT_TRUE(owner);
  }
  void TearDown() override { LBitmap::SetResourceReader(nullptr); }

  FixtureImage image = Gradient(40, 50);
  std::string png = EncodePng(image);
  RCPtr<LBitmap> owner;
};

TEST_F(BitmapViews, AViewOfAViewIsCutFromThePixelOwner) {
  const RCPtr<LBitmap> area = owner->CreateSubBitmap(4, 6, 30, 40);
  const RCPtr<LBitmap> whole = area->CreateSubBitmap(10, 20, 0, 5);
  EXPECT_EQ((std::array{whole->GetX(), whole->GetY(), whole->GetWidth(), whole->GetHeight()}),
            (std::array{4, 6, 30, 40}));
  const RCPtr<LBitmap> part = area->CreateSubBitmap(10, 20, 8, 8);
  EXPECT_EQ((std::array{part->GetX(), part->GetY(), part->GetWidth(), part->GetHeight()}),
            (std::array{14, 26, 8, 8}));
  EXPECT_EQ(part->GetParent().Get(), owner.Get());
  EXPECT_EQ(part->GetNativeBitmap(), owner->GetNativeBitmap());
  EXPECT_EQ(part->GetPixelColor(0, 0).ToARGB(), image.At(14, 26));
  EXPECT_TRUE(part->GetName().IsEmpty());
}

TEST_F(BitmapViews, PixelsOutsideTheOwnerReadAsAllZero) {
  const RCPtr<LBitmap> outside = owner->CreateSubBitmap(35, 45, 10, 10);
  EXPECT_EQ(outside->GetPixelColor(7, 0), (Color{0, 0, 0, 0}));
  EXPECT_EQ(outside->GetNativeBitmap()->GetLastStatus(), BitmapPixels::kInvalidParameter);
  EXPECT_FALSE(outside->Clone()->HasPixels());
  EXPECT_EQ(owner->GetPixelColor(-1, 0), (Color{0, 0, 0, 0}));
}

TEST_F(BitmapViews, ACloneOwnsACopyOfTheAreaOnly) {
  const RCPtr<LBitmap> clone = owner->CreateSubBitmap(3, 4, 5, 6)->Clone();
  ASSERT_TRUE(clone->HasPixels());
  EXPECT_FALSE(clone->GetParent());
  EXPECT_EQ((std::array{clone->GetX(), clone->GetY(), clone->GetWidth(), clone->GetHeight()}),
            (std::array{0, 0, 5, 6}));
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(clone->GetPixelColor(x, y).ToARGB(), image.At(3 + x, 4 + y));
  }
  *clone->GetNativeBitmap()->GetPixelAddress(0, 0) = 0;
  EXPECT_EQ(owner->GetPixelColor(3, 4).ToARGB(), image.At(3, 4));
}

TEST_F(BitmapViews, PixelDataLocksTheOwnersWholeArea) {
  const RCPtr<LBitmapData> data = owner->CreateSubBitmap(10, 10, 2, 2)->GetPixelData();
  EXPECT_EQ(data->GetWidth(), 40);
  EXPECT_EQ(data->GetHeight(), 50);
  const auto* start = reinterpret_cast<const uint8_t*>(data->GetPixelAddress(0, 0));
  EXPECT_EQ(reinterpret_cast<const uint8_t*>(data->GetPixelAddress(1, 1)), start + data->GetStride() + 4);
  EXPECT_EQ(*data->GetPixelAddress(1, 1), image.At(1, 1));
  const uint8_t* bytes = start;
  EXPECT_EQ(bytes[0], image.At(0, 0) & 0xFF) << "blue first in memory";
  EXPECT_EQ(bytes[3], image.At(0, 0) >> 24) << "alpha last in memory";
}

TEST(BitmapData, RefusesACallerSuppliedBuffer) {
  const RCPtr<LBitmap> bitmap = LBitmap::CreateFilledBitmap({2, 2}, Color{1, 1, 1, 1});
  const RCPtr<LBitmapData> other = bitmap->GetPixelData();
  try {
    LBitmapData data(bitmap, LBitmapData::LockMode::ReadOnly, other.Get());
    FAIL() << "no exception";
  } catch (const std::domain_error& error) {
    EXPECT_THAT(error.what(), ::testing::StartsWith("Domain Error : SV::LBitmapData::LBitmapData : "));
  }
}

TEST(BitmapEmpty, HasNoAreaParentPixelsOrNames) {
  const RCPtr<LBitmap> bitmap(new LBitmap);
  EXPECT_EQ(bitmap->GetWidth() + bitmap->GetHeight() + bitmap->GetX() + bitmap->GetY(), 0);
  EXPECT_FALSE(bitmap->HasPixels());
  EXPECT_EQ(bitmap->GetNativeBitmap(), nullptr);
  EXPECT_TRUE(bitmap->GetName().IsEmpty() && bitmap->GetKey().IsEmpty());
  EXPECT_EQ(bitmap->GetPixelColor(0, 0), Color{});
}

}  // namespace
}  // namespace SV
